// The Build Output panel on real builds: the demo installed into a temporary prefix, started
// through the real shell and batch runner with the stand-in toolchain, its output followed
// into the panel; a click on the error opens the editor at the line; a build still running
// at the five-second check; a build that prints far more than the panel keeps; the panel and
// the error log's "GoTo Error" on one window.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QTextBlock>
#include <QTimer>
#include <QTest>
#include <QToolTip>
#include <QThread>
#include <filesystem>
#include <functional>

#include "app/program_options.h"
#include "app/tembedded.h"
#include "app/view/main_window.h"
#include "build/build_output.h"
#include "build/build_run.h"
#include "build/view/build_output_model.h"
#include "build/view/build_output_view.h"
#include "build/view/diagnostic_colours.h"
#include "build/view/error_log_dialog.h"
#include "build/terror_log.h"
#include "demo_installer.h"
#include "editor/editor_windows.h"
#include "editor/tcode_ed.h"
#include "editor/view/code_editor_widget.h"
#include "editor/view/code_editor_window.h"
#include "editor/view/editor_area_view.h"
#include "project/project_commands.h"
#include "support/host_files.h"
#include "support/qt_prefix_host.h"
#include "support/qt_runs.h"

namespace fs = std::filesystem;

namespace {

const std::string kTarget = "C:\\Tarnel\\Source\\aout.a25";

struct BuildOutputViewTest : ::testing::Test, QtPrefixHost {
    std::unique_ptr<TEmbedded> app;
    std::unique_ptr<MainWindow> window;
    BuildOutputView* view = nullptr;
    bool panelOnFirstUse = false;  // as the program puts it in

    void SetUp() override
    {
        DemoInstaller installer(map, settings, {TARNEL_BIN_DIR, std::string(TARNEL_SOURCE_DIR) + "/demo"});
        ASSERT_TRUE(installer.run());
        app = std::make_unique<TEmbedded>(host);
        window = std::make_unique<MainWindow>(*app);
        if (panelOnFirstUse)
            installBuildOutputViewOnFirstUse(*app, *window, &shell);
        else
            view = installBuildOutputView(*app, *window, &shell);
        window->resize(1200, 800);
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        app->FormActivate();
        ASSERT_TRUE(timers.fire(1000));
    }

    std::string c(const std::string& rel) const { return prefix.driveC() + "/" + rel; }
    BuildOutput& output() { return app->buildOutput(); }
    bool ended() { return output().state() == BuildOutput::State::Ended; }
    // The panel's rows as shown.
    QStringList rows() const
    {
        QStringList out;
        const BuildOutputModel* m = view->model();
        for (int r = 0; r < m->rowCount(); ++r)
            out << m->data(m->index(r), Qt::DisplayRole).toString();
        return out;
    }
    int rowOf(const QString& start) const
    {
        const QStringList all = rows();
        for (int r = 0; r < all.size(); ++r)
            if (all[r].startsWith(start))
                return r;
        return -1;
    }
    // A stand-in compiler that runs the given shell text instead of the real one.
    void replaceCompiler(const std::string& body)
    {
        const std::string tool = c("Nec/C/ICC78300/icc78300");
        fs::rename(tool, tool + "-real");
        writeHostFile(tool, "#!/bin/sh\n" + body + "\n");
        fs::permissions(tool, fs::perms::owner_all);
    }
    QString label(const char* name) const { return view->findChild<QLabel*>(name)->text(); }
};

struct BuildOutputOnFirstUseTest : BuildOutputViewTest {
    BuildOutputOnFirstUseTest() { panelOnFirstUse = true; }
};

}  // namespace

