#include "editor/view/editor_area_view.h"

#include <QAction>
#include <QStyle>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <algorithm>

#include "app/tembedded.h"
#include "components/view/standard_icons.h"
#include "editor/editor_windows.h"
#include "editor/tcode_ed.h"
#include "editor/view/code_editor_widget.h"
#include "editor/view/code_editor_window.h"
#include "editor/view/editor_disk_watch.h"
#include "editor/view/window_layout.h"
#include "platform/qt/qt_text.h"

EditorAreaView::EditorAreaView(TEmbedded& app, QMainWindow& window, QMdiArea& area)
    : QObject(&window), m_app(app), m_window(window), m_area(area)
{
    setObjectName("EditorAreaView");
    for (QAction* a : window.menuBar()->actions()) {
        m_mainMenus[fromQ(a->objectName())] = a;
        // A main menu out of the bar while an editor is active keeps its items' keys.
        if (QMenu* m = a->menu())
            window.addActions(m->actions());
    }
    m_windowMenu = window.findChild<QMenu*>("Window1");
    if (m_windowMenu)
        connect(m_windowMenu, &QMenu::aboutToShow, this, [this] { rebuildWindowList(); });
    connect(&area, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* sub) {
        // The area reports no window while the main window itself is inactive; the active
        // editor stays until another is activated or it closes.
        if (TCodeEd* ed = coreOf(sub))
            m_app.editors().setActive(ed);
    });
    m_subscription = app.editors().subscribe([this](EditorEvent e, TCodeEd* ed) { changed(e, ed); });
    new EditorDiskWatch(app, this);
}

EditorAreaView::~EditorAreaView()
{
    m_app.editors().unsubscribe(m_subscription);
    for (auto& [ed, sub] : m_subs)
        if (auto* w = sub ? dynamic_cast<CodeEditorWindow*>(sub->widget()) : nullptr)
            w->detach();
}

CodeEditorWindow* EditorAreaView::windowOf(const TCodeEd* ed) const
{
    QMdiSubWindow* sub = subWindowOf(ed);
    return sub ? dynamic_cast<CodeEditorWindow*>(sub->widget()) : nullptr;
}

QMdiSubWindow* EditorAreaView::subWindowOf(const TCodeEd* ed) const
{
    auto it = m_subs.find(ed);
    return it == m_subs.end() ? nullptr : it->second.data();
}

TCodeEd* EditorAreaView::coreOf(QMdiSubWindow* sub) const
{
    for (const auto& [ed, s] : m_subs)
        if (s && s == sub)
            return const_cast<TCodeEd*>(ed);
    return nullptr;
}

void EditorAreaView::changed(EditorEvent event, TCodeEd* ed)
{
    switch (event) {
    case EditorEvent::Created:
        created(*ed);
        break;
    case EditorEvent::Destroyed:
        destroyed(*ed);
        break;
    case EditorEvent::ActiveChanged:
        mirrorMenuBar();
        break;
    case EditorEvent::Activate:
        if (QMdiSubWindow* sub = subWindowOf(ed))
            m_area.setActiveSubWindow(sub);
        break;
    case EditorEvent::CaptionChanged:
    case EditorEvent::Loaded:
    case EditorEvent::MarksMoved:
        break;
    case EditorEvent::Cascade:
        cascade();
        break;
    case EditorEvent::Tile:
        tile();
        break;
    case EditorEvent::Arrange:
        arrange();
        break;
    }
}

void EditorAreaView::created(TCodeEd& ed)
{
    auto* window = new CodeEditorWindow(m_app, ed);
    QMdiSubWindow* sub = m_area.addSubWindow(window);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowIcon(standardicons::icon(QStyle::SP_FileIcon));
    m_subs[&ed] = sub;
    // On a small screen (or under the Build Output panel) the window's own status bar must stay in
    // sight, so the size shrinks to the visible area where the usual one does not fit.
    sub->setGeometry(windowlayout::newWindow(m_area.viewport()->size(), QSize(TCodeEd::Width, TCodeEd::Height)));
    sub->show();
    m_area.setActiveSubWindow(sub);
    window->editor()->setFocus();
}

void EditorAreaView::destroyed(TCodeEd& ed)
{
    QMdiSubWindow* sub = subWindowOf(&ed);
    if (!sub)
        return;
    m_subs.erase(&ed);
    if (auto* w = dynamic_cast<CodeEditorWindow*>(sub->widget()))
        w->detach();
    const bool wasActive = m_area.activeSubWindow() == sub;
    sub->hide();
    sub->deleteLater();
    if (wasActive) {
        // The next window in the area's own order comes to the front, as it would on a close.
        const auto list = m_area.subWindowList(QMdiArea::ActivationHistoryOrder);
        for (auto it = list.rbegin(); it != list.rend(); ++it) {
            if (*it != sub && coreOf(*it)) {
                m_area.setActiveSubWindow(*it);
                break;
            }
        }
    }
}

