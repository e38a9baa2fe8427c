// The "Memory Usage" dock on real builds of the demo sample: bars and totals after the first
// build, the change after a function is added, and a symbol's double-click opening its source.
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QTest>
#include <QTextBlock>
#include <filesystem>

#include "app/tembedded.h"
#include "app/view/main_window.h"
#include "build/build_output.h"
#include "build/view/build_output_view.h"
#include "demo_installer.h"
#include "editor/editor_windows.h"
#include "editor/tcode_ed.h"
#include "editor/view/code_editor_widget.h"
#include "editor/view/code_editor_window.h"
#include "editor/view/editor_area_view.h"
#include "linker/view/memory_bar.h"
#include "linker/view/memory_usage_dock.h"
#include "support/host_files.h"
#include "support/qt_prefix_host.h"
#include "support/qt_runs.h"

namespace
{

struct MemoryUsageViewTest : ::testing::Test, QtPrefixHost {
    std::unique_ptr<TEmbedded> app;
    std::unique_ptr<MainWindow> window;
    MemoryUsageDock* dock = nullptr;

    void SetUp() override
    {
        DemoInstaller installer(map, settings, {TARNEL_BIN_DIR, std::string(TARNEL_SOURCE_DIR) + "/demo"});
        ASSERT_TRUE(installer.run());
        app = std::make_unique<TEmbedded>(host);
        window = std::make_unique<MainWindow>(*app);
        installBuildOutputView(*app, *window, &shell);
        install();
        ASSERT_TRUE(showActive(*window));
        app->FormActivate();
        ASSERT_TRUE(timers.fire(1000));
    }

    virtual void install() { dock = installMemoryUsageView(*app, *window); }

    void addFunction()
    {
        const std::string util = prefix.driveC() + "/Tarnel/Sample/util.c";
        writeHostFile(util, readHostFile(util) + "\nvoid led_off(void)\n{\n    P4 |= LED_BIT;\n}\n");
    }

    // Build All to its end, which the dock hears of.
    bool build()
    {
        app->controls()["BuildAll1"].activate();
        return waitFor([&] { return app->buildOutput().state() == BuildOutput::State::Ended; });
    }
    QString label(const char* name) const { return dock->findChild<QLabel*>(name)->text(); }
    QList<MemoryBar*> bars() const
    {
        QList<MemoryBar*> out;
        for (QWidget* w : dock->findChildren<QWidget*>("MemoryBar"))
            out << static_cast<MemoryBar*>(w);
        return out;
    }
};

} // namespace

TEST_F(MemoryUsageViewTest, BarsAndTotalsFollowEachLinkedBuild)
{
    window->findChild<QAction*>("ViewMemoryUsage")->trigger();
    EXPECT_TRUE(dock->isVisible());
    ASSERT_TRUE(build());
    ASSERT_TRUE(waitFor([&] { return bars().size() == 3; })) << label("MemoryStatus").toStdString();
    const MemoryUsage first = *dock->watch().usage();
    EXPECT_TRUE(
        label("MemoryRomTotal").startsWith(QString("<b>ROM</b>: %1 of 32768 bytes").arg(first.rom.used)));
    EXPECT_FALSE(label("MemoryRomTotal").contains("bytes</span>")) << "no build before this one";
    EXPECT_EQ(bars()[0]->range().kind, MemoryKind::Rom);
    EXPECT_TRUE(bars()[2]->toolTip().contains("CSTACK"));

    addFunction();
    ASSERT_TRUE(build());
    ASSERT_TRUE(waitFor([&] { return dock->watch().usage()->rom.change.has_value(); }));
    const long grown = *dock->watch().usage()->rom.change;
    EXPECT_GT(grown, 0);
    EXPECT_TRUE(label("MemoryRomTotal").contains(QString("+%1 bytes").arg(grown)))
        << label("MemoryRomTotal").toStdString();
    EXPECT_TRUE(label("MemoryRamTotal").contains("+0 bytes"));

    // The new function, found by the filter, opens at its definition.
    dock->findChild<QLineEdit*>("MemorySymbolFilter")->setText("led_off");
    QTableView* table = dock->symbolTable();
    ASSERT_EQ(table->model()->rowCount(), 1);
    const QModelIndex row = table->model()->index(0, 0);
    table->scrollTo(row);
    const QPoint at = table->visualRect(row).center();
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, at);
    ASSERT_EQ(app->editors().count(), 1) << label("MemoryMessage").toStdString();
    TCodeEd& ed = *app->editors().windows().front();
    EXPECT_EQ(ed.fileName(), "C:\\Tarnel\\Sample\\util.c");
    QApplication::processEvents();
    CodeEditorWidget* editor = window->findChild<EditorAreaView*>("EditorAreaView")->windowOf(&ed)->editor();
    EXPECT_EQ(editor->textCursor().block().text(), "void led_off(void)");
}

namespace
{

class MemoryUsageFirstUseTest : public MemoryUsageViewTest
{
    void install() override { installMemoryUsageViewOnFirstUse(*app, *window); }
};

} // namespace

TEST_F(MemoryUsageFirstUseTest, BuildsWhileThePanelWasNeverShownCountForItsChangeFigure)
{
    ASSERT_TRUE(build());
    addFunction();
    ASSERT_TRUE(build());
    EXPECT_EQ(window->findChild<QDockWidget*>("MemoryUsageDock"), nullptr);
    window->findChild<QAction*>("ViewMemoryUsage")->trigger();
    dock = dynamic_cast<MemoryUsageDock*>(window->findChild<QDockWidget*>("MemoryUsageDock"));
    ASSERT_NE(dock, nullptr);
    EXPECT_TRUE(dock->isVisible());
    EXPECT_TRUE(waitFor([&] { return dock->width() >= 400; })) << "wide enough for the symbols' numbers";
    EXPECT_TRUE(label("MemoryRomTotal").contains(QRegularExpression("\\+[1-9][0-9]* bytes")))
        << label("MemoryRomTotal").toStdString();
}
