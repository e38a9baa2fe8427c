#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <gtest/gtest.h>

#include "app/view/main_window.h"
#include "support/app_fixture.h"

namespace {

struct MainWindowTest : ::testing::Test {
    AppFixture f;
    TEmbedded& app = (f.prepareInstalledMachine(), f.make());
    MainWindow window{app};

    QAction* action(const char* name) { return window.findChild<QAction*>(name); }
};

QStringList visibleTexts(const QList<QAction*>& actions)
{
    QStringList out;
    for (QAction* a : actions)
        if (a->isVisible())
            out << (a->isSeparator() ? "|" : a->text());
    return out;
}

TEST_F(MainWindowTest, StartsAt964By576AndMaximizesOnTheFirstActivation)
{
    EXPECT_EQ(window.size(), QSize(964, 576));
    EXPECT_EQ(window.windowTitle(), "Tarnel");
    window.show();
    app.FormActivate();
    EXPECT_TRUE(window.windowState() & Qt::WindowMaximized);
    ASSERT_TRUE(f.fake.timers.fire(1000));
    EXPECT_EQ(window.windowTitle(), QString("Tarnel Version %1  by Orvane").arg(TARNEL_VERSION));
}

TEST_F(MainWindowTest, MenusCarryTheirCaptionsInOrderAndWindowIsHidden)
{
    EXPECT_EQ(visibleTexts(window.menuBar()->actions()),
              (QStringList{"&File", "Project", "&Edit Batch", "Compile", "&View", "Options", "Program", "Tools",
                           "Linker Cmd File", "&Assembler", "&Help"}));
    EXPECT_FALSE(action("Window1")->isVisible());
    EXPECT_FALSE(action("EditBatch")->isEnabled());
    auto items = [&](const char* menu) { return visibleTexts(window.findChild<QMenu*>(menu)->actions()); };
    EXPECT_EQ(items("File1"), (QStringList{"Open &File", "&New File", "&Save Output File to ",
                                           "S&elect Save Location", "&Exit"}));
    // Our own items after the Part's.
    EXPECT_EQ(items("Project1"), (QStringList{"New &Project", "&Open Project", "Edit", "&Save Project",
                                              "Save Project &As", "Update", "|", "Recent Projects",
                                              "Export compile_commands.json"}));
    EXPECT_EQ(items("View1"), (QStringList{"SYSTEM", "Project List", "Pathset", "Linker Command File", "OUTPUT",
                                           "Compiler Listing", "Linker List File", "Compiler O/P", "STATUS BAR",
                                           "All", "Linker Command Line", "Compiler Command Line", "Build &Output",
                                           "&Memory Usage"}));
    EXPECT_EQ(items("Options1"), (QStringList{"Compiler Options", "Linker Options", "Setup", "Tarnel Options"}));
    EXPECT_EQ(items("CompileMenu"), (QStringList{"Compile", "Build All", "Build Changed"}));
    EXPECT_EQ(items("Help1"), (QStringList{"&Help", "&About", "email Orvane", "Orvane on the Web"}));
    EXPECT_EQ(items("Window1"), (QStringList{"Tile", "Cascade", "Arrange"}));
    EXPECT_TRUE(action("Cascade1")->font().bold());
}

TEST_F(MainWindowTest, ToolBarButtonsInOrderWithTheirHints)
{
    auto* bar = window.findChild<QToolBar*>("ToolBar");
    ASSERT_NE(bar, nullptr);
    QStringList hints;
    for (QAction* a : bar->actions())
        hints << (a->isSeparator() ? "|" : a->toolTip());
    // The exit button has no hint of its own.
    EXPECT_EQ(bar->actions().first()->objectName(), "ExitBtn");
    hints.removeFirst();
    EXPECT_EQ(hints, (QStringList{"|", "Open Project", "New Project", "Edit Project", "|", "Open File",
                                  "New File", "|", "Build All", "Build Changed", "Compile", "Make Project Control List",
                                  "View Iinker List/Map File", "Check a File for Errors", "|", "Compiler Options",
                                  "Linker Options", "Toggle Project List", "|", "Run Programmer",
                                  "Install / EditTools", "Command File Wizard"}));
}

TEST_F(MainWindowTest, StatusBarPanelsAndModes)
{
    const QStringList initial = {"Project", "Mem 0", "print Fmt", "Proccessor", "comm", "Parameters", "Linkpars"};
    const int widths[] = {140, 65, 78, 45, 55, 250, 50};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(window.statusPanel(i)->text(), initial[i]);
        EXPECT_EQ(window.statusPanel(i)->minimumWidth(), widths[i]);
    }
    EXPECT_EQ(window.statusPanel(1)->alignment() & Qt::AlignHCenter, Qt::AlignHCenter);
    window.show();
    app.FormActivate();
    f.fake.timers.fire(1000);
    EXPECT_EQ(window.statusPanel(0)->text(), "NO PROJECT LOADED");
    EXPECT_EQ(window.statusPanel(5)->text(), " -C -e -g -v2");

