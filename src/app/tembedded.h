#pragma once
// The main window as core state: owns the controls, the settings, the status bar, the
// project line list and every subsystem, and exposes the handlers by their names. Each
// subsystem's logic lives in its own class; this class only owns and forwards.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/control_set.h"
#include "app/settings.h"
#include "app/status_bar.h"
#include "platform/host/host.h"

class AssemblerRun;
class BuildChanged;
class BuildFiles;
class BuildOutput;
class BuildRun;
class CommandFileWizard;
class CompileCommandsExport;
class CompilerOptions;
class DirSetup;
class EditorWindows;
class ErrorCheck;
class FileRoutes;
class OpenDialog;
class HelpHandlers;
class LinkerOptions;
class OutputSave;
class NewCommandFile;
class ProgramOptions;
class ProjectCommands;
class ProjectEditPanel;
class ProjectFile;
class ProjectListView;
class RecoveryStore;
class StartUp;
class ToolConfig;
class ToolRunner;
class ToolRuns;

class TEmbedded {
public:
    explicit TEmbedded(Host& host);
    ~TEmbedded();
    TEmbedded(const TEmbedded&) = delete;
    TEmbedded& operator=(const TEmbedded&) = delete;

    Host& host() { return m_host; }
    ControlSet& controls() { return m_controls; }
    const ControlSet& controls() const { return m_controls; }
    Settings& settings() { return m_settings; }
    StatusBar& statusBar() { return m_statusBar; }
    std::vector<std::string>& prolist() { return m_prolist; }

    ProjectFile& project() { return *m_project; }
    ProjectCommands& projectCommands() { return *m_projectCommands; }
    ProjectEditPanel& projectEdit() { return *m_projectEdit; }
    ProjectListView& projectList() { return *m_projectList; }
    CompilerOptions& compiler() { return *m_compiler; }
    LinkerOptions& linker() { return *m_linker; }
    CommandFileWizard& commandFileWizard() { return *m_commandFileWizard; }
    BuildFiles& buildFiles() { return *m_buildFiles; }
    BuildRun& buildRun() { return *m_buildRun; }
    ProgramOptions& programOptions() { return *m_programOptions; }
    StartUp& startUp() { return *m_startUp; }
    EditorWindows& editors() { return *m_editors; }
    RecoveryStore& recovery() { return *m_recovery; }
    OpenDialog& openDialog() { return *m_openDialog; }
    FileRoutes& fileRoutes() { return *m_fileRoutes; }
    ErrorCheck& errorCheck() { return *m_errorCheck; }
    NewCommandFile& newCommandFile() { return *m_newCommandFile; }
    BuildOutput& buildOutput() { return *m_buildOutput; }
    ToolRuns& toolRuns() { return *m_toolRuns; }
    CompileCommandsExport& compileCommandsExport() { return *m_compileCommandsExport; }
    BuildChanged& buildChanged() { return *m_buildChanged; }

    void OpenFileClick(const Sender& sender);
    void NewFile1Click();
    HelpHandlers& help() { return *m_help; }
    AssemblerRun& assembler() { return *m_assembler; }
    ToolConfig& toolConfig() { return *m_toolConfig; }
    ToolRunner& toolRunner() { return *m_toolRunner; }
    OutputSave& outputSave() { return *m_outputSave; }

    // Process-wide values.
    static constexpr const char* ApplicationTitle = "Tarnel";
    std::string helpFile = "C:\\Tarnel\\Tarnel.chm";
    std::string outputCaptureFile;
    std::string compilerProgram;
    std::string linkerProgram;
    std::string buildTargetPath;
    const std::string& caption() const { return m_caption; }
    void setCaption(const std::string& caption);

    // Whether a project is loaded: an exact comparison with the no-project text.
    bool projectLoaded() const { return m_settings.projectLoaded(); }
    std::string compileDir() const { return m_settings.compSource; }

    MsgAnswer message(const std::string& text, MsgButtons buttons = MsgButtons::Ok,
                      MsgIcon icon = MsgIcon::Information);
    // Asks for a help topic; every help button and help item ends here.
    void requestHelp(int topic);

