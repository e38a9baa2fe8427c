#include "tools/output_save.h"

#include "app/file_messages.h"
#include "app/tembedded.h"
#include "platform/paths/win_path.h"

namespace
{

const char* const ObjsaveFilter = "Object File [*.r25]|*.r25|"
                                  "Output File[*.a25] [*.out]|*.out; *.a25|"
                                  "Any File [*.*]|*.*";

} // namespace

OutputSave::OutputSave(TEmbedded& app) : m_app(app)
{
    ControlSet& c = app.controls();
    c["SaveObjectFile"].onActivate([this](const Sender&) { SaveObjectFileClick(); });
    c["SelectSaveLocation1"].onActivate([this](const Sender&) { SelectSaveLocation1Click(); });
}

void OutputSave::SaveObjectFileClick()
{
    Settings& s = m_app.settings();
    const ControlSet& c = m_app.controls();
    FileDialogRequest r;
    r.initialFolder = m_app.compileDir();
    r.title = "Select File to save in " + s.saveDir;
    r.filters = parseFilterList(ObjsaveFilter);
    r.defaultExtension = "*.r25";
    if (s.targetSwitch) {
        r.filterIndex = 2;
        r.fileName = winpath::join(m_app.compileDir(), c["LinkFile"].text());
    } else {
        r.filterIndex = 1;
        r.fileName = winpath::fileName(c["ObjectFile"].text());
    }
    const auto chosen = m_app.host().dialogs.saveFile(r);
    if (!chosen)
        return;

    Files& files = m_app.host().files;
    if (!files.folderExists(s.saveDir)) {
        s.saveDir = winpath::upper(s.saveDir);
        m_app.message(s.saveDir.rfind('A', 0) == 0 ? "No disk in Drive " + s.saveDir
                                                   : "Destination Folder does not exist" + s.saveDir);
        return;
    }
    // The file the user chose, wherever it lies; the copy replaces a file of its name only whole.
    const CopyResult result = files.saveIntoFolder(*chosen, s.saveDir);
    if (result != CopyResult::Ok)
        m_app.message(copyFailureMessage(result, *chosen, s.saveDir), MsgButtons::Ok, MsgIcon::Error);
}

void OutputSave::SelectSaveLocation1Click()
{
    Settings& s = m_app.settings();
    const std::string start = s.saveDir == "A:\\" ? "C:\\" : s.saveDir;
    const auto chosen = m_app.host().dialogs.chooseFolder("Select Save Location", start);
    if (!chosen)
        return;
    s.saveDir = *chosen;
    m_app.controls()["SaveObjectFile"].setCaption("Save Output file to ", s.saveDir);
}