    action("ViewCompilerLine")->trigger();
    EXPECT_FALSE(window.statusPanel(0)->isVisible());
    EXPECT_TRUE(window.statusSimpleText()->isVisible());
    EXPECT_EQ(window.statusSimpleText()->text(), " -C -e -g -v2");
    EXPECT_TRUE(action("ViewCompilerLine")->isChecked());
    action("ViewAll")->trigger();
    EXPECT_TRUE(window.statusPanel(0)->isVisible());
    EXPECT_FALSE(window.statusSimpleText()->isVisible());
}

TEST_F(MainWindowTest, StatusBarContextMenuAsksForItsHelpTopic)
{
    int topic = -1;
    app.onHelp = [&](int t) { topic = t; };
    auto* help = window.findChild<QAction*>("StatusbarHelp");
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->text(), "Statusbar help");
    help->trigger();
    EXPECT_EQ(topic, 48);
}

TEST_F(MainWindowTest, ExitClosesThroughTheShutdown)
{
    window.show();
    app.FormActivate();
    f.fake.timers.fire(1000);
    action("Exit1")->trigger();
    EXPECT_TRUE(window.closed());
    EXPECT_EQ(f.fake.settings.values["project"], "NO PROJECT LOADED");
    EXPECT_EQ(f.fake.dialogs.messages(), (std::vector<std::string>{"No Project loaded"}));
}

TEST_F(MainWindowTest, ProgramOptionsPageFollowsTheBuiltInEditorSwitch)
{
    window.show();
    app.FormActivate();
    f.fake.timers.fire(1000);
    action("TarnelOptions")->trigger();
    QWidget* tools = window.pageWidget("ToolsPan");
    ASSERT_NE(tools, nullptr);
    EXPECT_TRUE(tools->isVisible());
    auto* useEd = tools->findChild<QWidget*>("UseEd");
    auto* editorName = tools->findChild<QWidget*>("EditorName");
    ASSERT_TRUE(useEd && editorName);
    EXPECT_FALSE(editorName->isEnabled());
    QTest::mouseClick(useEd, Qt::LeftButton, {}, QPoint(5, useEd->height() / 2));
    EXPECT_FALSE(app.controls()["UseEd"].checked());
    EXPECT_TRUE(editorName->isEnabled());
    EXPECT_FALSE(app.settings().editorSwitch);
    EXPECT_EQ(app.controls()["Target"].caption(), "Check for Linker Target file creation (aout.a25)");
}

}  // namespace

#include <QLineEdit>
#include <QPushButton>

#include "app/dir_setup.h"
#include "app/view/dir_setup_dialog.h"

namespace {

TEST_F(MainWindowTest, SetupDialogShowsAndEditsTheFileLocations)
{
    window.show();
    app.FormActivate();
    f.fake.timers.fire(1000);
    DirSetup setup(app);
    DirSetupDialog dialog(setup, &window);
    EXPECT_EQ(dialog.windowTitle(), "Tarnel Setup");
    auto* nec = dialog.findChild<QLineEdit*>("Nec");
    ASSERT_NE(nec, nullptr);
    EXPECT_EQ(nec->text(), "C:\\Nec\\");
    dialog.findChild<QPushButton*>("Defaults")->click();
    EXPECT_EQ(nec->text(), "D:\\nec");
    f.fake.dialogs.fileAnswers = {std::string("C:\\Tarnel")};
    dialog.findChild<QPushButton*>("BrowseSourceDir")->click();
    EXPECT_EQ(dialog.findChild<QLineEdit*>("SourceDir")->text(), "C:\\Tarnel\\");
    QTest::keyClicks(dialog.findChild<QLineEdit*>("ProjectFile"), "x");
    EXPECT_EQ(setup.fields()["ProjectFile"].text(), "D:\\soft\\default.prjx");
}

}  // namespace
