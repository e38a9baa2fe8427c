#include <QAction>
#include <QMenu>
#include <gtest/gtest.h>

#include "app/view/main_window.h"
#include "project/project_commands.h"
#include "project/recent_projects.h"
#include "support/app_fixture.h"

namespace {

QStringList texts(const QMenu* menu)
{
    QStringList out;
    for (const QAction* a : menu->actions())
        out << a->text();
    return out;
}

TEST(RecentProjectsMenu, MirrorsTheListAndAChosenEntryReachesTheCore)
{
    AppFixture f;
    TEmbedded& app = (f.prepareInstalledMachine(), f.make());
    MainWindow window(app);
    QAction* item = window.findChild<QAction*>(RecentProjects::MenuItem);
    ASSERT_NE(item, nullptr);
    QMenu* submenu = item->menu();
    ASSERT_NE(submenu, nullptr);
    EXPECT_FALSE(item->isEnabled());
    EXPECT_TRUE(submenu->actions().isEmpty());

    app.projectCommands().rememberProject("C:\\R&D\\b.prj");
    app.projectCommands().rememberProject("C:\\a.prj");
    EXPECT_TRUE(item->isEnabled());
    EXPECT_EQ(texts(submenu), (QStringList{"&1 C:\\a.prj", "&2 C:\\R&&D\\b.prj"}));

    // Neither file exists: the second entry's question names its project; Yes takes it away.
    f.fake.dialogs.answers = {MsgAnswer::Yes};
    submenu->actions().at(1)->trigger();
    ASSERT_EQ(f.fake.dialogs.calls.size(), 1u);
    EXPECT_NE(f.fake.dialogs.calls[0].text.find("C:\\R&D\\b.prj"), std::string::npos);
    EXPECT_EQ(texts(submenu), (QStringList{"&1 C:\\a.prj"}));
}

}  // namespace
