// From a failed compile to the faulty line: the faulty demo project built with the stand-in
// toolchain, its listing checked, the error window clicked, and the editor window it opens.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QAction>
#include <functional>

#include "app/tembedded.h"
#include "app/view/main_window.h"
#include "build/build_run.h"
#include "build/error_check.h"
#include "build/view/error_log_dialog.h"
#include "demo_installer.h"
#include "editor/editor_windows.h"
#include "editor/tcode_ed.h"
#include "editor/view/code_editor_widget.h"
#include "editor/view/code_editor_window.h"
#include "editor/view/editor_area_view.h"
#include "platform/fake/fake_host.h"
#include "platform/paths/drive_map.h"
#include "platform/qt/qt_clock.h"
#include "platform/qt/qt_files.h"
#include "project/project_commands.h"
#include "support/qt_runs.h"
#include "support/temp_prefix.h"

namespace {

// Keeps the batch files Tarnel starts and runs them through tarnel-batch when asked.
class BatchShell : public Shell {
public:
    explicit BatchShell(const DriveMap& map) : m_map(map) {}
    void open(const std::string& file, const std::string&, const std::string& folder, bool) override
    {
        m_pending.push_back({file, folder});
    }
    std::string runPending()
    {
        std::string output;
        for (const auto& [file, folder] : m_pending)
            output += runBatchFile(m_map, file, folder);
        m_pending.clear();
        return output;
    }

private:
    const DriveMap& m_map;
    std::vector<std::pair<std::string, std::string>> m_pending;
};

// Runs fn on the error window once it is up.
void whenErrorWindowShown(std::function<void(ErrorLogDialog&)> fn)
{
    auto* timer = new QTimer;
    timer->setInterval(20);
    QObject::connect(timer, &QTimer::timeout, [timer, fn] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog || dialog->objectName() != TErrorLog::Name || !dialog->isVisible())
            return;
        timer->stop();
        timer->deleteLater();
        fn(*static_cast<ErrorLogDialog*>(dialog));
    });
    timer->start();
}

struct ErrorCheckViewTest : ::testing::Test {
    TempPrefix prefix;
    DriveMap map{prefix.path()};
    FakeSettingsStore settings;
    FakeDialogs dialogs;
    BatchShell shell{map};
    FakeBeeper beeper;
    QtClock clock;
    FakeTimers timers;
    QtFiles files{map};
    Host host{dialogs, shell, beeper, clock, timers, settings, files, "C:\\Program Files\\Tarnel\\"};
    std::unique_ptr<TEmbedded> app;
    std::unique_ptr<MainWindow> window;

    void SetUp() override
    {
        DemoInstaller installer(map, settings, {TARNEL_BIN_DIR, std::string(TARNEL_SOURCE_DIR) + "/demo"});
        ASSERT_TRUE(installer.run());
        app = std::make_unique<TEmbedded>(host);
        window = std::make_unique<MainWindow>(*app);
        window->resize(1200, 800);
        window->show();
        app->FormActivate();
        ASSERT_TRUE(timers.fire(1000));
        dialogs.dialogScripts.push_back(
            [this](OwnDialog& d) { return ErrorLogDialog::run(static_cast<TErrorLog&>(d), window.get()); });
    }
};

