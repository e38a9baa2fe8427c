#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <QPushButton>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <QKeyEvent>
#include <QTest>
#include <QTextBlock>
#include <cctype>
#include <gtest/gtest.h>

#include "app/view/main_window.h"
#include "editor/editor_windows.h"
#include "editor/tcode_ed.h"
#include "editor/view/code_editor_widget.h"
#include "editor/view/code_editor_window.h"
#include "editor/view/editor_area_view.h"
#include "editor/view/editor_printing.h"
#include "editor/view/font_dialog_view.h"
#include "editor/view/qt_text_buffer.h"
#include "editor/view/search_dialog_view.h"
#include "editor/open_dialog.h"
#include "platform/paths/drive_map.h"
#include "platform/qt/qt_dialogs.h"
#include "support/app_fixture.h"
#include "support/qt_runs.h"
#include "support/temp_prefix.h"

namespace {

struct EditorViewTest : ::testing::Test {
    AppFixture f;
    TEmbedded& app = f.make();
    MainWindow window{app};
    EditorAreaView* area = window.findChild<EditorAreaView*>("EditorAreaView");
    EditorWindows& eds = app.editors();

    EditorViewTest()
    {
        EXPECT_TRUE(showActive(window));
        app.settings().compSource = "C:\\Tarnel\\Source";
    }
    ~EditorViewTest() override { QtTextBuffer::setSliceLoadingFrom(4 * 1024 * 1024); }

