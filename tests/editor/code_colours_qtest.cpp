#include <QApplication>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <gtest/gtest.h>

#include "app/program_options.h"
#include "editor/editor_windows.h"
#include "editor/tcode_ed.h"
#include "editor/view/code_editor_widget.h"
#include "editor/view/code_editor_window.h"
#include "editor/view/code_highlighter.h"
#include "editor/view/qt_text_buffer.h"
#include "support/app_fixture.h"
#include "support/qt_runs.h"

namespace {

const std::string kSource =
    "/* Blink sample:\r\n"
    "   toggles the LED */\r\n"
    "#include \"io78320.h\"\r\n"
    "\r\n"
    "unsigned int blinks;\r\n"
    "void main(void)\r\n"
    "{\r\n"
    "    for (;;) { blinks++; delay(500); }\r\n"
    "}\r\n";

// One editor window of the program over the fake files, shown.
struct Window {
    explicit Window(AppFixture& f, bool colours = true) : app(f.app ? *f.app : f.make())
    {
        app.controls()[ProgramOptions::CodeColours].setChecked(colours);
        view.resize(700, 400);
        view.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&view));
    }
    CodeEditorWidget& editor() { return *view.editor(); }
    QTextBlock line(int n) { return editor().document()->findBlockByNumber(n); }
    void paint()
    {
        QApplication::processEvents();
        editor().viewport()->repaint();
        QApplication::processEvents();
    }
    // The colour laid over the first character of the text on that line, or none.
    QColor colourAt(int n, const QString& text)
    {
        const QTextBlock b = line(n);
        const int at = b.text().indexOf(text);
        for (const QTextLayout::FormatRange& r : b.layout()->formats())
            if (at >= r.start && at < r.start + r.length)
                return r.format.foreground().color();
        return {};
    }
    bool anyColour()
    {
        for (QTextBlock b = editor().document()->begin(); b.isValid(); b = b.next())
            if (!b.layout()->formats().isEmpty())
                return true;
        return false;
    }

    TEmbedded& app;
    TCodeEd& ed = app.editors().create();
    CodeEditorWindow view{app, ed};
};

QColor colour(TokenKind k)
{
    return CodeHighlighter::colour(k);
}

struct CodeColoursTest : ::testing::Test {
    AppFixture f;
    CodeColoursTest()
    {
        f.fake.files.put("C:\\W\\main.c", kSource);
        f.fake.files.put("C:\\W\\boot.s25", "; entry\r\nspin:   DB 'x',0\r\n");
        f.fake.files.put("C:\\W\\LK7832SL.xcl", "-Z(CODE)CODE=1000-7FFF\r\n");
    }
    ~CodeColoursTest() override { QtTextBuffer::setSliceLoadingFrom(4 * 1024 * 1024); }
};

TEST_F(CodeColoursTest, ShownLinesAreColouredAndNothingTheUserSeesOfTheTextChanges)
{
    // The same file in a window without colours first: what the user sees of the text.
    struct Seen {
        std::string text;
        int selStart, selLength;
        std::vector<std::string> panels;
        bool modified, undo;
    };
    auto seen = [](Window& w) {
        Seen s{w.ed.buffer().text(), w.ed.buffer().selStart(), w.ed.buffer().selLength(), {},
               w.ed.buffer().modified(), w.editor().document()->isUndoAvailable()};
        for (int panel = 1; panel <= 6; ++panel)
            s.panels.push_back(w.ed.panel(panel).text);
        return s;
    };
    Seen plain;
    {
        Window w(f, false);
        w.ed.OpenAtLine("C:\\W\\main.c", 8);
        w.paint();
        EXPECT_FALSE(w.anyColour());
        plain = seen(w);
    }
    Window w(f, true);
    w.ed.OpenAtLine("C:\\W\\main.c", 8);
    w.paint();

    EXPECT_EQ(w.colourAt(0, "Blink"), colour(TokenKind::Comment));
    EXPECT_EQ(w.colourAt(1, "toggles"), colour(TokenKind::Comment)) << "a comment over two lines";
    EXPECT_EQ(w.colourAt(2, "#include"), colour(TokenKind::Preprocessor));
    EXPECT_EQ(w.colourAt(2, "\"io"), colour(TokenKind::String));
    EXPECT_EQ(w.colourAt(4, "unsigned"), colour(TokenKind::Type));
    EXPECT_EQ(w.colourAt(7, "for"), colour(TokenKind::Keyword));
    EXPECT_EQ(w.colourAt(7, "500"), colour(TokenKind::Number));
    EXPECT_FALSE(w.colourAt(4, "blinks").isValid());

    const Seen coloured = seen(w);
    EXPECT_EQ(coloured.text, kSource);
    EXPECT_EQ(coloured.text, plain.text);
    EXPECT_EQ(coloured.selStart, static_cast<int>(kSource.find("    for")));
    EXPECT_EQ(coloured.selStart, plain.selStart);
    EXPECT_EQ(coloured.selLength, plain.selLength);
    EXPECT_EQ(coloured.panels, plain.panels);
    EXPECT_FALSE(coloured.modified);
    EXPECT_FALSE(coloured.undo) << "colouring is no edit";

    ASSERT_TRUE(w.ed.Save1Click());
    EXPECT_EQ(f.text("C:\\W\\main.c"), kSource);
}