// The panel the program builds only when it is first shown: a build shows it, and it follows
// that build from its first line on; F4 is there before it.
TEST_F(BuildOutputOnFirstUseTest, TheFirstBuildBuildsThePanelWhichFollowsItToItsEnd)
{
    EXPECT_EQ(window->findChild<BuildOutputView*>(), nullptr);
    EXPECT_NE(window->findChild<QAction*>("BuildOutputNext"), nullptr);
    EXPECT_TRUE(window->findChild<QAction*>("ViewBuildOutput")->isCheckable());
    ASSERT_TRUE(app->projectCommands().Openpro(DemoInstaller::FaultyProject));
    QTest::keyClick(window.get(), Qt::Key_F7);
    view = window->findChild<BuildOutputView*>();
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(view->isVisible());
    ASSERT_TRUE(waitFor([&] { return ended(); })) << rows().join('\n').toStdString();
    const int banner = rowOf("Tarnel - building the project");
    const int compiler = rowOf("Tarnel stand-in icc78300");
    const int linker = rowOf("Tarnel stand-in xlink");
    EXPECT_TRUE(banner >= 0 && banner < compiler && compiler < linker) << rows().join('\n').toStdString();
    EXPECT_EQ(label("BuildOutputHeading").toStdString(),
              "Build of C:\\Tarnel\\faulty.prj ended: " + output().transcript().countsText());
}

TEST_F(BuildOutputViewTest, TheFaultyBuildArrivesInOrderAndItsErrorOpensTheEditorAtTheLine)
{
    ASSERT_TRUE(app->projectCommands().Openpro(DemoInstaller::FaultyProject));
    EXPECT_FALSE(view->isVisible());
    QTest::keyClick(window.get(), Qt::Key_F7);
    EXPECT_TRUE(view->isVisible()) << "a build shows the panel";
    EXPECT_TRUE(window->findChild<QAction*>("ViewBuildOutput")->isChecked());
    ASSERT_TRUE(waitFor([&] { return ended(); })) << rows().join('\n').toStdString();

    const QStringList shown = rows();
    const int banner = rowOf("Tarnel - building the project");
    const int compiler = rowOf("Tarnel stand-in icc78300");
    const int error = rowOf("\"main.c\",17  Error[");
    const int linker = rowOf("Tarnel stand-in xlink");
    EXPECT_TRUE(banner >= 0 && banner < compiler && compiler < error && error < linker)
        << shown.join('\n').toStdString();
    EXPECT_EQ(label("BuildOutputHeading").toStdString(),
              "Build of C:\\Tarnel\\faulty.prj ended: " + output().transcript().countsText());
    EXPECT_GE(output().transcript().errors(), 1);
    EXPECT_EQ(output().end().exitStatus, 1) << "the linker failed last";
    EXPECT_TRUE(label("BuildOutputSummary").startsWith("Exit status 1 after "));
    EXPECT_TRUE(label("BuildOutputSummary").contains("C:\\Tarnel\\Source\\aout.a25 was not made."));
    // The error stands out from the lines around it.
    const QModelIndex errorIndex = view->model()->index(error);
    EXPECT_TRUE(view->model()->data(errorIndex, Qt::FontRole).value<QFont>().bold());
    EXPECT_FALSE(view->model()->data(view->model()->index(compiler), Qt::FontRole).isValid());

    // The status bar keeps its own verdict.
    ASSERT_TRUE(timers.fire(BuildRun::CompileTimerMs));
    EXPECT_EQ(window->statusPanel(5)->text().toStdString(), "Compile failed " + kTarget);
    EXPECT_FALSE(output().earlyVerdict());

    QListView* list = view->list();
    list->scrollTo(errorIndex);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(errorIndex).center());
    ASSERT_EQ(app->editors().count(), 1);
    TCodeEd& ed = *app->editors().windows().front();
    EXPECT_EQ(ed.fileName(), "C:\\Tarnel\\Faulty\\main.c");
    QApplication::processEvents();
    auto* area = window->findChild<EditorAreaView*>("EditorAreaView");
    CodeEditorWidget* editor = area->windowOf(&ed)->editor();
    EXPECT_EQ(editor->textCursor().blockNumber(), 16);
    EXPECT_EQ(editor->textCursor().selectedText(), "        delay(1000;");
    EXPECT_TRUE(dialogs.messages().empty()) << dialogs.messages().front();

    // Enter on the line lands on it as well, in the same window.
    editor->moveCursor(QTextCursor::Start);
    list->setFocus();
    list->setCurrentIndex(errorIndex);
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(editor->textCursor().blockNumber(), 16);

    // F4 from the editor steps on to the linker's error, which names no place: the editor stays
    // where it is and the panel says why; Shift+F4 comes back to the compiler's error.
    editor->moveCursor(QTextCursor::Start);
    editor->setFocus();
    QTest::keyClick(editor, Qt::Key_F4);
    EXPECT_EQ(list->currentIndex().row(), rowOf("Error[10]: cannot open object file"));
    EXPECT_EQ(editor->textCursor().blockNumber(), 0);
    EXPECT_EQ(label("BuildOutputMessage"), "This message names no source file and line.");
    QTest::keyClick(editor, Qt::Key_F4, Qt::ShiftModifier);
    EXPECT_EQ(list->currentIndex().row(), error);
    EXPECT_EQ(editor->textCursor().blockNumber(), 16);
    EXPECT_EQ(label("BuildOutputMessage"), "");
    EXPECT_EQ(app->editors().count(), 1);
}

