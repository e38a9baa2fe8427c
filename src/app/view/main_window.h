#pragma once
// The main window: menus, tool bar and status bar from the core's command table, the hidden
// page sets over the client area, and the window's part in start-up and shutdown.
#include <QMainWindow>
#include <functional>
#include <map>
#include <string>
#include <vector>

class Control;
class ControlBinder;
class QLabel;
class QMdiArea;
class TEmbedded;

class MainWindow : public QMainWindow {
public:
    // The pages over the client area (the option page sets, the project panels) are hidden
    // until asked for: the program builds each when it is first shown or looked up, so that
    // they neither hold up the window's appearance nor take memory before they are used.
    enum class PageSets { Now, OnFirstUse };

    explicit MainWindow(TEmbedded& app, QWidget* parent = nullptr, PageSets pageSets = PageSets::Now);
    ~MainWindow() override;

    QMdiArea* mdiArea() const { return m_mdi; }
    // A page is built here when it has not been yet; null for a name that is no page.
    QWidget* pageWidget(const std::string& name);
    bool pageBuilt(const std::string& name) const { return m_pages.count(name) != 0; }
    // Runs fn once the page exists: at once when it does.
    void whenPageBuilt(const std::string& name, std::function<void(QWidget*)> fn);
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
    void buildClientArea(PageSets pages);
    // The page is built on the control's first showing, or now.
    void addPage(Control& control, std::function<QWidget*()> build, PageSets when,
                 std::function<void(QWidget*)> follow = nullptr);
    QWidget* buildPage(const std::string& name);
    void refreshStatusBar();

    TEmbedded& m_app;
    ControlBinder* m_binder;
    QMdiArea* m_mdi = nullptr;
    QLabel* m_panels[7] = {};
    QLabel* m_simple = nullptr;
    std::map<std::string, QWidget*> m_pages;
    struct UnbuiltPage {
        std::function<QWidget*()> build;
        std::function<void(QWidget*)> follow;  // starts showing the core's state
    };
    std::map<std::string, UnbuiltPage> m_unbuiltPages;
    std::map<std::string, std::vector<std::function<void(QWidget*)>>> m_whenPageBuilt;
    bool m_closed = false;
};
