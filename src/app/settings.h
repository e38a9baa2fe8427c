#pragma once
// Per-user settings: the process-wide values, read once at start-up and written at shutdown,
// after the setup dialog and after a new project name. Flags live in their check boxes.
#include <optional>
#include <string>
#include <vector>

#include "project/recent_projects.h"
#include "tools/tool_lists.h"

class ControlSet;
class SettingsStore;

class Settings {
public:
    static constexpr const char* NoProject = "NO PROJECT LOADED";

    std::string directory = "C:\\";
    std::string compSource = "C:\\Tarnel\\Source";
    // The current project path: the project that is open, the one that failed to load, or the
    // no-project text. Every command, build and save works on this path.
    std::string project;
    // A project path accepted in the setup dialog. It is stored as "Project" for the next start
    // and never written into before then: the open project stays the one saved and built.
    std::optional<std::string> nextStartProject;
    std::string pelorusDir;
    std::string necDir = "C:\\Nec";
    std::string saveDir = "A:";
    std::string externalEd = "c:\\program files\\accessories\\wordpad.exe";
    std::string programmingTool;
    std::string cFile;
    int ptCount = 0;
    int utCount = 0;

    // Copies of check-box states that other subsystems consult.
    bool editorSwitch = true;
    bool targetSwitch = true;

    ToolLists tools;
    RecentProjects recentProjects;

    bool projectLoaded() const { return project != NoProject; }
    // The project that becomes current; an earlier choice for the next start gives way to it.
    void setProject(const std::string& path);
    // What "Project" holds when the settings are written.
    std::string storedProject() const { return nextStartProject.value_or(project); }

    // Reads every value (defaults for missing or malformed ones), the tool lists (shown in
    // their controls), then the derived steps.
    void read(const SettingsStore& store, ControlSet& controls);
    // Writes every value in the fixed order; false when the store could not be written.
    bool write(SettingsStore& store, const ControlSet& controls) const;
};
