#pragma once
// The editor windows in the main window's document area: a child window per core window,
// the menu bar mirrored from the core's merge, the Window menu's list, tile, cascade and
// arrange.
#include <QObject>
#include <QMdiSubWindow>
#include <QPointer>
#include <map>
#include <string>
#include <vector>

class CodeEditorWindow;
class QAction;
class QMainWindow;
class QMdiArea;
class QMenu;
class TCodeEd;
class TEmbedded;
enum class EditorEvent;

class EditorAreaView : public QObject {
public:
    EditorAreaView(TEmbedded& app, QMainWindow& window, QMdiArea& area);
    ~EditorAreaView() override;

    CodeEditorWindow* windowOf(const TCodeEd* ed) const;
    QMdiSubWindow* subWindowOf(const TCodeEd* ed) const;
    // The Window menu's list entries, as shown the next time the menu opens.
    void rebuildWindowList();

private:
    void changed(EditorEvent event, TCodeEd* ed);
    void created(TCodeEd& ed);
    void destroyed(TCodeEd& ed);
    void mirrorMenuBar();
    // Editor windows that Cascade and Tile place, in creation order; maximized ones restored.
    std::vector<QMdiSubWindow*> arrangeable();
    void cascade();
    void tile();
    void arrange();
    TCodeEd* coreOf(QMdiSubWindow* sub) const;

    TEmbedded& m_app;
    QMainWindow& m_window;
    QMdiArea& m_area;
    int m_subscription = 0;
    // The area owns its windows and may take them down before this view goes.
    std::map<const TCodeEd*, QPointer<QMdiSubWindow>> m_subs;
    std::map<std::string, QAction*> m_mainMenus;
    QMenu* m_windowMenu = nullptr;
    std::vector<QAction*> m_listActions;
};

// Called once by the main window after its menus exist.
void installEditorViews(TEmbedded& app, QMainWindow& window, QMdiArea& area);
