#include <QAction>
#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

#include "app/view/main_window.h"
#include "support/app_fixture.h"

namespace {

struct PageKeysTest : ::testing::Test {
    AppFixture f;
    TEmbedded& app = (f.prepareInstalledMachine(), f.start());
    MainWindow window{app};

    void SetUp() override
    {
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }
};

TEST_F(PageKeysTest, OpeningAPageSetFocusesItsFirstControlAndEscapeCancelsIt)
{
    struct Case {
        const char* command;
        const char* pageSet;
        const char* first;  // the control that gets the focus
    };
    const Case cases[] = {
        {"CompilerOptions", "OptionsTabs", "Strict"},
        {"CompOptsBtn", "OptionsTabs", "MemoryModel"},  // opens on the "Memory" tab
        {"LinkerOptions1", "LinkerTabs", "Linkop"},
        {"TarnelOptions", "ToolsPan", "ShowProgress"},
    };
    for (const Case& c : cases) {
        window.findChild<QAction*>(c.command)->trigger();
        ASSERT_TRUE(app.controls()[c.pageSet].visible()) << c.command;
        QWidget* focus = QApplication::focusWidget();
        ASSERT_NE(focus, nullptr) << c.command;
        EXPECT_EQ(focus->objectName().toStdString(), c.first) << c.command;

        QTest::keyClick(focus, Qt::Key_Escape);
        EXPECT_FALSE(app.controls()[c.pageSet].visible()) << c.command;
        EXPECT_FALSE(window.pageWidget(c.pageSet)->isVisible()) << c.command;
    }
}

TEST_F(PageKeysTest, EscapeRunsTheCancelHandlerOfThePageInFront)
{
    int cancelled = -1;
    for (int page = 0; page < 6; ++page)
        app.controls()["LinkCancel" + std::to_string(page)].onActivate(
            [&, page](const Sender&) { cancelled = page; });
    window.findChild<QAction*>("LinkerOptions1")->trigger();
    app.controls()["LinkerTabs"].showTab("General");
    QWidget* field = window.pageWidget("LinkerTabs")->findChild<QWidget*>("LinkerCmdfile");
    field->setFocus();
    QTest::keyClick(field, Qt::Key_Escape);
    EXPECT_EQ(cancelled, 3);
}

TEST_F(PageKeysTest, F7BuildsAllAndCtrlF7CompilesWithTheMenuCaptionsUnchanged)
{
    std::vector<std::string> ran;
    for (const char* item : {"BuildAll1", "Compile1", "BuildChanged1"})
        app.controls()[item].onActivate([&ran, item](const Sender& s) {
            ran.push_back(item + std::string(s.kind == SenderKind::MenuItem ? " menu" : " other"));
        });
    QTest::keyClick(&window, Qt::Key_F7);
    QTest::keyClick(&window, Qt::Key_F7, Qt::ControlModifier);
    QTest::keyClick(&window, Qt::Key_F7, Qt::ShiftModifier);
    EXPECT_EQ(ran, (std::vector<std::string>{"BuildAll1 menu", "Compile1 menu", "BuildChanged1 menu"}));
    EXPECT_EQ(window.findChild<QAction*>("BuildAll1")->text(), "Build All");
    EXPECT_EQ(window.findChild<QAction*>("Compile1")->text(), "Compile");
    EXPECT_EQ(window.findChild<QAction*>("BuildAll1")->shortcut(), QKeySequence(Qt::Key_F7));
}

}  // namespace
