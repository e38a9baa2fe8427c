#include "project/project_commands.h"

#include "app/file_messages.h"
#include "app/tembedded.h"
#include "build/build_files.h"
#include "build/compiler_controls.h"
#include "platform/paths/win_path.h"
#include "project/project_edit_panel.h"
#include "project/project_file.h"
#include "project/recent_projects.h"
#include "project/source_browser.h"

namespace {

constexpr const char* NoProjectText = "No Project loaded";
constexpr const char* EditWithoutProjectText =
    "No Project is loaded\rClick OK Open Existing Project\rClick YES to Start a New Project";
constexpr const char* FullPathText = "You must supply the full path of the project";
// Characters no Windows file name may hold; the name page starts out as "*.prj".
constexpr const char* ForbiddenNameCharacters = "*?\"<>|";
constexpr const char* ForbiddenNameText =
    "A project file name cannot contain any of the characters * ? \" < > |";

std::string missingRecentText(const std::string& path)
{
    return "The project " + path + " cannot be found.\rRemove it from the Recent Projects list?";
}

}  // namespace

ProjectCommands::ProjectCommands(TEmbedded& app) : m_app(app)
{
    wire();
}

void ProjectCommands::wire()
{
    ControlSet& c = m_app.controls();
    const std::pair<const char*, void (ProjectCommands::*)()> commands[] = {
        {"NewProject", &ProjectCommands::NewProjectClick},  {"NewProjBtn", &ProjectCommands::NewProjectClick},
        {"OpenProject", &ProjectCommands::OpenProjectClick}, {"OpenProjBtn", &ProjectCommands::OpenProjectClick},
        {"ProjEdit", &ProjectCommands::ProjEditClick},       {"EditProjBtn", &ProjectCommands::ProjEditClick},
        {"SaveProject", &ProjectCommands::SaveProjectClick}, {"SaveProjectAs1", &ProjectCommands::SaveProjectAs1Click},
        {"NameOK", &ProjectCommands::NameOKClick},
    };
    for (const auto& [name, handler] : commands)
        c[name].onActivate([this, handler = handler](const Sender&) { (this->*handler)(); });
    c[RecentProjects::MenuItem].onActivate([this](const Sender& s) { RecentProjectClick(s.tag); });
}

void ProjectCommands::NewProjectClick()
{
    ControlSet& c = m_app.controls();
    c["projname"].setText(winpath::withBackslash(m_app.compileDir()) + "*.prj");
    Control& pages = c[compilercontrols::Pages];
    pages.setVisible(true);
    pages.showTab("Project");
}

void ProjectCommands::NameOKClick()
{
    ControlSet& c = m_app.controls();
    Files& files = m_app.host().files;
    Control& field = c["projname"];
    std::string path = field.text();
    if (winpath::extension(path) != ".prj") {
        path += ".prj";
        field.setText(path);
    }
    if (!files.folderExists(winpath::dirPart(path))) {
        m_app.message(FullPathText);
        return;
    }
    const std::string name = winpath::fileName(path);
    if (name.find_first_of(ForbiddenNameCharacters) != std::string::npos) {
        m_app.message(ForbiddenNameText, MsgButtons::Ok, MsgIcon::Warning);
        return;
    }
    m_app.settings().setProject(path);
    c["ProjectName"].setCaption(winpath::dropLast(name, 4));
    c["ProjEdit"].setEnabled(true);
    m_app.writeSettings();
    // A file of that name is not this project's: the first write keeps it aside.
    if (files.fileExists(path))
        m_app.project().keepOriginalOnFirstWrite(path);
    c["PEditPan"].setVisible(true);
    m_app.UpdateStatusBar(0);
    m_app.project().ClearCompileCopies();
    c[compilercontrols::Pages].setVisible(false);
}

std::string ProjectCommands::loadDialogFolder() const
{
    const Files& files = m_app.host().files;
    if (files.folderExists(LoadFolder))
        return LoadFolder;
    const Settings& s = m_app.settings();
    std::vector<std::string> candidates;
    if (m_app.projectLoaded())
        candidates.push_back(winpath::dirOnly(s.project));
    candidates.push_back(s.directory);
    candidates.push_back(s.compSource);
    for (const std::string& folder : candidates)
        if (!winpath::trim(folder).empty() && files.folderExists(folder))
            return folder;
    return {};
}

