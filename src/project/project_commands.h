#pragma once
// The "Project" menu: new, open, edit, save and save as, with their tool buttons.
#include <string>

class TEmbedded;

class ProjectCommands {
public:
    static constexpr const char* LoadFolder = "d:\\soft";

    explicit ProjectCommands(TEmbedded& app);

    // The name page: the compile directory followed by "*.prj", on the "Project" tab.
    void NewProjectClick();
    // Takes the name on the page as the new project; the page stays open when its folder is missing.
    void NameOKClick();
    void OpenProjectClick();
    // Loads the project file; after a good load the compile directory becomes the current
    // directory and the build files are generated with linking. True when the load succeeded.
    bool Openpro(const std::string& path);
    void SaveProjectClick();
    // Writes the project to another file; the current project stays the one it was.
    void SaveProjectAs1Click();
    void ProjEditClick();
    // "Recent Projects" entry index: opens that project as "&Open Project" does once its dialog
    // is answered; a project file that is gone is offered for removal from the list.
    void RecentProjectClick(int index);
    // A project that was opened goes first in the recent list.
    void rememberProject(const std::string& path);

    // Where the load dialog starts: its own folder, or one that exists when that drive is missing.
    std::string loadDialogFolder() const;

private:
    void wire();
    bool writeProject(const std::string& path);
    void pointEditPanel();

    TEmbedded& m_app;
};
