#include "project/view/recent_projects_menu.h"

#include <QAction>
#include <QMenu>
#include <QPointer>

#include "app/tembedded.h"
#include "app/view/control_binder.h"
#include "app/view/main_window.h"
#include "platform/qt/qt_text.h"
#include "project/recent_projects.h"

void installRecentProjectsMenu(TEmbedded& app, MainWindow& window)
{
    QMenu* project = window.findChild<QMenu*>("Project1");
    QAction* item = window.findChild<QAction*>(RecentProjects::MenuItem);
    if (!project || !item)
        return;
    auto* submenu = new QMenu(project);
    submenu->setObjectName("RecentProjectsMenu");
    item->setMenu(submenu);
    project->insertSeparator(item);

    Control& control = app.controls()[RecentProjects::MenuItem];
    auto* binder = new ControlBinder(app.controls(), submenu);
    QPointer<QMenu> menu(submenu);
    binder->watch(control, [menu, &control] {
        if (!menu)
            return;
        menu->clear();
        const std::vector<std::string>& captions = control.entries();
        for (std::size_t i = 0; i < captions.size(); ++i) {
            QAction* a = menu->addAction(toQ(captions[i]));
            a->setObjectName(QStringLiteral("RecentProject%1").arg(i));
            const int tag = static_cast<int>(i);
            QObject::connect(a, &QAction::triggered, menu, [&control, tag] {
                Sender s;
                s.kind = SenderKind::MenuItem;
                s.tag = tag;
                control.activate(s);
            });
        }
    });
}
