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

class BuildFiles;
class BuildRun;
class CompilerOptions;
class DirSetup;
class LinkerOptions;
class ProgramOptions;
class ProjectFile;
class StartUp;

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
    CompilerOptions& compiler() { return *m_compiler; }
    LinkerOptions& linker() { return *m_linker; }
    BuildFiles& buildFiles() { return *m_buildFiles; }
    BuildRun& buildRun() { return *m_buildRun; }
    ProgramOptions& programOptions() { return *m_programOptions; }
    StartUp& startUp() { return *m_startUp; }

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
    void requestHelp(int topic);

    void UpdateStatusBar(int mode);
    // View-menu status bar items: mode by tag, with the chosen item's check mark.
    void StatusBarModeClick(const Sender& sender);

    // Life cycle: first activation arms the start-up timer; close runs the shutdown.
    void FormActivate();
    void FormClose();
    // The shutdown has begun; a start-up still under way stops at its next step.
    bool closing() const { return m_closing; }

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
    std::function<void(int)> onHelp;
    std::function<void()> onCloseRequest;

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

    std::unique_ptr<ProgramOptions> m_programOptions;
    std::unique_ptr<CompilerOptions> m_compiler;
    std::unique_ptr<LinkerOptions> m_linker;
    std::unique_ptr<ProjectFile> m_project;
    std::unique_ptr<BuildFiles> m_buildFiles;
    std::unique_ptr<BuildRun> m_buildRun;
    std::unique_ptr<StartUp> m_startUp;
};
