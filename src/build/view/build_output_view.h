#pragma once
// The "Build Output" panel: a dock at the bottom of the main window with the build's heading,
// its end, its notes and its lines. It shows the core's state and hands clicks, Enter and
// F4 / Shift+F4 back to it.
#include <QDockWidget>
#include <memory>

#include "build/followed_run.h"

class BuildFollower;
class BuildOutput;
class BuildOutputModel;
class ControlBinder;
class QLabel;
class QListView;
class QMainWindow;
class QStackedWidget;
class QTabBar;
class QtShell;
class TEmbedded;
class ToolRunPage;

class BuildOutputView : public QDockWidget {
public:
    // The follower is the panel's; it stops with the panel.
    BuildOutputView(TEmbedded& app, std::unique_ptr<BuildFollower> follower, QWidget* parent = nullptr);
    ~BuildOutputView() override;

    QListView* list() const { return m_list; }
    BuildOutputModel* model() const { return m_model; }
    // The tabs of the runs besides the build's, and the page of each tool's run.
    QTabBar* runTabs() const { return m_tabs; }
    ToolRunPage* toolPage(RunKind kind) const;

protected:
    void closeEvent(QCloseEvent* e) override;
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void changed(int change);
    void refreshTexts();
    void showCurrent();
    void showRuns();

    TEmbedded& m_app;
    BuildOutput& m_output;
    std::unique_ptr<BuildFollower> m_follower;
    ControlBinder* m_binder;
    BuildOutputModel* m_model;
    QLabel* m_heading;
    QLabel* m_summary;
    QLabel* m_notes;
    QLabel* m_message;
    QListView* m_list;
    QTabBar* m_tabs;
    QStackedWidget* m_pages;
    int m_subscription = 0;
    int m_runsSubscription = 0;
    bool m_sized = false;
};

// Puts the panel at the bottom of the window, following builds started through the shell.
BuildOutputView* installBuildOutputView(TEmbedded& app, QMainWindow& window, QtShell* shell);
// The same, with the panel itself built when it is first shown.
void installBuildOutputViewOnFirstUse(TEmbedded& app, QMainWindow& window, QtShell* shell);
