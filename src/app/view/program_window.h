#pragma once
// The program's objects in the order they need each other: the host, the core main window, and
// the main window with every view installed. The program and its start-up benchmark build it alike.
#include <memory>

class MainWindow;
class QtHost;
class QtRecoveryFolder;
class TEmbedded;

class ProgramWindow {
public:
    ProgramWindow();
    ~ProgramWindow();
    ProgramWindow(const ProgramWindow&) = delete;
    ProgramWindow& operator=(const ProgramWindow&) = delete;

    QtHost& platform() { return *m_platform; }
    TEmbedded& app() { return *m_app; }
    MainWindow& window() { return *m_window; }

private:
    std::unique_ptr<QtHost> m_platform;
    std::unique_ptr<QtRecoveryFolder> m_recovery;
    std::unique_ptr<TEmbedded> m_app;
    std::unique_ptr<MainWindow> m_window;
};
