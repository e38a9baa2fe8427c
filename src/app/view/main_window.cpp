#include "app/view/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QStatusBar>
#include <QToolBar>
#include <utility>

#include "app/tembedded.h"
#include "app/view/control_binder.h"
#include "app/view/page_set_view.h"
#include "app/view/tool_icons.h"
#include "editor/view/editor_area_view.h"
#include "platform/qt/qt_text.h"
#include "project/view/project_edit_view.h"
#include "project/view/project_list_panel.h"
#include "project/view/recent_projects_menu.h"

namespace {

// A panel shows a few hundred characters at most: a huge text (a 10 MB file name) is cut
// before Qt lays it out.
QString panelText(const std::string& text)
{
    constexpr std::size_t Shown = 1000;
    if (text.size() <= Shown)
        return toQ(text);
    return toQ(text.substr(0, Shown)) + QChar(0x2026);
}

}  // namespace

MainWindow::MainWindow(TEmbedded& app, QWidget* parent, PageSets pageSets)
    : QMainWindow(parent), m_app(app), m_binder(new ControlBinder(app.controls(), this))
{
    setObjectName("TEmbedded");
    setWindowTitle(toQ(app.caption()));
    // One icon for every window of the program, drawn once: a window's own icon would be drawn
    // at every size a second time, after the application's had been read for it.
    if (QApplication::windowIcon().isNull())
        QApplication::setWindowIcon(toolicons::application());
    resize(964, 576);
    buildMenus();
    buildToolBar();
    buildClientArea(pageSets);
    buildStatusBar();
    installEditorViews(app, *this, *m_mdi);
    installRecentProjectsMenu(app, *this);

    QPointer<MainWindow> self(this);
    app.onCaptionChanged = [self] {
        if (self)
            self->setWindowTitle(toQ(self->m_app.caption()));
    };
    app.onMaximize = [self] {
        if (self)
            self->setWindowState(self->windowState() | Qt::WindowMaximized);
    };
    app.onCloseRequest = [self] {
        if (self)
            self->close();
    };
}

MainWindow::~MainWindow()
{
    m_app.onCaptionChanged = nullptr;
    m_app.onMaximize = nullptr;
    m_app.onCloseRequest = nullptr;
}

void MainWindow::buildMenus()
{
    ControlSet& controls = m_app.controls();
    QMenu* current = nullptr;
    for (Control* c : controls.all()) {
        if (c->kind() == ControlKind::Menu) {
            QAction* menuAction = nullptr;
            if (c->name() == "EditBatch") {
                // A menu-bar entry that is itself the command.
                menuAction = menuBar()->addAction(toQ(c->markupCaption()));
                connect(menuAction, &QAction::triggered, this, [c] { c->activate(); });
                current = nullptr;
            } else {
                current = menuBar()->addMenu(toQ(c->markupCaption()));
                current->setObjectName(toQ(c->name()));
                menuAction = current->menuAction();
            }
            menuAction->setObjectName(toQ(c->name()));
            QPointer<QAction> a(menuAction);
            m_binder->watch(*c, [a, c] {
                if (!a)
                    return;
                a->setVisible(c->visible());
                a->setEnabled(c->enabled());
                a->setText(toQ(c->markupCaption()));
            });
            continue;
        }
        if (c->kind() != ControlKind::MenuItem || !current || c->parent.empty() || c->parent == "StatusBarMenu")
            continue;
        QAction* action = current->addAction(toQ(c->markupCaption()));
        action->setObjectName(toQ(c->name()));
        if (!c->shortcut.empty())
            action->setShortcut(QKeySequence(toQ(c->shortcut), QKeySequence::PortableText));
        if (c->isDefault) {
            QFont f = action->font();
            f.setBold(true);
            action->setFont(f);
        }
        m_binder->bindAction(*action, *c);
    }
}

void MainWindow::buildToolBar()
{
    QToolBar* bar = addToolBar("ToolBar");
    bar->setObjectName("ToolBar");
    bar->setMovable(false);
    for (Control* c : m_app.controls().all()) {
        if (c->parent != "ToolBar")
            continue;
        if (c->kind() == ControlKind::Separator) {
            bar->addSeparator();
            continue;
        }
        QAction* action =
            bar->addAction(toolicons::forButton(c->name()), c->hint.empty() ? QString("Exit") : toQ(c->hint));
        action->setObjectName(toQ(c->name()));
        action->setToolTip(toQ(c->hint));
        QPointer<QAction> a(action);
        m_binder->watch(*c, [a, c] {
            if (a) {
                a->setEnabled(c->enabled());
                a->setVisible(c->visible());
            }
        });
        connect(action, &QAction::triggered, this, [c] { c->activate(); });
    }
}

