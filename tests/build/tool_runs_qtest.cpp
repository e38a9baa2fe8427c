// The assembler and the programmer followed in the Build Output panel on a machine without a
// terminal emulator: the demo installed into a temporary prefix, the programs started through
// the real shell and runner, each run on its own tab beside the build's, its diagnostics
// opening the editor at their line.
#include <gtest/gtest.h>

#include <QLabel>
#include <QListView>
#include <QTabBar>
#include <QTest>
#include <filesystem>

#include "app/tembedded.h"
#include "app/view/main_window.h"
#include "build/build_output.h"
#include "build/tool_runs.h"
#include "build/view/build_output_model.h"
#include "build/view/build_output_view.h"
#include "build/view/tool_run_page.h"
#include "demo_installer.h"
#include "editor/editor_windows.h"
#include "editor/tcode_ed.h"
#include "platform/paths/win_path.h"
#include "project/project_commands.h"
#include "support/host_files.h"
#include "support/qt_prefix_host.h"
#include "support/qt_runs.h"

namespace fs = std::filesystem;

namespace
{

struct ToolRunsViewTest : ::testing::Test, QtPrefixHost {
    QByteArray oldPath = qgetenv("PATH");
    std::unique_ptr<TEmbedded> app;
    std::unique_ptr<MainWindow> window;

    void SetUp() override
    {
        // No terminal emulator anywhere on PATH.
        fs::create_directories(prefix.path() + "/empty-bin");
        qputenv("PATH", QByteArray::fromStdString(prefix.path() + "/empty-bin"));
        DemoInstaller installer(map, settings, {TARNEL_BIN_DIR, std::string(TARNEL_SOURCE_DIR) + "/demo"});
        ASSERT_TRUE(installer.run());
        app = std::make_unique<TEmbedded>(host);
        window = std::make_unique<MainWindow>(*app);
        // As the program does: the panel is built when a build or a run first shows it.
        installBuildOutputViewOnFirstUse(*app, *window, &shell);
        ASSERT_TRUE(showActive(*window));
        app->FormActivate();
        ASSERT_TRUE(timers.fire(1000));
    }
    void TearDown() override { qputenv("PATH", oldPath); }

    BuildOutputView* view() const
    {
        return dynamic_cast<BuildOutputView*>(window->findChild<QDockWidget*>("BuildOutputDock"));
    }
    ToolRuns& runs() { return app->toolRuns(); }
    bool ended(RunKind kind) { return runs().run(kind).state() == FollowedRun::State::Ended; }
    static QStringList rows(const BuildOutputModel* m)
    {
        QStringList out;
        for (int r = 0; r < m->rowCount(); ++r)
            out << m->data(m->index(r), Qt::DisplayRole).toString();
        return out;
    }
    QStringList tabs() const
    {
        QStringList out;
        for (int i = 0; i < view()->runTabs()->count(); ++i)
            out << view()->runTabs()->tabText(i);
        return out;
    }
    QString pageLabel(RunKind kind, const char* name) const
    {
        return view()->toolPage(kind)->findChild<QLabel*>(name)->text();
    }
};

} // namespace

TEST_F(ToolRunsViewTest, TheAssemblerRunsOnItsOwnTabAndItsErrorOpensTheEditorAtTheLine)
{
    ASSERT_TRUE(app->projectCommands().Openpro(DemoInstaller::FaultyProject));
    QTest::keyClick(window.get(), Qt::Key_F7);
    ASSERT_TRUE(waitFor([&] { return app->buildOutput().state() == BuildOutput::State::Ended; }));
    EXPECT_FALSE(view()->runTabs()->isVisible()) << "a build alone looks as it always did";
    const QStringList buildRows = rows(view()->model());

    const std::string source = prefix.driveC() + "/Tarnel/Sample/boot.s25";
    std::string text = readHostFile(source);
    text.replace(text.find("'Tarnel blink demo',0"), 21, "'Tarnel blink demo");
    writeHostFile(source, text);
    app->controls()["AssemblerFile"].setText("C:\\Tarnel\\Sample\\boot.s25");
    app->controls()["Assemble1"].activate();
    ASSERT_TRUE(waitFor([&] { return ended(RunKind::Assembler); }));

    EXPECT_TRUE(view()->runTabs()->isVisible());
    EXPECT_EQ(tabs(), (QStringList{"Build", "Assembler"}));
    EXPECT_EQ(view()->runTabs()->currentIndex(), 1);
    ToolRunPage* page = view()->toolPage(RunKind::Assembler);
    ASSERT_TRUE(page->isVisible());
    const QStringList shown = rows(page->model());
    EXPECT_TRUE(shown.first().startsWith("Tarnel stand-in A78300")) << shown.join('\n').toStdString();
    EXPECT_TRUE(pageLabel(RunKind::Assembler, "ToolRunHeading").startsWith("Assembler: C:\\Nec"));
    EXPECT_TRUE(pageLabel(RunKind::Assembler, "ToolRunSummary").startsWith("Exit status 1 after "))
        << pageLabel(RunKind::Assembler, "ToolRunSummary").toStdString();
    EXPECT_EQ(rows(view()->model()), buildRows) << "the build's output is its own";

    int error = -1;
    for (int r = 0; r < shown.size() && error < 0; ++r)
        if (shown[r].startsWith("\"boot.s25\","))
            error = r;
    ASSERT_GE(error, 0) << shown.join('\n').toStdString();
    const int line = shown[error].section(',', 1).section(' ', 0, 0).toInt();
    QListView* list = page->list();
    const QModelIndex index = page->model()->index(error);
    list->scrollTo(index);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(index).center());
    ASSERT_EQ(app->editors().count(), 1);
    TCodeEd& ed = *app->editors().windows().front();
    EXPECT_TRUE(winpath::equalsNoCase(ed.fileName(), "C:\\Tarnel\\Sample\\boot.s25")) << ed.fileName();
    EXPECT_EQ(ed.buffer().lineOfPosition(ed.buffer().selStart()), line - 1);

    // The build's tab shows the build again.
    QTest::mouseClick(view()->runTabs(), Qt::LeftButton, {}, view()->runTabs()->tabRect(0).center());
    EXPECT_EQ(runs().shown(), RunKind::Build);
    EXPECT_TRUE(view()->list()->isVisible());
    EXPECT_FALSE(page->isVisible());
}

TEST_F(ToolRunsViewTest, WithoutATerminalTheProgrammersOutputAndEndAreInThePanel)
{
    ASSERT_EQ(app->settings().programmingTool, DemoInstaller::ProgrammerPath);
    app->controls()["Prgm"].setEnabled(true);
    app->controls()["Prgm"].activate();
    ASSERT_TRUE(waitFor([&] { return ended(RunKind::Programmer); }));
    const QStringList shown = rows(view()->toolPage(RunKind::Programmer)->model());
    EXPECT_TRUE(shown.first().startsWith("prog78k ")) << shown.join('\n').toStdString();
    EXPECT_GT(shown.size(), 2);
    EXPECT_EQ(pageLabel(RunKind::Programmer, "ToolRunHeading").toStdString(),
              std::string("Programmer: ") + DemoInstaller::ProgrammerPath);
    EXPECT_TRUE(pageLabel(RunKind::Programmer, "ToolRunSummary").contains(" after "));
    EXPECT_TRUE(pageLabel(RunKind::Programmer, "ToolRunSummary").endsWith(", in C:\\Tarnel\\Programmer."));
    EXPECT_EQ(tabs(), (QStringList{"Build", "Programmer"}));
    EXPECT_TRUE(view()->isVisible()) << "a run shows the panel";
}
