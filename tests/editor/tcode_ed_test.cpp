#include "editor_fixture.h"

namespace {

const char* const kJumpFailed = "Jump failed\rNo text at this location, file has been Modified ?";
const char* const kSource = "int a;\r\nint b;\r\n\r\nint c;\r\nint b;\r\n";

using TCodeEdTest = EditorFixture;

TEST_F(TCodeEdTest, NewWindowKeepsTheControlsInitialState)
{
    TCodeEd& ed = eds.create();
    EXPECT_EQ(ed.caption(), "Code Editor");
    EXPECT_EQ(ed.fileName(), "");
    EXPECT_EQ(ed.font(), (EditorFont{"Arial", 13, 0, true}));
    EXPECT_EQ(ed.fontDialog().font, (EditorFont{"Courier", 13}));
    EXPECT_EQ(ed.lengthLimit(), 200'000'000);
    const std::pair<std::string, int> panels[] = {{"Position", 120}, {"lines", 50}, {"", 130},
                                                  {"", 130},         {"", 50},      {"", 50}};
    for (int i = 1; i <= 6; ++i) {
        EXPECT_EQ(ed.panel(i).text, panels[i - 1].first);
        EXPECT_EQ(ed.panel(i).width, panels[i - 1].second);
    }
    EXPECT_EQ(ed.controls()["Locate"].caption(), "Jump to");
    EXPECT_TRUE(ed.controls()["Locate"].enabled());
    EXPECT_EQ(ed.controls()["SaveOutputFileto"].caption(), "Save &Output File to");
}

TEST_F(TCodeEdTest, OpenedFileTakesTheDialogsFontTheLimitCaptionAndLineCount)
{
    TCodeEd& ed = open("C:\\Work\\main.c", kSource, 0);
    EXPECT_EQ(ed.caption(), "main.c");
    EXPECT_EQ(ed.fileName(), "C:\\Work\\main.c");
    EXPECT_EQ(ed.font(), ed.fontDialog().font);
    EXPECT_EQ(ed.lengthLimit(), 2'000'000);
    EXPECT_EQ(ed.panel(2).text, "5");
    EXPECT_EQ(ed.buffer().text(), kSource);
    EXPECT_FALSE(ed.buffer().modified());
}

TEST_F(TCodeEdTest, OpeningBelowLineTwoShowsTheTopAndDisablesJump)
{
    for (int line : {0, 1, -3}) {
        TCodeEd& ed = open("C:\\Work\\main.c", kSource, line);
        EXPECT_EQ(ed.buffer().selStart(), 0);
        EXPECT_EQ(ed.buffer().selLength(), 0);
        EXPECT_EQ(ed.controls()["Locate"].caption(), "Jump ");
        EXPECT_FALSE(ed.controls()["Locate"].enabled());
        EXPECT_EQ(ed.panel(5).text, "");
    }
    EXPECT_TRUE(messages().empty());
}

TEST_F(TCodeEdTest, JumpFindsTheLinesTextNotItsPosition)
{
    // Line 5 reads as line 2 does, so the first occurrence (line 2's) is selected.
    TCodeEd& ed = open("C:\\Work\\main.c", kSource, 5);
    EXPECT_EQ(ed.panel(5).text, "5");
    EXPECT_EQ(ed.controls()["Locate"].caption(), "Jump to 5");
    EXPECT_TRUE(ed.controls()["Locate"].enabled());
    EXPECT_EQ(ed.buffer().selStart(), 8);
    EXPECT_EQ(selected(ed), "int b;");
    // Each further click selects the next occurrence, then asks to restart.
    ed.controls()["Locate"].activate();
    EXPECT_EQ(ed.buffer().selStart(), 26);
    dialogs.answers = {MsgAnswer::Yes};
    ed.controls()["Locate"].activate();
    EXPECT_EQ(messages(), (std::vector<std::string>{"Search Failed, Re-start at Top int b;"}));
    EXPECT_EQ(dialogs.calls.back().buttons, MsgButtons::YesCancel);
    EXPECT_EQ(ed.buffer().selStart(), 8);
}

TEST_F(TCodeEdTest, JumpToAnEmptyOrMissingLineFails)
{
    for (int line : {3, 6, 99}) {
        dialogs.calls.clear();
        TCodeEd& ed = open("C:\\Work\\main.c", kSource, line);
        EXPECT_EQ(messages(), (std::vector<std::string>{kJumpFailed})) << line;
        EXPECT_EQ(ed.buffer().selStart(), 0);
        EXPECT_EQ(ed.buffer().selLength(), 0);
    }
}

TEST_F(TCodeEdTest, JumpSearchesALineOfBlanks)
{
    TCodeEd& ed = open("C:\\Work\\a.c", "x\r\n   \r\nint  y;\r\n", 2);
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(ed.buffer().selStart(), 3);
    EXPECT_EQ(ed.buffer().selLength(), 3);
}

TEST_F(TCodeEdTest, JumpWithoutAJumpLineFails)
{
    TCodeEd& ed = eds.create();
    ed.controls()["Locate"].activate();
    EXPECT_EQ(messages(), (std::vector<std::string>{kJumpFailed}));
}

TEST_F(TCodeEdTest, FailedSearchAsksAgainUntilCancel)
{
    TCodeEd& ed = open("C:\\Work\\main.c", kSource);
    ed.findDialog().findText = "nowhere";
    dialogs.answers = {MsgAnswer::Yes, MsgAnswer::Yes, MsgAnswer::Cancel};
    buf(ed).setSelection(10, 2);
    ed.Find(FindSource::FindDialog);
    EXPECT_EQ(messages().size(), 3u);
    EXPECT_EQ(messages()[0], "Search Failed, Re-start at Top nowhere");
    // Yes put the caret at the top; Cancel left it there.
    EXPECT_EQ(ed.buffer().selStart(), 0);
    EXPECT_EQ(ed.buffer().selLength(), 0);
}

TEST_F(TCodeEdTest, FailedSearchRestartedWithYesFindsFromTheTop)
{
    TCodeEd& ed = open("C:\\Work\\main.c", kSource);
    ed.findDialog().findText = "INT A";
    buf(ed).setSelection(20, 0);
    dialogs.answers = {MsgAnswer::Yes};
    ed.Find(FindSource::FindDialog);
    EXPECT_EQ(messages().size(), 1u);
    EXPECT_EQ(ed.buffer().selStart(), 0);
    EXPECT_EQ(selected(ed), "int a");
}

TEST_F(TCodeEdTest, CancelledRestartLeavesTheSelection)
{
    TCodeEd& ed = open("C:\\Work\\main.c", kSource);
    ed.findDialog().findText = "int a";
    buf(ed).setSelection(9, 3);
    dialogs.answers = {MsgAnswer::Cancel};
    ed.Find(FindSource::FindDialog);
    EXPECT_EQ(ed.buffer().selStart(), 9);
    EXPECT_EQ(ed.buffer().selLength(), 3);
}

TEST_F(TCodeEdTest, FindStartsAtTheTopAndIgnoresCase)
{
    FakeEditorPlatform platform;
    TCodeEd& ed = open("C:\\Work\\main.c", "int main;\r\nMAIN();\r\nmain();\r\n");
    ed.attach(&ed.buffer(), &platform);
    buf(ed).setSelection(25, 0);
    ed.Find1Click();
    EXPECT_TRUE(ed.findDialog().shown());
    EXPECT_EQ(ed.findDialog().position.x, 100 + 286);
    EXPECT_EQ(ed.findDialog().position.y, 50 + 300);
    EXPECT_EQ(ed.buffer().selStart(), 0);
    ed.findDialog().findText = "MAIN";
    ed.Find(FindSource::FindDialog);
    EXPECT_EQ(ed.buffer().selStart(), 4);
    ed.Find(FindSource::FindDialog);
    EXPECT_EQ(ed.buffer().selStart(), 11);
    ed.Find(FindSource::FindDialog);
    EXPECT_EQ(ed.buffer().selStart(), 20);
    // The replace dialog's Find Next searches for its own text.
    ed.replaceDialog().findText = "int";
    ed.Find(FindSource::ReplaceDialog);
    EXPECT_EQ(messages().size(), 1u);
}

TEST_F(TCodeEdTest, ReplaceDistinguishesCaseAndActsOnTheFirstOccurrenceOncePerPress)
{
    FakeEditorPlatform platform;
    TCodeEd& ed = open("C:\\Work\\main.c", "Main main\r\nmain\r\n");
    ed.attach(&ed.buffer(), &platform);
    ed.Replace1Click();
    EXPECT_TRUE(ed.replaceDialog().shown());
    EXPECT_EQ(ed.replaceDialog().position.x, 100 + 572);
    EXPECT_EQ(ed.replaceDialog().position.y, 50);
    ed.replaceDialog().findText = "main";
    ed.replaceDialog().replaceText = "entry";
    buf(ed).setSelection(12, 0);  // the caret's place does not matter
    ed.ReplaceDialogReplace();
    EXPECT_EQ(ed.buffer().text(), "Main entry\r\nmain\r\n");
    EXPECT_TRUE(ed.buffer().modified());
    ed.ReplaceDialogReplace();
    EXPECT_EQ(ed.buffer().text(), "Main entry\r\nentry\r\n");
    ed.ReplaceDialogReplace();
    EXPECT_EQ(messages(), (std::vector<std::string>{"Not found \"main"}));
    ed.replaceDialog().findText = "";
    ed.ReplaceDialogReplace();
    EXPECT_EQ(messages().back(), "Not found \"");
}

TEST_F(TCodeEdTest, ReplaceAllReplacesEveryOccurrenceInOnePressAndCountsThem)
{
    const struct {
        const char* text;
        const char* find;
        const char* with;
        const char* after;
        const char* panel;
    } rows[] = {
        {"main Main\r\nmain();\r\nmain", "main", "entry", "entry Main\r\nentry();\r\nentry", "Replaced 3"},
        {"aaaa", "aa", "b", "bb", "Replaced 2"},
        {"a.a", "a", "aa", "aa.aa", "Replaced 2"},
        {"Main", "main", "entry", "Main", ""},
    };
    int n = 0;
    for (const auto& r : rows) {
        TCodeEd& ed = open("C:\\Work\\r" + std::to_string(++n) + ".c", r.text);
        ed.replaceDialog().findText = r.find;
        ed.replaceDialog().replaceText = r.with;
        const std::size_t before = messages().size();
        ed.ReplaceDialogReplaceAll();
        EXPECT_EQ(ed.buffer().text(), r.after) << r.text;
        EXPECT_EQ(ed.panel(6).text, r.panel) << r.text;
        EXPECT_EQ(messages().size() - before, *r.panel ? 0u : 1u) << r.text;
    }
    EXPECT_EQ(messages().back(), "Not found \"main");
}

TEST_F(TCodeEdTest, CaretMovesWriteThePanelsAndThePendingJumpValues)
{
    TCodeEd& ed = open("C:\\Work\\err.lst", "listing\r\n\"main.c\",42  Error[1]: x\r\n");
    buf(ed).setSelection(13, 0);
    ed.CodeEditorSelectionChange();
    EXPECT_EQ(ed.panel(1).text, "Line:   2   Col:   5");
    EXPECT_EQ(ed.panel(3).text, "main.c");
    EXPECT_EQ(eds.pendingJumpLine, 42);
    EXPECT_EQ(eds.pendingJumpFile, "main.c");
    buf(ed).setSelection(2, 0);
    ed.CodeEditorSelectionChange();
    EXPECT_EQ(ed.panel(1).text, "Line:   1   Col:   3");
    EXPECT_EQ(ed.panel(3).text, "");
    EXPECT_EQ(eds.pendingJumpLine, 0);
}

TEST_F(TCodeEdTest, FirstKeyPressDoesNotShowModifiedTheNextDoes)
{
    TCodeEd& ed = open("C:\\Work\\main.c", kSource);
    ed.CodeEditorKeyPress('x');
    buf(ed).type("x");
    EXPECT_EQ(ed.panel(4).text, "");
    ed.CodeEditorKeyPress('y');
    EXPECT_EQ(ed.panel(4).text, "Modified");
    // A save clears it again.
    ed.Save1Click();
    EXPECT_EQ(ed.panel(4).text, "");
}

TEST_F(TCodeEdTest, SaveWritesTheWholeTextWhetherModifiedOrNot)
{
    TCodeEd& ed = open("C:\\Work\\main.c", "a\nb");
    const int before = f.fake.files.writeCount("C:\\Work\\main.c");
    EXPECT_TRUE(ed.Save1Click());
    EXPECT_EQ(f.fake.files.writeCount("C:\\Work\\main.c"), before + 1);
    EXPECT_EQ(f.text("C:\\Work\\main.c"), "a\r\nb");
    buf(ed).type("// ");
    EXPECT_TRUE(ed.Save1Click());
    EXPECT_EQ(f.text("C:\\Work\\main.c"), "// a\r\nb");
    EXPECT_FALSE(ed.buffer().modified());
}

TEST_F(TCodeEdTest, EveryByteButNulAndBreaksRoundTrips)
{
    std::string bytes;
    for (int c = 1; c < 256; ++c)
        if (c != '\r' && c != '\n')
            bytes += static_cast<char>(c);
    bytes += "\r\n";
    bytes += std::string("with\0nul\r\n", 10);
    TCodeEd& ed = open("C:\\Work\\all.bin", bytes);
    ed.Save1Click();
    EXPECT_EQ(f.text("C:\\Work\\all.bin"), bytes);
}

TEST_F(TCodeEdTest, SaveOfANewFileRunsSaveAs)
{
    f.fake.files.putFolder("C:\\Work");
    TCodeEd& ed = eds.create();
    buf(ed).type("new text");
    dialogs.fileAnswers = {std::string("C:\\Work\\new file \xE9.c")};
    EXPECT_TRUE(ed.Save1Click());
    ASSERT_EQ(dialogs.calls.size(), 1u);
    EXPECT_EQ(dialogs.calls[0].kind, "save");
    EXPECT_TRUE(dialogs.calls[0].request.filters.empty());
    EXPECT_EQ(dialogs.calls[0].request.defaultExtension, "");
    EXPECT_EQ(ed.caption(), "new file \xE9.c");
    EXPECT_EQ(f.text("C:\\Work\\new file \xE9.c"), "new text");
    EXPECT_FALSE(ed.buffer().modified());
}

TEST_F(TCodeEdTest, SaveAsReplacesAnExistingFileWithoutAsking)
{
    f.fake.files.put("C:\\Work\\other.c", "old");
    TCodeEd& ed = open("C:\\Work\\main.c", "new\r\n");
    dialogs.fileAnswers = {std::string("C:\\Work\\other.c")};
    EXPECT_TRUE(ed.SaveAs1Click());
    EXPECT_EQ(dialogs.calls[0].request.fileName, "C:\\Work\\main.c");
    EXPECT_EQ(f.text("C:\\Work\\other.c"), "new\r\n");
    EXPECT_EQ(ed.fileName(), "C:\\Work\\other.c");
    EXPECT_EQ(ed.caption(), "other.c");
    EXPECT_EQ(messages().size(), 0u);
}

TEST_F(TCodeEdTest, SaveAsCancelledChangesNothing)
{
    TCodeEd& ed = open("C:\\Work\\main.c", "x");
    EXPECT_FALSE(ed.SaveAs1Click());
    EXPECT_EQ(ed.fileName(), "C:\\Work\\main.c");
    EXPECT_EQ(ed.caption(), "main.c");
}

TEST_F(TCodeEdTest, AFailedWriteIsReportedAndTheTextStaysModified)
{
    TCodeEd& ed = open("C:\\Locked\\main.c", "x");
    buf(ed).type("y");
    f.fake.files.denyWrites("C:\\Locked");
    EXPECT_FALSE(ed.Save1Click());
    EXPECT_EQ(messages(), (std::vector<std::string>{"Cannot create file C:\\Locked\\main.c"}));
    EXPECT_TRUE(ed.buffer().modified());
    EXPECT_EQ(f.text("C:\\Locked\\main.c"), "x");
}

TEST_F(TCodeEdTest, CloseQueryAnswers)
{
    struct Row {
        MsgAnswer answer;
        bool closes;
        std::string onDisk;
    };
    const Row rows[] = {
        {MsgAnswer::Cancel, false, "x"},
        {MsgAnswer::No, true, "x"},
        {MsgAnswer::Yes, true, "yx"},
    };
    for (const Row& r : rows) {
        dialogs.calls.clear();
        TCodeEd& ed = open("C:\\Work\\main.c", "x");
        buf(ed).type("y");
        dialogs.answers = {r.answer};
        EXPECT_EQ(ed.close(), r.closes);
        EXPECT_EQ(eds.contains(&ed), !r.closes);
        ASSERT_EQ(messages(), (std::vector<std::string>{"Save changes to C:\\Work\\main.c?"}));
        EXPECT_EQ(dialogs.calls[0].buttons, MsgButtons::YesNoCancel);
        EXPECT_EQ(dialogs.calls[0].icon, MsgIcon::Question);
        EXPECT_EQ(f.text("C:\\Work\\main.c"), r.onDisk);
        if (!r.closes) {
            EXPECT_EQ(ed.buffer().text(), "yx");
            buf(ed).setModified(false);
            ed.close();
        }
    }
}

TEST_F(TCodeEdTest, CloseQueryKeepsTheWindowWhenItsSaveDoesNotHappen)
{
    // Yes on a New File window whose save dialog is cancelled.
    TCodeEd& fresh = eds.create();
    buf(fresh).type("keep me");
    dialogs.answers = {MsgAnswer::Yes};
    EXPECT_FALSE(fresh.close());
    EXPECT_TRUE(eds.contains(&fresh));
    EXPECT_EQ(fresh.buffer().text(), "keep me");
    EXPECT_EQ(messages(), (std::vector<std::string>{"Save changes to Code Editor?"}));

    // Yes on a window whose file cannot be written.
    TCodeEd& locked = open("C:\\Locked\\main.c", "x");
    buf(locked).type("y");
    f.fake.files.denyWrites("C:\\Locked");
    dialogs.answers = {MsgAnswer::Yes};
    EXPECT_FALSE(locked.close());
    EXPECT_TRUE(eds.contains(&locked));
    EXPECT_EQ(messages().back(), "Cannot create file C:\\Locked\\main.c");
}

TEST_F(TCodeEdTest, UnmodifiedWindowClosesWithoutAQuestion)
{
    TCodeEd& ed = open("C:\\Work\\main.c", "x");
    ed.controls()["Close1"].activate();
    EXPECT_EQ(eds.count(), 0);
    EXPECT_TRUE(messages().empty());
}

TEST_F(TCodeEdTest, ShortFileNameClosesTheWindowSilently)
{
    for (const char* name : {"", "a"}) {
        TCodeEd& ed = eds.create();
        buf(ed).type("typed");
        ed.OpenAtLine(name, 0);
        EXPECT_EQ(eds.count(), 0) << name;
        TCodeEd& named = eds.create();
        named.NewNamedFile(name);
        EXPECT_EQ(eds.count(), 0) << name;
    }
    EXPECT_TRUE(messages().empty());
}

TEST_F(TCodeEdTest, UnreadableFileLeavesAnEmptyWindowThatNeverWritesOverIt)
{
    f.app->settings().compSource = "C:\\Tarnel\\Source";
    f.fake.files.put("C:\\Work\\secret.c", "precious");
    f.fake.files.denyReads("C:\\Work\\secret.c");
    TCodeEd& ed = eds.create();
    ed.OpenAtLine("C:\\Work\\secret.c", 7);
    EXPECT_EQ(messages(), (std::vector<std::string>{"Sorry I can't Access files which are not in the Compiler "
                                                    "source Folder \rC:\\Tarnel\\Source"}));
    EXPECT_TRUE(eds.contains(&ed));
    EXPECT_EQ(ed.caption(), "Code Editor");
    EXPECT_EQ(ed.fileName(), "C:\\Work\\secret.c");
    EXPECT_EQ(ed.buffer().text(), "");
    // Save All before a build must not replace the file with the empty window.
    const int writes = f.fake.files.writeCount("C:\\Work\\secret.c");
    EXPECT_TRUE(ed.Save1Click());
    EXPECT_EQ(f.fake.files.writeCount("C:\\Work\\secret.c"), writes);
    // What the user types is theirs to save.
    buf(ed).type("new");
    EXPECT_TRUE(ed.Save1Click());
    EXPECT_EQ(f.fake.files.writeCount("C:\\Work\\secret.c"), writes + 1);
}

TEST_F(TCodeEdTest, NamedEmptyDocumentReadsNothing)
{
    f.fake.files.put("C:\\Tarnel\\Source\\Default.xcl", "existing");
    TCodeEd& ed = eds.create();
    ed.NewNamedFile("C:\\Tarnel\\Source\\Default.xcl");
    EXPECT_EQ(ed.caption(), "Default.xcl");
    EXPECT_EQ(ed.buffer().text(), "");
    EXPECT_EQ(ed.panel(2).text, "0");
    EXPECT_EQ(ed.lengthLimit(), 2'000'000);
    EXPECT_EQ(ed.font(), ed.fontDialog().font);
    EXPECT_EQ(ed.controls()["Locate"].caption(), "Jump to");
    ed.Save1Click();
    EXPECT_EQ(f.text("C:\\Tarnel\\Source\\Default.xcl"), "");
}

TEST_F(TCodeEdTest, LimitStopsTypingButNeverCutsALoadedText)
{
    const std::string big(2'000'100, 'x');
    TCodeEd& ed = open("C:\\Work\\big.c", big);
    EXPECT_EQ(ed.buffer().length(), 2'000'100);
    EXPECT_FALSE(ed.allowsInsert(1));
    buf(ed).setSelection(0, 200);
    EXPECT_TRUE(ed.allowsInsert(50));
    EXPECT_FALSE(ed.allowsInsert(150));
    ed.Save1Click();
    EXPECT_EQ(f.text("C:\\Work\\big.c").size(), big.size());
    TCodeEd& fresh = eds.create();
    EXPECT_TRUE(fresh.allowsInsert(3'000'000));
}

TEST_F(TCodeEdTest, FontChoiceIsKeptForTheNextLoadWithinFiveToFifteenPoints)
{
    FakeEditorPlatform platform;
    TCodeEd& ed = eds.create();
    ed.attach(nullptr, &platform);
    platform.fontAnswer = EditorFont{"Courier New", 0, 40, false, true, true};
    ed.controls()["Selectfont1"].activate();
    EXPECT_EQ(ed.font().pointSize, 15);
    EXPECT_EQ(ed.font().family, "Courier New");
    EXPECT_EQ(ed.fontDialog().font, ed.font());
    platform.fontAnswer.reset();
    ed.Setfont();
    EXPECT_EQ(ed.font().pointSize, 15);
    f.fake.files.put("C:\\Work\\a.c", "a");
    ed.OpenAtLine("C:\\Work\\a.c", 0);
    EXPECT_EQ(ed.font(), ed.fontDialog().font);
    EXPECT_EQ(FontDialog::limited({"X", 0, 2}).pointSize, 5);
    EXPECT_EQ(FontDialog::sizes().front(), 5);
    EXPECT_EQ(FontDialog::sizes().back(), 15);
}

TEST_F(TCodeEdTest, PrintAndPrintSetupGoThroughThePlatform)
{
    FakeEditorPlatform platform;
    TCodeEd& ed = open("C:\\Work\\main.c", "x");
    ed.attach(&ed.buffer(), &platform);
    ed.controls()["Print1"].activate();
    ed.controls()["PrintSetup1"].activate();
    EXPECT_EQ(platform.printed, (std::vector<std::string>{"C:\\Work\\main.c"}));
    EXPECT_EQ(platform.setups, 1);
}

TEST_F(TCodeEdTest, SelectAllSelectsFromTheStartForTheWholeLength)
{
    TCodeEd& ed = open("C:\\Work\\main.c", "abc\r\ndef");
    buf(ed).setSelection(5, 1);
    ed.SelectAll1Click();
    EXPECT_EQ(ed.buffer().selStart(), 0);
    EXPECT_EQ(ed.buffer().selLength(), 8);
}

TEST_F(TCodeEdTest, ExitClosesTheMainWindowThroughItsShutdown)
{
    int closes = 0;
    app.onCloseRequest = [&] { ++closes; };
    TCodeEd& ed = open("C:\\Work\\main.c", "x");
    ed.controls()["Exit1"].activate();
    EXPECT_EQ(closes, 1);
    EXPECT_TRUE(eds.contains(&ed));  // nothing closed behind the shutdown's back
}

TEST_F(TCodeEdTest, DetachedViewLeavesItsTextWithTheWindow)
{
    TCodeEd& ed = eds.create();
    StringBuffer view;
    ed.attach(&view, nullptr);
    view.setText("shown\r\n");
    view.setSelection(2, 1);
    view.setModified(true);
    ed.attach(nullptr, nullptr);
    EXPECT_EQ(ed.buffer().text(), "shown\r\n");
    EXPECT_EQ(ed.buffer().selStart(), 2);
    EXPECT_TRUE(ed.buffer().modified());
}

}  // namespace
