#include <QTabWidget>
#include <gtest/gtest.h>

#include "app/view/main_window.h"
#include "support/app_fixture.h"
#include "support/qt_runs.h"
#include "tools/view/tools_views.h"

namespace {

// The program's main window builds its option pages only after its first paint; whatever waits
// for them (the Tools page's own view) is put in then.
TEST(PageSetsLater, BuiltAfterTheFirstPaintWithWhatWaitsForThem)
{
    AppFixture f;
    TEmbedded& app = f.make();
    MainWindow window(app, nullptr, MainWindow::PageSets::AfterFirstPaint);
    installToolsViews(app, window);
    EXPECT_EQ(window.pageWidget("ToolsPan"), nullptr);
    window.show();
    ASSERT_TRUE(waitFor([&] { return window.pageWidget("ToolsPan") != nullptr; }));
    auto* tools = qobject_cast<QTabWidget*>(window.pageWidget("ToolsPan"));
    ASSERT_NE(tools, nullptr);
    EXPECT_NE(tools->findChild<QWidget*>("Tooltab"), nullptr);
    app.controls()["OptionsTabs"].setVisible(true);
    EXPECT_TRUE(window.pageWidget("OptionsTabs")->isVisible());
}

}  // namespace