void EditorAreaView::mirrorMenuBar()
{
    QMenuBar* bar = m_window.menuBar();
    const TCodeEd* active = m_app.editors().active();
    CodeEditorWindow* window = windowOf(active);
    std::vector<QAction*> wanted;
    for (const MenuSlot& slot : m_app.editors().mergedMenus()) {
        QAction* a = nullptr;
        if (!slot.fromChild) {
            auto it = m_mainMenus.find(slot.name);
            a = it == m_mainMenus.end() ? nullptr : it->second;
        } else if (window) {
            if (QMenu* m = window->menu(slot.name))
                a = m->menuAction();
        }
        if (a)
            wanted.push_back(a);
    }
    const QList<QAction*> current = bar->actions();
    if (std::equal(current.begin(), current.end(), wanted.begin(), wanted.end()))
        return;
    for (QAction* a : current)
        bar->removeAction(a);
    for (QAction* a : wanted)
        bar->addAction(a);
}

void EditorAreaView::rebuildWindowList()
{
    if (!m_windowMenu)
        return;
    for (QAction* a : m_listActions) {
        m_windowMenu->removeAction(a);
        a->deleteLater();
    }
    m_listActions.clear();
    const auto& windows = m_app.editors().windows();
    if (windows.empty())
        return;
    m_listActions.push_back(m_windowMenu->addSeparator());
    const std::vector<std::string> entries = m_app.editors().windowList();
    for (std::size_t i = 0; i < windows.size(); ++i) {
        TCodeEd* ed = windows[i];
        QAction* a = m_windowMenu->addAction(toQ(entries[i]));
        a->setObjectName(QString("WindowListEntry%1").arg(i + 1));
        a->setCheckable(true);
        a->setChecked(ed == m_app.editors().active());
        connect(a, &QAction::triggered, this, [this, ed] {
            if (m_app.editors().contains(ed))
                m_app.editors().activate(*ed);
        });
        m_listActions.push_back(a);
    }
}

std::vector<QMdiSubWindow*> EditorAreaView::arrangeable()
{
    std::vector<QMdiSubWindow*> out;
    for (QMdiSubWindow* sub : m_area.subWindowList(QMdiArea::CreationOrder)) {
        if (sub->isHidden() || !coreOf(sub))
            continue;
        if (sub->isMaximized())
            sub->showNormal();
        if (!sub->isMinimized())
            out.push_back(sub);
    }
    return out;
}

void EditorAreaView::cascade()
{
    const std::vector<QMdiSubWindow*> subs = arrangeable();
    const int step = m_area.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &m_area) + 4;
    const auto places = windowlayout::cascade(m_area.viewport()->size(), int(subs.size()),
                                              QSize(TCodeEd::Width, TCodeEd::Height), step);
    for (std::size_t i = 0; i < subs.size(); ++i) {
        subs[i]->setGeometry(places[i]);
        subs[i]->raise();
    }
    if (QMdiSubWindow* active = m_area.activeSubWindow())
        active->raise();
}

void EditorAreaView::tile()
{
    const std::vector<QMdiSubWindow*> subs = arrangeable();
    const auto places = windowlayout::tile(m_area.viewport()->size(), int(subs.size()));
    for (std::size_t i = 0; i < subs.size(); ++i)
        subs[i]->setGeometry(places[i]);
}

void EditorAreaView::arrange()
{
    // Minimized windows in a row along the bottom of the area, wrapping upwards.
    const QRect area = m_area.viewport()->rect();
    int x = 0;
    int rowTop = -1;
    for (QMdiSubWindow* sub : m_area.subWindowList(QMdiArea::CreationOrder)) {
        if (sub->isHidden() || !sub->isMinimized() || !coreOf(sub))
            continue;
        const QSize s = sub->size();
        if (rowTop < 0) {
            rowTop = area.height() - s.height();
        } else if (x > 0 && x + s.width() > area.width()) {
            x = 0;
            rowTop -= s.height();
        }
        sub->move(x, rowTop);
        x += s.width();
    }
}

void installEditorViews(TEmbedded& app, QMainWindow& window, QMdiArea& area)
{
    new EditorAreaView(app, window, area);
}
