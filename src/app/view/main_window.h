#pragma once
// The main window: menus, tool bar and status bar from the core's command table, the hidden
// page sets over the client area, and the window's part in start-up and shutdown.
#include <QMainWindow>
#include <functional>
#include <map>
#include <vector>

class ControlBinder;
class QGridLayout;
class QLabel;
class QMdiArea;
class TEmbedded;

class MainWindow : public QMainWindow {
public:
    // The option page sets are hidden until asked for: the program builds them just after the
    // window's first paint, so that they do not hold up its appearance.
    enum class PageSets { Now, AfterFirstPaint };

    explicit MainWindow(TEmbedded& app, QWidget* parent = nullptr, PageSets pageSets = PageSets::Now);
    ~MainWindow() override;

    QMdiArea* mdiArea() const { return m_mdi; }
    // A page set is null until the page sets are built.
    QWidget* pageWidget(const std::string& name) const;
    // Runs fn once the page sets exist: at once when they do.
    void whenPageSetsBuilt(std::function<void()> fn);
    QLabel* statusPanel(int index) const { return m_panels[index]; }
    QLabel* statusSimpleText() const { return m_simple; }
    // The close already ran the shutdown (or is running it).
    bool closed() const { return m_closed; }

protected:
    bool event(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void buildMenus();
    void buildToolBar();
    void buildStatusBar();
    void buildClientArea();
    void buildPageSets();
    void refreshStatusBar();

    TEmbedded& m_app;
    ControlBinder* m_binder;
    QMdiArea* m_mdi = nullptr;
    QLabel* m_panels[7] = {};
    QLabel* m_simple = nullptr;
    std::map<std::string, QWidget*> m_pages;
    QGridLayout* m_clientGrid = nullptr;
    bool m_pageSetsBuilt = false;
    std::vector<std::function<void()>> m_afterPageSets;
    bool m_closed = false;
};
