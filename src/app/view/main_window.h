#pragma once
// The main window: menus, tool bar and status bar from the core's command table, the hidden
// page sets over the client area, and the window's part in start-up and shutdown.
#include <QMainWindow>
#include <map>

class ControlBinder;
class QLabel;
class QMdiArea;
class TEmbedded;

class MainWindow : public QMainWindow {
public:
    explicit MainWindow(TEmbedded& app, QWidget* parent = nullptr);
    ~MainWindow() override;

    QMdiArea* mdiArea() const { return m_mdi; }
    QWidget* pageWidget(const std::string& name) const;
    QLabel* statusPanel(int index) const { return m_panels[index]; }
    QLabel* statusSimpleText() const { return m_simple; }
    // The close already ran the shutdown (or is running it).
    bool closed() const { return m_closed; }

protected:
    bool event(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void buildMenus();
    void buildToolBar();
    void buildStatusBar();
    void buildClientArea();
    void refreshStatusBar();

    TEmbedded& m_app;
    ControlBinder* m_binder;
    QMdiArea* m_mdi = nullptr;
    QLabel* m_panels[7] = {};
    QLabel* m_simple = nullptr;
    std::map<std::string, QWidget*> m_pages;
    bool m_closed = false;
};