TEST_F(ErrorCheckViewTest, FromTheFaultyBuildsListingToTheEditorAtTheFaultyLine)
{
    ASSERT_TRUE(app->projectCommands().Openpro(DemoInstaller::FaultyProject));
    app->controls()["BuildAll1"].activate();
    const std::string output = shell.runPending();
    ASSERT_TRUE(timers.fire(BuildRun::CompileTimerMs));
    ASSERT_EQ(app->statusBar().panel(5).text, "Compile failed C:\\Tarnel\\Source\\aout.a25") << output;
    EXPECT_TRUE(app->controls()["ErrorcheckBtn"].enabled());

    QStringList listed;
    QString panels;
    whenErrorWindowShown([&](ErrorLogDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "ErrorLog");
        EXPECT_EQ(dialog.size(), QSize(TErrorLog::Width, TErrorLog::Height));
        auto* list = dialog.findChild<QListWidget*>("ErrorList");
        for (int i = 0; i < list->count(); ++i)
            listed << list->item(i)->text();
        // Nothing is picked until the user clicks.
        EXPECT_TRUE(dialog.findChild<QLabel*>("Panel0")->text().isEmpty());
        const QRect row = list->visualItemRect(list->item(0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row.center());
        for (const char* name : {"Panel0", "Panel1"})
            panels += dialog.findChild<QLabel*>(name)->text() + "|";
        QTest::mouseClick(dialog.findChild<QPushButton*>("GoToError"), Qt::LeftButton);
    });
    dialogs.fileAnswers = {std::string("C:\\Tarnel\\Source\\main.lst")};
    auto* button = window->findChild<QAction*>("ErrorcheckBtn");
    ASSERT_TRUE(button->isEnabled());
    QTest::mouseClick(window->findChild<QToolBar*>("ToolBar")->widgetForAction(button), Qt::LeftButton);

    ASSERT_FALSE(listed.isEmpty()) << output;
    EXPECT_TRUE(listed.front().startsWith("\"main.c\",17  Error[")) << listed.front().toStdString();
    EXPECT_EQ(panels, "main.c|17 |");
    EXPECT_EQ(app->controls()["ListFile"].text(), "C:\\Tarnel\\Source\\main.lst");
    EXPECT_TRUE(dialogs.messages().empty()) << dialogs.messages().front();

    // The project's own source, not the copy in the compile directory, at line 17.
    ASSERT_EQ(app->editors().count(), 1);
    TCodeEd& ed = *app->editors().windows().front();
    EXPECT_EQ(ed.fileName(), "C:\\Tarnel\\Faulty\\main.c");
    EXPECT_EQ(ed.caption(), "main.c");
    QApplication::processEvents();
    auto* area = window->findChild<EditorAreaView*>("EditorAreaView");
    CodeEditorWidget* editor = area->windowOf(&ed)->editor();
    EXPECT_EQ(editor->textCursor().blockNumber(), 16);
    EXPECT_EQ(editor->textCursor().selectedText(), "        delay(1000;");
}

TEST_F(ErrorCheckViewTest, CancelAndEscapeCloseTheWindowWithoutOpening)
{
    files.writeBytes("C:\\Tarnel\\Source\\x.lst", "\"main.c\",17  Error[1]: x\r\n");
    for (bool escape : {false, true}) {
        whenErrorWindowShown([escape](ErrorLogDialog& dialog) {
            auto* list = dialog.findChild<QListWidget*>("ErrorList");
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());
            if (escape)
                QTest::keyClick(&dialog, Qt::Key_Escape);
            else
                QTest::mouseClick(dialog.findChild<QPushButton*>("CancelBtn"), Qt::LeftButton);
        });
        if (escape)
            dialogs.dialogScripts.push_back(
                [this](OwnDialog& d) { return ErrorLogDialog::run(static_cast<TErrorLog&>(d), window.get()); });
        dialogs.fileAnswers = {std::string("C:\\Tarnel\\Source\\x.lst")};
        app->controls()["ErrorcheckBtn"].activate();
        EXPECT_EQ(app->editors().count(), 0);
        EXPECT_EQ(app->errorCheck().position().ErrorLine, 17) << "the click counts even when cancelled";
    }
}

TEST_F(ErrorCheckViewTest, NoLineLooksPickedUntilTheKeyboardPicksOneAndEnterGoesToIt)
{
    files.writeBytes("C:\\Tarnel\\Source\\x.lst", "\"main.c\",17  Error[1]: a\r\n\"main.c\",5  Error[2]: b\r\n");
    QStringList panel;
    whenErrorWindowShown([&panel](ErrorLogDialog& dialog) {
        auto* list = dialog.findChild<QListWidget*>("ErrorList");
        list->setFocus();
        QApplication::processEvents();
        // Shown and known agree: no line looks picked, none is.
        EXPECT_TRUE(list->selectedItems().isEmpty());
        EXPECT_FALSE(list->currentIndex().isValid());
        EXPECT_TRUE(dialog.findChild<QLabel*>("Panel1")->text().isEmpty());
        for (int step = 0; step < 2; ++step) {
            QTest::keyClick(list, Qt::Key_Down);
            panel << dialog.findChild<QLabel*>("Panel1")->text();
            EXPECT_EQ(list->selectedItems().value(0), list->item(step));
        }
        QTest::keyClick(list, Qt::Key_Return);
    });
    dialogs.fileAnswers = {std::string("C:\\Tarnel\\Source\\x.lst")};
    app->controls()["ErrorcheckBtn"].activate();
    EXPECT_EQ(panel, (QStringList{"17 ", "5 "}));
    // The sample project is the one loaded.
    ASSERT_EQ(app->editors().count(), 1);
    TCodeEd& ed = *app->editors().windows().front();
    EXPECT_EQ(ed.fileName(), "C:\\Tarnel\\Sample\\main.c");
    EXPECT_EQ(ed.buffer().lineOfPosition(ed.buffer().selStart()), 4);
    EXPECT_TRUE(dialogs.messages().empty()) << dialogs.messages().front();
}

}  // namespace
