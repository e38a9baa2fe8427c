#include "build/error_check.h"

#include "editor/editor_fixture.h"

namespace {

struct ErrorCheckTest : EditorFixture {
    ErrorCheck& check = app.errorCheck();
    // What the last error window listed; empty when none was shown.
    std::vector<std::string> shown;

    ErrorCheckTest()
    {
        app.settings().compSource = "C:\\Tarnel\\Source";
        app.controls()["ListFile"].setText("Comp.lst");
        app.controls()["ProjectListBox"].setEntries({"D:\\work\\main.c", "D:\\work\\util.c"});
    }

    // The user's part in the next error window: pick a row (none when -1), then a button.
    void answerWindow(int row, MsgAnswer button)
    {
        dialogs.dialogScripts.push_back([this, row, button](OwnDialog& d) {
            auto& log = static_cast<TErrorLog&>(d);
            shown = log.controls()["ErrorList"].entries();
            if (row >= 0) {
                log.controls()["ErrorList"].setSelected(row);
                log.ErrorListClick();
            }
            if (button == MsgAnswer::Ok)
                log.GoToErrorClick();
            else
                log.CancelBtnClick();
            return *log.modalResult();
        });
    }
    // Checks the listing picked in the file dialog.
    void checkListing(const std::string& text, const std::string& path = "C:\\Tarnel\\Source\\main.lst")
    {
        f.fake.files.put(path, text);
        dialogs.fileAnswers = {path};
        app.controls()["ErrorcheckBtn"].activate();
    }
    int windowsShown() const
    {
        int n = 0;
        for (const auto& c : dialogs.calls)
            n += c.kind == "dialog" && c.text == "TErrorLog";
        return n;
    }
    static std::string numbered(const char* marker, int count)
    {
        std::string text;
        for (int i = 1; i <= count; ++i)
            text += "\"main.c\"," + std::to_string(i) + "  " + marker + "1]: line " + std::to_string(i) + "\r\n";
        return text;
    }
};

TEST(ErrorLineTest, FileAndLineComeFromFixedPositions)
{
    struct Row {
        const char* line;
        const char* file;
        const char* number;
        int value;
    };
    const Row rows[] = {
        {"\"main.c\",7  Error[46]: missing )", "main.c", "7 ", 7},
        {"\"util.c\",123  Warning[2]: unused", "util.c", "123 ", 123},
        // No blank within the five characters: nothing is read.
        {"\"main.c\",12345 Error[1]: x", "main.c", "", 0},
        {"\"main.c\",-1 Error[1]: x", "main.c", "-1 ", -1},
        // A name of 19 characters still fits; one of 20 leaves no quote in the copied part.
        {"\"abcdefghijklmnopq.c\",42 Error[1]", "abcdefghijklmnopq.c", "42 ", 42},
        {"\"abcdefghijklmnopqr.c\",42 Error[1]", "", "", 0},
        // Without a quote the number is looked for at position 3.
        {"  9 Warning[1]: x", "", "9 ", 9},
        // A quote later in the line: the name is found, the number is not.
        {"Error in \"main.c\",7  x", "main.c", "", 0},
        {"", "", "", 0},
        {"\"main.c\"", "main.c", "", 0},
    };
    for (const Row& r : rows) {
        const ErrorLineParts p = readErrorLine(r.line);
        EXPECT_EQ(p.file, r.file) << r.line;
        EXPECT_EQ(p.number, r.number) << r.line;
        EXPECT_EQ(p.line, r.value) << r.line;
    }
}

TEST(ErrorLogTest, AClickShowsTheFileAndLineAndKeepsThemForLaterWindows)
{
    ErrorPosition position;
    TErrorLog log(position);
    ControlSet& c = log.controls();
    EXPECT_EQ(c["ErrorList"].entries(), std::vector<std::string>{"no errors"});
    c["ErrorList"].setEntries({"\"main.c\",7  Error[46]: x", "\"util.c\",123  Warning[2]: y"});
    c["ErrorList"].activate();  // a click with nothing selected changes nothing
    EXPECT_EQ(position.ErrorFile, "");
    c["ErrorList"].setSelected(1);
    c["ErrorList"].activate();
    EXPECT_EQ(c["Panel0"].text(), "util.c");
    EXPECT_EQ(c["Panel1"].text(), "123 ");
    TErrorLog next(position);
    EXPECT_EQ(next.position().ErrorFile, "util.c");
    EXPECT_EQ(next.position().ErrorLine, 123);
}

TEST_F(ErrorCheckTest, DialogIsPreparedAndThePickedPathBecomesTheListFile)
{
    app.openDialog().filterIndex = 9;
    checkListing("nothing to see\r\n");
    const DialogCall& open = dialogs.calls.front();
    EXPECT_EQ(open.kind, "open");
    EXPECT_EQ(open.request.title, "Check List file for Errors");
    EXPECT_EQ(open.request.fileName, "Comp.lst");
    EXPECT_EQ(open.request.initialFolder, "C:\\Tarnel\\Source");
    EXPECT_EQ(open.request.filterIndex, 4);
    EXPECT_EQ(open.request.filters[3].patterns, "*.lst;*.map");
    EXPECT_FALSE(open.request.mayBeNew);
    EXPECT_EQ(app.controls()["ListFile"].text(), "C:\\Tarnel\\Source\\main.lst");
    EXPECT_EQ(check.Listholder(), "nothing to see\r\n");
    EXPECT_EQ(messages(), std::vector<std::string>{"No Errors or Warnings found"});
    EXPECT_EQ(windowsShown(), 0);

    // The shared dialog keeps the check's settings, all but its title, for the editor's "&Open File".
    eds.create().Open1Click();
    EXPECT_EQ(dialogs.calls.back().request.title, "Tarnel    Load File");
    EXPECT_EQ(dialogs.calls.back().request.filterIndex, 4);
    EXPECT_EQ(dialogs.calls.back().request.fileName, "C:\\Tarnel\\Source\\main.lst");
}

TEST_F(ErrorCheckTest, ErrorLinesComeFirstThenWarningsEachInTheOrderFound)
{
    answerWindow(-1, MsgAnswer::Cancel);
    checkListing("\"a.c\",1  Warning[1]: w1\r\n"
                 "\"a.c\",2  Error[2]: e1\r\n"
                 "plain line\r\n"
                 "\"a.c\",3  ERROR[3]: e2\n"
                 "\"a.c\",4  warning[4]: w2\r"
                 "\"a.c\",5  error[5]: e3 and Error[6] again");
    EXPECT_EQ(shown, (std::vector<std::string>{"\"a.c\",2  Error[2]: e1", "\"a.c\",3  ERROR[3]: e2",
                                               "\"a.c\",5  error[5]: e3 and Error[6] again",
                                               "\"a.c\",5  error[5]: e3 and Error[6] again",
                                               "\"a.c\",1  Warning[1]: w1", "\"a.c\",4  warning[4]: w2"}));
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(eds.count(), 0);
}

TEST_F(ErrorCheckTest, AtMostFiftyLinesPerMarker)
{
    struct Row {
        std::string listing;
        std::size_t listed;
        std::string last;
    };
    const Row rows[] = {
        {numbered("Error[", 60), 50, "line 50"},
        {numbered("Error[", 60) + numbered("Warning[", 3), 53, "line 3"},
        {numbered("Warning[", 50), 50, "line 50"},
        // One line with the marker 60 times is listed 50 times.
        {"\"main.c\",1  " + [] {
             std::string s;
             for (int i = 0; i < 60; ++i)
                 s += "Error[1] ";
             return s;
         }(),
         50, "Error[1] "},
    };
    for (const Row& r : rows) {
        answerWindow(-1, MsgAnswer::Cancel);
        checkListing(r.listing);
        ASSERT_EQ(shown.size(), r.listed) << r.listing.substr(0, 60);
        EXPECT_EQ(shown.back().substr(shown.back().size() - r.last.size()), r.last);
    }
}

TEST_F(ErrorCheckTest, GoToErrorOpensTheFirstProjectEntryHoldingTheNameAtTheLine)
{
    std::string util;
    for (int i = 1; i <= 130; ++i)
        util += "line " + std::to_string(i) + ";\r\n";
    f.fake.files.put("D:\\work\\main.c", "main\r\n");
    f.fake.files.put("D:\\work\\util.c", util);
    answerWindow(1, MsgAnswer::Ok);
    checkListing("\"main.c\",7  Error[46]: x\r\n\"util.c\",123  Error[12]: y\r\n");
    EXPECT_EQ(check.position().ErrorFile, "util.c");
    EXPECT_EQ(check.position().ErrorLine, 123);
    EXPECT_EQ(eds.pendingJumpLine, 123);
    ASSERT_EQ(eds.count(), 1);
    TCodeEd& ed = *eds.windows().front();
    EXPECT_EQ(ed.fileName(), "D:\\work\\util.c");
    EXPECT_EQ(selected(ed), "line 123;");
    EXPECT_TRUE(messages().empty());
}

TEST_F(ErrorCheckTest, GoToErrorMatchesTheNameAsASubstringWithCaseAndOpensNothingElse)
{
    struct Row {
        std::vector<std::string> entries;
        const char* line;
        std::string opened;  // empty: no window
    };
    const Row rows[] = {
        // The first entry that holds the name, even when it is a longer name.
        {{"D:\\work\\mymain.c", "D:\\work\\main.c"}, "\"main.c\",3  Error[1]", "D:\\work\\mymain.c"},
        {{"D:\\work\\Main.c"}, "\"main.c\",3  Error[1]", ""},
        {{"D:\\work\\gone.c"}, "\"gone.c\",3  Error[1]", ""},       // entry not on disk: no message
        {{"D:\\work\\main.c"}, "\"main.c\",-1 Error[1]", ""},       // line -1 opens nothing
        {{"D:\\work\\main.c"}, "Error[1] without a name", ""},      // empty name matches nothing
        {{"D:\\work\\main.c"}, "\"main.c\",12345 Error[1]", "D:\\work\\main.c"},  // line 0: the top
    };
    f.fake.files.put("D:\\work\\mymain.c", "a\r\nb\r\nc\r\n");
    f.fake.files.put("D:\\work\\main.c", "a\r\nb\r\nc\r\n");
    f.fake.files.put("D:\\work\\Main.c", "a\r\nb\r\nc\r\n");
    for (const Row& r : rows) {
        while (eds.count() > 0)
            eds.windows().back()->close();
        app.controls()["ProjectListBox"].setEntries(r.entries);
        answerWindow(0, MsgAnswer::Ok);
        checkListing(r.line);
        EXPECT_EQ(eds.count(), r.opened.empty() ? 0 : 1) << r.line;
        if (eds.count() == 1) {
            EXPECT_EQ(eds.windows().front()->fileName(), r.opened) << r.line;
        }
    }
    EXPECT_TRUE(messages().empty()) << messages().front();
}

TEST_F(ErrorCheckTest, GoToWithoutAClickUsesTheLastValuesFromAnyEarlierWindow)
{
    f.fake.files.put("D:\\work\\util.c", "a\r\nb\r\nc\r\n");
    // At program start the values are empty and 0: nothing opens, the pending line becomes 0.
    eds.pendingJumpLine = 9;
    answerWindow(-1, MsgAnswer::Ok);
    checkListing("\"util.c\",3  Error[1]: x\r\n");
    EXPECT_EQ(eds.pendingJumpLine, 0);
    EXPECT_EQ(eds.count(), 0);

    // A click, then Cancel: the values stay for the next window.
    answerWindow(0, MsgAnswer::Cancel);
    checkListing("\"util.c\",3  Error[1]: x\r\n");
    EXPECT_EQ(eds.count(), 0);
    EXPECT_EQ(eds.pendingJumpLine, 0);
    answerWindow(-1, MsgAnswer::Ok);
    checkListing("\"main.c\",2  Error[1]: other\r\n");
    ASSERT_EQ(eds.count(), 1);
    EXPECT_EQ(eds.windows().front()->fileName(), "D:\\work\\util.c");
    EXPECT_EQ(eds.pendingJumpLine, 3);
    EXPECT_EQ(selected(*eds.windows().front()), "c");
}

TEST_F(ErrorCheckTest, CancelledDialogSearchesWhatTheLastCheckLoaded)
{
    // The first check of the run: nothing loaded yet.
    app.controls()["ErrorcheckBtn"].activate();
    EXPECT_EQ(messages(), std::vector<std::string>{"No Errors or Warnings found"});
    EXPECT_EQ(app.controls()["ListFile"].text(), "Comp.lst");

    answerWindow(-1, MsgAnswer::Cancel);
    checkListing("\"main.c\",7  Error[46]: x\r\n");
    answerWindow(-1, MsgAnswer::Cancel);
    shown.clear();
    app.controls()["ErrorcheckBtn"].activate();  // cancelled
    EXPECT_EQ(shown, std::vector<std::string>{"\"main.c\",7  Error[46]: x"});
    EXPECT_EQ(windowsShown(), 2);
}

TEST_F(ErrorCheckTest, AFileThatCannotBeLoadedStopsTheCheckAndKeepsTheOldText)
{
    answerWindow(-1, MsgAnswer::Cancel);
    checkListing("\"main.c\",7  Error[46]: x\r\n");
    struct Row {
        std::string path;
        std::function<void()> prepare;
    };
    const Row rows[] = {
        {"C:\\Tarnel\\Source\\gone.lst", [] {}},
        {"C:\\Tarnel\\Source\\locked.lst",
         [this] {
             f.fake.files.put("C:\\Tarnel\\Source\\locked.lst", "Error[1]");
             f.fake.files.denyReads("C:\\Tarnel\\Source\\locked.lst");
         }},
        {"C:\\Tarnel\\Source", [this] { f.fake.files.putFolder("C:\\Tarnel\\Source"); }},
    };
    for (const Row& r : rows) {
        r.prepare();
        dialogs.calls.clear();
        dialogs.fileAnswers = {r.path};
        app.controls()["ErrorcheckBtn"].activate();
        EXPECT_EQ(messages(), std::vector<std::string>{"Cannot open file " + r.path});
        EXPECT_EQ(dialogs.calls.back().icon, MsgIcon::Error);
        EXPECT_EQ(windowsShown(), 0) << r.path;
        EXPECT_EQ(app.controls()["ListFile"].text(), r.path);
    }
    EXPECT_EQ(check.Listholder(), "\"main.c\",7  Error[46]: x\r\n");
}

TEST_F(ErrorCheckTest, BinaryAndHugeListingsGiveShortLinesAndFiftyAtMost)
{
    // Binary bytes, NULs included, and one "line" of 8 MB with hits spread over it.
    std::string binary(8 * 1024 * 1024, '\0');
    for (std::size_t i = 0; i < binary.size(); ++i) {
        const char c = static_cast<char>(i * 131 % 251);
        binary[i] = c == '\r' || c == '\n' ? '\0' : c;
    }
    for (std::size_t at = 1000; at + 10 < binary.size(); at += 100'000)
        binary.replace(at, 6, "eRrOr[");
    binary.replace(2000, 8, "Warning[");
    check.setListholder(binary);
    std::vector<std::string> lines;
    EXPECT_TRUE(check.CollectMarkedLines(lines, "error["));
    ASSERT_EQ(lines.size(), 50u);
    for (const std::string& line : lines)
        EXPECT_EQ(line, binary.substr(0, ErrorCheck::MaxLineLength));
    EXPECT_TRUE(check.CollectMarkedLines(lines, "Warning["));
    EXPECT_EQ(lines.size(), 51u);

    // Short texts: a hit at either end, a marker cut short, other brackets, bytes above 127.
    const std::pair<std::string, std::size_t> rows[] = {
        {"", 0},          {std::string(3, '\0'), 0}, {"error", 0},       {"rror[", 0},
        {"error[", 1},    {"xERROR[", 1},            {"[[error[[", 1},   {"err[or[", 0},
        {"\xC9rror[", 0}, {"error[error[", 2},       {"e\nrror[", 0},
    };
    for (const auto& [text, hits] : rows) {
        check.setListholder(text);
        lines.clear();
        EXPECT_EQ(check.CollectMarkedLines(lines, "error["), hits > 0) << text;
        EXPECT_EQ(lines.size(), hits) << text;
    }
}

}  // namespace