TEST_F(BuildOutputViewTest, TheErrorsMarkFollowsLinesTypedAboveAndShowsInTheEditor)
{
    ASSERT_TRUE(app->projectCommands().Openpro(DemoInstaller::FaultyProject));
    QTest::keyClick(window.get(), Qt::Key_F7);
    ASSERT_TRUE(waitFor([&] { return ended(); })) << rows().join('\n').toStdString();
    const int error = rowOf("\"main.c\",17  Error[");
    QListView* list = view->list();
    auto click = [&] {
        const QModelIndex index = view->model()->index(error);
        list->scrollTo(index);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(index).center());
    };
    click();
    ASSERT_EQ(app->editors().count(), 1);
    QApplication::processEvents();
    CodeEditorWidget* editor =
        window->findChild<EditorAreaView*>("EditorAreaView")->windowOf(app->editors().windows().front())->editor();
    ASSERT_EQ(editor->textCursor().blockNumber(), 16);

    editor->setFocus();
    QTextCursor above(editor->document()->findBlockByNumber(13));
    editor->setTextCursor(above);
    for (int i = 0; i < 3; ++i) {
        QTest::keyClicks(editor, "int x;");
        QTest::keyClick(editor, Qt::Key_Return);
    }
    EXPECT_TRUE(rows()[error].endsWith("(line 17 is now line 20)")) << rows()[error].toStdString();
    editor->moveCursor(QTextCursor::Start);
    click();
    EXPECT_EQ(editor->textCursor().blockNumber(), 19);
    EXPECT_EQ(editor->textCursor().selectedText(), "        delay(1000;");

    // The marked line: an icon in the gutter, the error's tint behind it, its text on hover.
    const QTextBlock marked = editor->document()->findBlockByNumber(19);
    EXPECT_EQ(editor->markOn(marked), MarkKind::Error);
    EXPECT_FALSE(editor->markOn(marked.previous()));
    const int y = editor->cursorRect(QTextCursor(marked)).center().y();
    const QPoint beside(editor->viewport()->width() - 4, y);
    auto shown = [&] { return QColor(editor->viewport()->grab().toImage().pixel(beside)); };
    EXPECT_EQ(shown(), diagnosticcolours::background(true));
    const QImage gutter = editor->gutter()->grab().toImage();
    int red = 0;
    for (int x = 0; x < 20; ++x)
        red += QColor(gutter.pixel(x, y)).red() > 150 && QColor(gutter.pixel(x, y)).green() < 120;
    EXPECT_GT(red, 2) << "the error's icon";
    QHelpEvent hover(QEvent::ToolTip, beside, editor->viewport()->mapToGlobal(beside));
    QApplication::sendEvent(editor->viewport(), &hover);
    EXPECT_TRUE(waitFor([] { return QToolTip::isVisible(); }));
    EXPECT_TRUE(QToolTip::text().startsWith("\"main.c\",17  Error[")) << QToolTip::text().toStdString();

    // Off with the code colours, line numbers and current line.
    app->controls()[ProgramOptions::CodeColours].setChecked(false);
    EXPECT_NE(shown(), diagnosticcolours::background(true));
}

