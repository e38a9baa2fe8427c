#include "tools/view/tools_views.h"

#include <QAction>
#include <QMenu>
#include <QPointer>
#include <QTabWidget>

#include "app/tembedded.h"
#include "app/view/control_binder.h"
#include "app/view/main_window.h"
#include "app/view/page_set_view.h"
#include "platform/qt/qt_text.h"
#include "tools/tool_config.h"
#include "tools/tool_runner.h"
#include "tools/view/name_tool_dialog.h"
#include "tools/view/tools_page_view.h"

namespace
{

void installToolsPage(TEmbedded& app, MainWindow& window)
{
    window.whenPageBuilt("ToolsPan", [&app](QWidget* page) {
        auto* set = dynamic_cast<PageSetView*>(page);
        if (!set)
            return;
        set->replacePage(ToolConfig::Tab, new ToolsPageView(app.controls(), app.toolConfig(), set),
                         &app.controls()["Button40"]);
    });
}

// The user tool items follow "Configure Tools"; the menu's entries are their captions.
void installToolsMenu(TEmbedded& app, MainWindow& window, ControlBinder& binder)
{
    QMenu* menu = window.findChild<QMenu*>("Tools1");
    if (!menu)
        return;
    Control& tools = app.controls()["Tools1"];
    QPointer<QMenu> m(menu);
    auto items = std::make_shared<std::vector<QPointer<QAction>>>();
    auto shown = std::make_shared<std::vector<std::string>>();
    binder.watch(tools, [m, &tools, items, shown] {
        if (!m || *shown == tools.entries())
            return;
        *shown = tools.entries();
        for (const auto& a : *items)
            delete a.data();
        items->clear();
        for (std::size_t i = 0; i < shown->size(); ++i) {
            // A tool's name is shown as it was typed: "&" is no shortcut marker here.
            QAction* a = m->addAction(toQ((*shown)[i]).replace('&', QStringLiteral("&&")));
            a->setObjectName(QStringLiteral("UserTool%1").arg(i));
            const int tag = static_cast<int>(i);
            QObject::connect(a, &QAction::triggered, m, [&tools, tag] {
                Sender s;
                s.kind = SenderKind::MenuItem;
                s.tag = tag;
                tools.activate(s);
            });
            items->push_back(a);
        }
    });
}

} // namespace

void installToolsViews(TEmbedded& app, MainWindow& window)
{
    NameToolDialog::registerView();
    installToolsPage(app, window);
    auto* binder = new ControlBinder(app.controls(), &window);
    installToolsMenu(app, window, *binder);
    if (QMenu* program = window.findChild<QMenu*>("Program1"))
        QObject::connect(program, &QMenu::aboutToShow, &window,
                         [&app] { app.toolRunner().ProgrammingClick(); });
}