void ProjectCommands::OpenProjectClick()
{
    FileDialogRequest request;
    request.title = "Load Project";
    request.filters = parseFilterList("Project|*.prj");
    request.initialFolder = loadDialogFolder();
    request.defaultExtension = "*.prj";
    const auto path = m_app.host().dialogs.openFile(request);
    if (path)
        Openpro(*path);
}

bool ProjectCommands::Openpro(const std::string& path)
{
    ControlSet& c = m_app.controls();
    c["PEditPan"].setVisible(true);
    const bool loaded = m_app.project().load(path, ProjectFile::Copies::LeftForBuild);
    // "Edit" is off only while no project is loaded; a load names one even when it fails.
    c["ProjEdit"].setEnabled(m_app.projectLoaded());
    if (!loaded)
        return false;
    rememberProject(path);
    // A compile directory that cannot be entered leaves the current directory where it was.
    m_app.host().files.setCurrentDirectory(m_app.compileDir());
    m_app.buildFiles().GenerateBuildFiles(true);
    return true;
}

bool ProjectCommands::writeProject(const std::string& path)
{
    if (m_app.project().write(path))
        return true;
    m_app.message(cannotCreateMessage(path), MsgButtons::Ok, MsgIcon::Error);
    return false;
}

void ProjectCommands::SaveProjectClick()
{
    m_app.project().ComposeProject();
    if (!m_app.projectLoaded()) {
        m_app.message(NoProjectText);
        return;
    }
    m_app.SaveEdtorFiles();
    writeProject(m_app.settings().project);
}

void ProjectCommands::SaveProjectAs1Click()
{
    FileDialogRequest request;
    request.title = "Save As";
    request.fileName = m_app.settings().project;
    request.initialFolder = m_app.settings().project;
    request.filters = parseFilterList("*.prj");
    request.defaultExtension = "*.prj";
    auto path = m_app.host().dialogs.saveFile(request);
    if (!path)
        return;
    // As a default extension does: without it "Open Project" could not list the file.
    if (winpath::extension(*path).empty())
        *path += ".prj";
    m_app.project().ComposeProject();
    writeProject(*path);
}

void ProjectCommands::pointEditPanel()
{
    SourceBrowser& browser = m_app.projectEdit().browser();
    const std::vector<std::string>& sources = m_app.controls()["ProjectListBox"].entries();
    if (sources.empty() || !browser.setDirectory(winpath::dirOnly(sources.front())))
        browser.setDirectory(m_app.settings().directory);
}

void ProjectCommands::ProjEditClick()
{
    if (m_app.projectLoaded()) {
        m_app.controls()["PEditPan"].setVisible(true);
        pointEditPanel();
        m_app.project().ClearCompileCopies();
        return;
    }
    switch (m_app.message(EditWithoutProjectText, MsgButtons::YesOkCancel, MsgIcon::Information)) {
    case MsgAnswer::Ok:
        OpenProjectClick();
        break;
    case MsgAnswer::Yes:
        NewProjectClick();
        break;
    default:
        break;
    }
}

void ProjectCommands::rememberProject(const std::string& path)
{
    RecentProjects& recent = m_app.settings().recentProjects;
    recent.add(path);
    recent.showIn(m_app.controls()[RecentProjects::MenuItem]);
}

void ProjectCommands::RecentProjectClick(int index)
{
    RecentProjects& recent = m_app.settings().recentProjects;
    if (index < 0 || index >= static_cast<int>(recent.paths().size()))
        return;
    const std::string path = recent.paths()[static_cast<std::size_t>(index)];
    if (m_app.host().files.fileExists(path)) {
        Openpro(path);
        return;
    }
    if (m_app.message(missingRecentText(path), MsgButtons::YesNo, MsgIcon::Question) != MsgAnswer::Yes)
        return;
    recent.remove(path);
    recent.showIn(m_app.controls()[RecentProjects::MenuItem]);
}
