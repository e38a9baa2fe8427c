#include "editor/file_routes.h"

#include "app/control_set.h"
#include "app/tembedded.h"
#include "editor/editor_windows.h"
#include "editor/open_dialog.h"
#include "editor/tcode_ed.h"
#include "platform/paths/win_path.h"

FileRoutes::FileRoutes(TEmbedded& app) : m_app(app)
{
    ControlSet& c = app.controls();
    for (const char* name : {"OpenFile", "OpenFileBtn", "EditBatch", "ViewPathset", "ViewList", "ViewLinkerCmd",
                             "ViewCompilerList", "CompilerOP1"})
        c[name].onActivate([this](const Sender& s) { OpenFileClick(s); });
    for (const char* name : {"NewFile", "NewFileBtn"})
        c[name].onActivate([this](const Sender&) { NewFile1Click(); });
    c["Tile1"].onActivate([this](const Sender&) { Tile1Click(); });
    c["Cascade1"].onActivate([this](const Sender&) { Cascade1Click(); });
    c["Arrange1"].onActivate([this](const Sender&) { Arrange1Click(); });
}

void FileRoutes::OpenFileClick(const Sender& sender)
{
    m_app.editors().cascade();
    const int tag = sender.kind == SenderKind::MenuItem ? sender.tag : 0;
    const std::string file = fileForTag(tag);
    if (file.empty())
        return;
    show(file);
}

std::string FileRoutes::fileForTag(int tag)
{
    Settings& s = m_app.settings();
    ControlSet& c = m_app.controls();
    const std::string compileDir = m_app.compileDir();
    switch (tag) {
    case 0:
        return s.cFile;
    case 5: {
        // Another route's title would name the wrong dialog; name, filter and folder stay.
        m_app.openDialog().title = OpenDialog::InitialTitle;
        const std::string file = chooseKeepingDialog(0, winpath::dirOnly(s.project));
        if (!file.empty())
            s.cFile = file;
        return file;
    }
    case 10: {
        const auto& sources = c["ProjectListBox"].entries();
        const std::string folder = !sources.empty()    ? winpath::dirOnly(sources.front())
                                   : m_app.projectLoaded() ? winpath::dirOnly(s.project)
                                                           : s.directory;
        m_app.openDialog().title = OpenDialog::InitialTitle;
        const std::string file = chooseKeepingDialog(8, folder);
        if (!file.empty())
            s.cFile = file;
        return file;
    }
    case 20:
        return winpath::join(compileDir, "ide.bat");
    case 30:
        return winpath::join(s.directory, "pathset.bat");
    case 40:
        return chooseFile("Linker Output File", c["Linklistfile"].text(), 4, compileDir);
    case 50:
        return chooseFile("Linker Command File", c["LinkerCmdfile"].text() + ".xcl", 7, compileDir);
    case 55:
        return chooseFile("Compiler Output File", "", 4, compileDir);
    case 60:
        return m_app.outputCaptureFile;
    default:
        return {};
    }
}

std::string FileRoutes::chooseFile(const std::string& title, const std::string& name, int filter,
                                   const std::string& folder)
{
    OpenDialog& d = m_app.openDialog();
    d.title = title;
    d.fileName = name;
    return chooseKeepingDialog(filter, folder);
}

// filter 0 keeps the dialog's own choice.
std::string FileRoutes::chooseKeepingDialog(int filter, const std::string& folder)
{
    OpenDialog& d = m_app.openDialog();
    if (filter > 0)
        d.filterIndex = filter;
    d.initialFolder = folder;
    const auto file = d.Execute(m_app.host().dialogs);
    if (!file || !openable(*file))
        return {};
    return *file;
}

bool FileRoutes::openable(const std::string& path)
{
    Files& files = m_app.host().files;
    const char* kind = files.folderExists(path)                                   ? "a folder"
                       : files.fileExists(path) && !files.isOrdinaryFile(path) ? "a device"
                                                                               : nullptr;
    if (!kind)
        return true;
    m_app.message("Cannot open " + path + "\rIt is " + kind + ", not a file.", MsgButtons::Ok, MsgIcon::Error);
    return false;
}

void FileRoutes::show(const std::string& path)
{
    Settings& s = m_app.settings();
    if (!s.editorSwitch) {
        m_app.host().shell.open(s.externalEd, path, m_app.compileDir(), true);
        return;
    }
    EditorWindows& editors = m_app.editors();
    if (editors.showOpen(path, editors.pendingJumpLine))
        return;
    TCodeEd& ed = editors.create();
    ed.controls()["SaveOutputFileto"].setCaption("Save Output File to ", s.saveDir);
    editors.cascade();
    ed.OpenAtLine(path, editors.pendingJumpLine);
}

void FileRoutes::NewFile1Click()
{
    m_app.editors().create();
}

void FileRoutes::Tile1Click()
{
    m_app.editors().tile();
}

void FileRoutes::Cascade1Click()
{
    m_app.editors().cascade();
}

void FileRoutes::Arrange1Click()
{
    m_app.editors().arrange();
}

void FileRoutes::reloadLastFile()
{
    if (m_app.controls()["Reload"].checked())
        OpenFileClick(Sender{});
}
