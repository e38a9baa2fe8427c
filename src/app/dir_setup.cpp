#include "app/dir_setup.h"

#include "app/tembedded.h"
#include "components/help_handlers.h"
#include "platform/paths/win_path.h"

const char* const DirSetup::Caption = "Tarnel Setup";
const char* const DirSetup::Heading = "File locations";

DirSetup::DirSetup(TEmbedded& app) : m_app(app)
{
    const Settings& s = app.settings();
    const std::vector<ControlSpec> specs = {
        {"WorkingDir", ControlKind::Edit, "", "", "", {}, s.directory, "Working Dir"},
        {"SourceDir", ControlKind::Edit, "", "", "", {}, s.compSource, "Source Dir"},
        {"ProjectFile", ControlKind::Edit, "", "", "", {}, s.storedProject(), "Project file"},
        {"Pelorus", ControlKind::Edit, "", "", "", {}, s.programmingTool, "Programming Tool"},
        {"Nec", ControlKind::Edit, "", "", "", {}, s.necDir, "Nec files "},
    };
    m_fields.addAll(specs);
    m_fields.add({"DirhelpButt", ControlKind::Button, "", "", "Help", {}, "", "", {}, 43});
}

void DirSetup::browse(const std::string& field)
{
    Control& f = m_fields[field];
    std::string start = f.text();
    if (!m_app.host().files.folderExists(start))
        start = "C:\\";
    auto chosen = m_app.host().dialogs.chooseFolder(f.label, start);
    if (!chosen)
        return;
    std::string folder = *chosen;
    if (field == "WorkingDir") {
        // Taken as the dialog gives it: no trailing backslash except on a drive root.
        if (folder.size() > 3 && folder.back() == '\\')
            folder.pop_back();
    } else {
        folder = winpath::withBackslash(folder);
    }
    f.setText(folder);
}

void DirSetup::defaults()
{
    m_fields["WorkingDir"].setText("D:\\");
    m_fields["SourceDir"].setText("D:\\source");
    m_fields["ProjectFile"].setText("D:\\soft\\default.prj");
    m_fields["Pelorus"].setText("D:\\pelorus\\pelorus.exe");
    m_fields["Nec"].setText("D:\\nec");
}

void DirSetup::help()
{
    m_app.help().HelpbtnClick(m_fields["DirhelpButt"].asSender());
}

void DirSetup::ok()
{
    Settings& s = m_app.settings();
    s.directory = m_fields["WorkingDir"].text();
    s.compSource = m_fields["SourceDir"].text();
    // Used at the next start; until then the open project (or none) stays current, so no
    // save or build writes its lines into the newly named file.
    const std::string project = m_fields["ProjectFile"].text();
    if (project == s.project)
        s.nextStartProject.reset();
    else
        s.nextStartProject = project;
    s.programmingTool = m_fields["Pelorus"].text();
    s.necDir = m_fields["Nec"].text();
    m_app.writeSettings();
}