    // "&File" items of the main window and of the code editor windows.
    void SaveObjectFileClick();
    void SelectSaveLocation1Click();

    void UpdateStatusBar(int mode);
    // Every open editor window saves its file, last to first.
    void SaveEdtorFiles();
    // View-menu status bar items: mode by tag, with the chosen item's check mark.
    void StatusBarModeClick(const Sender& sender);

    // Life cycle: first activation arms the start-up timer; close runs the shutdown.
    void FormActivate();
    void FormClose();
    // The shutdown has begun; a start-up still under way stops at its next step. Long work asks
    // this at safe points, so a request to end the session that is pending (a signal) begins
    // the shutdown there rather than after the work.
    bool closing() const
    {
        if (!m_closing && pollShutdown)
            pollShutdown();
        return m_closing;
    }

    // Thrown out of a modal box during which the shutdown ran, when the caller asked for it:
    // whatever the interrupted code would do next would write after the shutdown's saves.
    struct ShutdownBegun {};
    // While one is alive, message() and showSetup() throw ShutdownBegun in that case.
    class InterruptedByShutdown {
    public:
        explicit InterruptedByShutdown(TEmbedded& app) : m_app(app) { ++m_app.m_interruptible; }
        ~InterruptedByShutdown() { --m_app.m_interruptible; }
        InterruptedByShutdown(const InterruptedByShutdown&) = delete;
        InterruptedByShutdown& operator=(const InterruptedByShutdown&) = delete;

    private:
        TEmbedded& m_app;
    };

    // Writes the settings; false (after the message) when the store failed.
    bool writeSettings();
    // Opens the setup dialog through the view; true when the user accepted it.
    bool showSetup();

    // Hooks set by the view layer (none of them decides anything).
    std::function<void()> onMaximize;
    std::function<void()> onCaptionChanged;
    std::function<bool(DirSetup&)> runSetupDialog;
    std::function<void(int)> onHelp;  // sees every requested topic
    std::function<void()> onCloseRequest;
    std::function<void()> pollShutdown;

private:
    void wireCommands();
    void stopIfClosedDuringModal(bool wasClosing) const;

    Host& m_host;
    ControlSet m_controls;
    Settings m_settings;
    StatusBar m_statusBar;
    std::vector<std::string> m_prolist;
    std::string m_caption = ApplicationTitle;
    bool m_closing = false;
    int m_interruptible = 0;

    std::unique_ptr<HelpHandlers> m_help;
    std::unique_ptr<ProgramOptions> m_programOptions;
    std::unique_ptr<CompilerOptions> m_compiler;
    std::unique_ptr<LinkerOptions> m_linker;
    std::unique_ptr<CommandFileWizard> m_commandFileWizard;
    std::unique_ptr<ProjectFile> m_project;
    std::unique_ptr<ProjectEditPanel> m_projectEdit;
    std::unique_ptr<ProjectCommands> m_projectCommands;
    std::unique_ptr<ProjectListView> m_projectList;
    std::unique_ptr<BuildFiles> m_buildFiles;
    std::unique_ptr<BuildRun> m_buildRun;
    std::unique_ptr<StartUp> m_startUp;
    std::unique_ptr<OpenDialog> m_openDialog;
    // Outlives the editor windows, which tell it when they go.
    std::unique_ptr<RecoveryStore> m_recovery;
    std::unique_ptr<EditorWindows> m_editors;
    std::unique_ptr<FileRoutes> m_fileRoutes;
    std::unique_ptr<AssemblerRun> m_assembler;
    std::unique_ptr<ToolConfig> m_toolConfig;
    std::unique_ptr<ToolRunner> m_toolRunner;
    std::unique_ptr<OutputSave> m_outputSave;
    std::unique_ptr<ErrorCheck> m_errorCheck;
    std::unique_ptr<NewCommandFile> m_newCommandFile;
    std::unique_ptr<BuildOutput> m_buildOutput;
    std::unique_ptr<ToolRuns> m_toolRuns;
    std::unique_ptr<CompileCommandsExport> m_compileCommandsExport;
    std::unique_ptr<BuildChanged> m_buildChanged;
};
