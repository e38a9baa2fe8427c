#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

#include "app/view/main_window.h"
#include "support/app_fixture.h"
#include "tools/view/tools_views.h"

namespace {

// The program builds each page over the client area when it is first shown: until then there is
// none, and once opened it is the page it would have been if built with the window.
TEST(PagesOnFirstUse, APageOpenedForTheFirstTimeShowsTheStoredValuesTakesTheFocusAndClosesOnEscape)
{
    AppFixture f;
    f.prepareInstalledMachine();
    TEmbedded& app = f.start();
    MainWindow window(app, nullptr, MainWindow::PageSets::OnFirstUse);
    installToolsViews(app, window);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    for (const char* page : {"OptionsTabs", "LinkerTabs", "ToolsPan", "PEditPan", "OptionPanel"})
        EXPECT_FALSE(window.pageBuilt(page)) << page;
    app.controls()["LinkerCmdfile"].setText("stored.xcl");

    struct Case {
        const char* command;
        const char* pageSet;
        const char* first;  // the control that gets the focus
    };
    const Case cases[] = {
        {"CompilerOptions", "OptionsTabs", "Strict"},
        {"LinkerOptions1", "LinkerTabs", "Linkop"},
        {"TarnelOptions", "ToolsPan", "ShowProgress"},  // the Tools page's own view
    };
    for (const Case& c : cases) {
        window.findChild<QAction*>(c.command)->trigger();
        ASSERT_TRUE(window.pageBuilt(c.pageSet)) << c.command;
        EXPECT_TRUE(window.pageWidget(c.pageSet)->isVisible()) << c.command;
        QWidget* focus = QApplication::focusWidget();
        ASSERT_NE(focus, nullptr) << c.command;
        EXPECT_EQ(focus->objectName().toStdString(), c.first) << c.command;
        QTest::keyClick(focus, Qt::Key_Escape);
        EXPECT_FALSE(window.pageWidget(c.pageSet)->isVisible()) << c.command;
    }
    auto* field = window.pageWidget("LinkerTabs")->findChild<QLineEdit*>("LinkerCmdfile");
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(field->text().toStdString(), app.controls()["LinkerCmdfile"].text());
    EXPECT_FALSE(field->text().isEmpty());
    EXPECT_FALSE(window.pageBuilt("PEditPan"));
}

}  // namespace