TEST_F(BuildOutputViewTest, ABuildStillRunningAtTheCheckIsNotedAndFollowedToItsEnd)
{
    const std::string go = c("go");
    // The compiler waits until the test lets it go: the build outlasts its five-second check.
    replaceCompiler("while [ ! -e '" + go + "' ]; do sleep 0.02; done\nexec \"$0-real\" \"$@\"");
    QTest::keyClick(window.get(), Qt::Key_F7);
    ASSERT_TRUE(waitFor([&] { return rowOf("Tarnel - building the project") >= 0; }))
        << rows().join('\n').toStdString();
    EXPECT_EQ(output().state(), BuildOutput::State::Running);
    EXPECT_TRUE(label("BuildOutputHeading").startsWith("Building C:\\Tarnel\\sample.prj"));

    ASSERT_TRUE(timers.fire(BuildRun::CompileTimerMs));
    EXPECT_EQ(window->statusPanel(5)->text().toStdString(), "Compile failed " + kTarget);
    EXPECT_TRUE(view->findChild<QLabel*>("BuildOutputNotes")->isVisibleTo(view));
    EXPECT_EQ(label("BuildOutputNotes").toStdString(),
              "Still running at the five-second check: the status bar's verdict (\"Compile failed " + kTarget +
                  "\") came early.");

    writeHostFile(go, "");
    ASSERT_TRUE(waitFor([&] { return ended(); })) << rows().join('\n').toStdString();
    EXPECT_EQ(output().end().exitStatus, 0);
    EXPECT_TRUE(label("BuildOutputSummary").contains(QString::fromStdString(kTarget + " was created.")))
        << label("BuildOutputSummary").toStdString();
    EXPECT_TRUE(label("BuildOutputNotes").contains("came early"));
    EXPECT_EQ(window->statusPanel(5)->text().toStdString(), "Compile failed " + kTarget)
        << "the panel does not touch the status bar's verdict";
    EXPECT_LT(rowOf("Tarnel stand-in icc78300"), rowOf("Tarnel stand-in xlink"));
}

TEST_F(BuildOutputViewTest, CompileAloneSaysTheStatusBarsVerdictIsAboutAnEarlierBuildsFile)
{
    const auto build = [&](const char* command) {
        window->findChild<QAction*>(command)->trigger();
        EXPECT_TRUE(waitFor([&] { return ended(); })) << rows().join('\n').toStdString();
        EXPECT_TRUE(timers.fire(BuildRun::CompileTimerMs));
    };
    build("BuildAll1");
    EXPECT_EQ(window->statusPanel(5)->text().toStdString(), "Created " + kTarget);
    EXPECT_EQ(label("BuildOutputNotes"), "");

    build("Compile1");
    // The status bar keeps its verdict; the panel tells what it is about.
    EXPECT_EQ(window->statusPanel(5)->text().toStdString(), "Created " + kTarget);
    EXPECT_EQ(label("BuildOutputNotes").toStdString(),
              "The status bar's verdict (\"Created " + kTarget + "\") refers to a file from an earlier build.");
}

TEST_F(BuildOutputViewTest, AFloodOfOutputIsKeptToTheLimitWithNothingLostOrMixedUp)
{
    // 60,000 numbered lines, then bytes that are no text and a line of two megabytes.
    replaceCompiler("seq 1 60000\nprintf 'bad \\377\\000\\033 bytes\\n'\n"
                    "head -c 2000000 /dev/zero | tr '\\0' x\necho\necho after");
    QTest::keyClick(window.get(), Qt::Key_F7);
    ASSERT_TRUE(waitFor([&] { return ended(); }, 60000));
    const BuildTranscript& t = output().transcript();
    EXPECT_EQ(t.size(), BuildTranscript::DefaultMaxLines);
    EXPECT_EQ(view->model()->rowCount(), static_cast<int>(t.size()));
    EXPECT_GT(t.droppedLines(), 0u);
    // The numbers the panel still holds run on without a gap up to the last one.
    int expected = -1;
    int last = 0;
    for (std::size_t n = t.firstNumber(); n < t.endNumber(); ++n) {
        const std::string& text = t.line(n).text;
        if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos)
            continue;
        const int v = std::stoi(text);
        if (expected >= 0) {
            ASSERT_EQ(v, expected) << "line " << n;
        }
        expected = v + 1;
        last = v;
    }
    EXPECT_EQ(last, 60000);
    EXPECT_TRUE(label("BuildOutputNotes").contains("lines were dropped from the top"));
    const QStringList shown = rows();
    const int bad = rowOf("bad ");
    ASSERT_GE(bad, 0);
    EXPECT_EQ(shown[bad], QString("bad ") + QChar(0xff) + QChar(0x2400) + QChar(0x241b) + " bytes");
    EXPECT_TRUE(shown[bad + 1].endsWith(QChar(0x2026)));
    EXPECT_EQ(shown[bad + 1].size(), static_cast<int>(BuildTranscript::DefaultMaxLineLength) + 1);
    EXPECT_EQ(shown[bad + 2], "after");
    // The view keeps up: the end of the output comes into sight.
    const QModelIndex lastRow = view->model()->index(view->model()->rowCount() - 1);
    EXPECT_TRUE(waitFor([&] { return view->list()->viewport()->rect().intersects(view->list()->visualRect(lastRow)); }));
}