    TCodeEd& open(const std::string& path, const std::string& bytes, int line = 0)
    {
        f.fake.files.put(path, bytes);
        TCodeEd& ed = eds.create();
        ed.OpenAtLine(path, line);
        return ed;
    }
    CodeEditorWindow* view(const TCodeEd& ed) { return area->windowOf(&ed); }
    CodeEditorWidget* editor(const TCodeEd& ed) { return view(ed)->editor(); }
    QStringList bar() const
    {
        QStringList out;
        for (QAction* a : window.menuBar()->actions())
            if (a->isVisible())
                out << a->text();
        return out;
    }
    QAction* editorAction(const TCodeEd& ed, const char* name) { return view(ed)->findChild<QAction*>(name); }
};

const QStringList kMainBar = {"&File", "Project", "&Edit Batch", "Compile", "&View", "Options", "Program",
                              "Tools", "Linker Cmd File", "&Assembler", "&Help"};

TEST_F(EditorViewTest, MergedMenuBarFollowsTheActiveEditorAndComesBackWithoutOne)
{
    EXPECT_EQ(bar(), kMainBar);
    app.controls()["Window1"].setVisible(true);
    TCodeEd& a = open("C:\\W\\a.c", "a\r\n");
    const QStringList merged = {"&File", "Project", "&Edit Batch", "&Edit", "Search", "Options", "Window",
                                "Program", "Tools", "Linker Cmd File", "&Assembler", "&Help"};
    EXPECT_EQ(bar(), merged);
    EXPECT_EQ(window.menuBar()->actions().first()->menu(), view(a)->menu("File1"));
    TCodeEd& b = open("C:\\W\\b.c", "b\r\n");
    EXPECT_EQ(eds.active(), &b);
    EXPECT_EQ(window.menuBar()->actions().first()->menu(), view(b)->menu("File1"));
    b.close();
    EXPECT_TRUE(waitFor([&] { return eds.active() == &a; }));
    EXPECT_EQ(bar(), merged);
    EXPECT_EQ(window.menuBar()->actions().first()->menu(), view(a)->menu("File1"));
    editorAction(a, "Close1")->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(eds.count(), 0);
    QStringList back = kMainBar;
    back.insert(6, "Window");
    EXPECT_EQ(bar(), back);
    EXPECT_TRUE(window.mdiArea()->subWindowList().isEmpty());
}

TEST_F(EditorViewTest, MainItemsKeepTheirKeysWhileTheirMenuIsOutOfTheBar)
{
    QAction* build = window.findChild<QAction*>("BuildAll1");
    ASSERT_NE(build, nullptr);
    open("C:\\W\\a.c", "a");
    EXPECT_TRUE(window.actions().contains(build));
}

TEST_F(EditorViewTest, WindowMenuListsTheWindowsAndActivatesThePickedOne)
{
    TCodeEd& a = open("C:\\W\\a.c", "a");
    open("C:\\W\\b.c", "b");
    area->rebuildWindowList();
    auto* menu = window.findChild<QMenu*>("Window1");
    QStringList texts;
    for (QAction* act : menu->actions())
        texts << (act->isSeparator() ? "|" : act->text());
    EXPECT_EQ(texts, (QStringList{"Tile", "Cascade", "Arrange", "|", "&1 a.c", "&2 b.c"}));
    EXPECT_TRUE(window.findChild<QAction*>("WindowListEntry2")->isChecked());
    window.findChild<QAction*>("WindowListEntry1")->trigger();
    EXPECT_EQ(window.mdiArea()->activeSubWindow(), area->subWindowOf(&a));
    EXPECT_EQ(eds.active(), &a);
}

TEST_F(EditorViewTest, NewWindowIs572By318AndTileMakesFullWidthStrips)
{
    TCodeEd& a = eds.create();
    EXPECT_EQ(area->subWindowOf(&a)->size(), QSize(572, 318));
    EXPECT_EQ(area->subWindowOf(&a)->windowTitle(), "Code Editor");
    TCodeEd& b = eds.create();
    app.controls()["Tile1"].activate();
    const QRect viewport = window.mdiArea()->viewport()->rect();
    const QRect ga = area->subWindowOf(&a)->geometry();
    const QRect gb = area->subWindowOf(&b)->geometry();
    EXPECT_EQ(ga.width(), viewport.width());
    EXPECT_EQ(gb.width(), viewport.width());
    EXPECT_EQ(ga.top(), 0);
    EXPECT_EQ(gb.top(), ga.bottom() + 1);
    EXPECT_EQ(gb.bottom(), viewport.bottom());
}

TEST_F(EditorViewTest, NewWindowFitsAnAreaSmallerThanItsUsualSize)
{
    window.resize(1000, 330);
    ASSERT_TRUE(waitFor([&] { return window.mdiArea()->viewport()->height() < 318; }));
    const QRect viewport = window.mdiArea()->viewport()->rect();
    TCodeEd& a = eds.create();
    const QRect g = area->subWindowOf(&a)->geometry();
    EXPECT_TRUE(viewport.contains(g)) << g.x() << "," << g.y() << " " << g.width() << "x" << g.height();
    EXPECT_EQ(g.width(), 572);
}

TEST_F(EditorViewTest, ArrangeLinesMinimizedWindowsUpAlongTheBottom)
{
    TCodeEd& a = eds.create();
    TCodeEd& b = eds.create();
    for (TCodeEd* ed : {&a, &b}) {
        area->subWindowOf(ed)->showMinimized();
        area->subWindowOf(ed)->move(300, 100);
    }
    app.controls()["Arrange1"].activate();
    const QRect viewport = window.mdiArea()->viewport()->rect();
    const QRect ga = area->subWindowOf(&a)->geometry();
    const QRect gb = area->subWindowOf(&b)->geometry();
    EXPECT_EQ(ga.topLeft(), QPoint(0, viewport.height() - ga.height()));
    EXPECT_EQ(gb.topLeft(), QPoint(ga.width(), ga.top()));
}

TEST_F(EditorViewTest, FindAndReplaceThroughTheirDialogs)
{
    TCodeEd& ed = open("C:\\W\\a.c", "int main;\r\nMAIN();\r\nmain();\r\n");
    editorAction(ed, "Find1")->trigger();
    SearchDialogView* find = view(ed)->findView();
    ASSERT_NE(find, nullptr);
    EXPECT_TRUE(find->isVisible());
    EXPECT_FALSE(find->findNextButton()->isEnabled());
    QTest::keyClicks(find->findField(), "main");
    QTest::mouseClick(find->findNextButton(), Qt::LeftButton);
    EXPECT_EQ(editor(ed)->textCursor().selectedText(), "main");
    QTest::mouseClick(find->findNextButton(), Qt::LeftButton);
    EXPECT_EQ(editor(ed)->textCursor().selectedText(), "MAIN");
    EXPECT_EQ(editor(ed)->textCursor().blockNumber(), 1);
    find->findChild<QPushButton*>("Cancel")->click();
    EXPECT_FALSE(find->isVisible());
    EXPECT_FALSE(ed.findDialog().shown());

    editorAction(ed, "Replace1")->trigger();
    SearchDialogView* replace = view(ed)->replaceView();
    ASSERT_NE(replace, nullptr);
    EXPECT_TRUE(replace->isVisible());
    QTest::keyClicks(replace->findField(), "main");
    QTest::keyClicks(replace->replaceField(), "entry");
    QTest::mouseClick(replace->replaceAllButton(), Qt::LeftButton);
    EXPECT_EQ(ed.buffer().text(), "int entry;\r\nMAIN();\r\nentry();\r\n");
    EXPECT_EQ(view(ed)->findChild<QLabel*>("Panel6")->text(), "Replaced 2");
    // All of them go back with one undo.
    QTest::keyClick(editor(ed), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(ed.buffer().text(), "int main;\r\nMAIN();\r\nmain();\r\n");
    QTest::mouseClick(replace->replaceButton(), Qt::LeftButton);
    EXPECT_EQ(ed.buffer().text(), "int entry;\r\nMAIN();\r\nmain();\r\n");
    QTest::mouseClick(replace->replaceButton(), Qt::LeftButton);
    EXPECT_EQ(ed.buffer().text(), "int entry;\r\nMAIN();\r\nentry();\r\n");
    QTest::mouseClick(replace->replaceButton(), Qt::LeftButton);
    EXPECT_EQ(f.fake.dialogs.messages(), (std::vector<std::string>{"Not found \"main"}));
    EXPECT_TRUE(ed.buffer().modified());
}

TEST_F(EditorViewTest, PrintsTheWholeTextToAPdfFileAsOneJobTitledWithTheFileName)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath("out.pdf");
    int dialogs = 0;
    editorprint::setDialogRunner([&](QPrinter& p, QWidget*) {
        ++dialogs;
        p.setOutputFormat(QPrinter::PdfFormat);
        p.setOutputFileName(pdf);
        return true;
    });
    std::string text;
    for (int i = 0; i < 200; ++i)
        text += "line " + std::to_string(i) + "\r\n";
    TCodeEd& ed = open("C:\\Work Dir\\main.c", text);
    editorAction(ed, "Print1")->trigger();
    editorprint::setDialogRunner(nullptr);
    EXPECT_EQ(dialogs, 1);
    EXPECT_EQ(editorprint::printer().docName(), "C:\\Work Dir\\main.c");
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    // Every line printed: 200 lines take more than one page.
    const qsizetype count = bytes.indexOf("/Count ");
    ASSERT_GE(count, 0);
    qsizetype end = count + 7;
    while (end < bytes.size() && std::isdigit(static_cast<unsigned char>(bytes[end])))
        ++end;
    EXPECT_GE(bytes.mid(count + 7, end - count - 7).toInt(), 2);
}

TEST_F(EditorViewTest, TwoMebibyteFileOpensAtLine60000)
{
    std::string text;
    for (int i = 1; i <= 65000; ++i) {
        std::string line = i == 60000 ? "    target = lookup(table, 60000); /* the one */"
                                      : "    value = compute(table, " + std::to_string(i) + "); /* filler text */";
        line.resize(30, ' ');
        text += line + std::string(2, ' ');
        while (text.size() % 32 != 30)
            text += ' ';
        text += "\r\n";
    }
    ASSERT_GE(text.size(), 2u * 1024 * 1024 - 65000);
    TCodeEd& ed = open("C:\\W\\big.c", text, 60000);
    EXPECT_TRUE(f.fake.dialogs.messages().empty());
    EXPECT_EQ(ed.buffer().lineOfPosition(ed.buffer().selStart()), 59999);
    EXPECT_EQ(editor(ed)->textCursor().blockNumber(), 59999);
    EXPECT_EQ(ed.panel(2).text, "65000");
    EXPECT_EQ(ed.panel(1).text, "Line: 60000   Col:   1");
    EXPECT_TRUE(waitFor([&] { return editor(ed)->viewport()->rect().contains(editor(ed)->cursorRect()); }));
    ed.Save1Click();
    EXPECT_EQ(f.text("C:\\W\\big.c"), text);
}

TEST_F(EditorViewTest, ControlKeepsEveryByteAndCountsBreaksAsCrLf)
{
    std::string bytes;
    for (int c = 0; c < 256; ++c)
        if (c != '\r' && c != '\n')
            bytes += static_cast<char>(c);
    bytes += "\r\nsecond\r\n";
    TCodeEd& ed = open("C:\\W\\bytes.bin", bytes);
    EXPECT_EQ(ed.buffer().text(), bytes);
    EXPECT_EQ(ed.buffer().length(), static_cast<int>(bytes.size()));
    EXPECT_EQ(ed.buffer().lineStart(1), 256);
    EXPECT_EQ(ed.buffer().lineText(1), "second");
    ed.buffer().setSelection(256, 6);
    EXPECT_EQ(editor(ed)->textCursor().selectedText(), "second");
    EXPECT_EQ(ed.buffer().selStart(), 256);
    EXPECT_EQ(ed.buffer().lineOfPosition(255), 0);
    ed.Save1Click();
    EXPECT_EQ(f.text("C:\\W\\bytes.bin"), bytes);
}

TEST_F(EditorViewTest, TypedAndPastedTextIsSingleByteWithPlainBreaks)
{
    TCodeEd& ed = eds.create();
    CodeEditorWidget* w = editor(ed);
    w->setFocus();
    QTest::keyClicks(w, "ab");
    QTest::keyClick(w, Qt::Key_Return, Qt::ShiftModifier);
    for (const QString& key : {QString("c"), QString::fromUtf8("\u20AC"), QString::fromUtf8("\u00E9")}) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, key);
        QApplication::sendEvent(w, &press);
    }
    QApplication::clipboard()->setText(QString::fromUtf8("x\u2028y\r\nz"));
    ed.Paste1Click();
    EXPECT_EQ(ed.buffer().text(), "ab\r\nc?\xE9x\r\ny\r\nz");
    EXPECT_EQ(ed.buffer().lineCount(), 4);
}