TEST_F(CodeColoursTest, TheOptionTakesColoursGutterAndLineMarkAwayAndBringsThemBack)
{
    Window w(f);
    w.ed.OpenAtLine("C:\\W\\main.c", 0);
    w.paint();
    Control& option = w.app.controls()[ProgramOptions::CodeColours];
    EXPECT_TRUE(w.editor().decorated());
    EXPECT_TRUE(w.editor().gutter()->isVisible());
    const int margin = w.editor().viewport()->geometry().left();
    EXPECT_GE(margin, w.editor().gutter()->width());

    option.setChecked(false);
    w.paint();
    EXPECT_FALSE(w.anyColour());
    EXPECT_FALSE(w.editor().decorated());
    EXPECT_FALSE(w.editor().gutter()->isVisible());
    EXPECT_LT(w.editor().viewport()->geometry().left(), margin);

    option.setChecked(true);
    w.paint();
    EXPECT_EQ(w.colourAt(4, "unsigned"), colour(TokenKind::Type));
    EXPECT_TRUE(w.editor().gutter()->isVisible());
    EXPECT_EQ(w.editor().viewport()->geometry().left(), margin);
    EXPECT_FALSE(w.ed.buffer().modified());
}

TEST_F(CodeColoursTest, OpeningACommentRecoloursTheLinesBelowAndUndoPutsThemBack)
{
    Window w(f);
    w.ed.OpenAtLine("C:\\W\\main.c", 0);
    w.paint();
    w.ed.buffer().setSelection(static_cast<int>(kSource.find("unsigned")), 0);
    QTest::keyClicks(&w.editor(), "/*");
    w.paint();
    EXPECT_EQ(w.colourAt(4, "unsigned"), colour(TokenKind::Comment));
    EXPECT_EQ(w.colourAt(7, "for"), colour(TokenKind::Comment)) << "still open further down";

    QTest::keyClick(&w.editor(), Qt::Key_Z, Qt::ControlModifier);
    w.paint();
    EXPECT_EQ(w.ed.buffer().text(), kSource);
    EXPECT_EQ(w.colourAt(4, "unsigned"), colour(TokenKind::Type));
    EXPECT_EQ(w.colourAt(7, "for"), colour(TokenKind::Keyword));
}

TEST_F(CodeColoursTest, ColoursFollowTheKindOfFileAndOtherFilesGetLineNumbersOnly)
{
    Window assembler(f);
    assembler.ed.OpenAtLine("C:\\W\\boot.s25", 0);
    assembler.paint();
    EXPECT_EQ(assembler.colourAt(0, "; entry"), colour(TokenKind::Comment));
    EXPECT_EQ(assembler.colourAt(1, "spin"), colour(TokenKind::Label));
    EXPECT_EQ(assembler.colourAt(1, "DB"), colour(TokenKind::Directive));

    Window command(f);
    command.ed.OpenAtLine("C:\\W\\LK7832SL.xcl", 0);
    command.paint();
    EXPECT_FALSE(command.anyColour());
    EXPECT_TRUE(command.editor().gutter()->isVisible());

    // A window named as a C file is coloured from its first typed line on.
    Window named(f);
    named.ed.NewNamedFile("C:\\W\\new.c");
    QTest::keyClicks(&named.editor(), "int x;");
    named.paint();
    EXPECT_EQ(named.colourAt(0, "int"), colour(TokenKind::Type));
}

TEST_F(CodeColoursTest, ALargeFileLoadedInSlicesIsColouredWhereItIsShown)
{
    std::string big;
    for (int i = 0; i < 4000; ++i)
        big += "/* line " + std::to_string(i) + " */ int value" + std::to_string(i) + " = " + std::to_string(i) + ";\r\n";
    f.fake.files.put("C:\\W\\big.c", big);
    QtTextBuffer::setSliceLoadingFrom(1000);
    Window w(f);
    w.ed.OpenAtLine("C:\\W\\big.c", 3000);
    ASSERT_TRUE(waitFor([&] { return !w.view.buffer()->loading(); }));
    w.paint();
    const int shown = w.editor().cursorForPosition(QPoint(5, 5)).blockNumber();
    EXPECT_GT(shown, 2900);
    EXPECT_EQ(w.colourAt(shown, "int"), colour(TokenKind::Type));
    EXPECT_EQ(w.ed.buffer().text(), big);
    EXPECT_FALSE(w.ed.buffer().modified());
}

TEST_F(CodeColoursTest, TheGutterFitsTheLastLineNumberOnceASlicedLoadEnds)
{
    std::string big;
    for (int i = 0; i < 120000; ++i)
        big += "x;\r\n";
    f.fake.files.put("C:\\W\\big.c", big);
    Window whole(f);
    whole.ed.OpenAtLine("C:\\W\\big.c", 0);
    QtTextBuffer::setSliceLoadingFrom(1000);
    Window sliced(f);
    sliced.ed.OpenAtLine("C:\\W\\big.c", 0);
    ASSERT_TRUE(sliced.view.buffer()->loading());
    const int whileLoading = sliced.editor().gutter()->width();
    ASSERT_TRUE(waitFor([&] { return !sliced.view.buffer()->loading(); }));
    EXPECT_GT(sliced.editor().gutter()->width(), whileLoading);
    EXPECT_EQ(sliced.editor().gutter()->width(), whole.editor().gutter()->width());
    EXPECT_GE(sliced.editor().viewport()->geometry().left(), sliced.editor().gutter()->width());
}

}  // namespace