void MainWindow::buildClientArea(PageSets pages)
{
    auto* client = new QWidget(this);
    auto* grid = new QGridLayout(client);
    grid->setContentsMargins(0, 0, 0, 0);
    m_mdi = new QMdiArea(client);
    grid->addWidget(m_mdi, 0, 0);
    setCentralWidget(client);

    ControlSet& controls = m_app.controls();
    addPage(controls["PEditPan"], [this, client, grid]() -> QWidget* {
        auto* view = new ProjectEditView(m_app, *m_binder, client);
        grid->addWidget(view, 0, 0);
        return view;
    }, pages);
    addPage(controls["OptionPanel"], [this, client, grid]() -> QWidget* {
        auto* view = new ProjectListPanel(m_app, *m_binder, client);
        grid->addWidget(view, 0, 1);
        return view;
    }, pages);
    // Page sets lie over the client area, in the same cell as the editor windows, under the
    // project edit panel.
    for (Control* c : controls.all()) {
        if (c->kind() != ControlKind::PageSet)
            continue;
        auto build = [this, client, grid, c]() -> QWidget* {
            auto* view = new PageSetView(m_app.controls(), *c, *m_binder, client);
            grid->addWidget(view, 0, 0);
            if (pageBuilt("PEditPan"))
                view->stackUnder(m_pages.at("PEditPan"));
            return view;
        };
        // What waits for the set (a page of its own) is put in before the set is first shown.
        auto follow = [this, c](QWidget* view) { static_cast<PageSetView*>(view)->follow(*c, *m_binder); };
        addPage(*c, std::move(build), pages, std::move(follow));
    }
}

void MainWindow::addPage(Control& control, std::function<QWidget*()> build, PageSets when,
                         std::function<void(QWidget*)> follow)
{
    m_unbuiltPages[control.name()] = {std::move(build), std::move(follow)};
    if (when == PageSets::Now) {
        buildPage(control.name());
        return;
    }
    m_binder->watch(control, [this, &control] {
        if (control.visible())
            buildPage(control.name());
    });
}

// The page's own view takes its state from the core as it is built, its visibility included.
QWidget* MainWindow::buildPage(const std::string& name)
{
    auto it = m_unbuiltPages.find(name);
    if (it == m_unbuiltPages.end()) {
        auto built = m_pages.find(name);
        return built == m_pages.end() ? nullptr : built->second;
    }
    const UnbuiltPage unbuilt = std::move(it->second);
    m_unbuiltPages.erase(it);
    QWidget* page = unbuilt.build();
    m_pages[name] = page;
    auto waiting = m_whenPageBuilt.find(name);
    if (waiting != m_whenPageBuilt.end()) {
        const auto fns = std::move(waiting->second);
        m_whenPageBuilt.erase(waiting);
        for (const auto& fn : fns)
            fn(page);
    }
    if (unbuilt.follow)
        unbuilt.follow(page);
    return page;
}

void MainWindow::whenPageBuilt(const std::string& name, std::function<void(QWidget*)> fn)
{
    auto built = m_pages.find(name);
    if (built != m_pages.end())
        fn(built->second);
    else
        m_whenPageBuilt[name].push_back(std::move(fn));
}

void MainWindow::buildStatusBar()
{
    QStatusBar* bar = statusBar();
    bar->setObjectName("StatusBar");
    for (int i = 0; i < StatusBar::PanelCount; ++i) {
        const StatusPanel& p = m_app.statusBar().panel(i);
        m_panels[i] = new QLabel(bar);
        m_panels[i]->setObjectName(QString("Panel%1").arg(i));
        m_panels[i]->setMinimumWidth(p.width);
        m_panels[i]->setFrameShape(QFrame::Panel);
        m_panels[i]->setFrameShadow(QFrame::Sunken);
        if (p.centred)
            m_panels[i]->setAlignment(Qt::AlignCenter);
        bar->addWidget(m_panels[i], i == StatusBar::PanelCount - 1 ? 1 : 0);
    }
    m_simple = new QLabel(bar);
    m_simple->setObjectName("SimpleText");
    bar->addWidget(m_simple, 1);

    bar->setContextMenuPolicy(Qt::CustomContextMenu);
    auto* menu = new QMenu(this);
    menu->setObjectName("StatusBarMenu");
    Control& help = m_app.controls()["StatusbarHelp"];
    QAction* helpAction = menu->addAction(toQ(help.markupCaption()));
    helpAction->setObjectName("StatusbarHelp");
    connect(helpAction, &QAction::triggered, this, [&help] { help.activate(); });
    connect(bar, &QWidget::customContextMenuRequested, this,
            [bar, menu](const QPoint& pos) { menu->popup(bar->mapToGlobal(pos)); });

    m_app.statusBar().onChange([self = QPointer<MainWindow>(this)] {
        if (self)
            self->refreshStatusBar();
    });
    refreshStatusBar();
}

void MainWindow::refreshStatusBar()
{
    const StatusBar& model = m_app.statusBar();
    for (int i = 0; i < StatusBar::PanelCount; ++i) {
        m_panels[i]->setText(panelText(model.panel(i).text));
        m_panels[i]->setVisible(!model.simple());
    }
    m_simple->setText(panelText(model.simpleText()));
    m_simple->setVisible(model.simple());
}

QWidget* MainWindow::pageWidget(const std::string& name)
{
    return buildPage(name);
}

bool MainWindow::event(QEvent* e)
{
    if (e->type() == QEvent::WindowActivate)
        m_app.FormActivate();
    return QMainWindow::event(e);
}

void MainWindow::closeEvent(QCloseEvent* e)
{
    // The close is never refused; the shutdown runs once.
    if (!m_closed) {
        m_closed = true;
        m_app.FormClose();
    }
    e->accept();
}