TEST_F(EditorViewTest, LengthLimitStopsTypingInALoadedFileThatFillsIt)
{
    std::string full(2'000'000, 'x');
    for (std::size_t i = 98; i + 2 < full.size(); i += 100)
        full.replace(i, 2, "\r\n");
    TCodeEd& ed = open("C:\\W\\full.c", full);
    CodeEditorWidget* w = editor(ed);
    w->setFocus();
    w->moveCursor(QTextCursor::End);
    QTest::keyClicks(w, "y");
    EXPECT_EQ(ed.buffer().length(), 2'000'000);
    QTest::keyClick(w, Qt::Key_Backspace);
    QTest::keyClicks(w, "yz");
    EXPECT_EQ(ed.buffer().length(), 2'000'000);
    EXPECT_EQ(ed.buffer().text().substr(1'999'998), "xy");
}

TEST_F(EditorViewTest, FirstKeyDoesNotMarkModifiedTheSecondDoes)
{
    TCodeEd& ed = open("C:\\W\\a.c", "int a;\r\n");
    CodeEditorWidget* w = editor(ed);
    w->setFocus();
    QTest::keyClick(w, Qt::Key_X);
    EXPECT_EQ(view(ed)->panel(4)->text(), "");
    QTest::keyClick(w, Qt::Key_Y);
    EXPECT_EQ(view(ed)->panel(4)->text(), "Modified");
    w->setFocus();
    QTest::keyClick(w, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(f.text("C:\\W\\a.c"), "xyint a;\r\n");
    EXPECT_EQ(view(ed)->panel(4)->text(), "");
}

TEST_F(EditorViewTest, CaretOnAnErrorLineSetsThePendingJumpForTheNextOpen)
{
    TCodeEd& out = open("C:\\Outputfile.txt", "icc78300\r\n\"main.c\",3  Error[5]: x\r\n");
    QTextCursor c = editor(out)->textCursor();
    c.setPosition(12);
    editor(out)->setTextCursor(c);
    EXPECT_EQ(view(out)->panel(3)->text(), "main.c");
    EXPECT_EQ(eds.pendingJumpLine, 3);
    f.fake.files.put("C:\\Tarnel\\Source\\ide.bat", "one\r\ntwo\r\nthree\r\n");
    app.controls()["EditBatch"].activate();
    TCodeEd& bat = *eds.windows().back();
    EXPECT_EQ(editor(bat)->textCursor().selectedText(), "three");
    EXPECT_EQ(view(bat)->panel(5)->text(), "3");
    EXPECT_EQ(editorAction(bat, "Locate")->text(), "Jump to 3");
}

TEST_F(EditorViewTest, WindowFrameCloseRunsTheCloseQuery)
{
    TCodeEd& ed = open("C:\\W\\a.c", "a");
    QTest::keyClicks(editor(ed), "xy");
    f.fake.dialogs.answers = {MsgAnswer::Cancel, MsgAnswer::No};
    area->subWindowOf(&ed)->close();
    QApplication::processEvents();
    EXPECT_EQ(eds.count(), 1);
    EXPECT_TRUE(area->subWindowOf(&ed)->isVisible());
    area->subWindowOf(&ed)->close();
    QApplication::processEvents();
    EXPECT_EQ(eds.count(), 0);
    EXPECT_EQ(f.fake.dialogs.messages().size(), 2u);
    EXPECT_EQ(f.text("C:\\W\\a.c"), "a");
}

TEST_F(EditorViewTest, LargeTextLoadsInSlicesAndIsSavedWholeMeanwhile)
{
    QtTextBuffer::setSliceLoadingFrom(1024);
    std::string text;
    for (int i = 0; i < 40000; ++i)
        text += "line " + std::to_string(i) + "\r\n";
    TCodeEd& ed = open("C:\\W\\large.c", text, 30000);
    auto* buffer = view(ed)->buffer();
    ASSERT_TRUE(buffer->loading());
    EXPECT_TRUE(editor(ed)->isReadOnly());
    EXPECT_EQ(ed.buffer().lineOfPosition(ed.buffer().selStart()), 29999);
    EXPECT_EQ(ed.panel(2).text, "40000");
    ed.Save1Click();
    EXPECT_EQ(f.text("C:\\W\\large.c"), text);
    ASSERT_TRUE(waitFor([&] { return !buffer->loading(); }));
    EXPECT_FALSE(editor(ed)->isReadOnly());
    EXPECT_EQ(editor(ed)->document()->blockCount(), 40001);
    EXPECT_EQ(editor(ed)->textCursor().blockNumber(), 29999);
    EXPECT_EQ(editor(ed)->textCursor().selectedText(), "line 29999");
    EXPECT_EQ(ed.buffer().text(), text);
    EXPECT_FALSE(ed.buffer().modified());
}

TEST_F(EditorViewTest, FontDialogOffersFiveToFifteenPoints)
{
    FontDialog dialog;
    FontDialogView view(dialog, nullptr);
    QStringList sizes;
    for (int i = 0; i < view.sizeList()->count(); ++i)
        sizes << view.sizeList()->item(i)->text();
    EXPECT_EQ(sizes, (QStringList{"5", "6", "7", "8", "9", "10", "11", "12", "13", "14", "15"}));
    EXPECT_GE(view.chosen().pointSize, 5);
    EXPECT_LE(view.chosen().pointSize, 15);
    view.sizeList()->setCurrentRow(10);
    EXPECT_EQ(view.chosen().pointSize, 15);
    EXPECT_FALSE(view.chosen().bold);
}

TEST_F(EditorViewTest, ChosenFontReachesTheControl)
{
    TCodeEd& ed = open("C:\\W\\a.c", "a");
    EXPECT_TRUE(editor(ed)->font().styleHint() == QFont::TypeWriter);
    EXPECT_EQ(editor(ed)->font().pixelSize(), 13);
    TCodeEd& fresh = eds.create();
    EXPECT_TRUE(editor(fresh)->font().bold());
}

}  // namespace