TEST_F(BuildOutputViewTest, TheViewMenuItemAndTheDocksCloseButtonAgree)
{
    QAction* item = window->findChild<QAction*>("ViewBuildOutput");
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->text(), "Build &Output");
    EXPECT_TRUE(item->isCheckable());
    item->trigger();
    EXPECT_TRUE(view->isVisible());
    EXPECT_TRUE(item->isChecked());
    view->close();
    EXPECT_FALSE(item->isChecked());
    EXPECT_FALSE(output().visible());
    EXPECT_EQ(window->dockWidgetArea(view), Qt::BottomDockWidgetArea);
    app->writeSettings();
    EXPECT_EQ(settings.values["build output panel"], "0");
}

TEST_F(BuildOutputViewTest, ThePanelAndTheErrorLogsGoToErrorShareOneWindowOnTheFile)
{
    ASSERT_TRUE(app->projectCommands().Openpro(DemoInstaller::FaultyProject));
    app->controls()["BuildAll1"].activate();
    ASSERT_TRUE(waitFor([&] { return ended(); })) << rows().join('\n').toStdString();
    ASSERT_TRUE(timers.fire(BuildRun::CompileTimerMs));
    QListView* list = view->list();
    const QModelIndex errorIndex = view->model()->index(rowOf("\"main.c\",17  Error["));
    list->scrollTo(errorIndex);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(errorIndex).center());
    ASSERT_EQ(app->editors().count(), 1);
    TCodeEd& ed = *app->editors().windows().front();
    QApplication::processEvents();
    auto* area = window->findChild<EditorAreaView*>("EditorAreaView");
    CodeEditorWidget* editor = area->windowOf(&ed)->editor();
    editor->moveCursor(QTextCursor::Start);

    // "Check a File for Errors", the first error picked, "GoTo Error".
    dialogs.dialogScripts.push_back(
        [this](OwnDialog& d) { return ErrorLogDialog::run(static_cast<TErrorLog&>(d), window.get()); });
    auto* timer = new QTimer(window.get());
    QObject::connect(timer, &QTimer::timeout, [timer] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog || dialog->objectName() != TErrorLog::Name || !dialog->isVisible())
            return;
        timer->stop();
        auto* errors = dialog->findChild<QListWidget*>("ErrorList");
        QTest::mouseClick(errors->viewport(), Qt::LeftButton, {}, errors->visualItemRect(errors->item(0)).center());
        QTest::mouseClick(dialog->findChild<QPushButton*>("GoToError"), Qt::LeftButton);
    });
    timer->start(20);
    dialogs.fileAnswers = {std::string("C:\\Tarnel\\Source\\main.lst")};
    app->controls()["ErrorcheckBtn"].activate();

    EXPECT_EQ(app->editors().count(), 1);
    EXPECT_EQ(editor->textCursor().blockNumber(), 16);
    EXPECT_EQ(editor->textCursor().selectedText(), "        delay(1000;");
    EXPECT_TRUE(dialogs.messages().empty()) << dialogs.messages().front();
}