namespace {

TEST(OpenDialogOnQt, EachOfTheNineFiltersIsSelectedAndTheUsersChoiceComesBack)
{
    TempPrefix tmp;
    std::filesystem::create_directories(tmp.driveC() + "/Tarnel/Source");
    std::ofstream(tmp.driveC() + "/Tarnel/Source/LK7832SL.xcl") << "x";
    DriveMap map(tmp.path());
    QtDialogs dialogs(map);
    OpenDialog open;
    open.initialFolder = "C:\\Tarnel\\Source";
    open.fileName = "LK7832SL.xcl";
    for (int filter = 1; filter <= 9; ++filter) {
        open.filterIndex = filter;
        QString shown;
        onceModalIsUp<QFileDialog>([&](QFileDialog* d) {
            shown = d->selectedNameFilter();
            // The user switches to "Any File" before confirming.
            d->selectNameFilter(d->nameFilters().at(5));
            static_cast<QDialog*>(d)->accept();
        });
        ASSERT_EQ(open.Execute(dialogs), std::optional<std::string>("C:\\Tarnel\\Source\\LK7832SL.xcl"));
        EXPECT_TRUE(shown.startsWith(QString::fromLatin1(OpenDialog::filters()[filter - 1].description).simplified()))
            << filter << " " << shown.toStdString();
        EXPECT_EQ(open.filterIndex, 6);
        open.fileName = "LK7832SL.xcl";
    }
}

}  // namespace
