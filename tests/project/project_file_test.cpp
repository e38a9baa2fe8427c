#include <gtest/gtest.h>

#include "app/tembedded.h"
#include "build/compiler_options.h"
#include "linker/linker_options.h"
#include "platform/fake/fake_host.h"
#include "project/project_file.h"
#include "project/project_lines.h"

namespace {

const std::string Path = "C:\\Projects\\demo.prj";

// A project in which every option line differs from the defaults, consistent with the
// interlocks that run while it is read.
std::vector<std::string> sampleProject()
{
    return {
        "1", "2", "0", "1", "0", "1", "1", "0", "1", "1",                       // 0-9
        "1", "1", "1", "1", "cmds.xcl", "2", "1", "1", "1", "1",                // 10-19
        "1", "8", "1", "66", "1", "1", "1", "1", "1", "1",                      // 20-29
        "1", "1", "1", "0", "out.lst", "1", "1", "1", "1", "1",                 // 30-39
        "4", "1", "1", "1", "1", "1", "1", "1", "2", "target.a25",              // 40-49
        "1", "1", "1", "target.map", "1", "1", "1", "1", "32", "23",            // 50-59
        "1", "1", "1", "1", "1", "1", "1", "1", "1", "1",                       // 60-69
        "1", "1", "1", "60", "1", "0", "1", "C:\\obj\\main.r25", "C:\\asm\\main.s25", "2",  // 70-79
        "3", "2", "1", "mine.xcl",                                              // 80-83
        "cstart.r25", "wd.r25", "extra.r25",                                    // objects
        "C:\\src\\main.c", "C:\\src\\io.h",                                     // sources
        "C:\\lib\\cl.r25", "C:\\lib\\fp.r25",                                   // libraries
    };
}

std::vector<std::string> withLine(std::vector<std::string> lines, int at, const std::string& text)
{
    lines[static_cast<std::size_t>(at)] = text;
    return lines;
}

class ProjectFileTest : public ::testing::Test {
protected:
    FakeHost fake;
    TEmbedded app{fake.host};
    ControlSet& c = app.controls();

    void SetUp() override { fake.files.putFolder("C:\\Tarnel\\Source"); }

    bool loadLines(const std::vector<std::string>& lines, const std::string& path = Path)
    {
        fake.files.put(path, joinLines(lines));
        return app.project().load(path);
    }
    std::vector<std::string> messages() const { return fake.dialogs.messages(); }
    std::vector<std::string> entries(const char* list) { return c[list].entries(); }
};

TEST_F(ProjectFileTest, TableDescribesEveryOptionLineOnceInOrder)
{
    const auto& rows = projectfile::lines();
    ASSERT_EQ(rows.size(), static_cast<std::size_t>(projectfile::OptionLines));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].line, static_cast<int>(i));
        EXPECT_TRUE(c.contains(rows[i].control)) << rows[i].control;
    }
}

TEST_F(ProjectFileTest, ReadingThenComposingGivesTheFileBack)
{
    ASSERT_TRUE(loadLines(sampleProject()));
    app.project().ComposeProject();
    EXPECT_EQ(app.prolist(), sampleProject());
}

TEST_F(ProjectFileTest, ComposedProjectReadsBackIntoAnotherWindowUnchanged)
{
    ASSERT_TRUE(loadLines(sampleProject()));
    app.project().ComposeProject();
    const std::vector<std::string> first = app.prolist();
    ASSERT_TRUE(app.project().write("C:\\Projects\\copy.prj"));

    TEmbedded other(fake.host);
    ASSERT_TRUE(other.project().load("C:\\Projects\\copy.prj"));
    other.project().ComposeProject();
    EXPECT_EQ(other.prolist(), first);
    EXPECT_EQ(other.controls()["Format"].itemIndex(), 32);
    EXPECT_EQ(other.controls()["Tabs"].value(), 8);
    EXPECT_EQ(other.controls()["DeBugg"].text(), "2");
    EXPECT_EQ(other.buildTargetPath, "target.a25");
}

TEST_F(ProjectFileTest, EveryLineOfTheSampleDiffersFromTheDefaults)
{
    app.compiler().DefaultsClick();
    app.linker().LinkDefsClick();
    c["ProjectListBox"].setEntries({});
    app.project().ComposeProject();
    const std::vector<std::string> defaults = app.prolist();
    const std::vector<std::string> sample = sampleProject();
    for (int line = 0; line < projectfile::OptionLines; ++line)
        EXPECT_NE(defaults[static_cast<std::size_t>(line)], sample[static_cast<std::size_t>(line)]) << line;
}

TEST_F(ProjectFileTest, EmptyProjectHas84LinesAndLoadsWithANote)
{
    for (const char* list : {"ProjectListBox", "Objectfiles", "LibraryFiles"})
        c[list].setEntries({});
    app.project().ComposeProject();
    const std::vector<std::string> lines = app.prolist();
    ASSERT_EQ(lines.size(), 84u);
    EXPECT_EQ(lines[79], "0");
    EXPECT_EQ(lines[80], "0");
    EXPECT_EQ(lines[81], "0");

    EXPECT_TRUE(loadLines(lines));
    EXPECT_EQ(messages(), std::vector<std::string>{"No source files in project"});
    EXPECT_TRUE(c["PEditPan"].visible());
    EXPECT_EQ(c["ProjectName"].caption(), "demo");
}

TEST_F(ProjectFileTest, LineConversions)
{
    struct Row {
        int line;
        std::string text;
        const char* control;
        int expected;  // checked 0/1 or item index
    };
    const Row rows[] = {
        {2, "10", "ENC", 1},     {2, "x1", "ENC", 1},        {2, "yes", "ENC", 0},   {2, "", "ENC", 0},
        {2, "0", "ENC", 0},      {0, "5", "MBox", 0},        {1, "-1", "PWbox", 0},  {15, "3", "Optomisation", 0},
        {17, "2", "MemoryModel", 0}, {40, "9", "ProcType", 0}, {58, "99", "Format", -1}, {59, "-1", "CPU", -1},
        {58, "1", "Format", 1},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(std::to_string(r.line) + " '" + r.text + "'");
        ASSERT_TRUE(loadLines(withLine(sampleProject(), r.line, r.text)));
        const Control& ctl = c[r.control];
        EXPECT_EQ(ctl.kind() == ControlKind::CheckBox ? int(ctl.checked()) : ctl.itemIndex(), r.expected);
    }
}

TEST_F(ProjectFileTest, LastOfTheTwoStatsLinesWins)
{
    auto lines = withLine(withLine(sampleProject(), 20, "1"), 55, "0");
    ASSERT_TRUE(loadLines(lines));
    EXPECT_FALSE(c["Stats"].checked());
}

TEST_F(ProjectFileTest, DebuggerPositionIsHeldToItsRange)
{
    ASSERT_TRUE(loadLines(withLine(sampleProject(), 48, "32767")));
    EXPECT_EQ(c["Debuger"].value(), 2);
    EXPECT_EQ(c["DeBugg"].text(), "2");
}

TEST_F(ProjectFileTest, FailedReadsStopAtTheBadLine)
{
    struct Row {
        const char* what;
        std::vector<std::string> lines;
        bool enc;  // line 2 was applied
    };
    auto shortFile = sampleProject();
    shortFile.resize(50);
    auto tooFewEntries = sampleProject();
    tooFewEntries.resize(84);
    const Row rows[] = {
        {"short file", shortFile, true},
        {"index", withLine(sampleProject(), 0, "abc"), false},
        {"number", withLine(sampleProject(), 21, "1A"), true},
        {"blank number", withLine(sampleProject(), 73, " 60"), true},
        {"count", withLine(sampleProject(), 79, "two"), true},
        {"doubled minus", withLine(sampleProject(), 15, "--1"), true},
        {"sign after sign", withLine(sampleProject(), 17, "+-5"), true},
        {"count with two signs", withLine(sampleProject(), 81, "-+1"), true},
        {"huge count", withLine(sampleProject(), 80, "99999999999"), true},
        {"debugger high", withLine(sampleProject(), 48, "32768"), true},
        {"debugger low", withLine(sampleProject(), 48, "-32769"), true},
        {"no file lists", tooFewEntries, true},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        FakeHost host;
        host.files.putFolder("C:\\Tarnel\\Source");
        TEmbedded fresh(host.host);
        fresh.controls()["ENC"].setChecked(true);
        host.files.put(Path, joinLines(r.lines));
        EXPECT_FALSE(fresh.project().load(Path));
        // The status bar refresh may add the compiler's own notes on half-read options.
        ASSERT_FALSE(host.dialogs.messages().empty());
        EXPECT_EQ(host.dialogs.messages().front(), "Error in Project File");
        EXPECT_EQ(fresh.controls()["ENC"].checked(), !r.enc);
        EXPECT_EQ(fresh.controls()["MBox"].itemIndex(), r.enc ? 1 : 0);
        EXPECT_EQ(fresh.settings().project, Path);
        EXPECT_EQ(fresh.controls()["projname"].text(), Path);
        EXPECT_EQ(fresh.statusBar().panel(0).text, Path);
        EXPECT_TRUE(fresh.controls()["ProjectListBox"].entries().empty());
        EXPECT_FALSE(fresh.controls()["PEditPan"].visible());
    }
}

TEST_F(ProjectFileTest, CountsBeyondTheFileKeepTheEntriesRead)
{
    auto lines = sampleProject();
    lines.pop_back();  // the library line
    EXPECT_FALSE(loadLines(lines));
    EXPECT_EQ(messages(), std::vector<std::string>{"Error in Project File"});
    EXPECT_EQ(entries("Objectfiles"), (std::vector<std::string>{"cstart.r25", "wd.r25", "extra.r25"}));
    EXPECT_EQ(entries("ProjectListBox"), (std::vector<std::string>{"C:\\src\\main.c", "C:\\src\\io.h"}));
    EXPECT_EQ(entries("LibraryFiles"), std::vector<std::string>{"C:\\lib\\cl.r25"});
}

TEST_F(ProjectFileTest, EntriesAreFilteredButUseUpTheirLines)
{
    auto lines = sampleProject();
    lines.resize(84);
    lines[80] = "3";
    lines[79] = "5";
    lines[81] = "8";
    for (const char* e : {"", "cstart.r25", "x"})
        lines.push_back(e);
    for (const char* e : {"C:\\my.cfiles\\readme.txt", "D:\\A\\MAIN.C", "D:\\A\\IO.H", "notes.txt", "d:\\a\\x.h"})
        lines.push_back(e);
    for (const char* e : {"cl.r25", "CL.R25", "lib.r25x", "CL7832S", "D:\\my.libs\\CL7832SD", "cl.lib", "", " "})
        lines.push_back(e);
    ASSERT_TRUE(loadLines(lines));
    EXPECT_EQ(entries("Objectfiles"), (std::vector<std::string>{"cstart.r25", "x"}));
    EXPECT_EQ(entries("ProjectListBox"), (std::vector<std::string>{"C:\\my.cfiles\\readme.txt", "D:\\A\\MAIN.C",
                                                                   "D:\\A\\IO.H", "d:\\a\\x.h"}));
    EXPECT_EQ(entries("LibraryFiles"),
              (std::vector<std::string>{"cl.r25", "lib.r25x", "CL7832S", "D:\\my.libs\\CL7832SD"}));
    EXPECT_EQ(app.project().editPanelDir, "C:\\my.cfiles");
}

TEST_F(ProjectFileTest, TheLinkerDefaultLibrarySurvivesASaveAndLoad)
{
    app.linker().LinkDefsClick();
    const std::vector<std::string> libraries = entries("LibraryFiles");
    ASSERT_EQ(libraries, std::vector<std::string>{"CL7832S"});
    const std::string line = app.linker().ComposeLinkerLine();
    app.project().ComposeProject();
    fake.files.putFolder("C:\\Projects");
    ASSERT_TRUE(app.project().write(Path));

    TEmbedded other(fake.host);
    ASSERT_TRUE(other.project().load(Path));
    EXPECT_EQ(other.controls()["LibraryFiles"].entries(), libraries);
    EXPECT_EQ(other.linker().ComposeLinkerLine(), line);
}

TEST_F(ProjectFileTest, SourceCountOfZeroOrLessTakesNoLines)
{
    auto lines = sampleProject();
    lines[79] = "-3";
    lines.erase(lines.begin() + 87, lines.begin() + 89);  // the two source lines
    ASSERT_TRUE(loadLines(lines));
    EXPECT_EQ(messages(), std::vector<std::string>{"No source files in project"});
    EXPECT_EQ(entries("LibraryFiles"), (std::vector<std::string>{"C:\\lib\\cl.r25", "C:\\lib\\fp.r25"}));
}

TEST_F(ProjectFileTest, SecondLoadLeavesNothingOfTheFirst)
{
    ASSERT_TRUE(loadLines(sampleProject()));
    auto lines = sampleProject();
    lines.resize(84);
    lines[79] = "1";
    lines[80] = "0";
    lines[81] = "0";
    lines.push_back("E:\\other\\b.c");
    ASSERT_TRUE(loadLines(lines, "C:\\Projects\\second.prj"));
    EXPECT_TRUE(entries("Objectfiles").empty());
    EXPECT_EQ(entries("ProjectListBox"), std::vector<std::string>{"E:\\other\\b.c"});
    EXPECT_TRUE(entries("LibraryFiles").empty());
    EXPECT_EQ(c["ProjectName"].caption(), "second");
}

TEST_F(ProjectFileTest, AnyLineEndReadsTheSame)
{
    std::string bytes;
    const auto lines = sampleProject();
    const char* ends[] = {"\r\n", "\r", "\n"};
    for (std::size_t i = 0; i < lines.size(); ++i)
        bytes += lines[i] + ends[i % 3];
    fake.files.put(Path, bytes);
    ASSERT_TRUE(app.project().load(Path));
    app.project().ComposeProject();
    EXPECT_EQ(app.prolist(), lines);
}

TEST_F(ProjectFileTest, JunkIsRefusedWithoutHarm)
{
    std::string junk(100000, '\0');
    for (std::size_t i = 0; i < junk.size(); ++i)
        junk[i] = static_cast<char>((i * 7919) % 256);
    fake.files.put(Path, junk);
    EXPECT_FALSE(app.project().load(Path));
    fake.files.put(Path, std::string(1 << 20, 'x'));
    EXPECT_FALSE(app.project().load(Path));
}

TEST_F(ProjectFileTest, UnreadableFileIsReportedAndChangesNothing)
{
    app.settings().project = "C:\\old.prj";
    fake.files.put(Path, joinLines(sampleProject()));
    fake.files.denyReads(Path);
    EXPECT_FALSE(app.project().load(Path));
    EXPECT_EQ(messages(), std::vector<std::string>{"Cannot open file " + Path});
    EXPECT_EQ(app.settings().project, "C:\\old.prj");
}

TEST_F(ProjectFileTest, FirstWriteAfterAFailedLoadKeepsTheOriginal)
{
    const std::string original = joinLines(withLine(sampleProject(), 0, "bad"));
    fake.files.put(Path, original);
    ASSERT_FALSE(app.project().load(Path));

    app.prolist() = {"first"};
    ASSERT_TRUE(app.project().write(Path));
    EXPECT_EQ(fake.files.readBytes(Path + ".bak"), original);
    EXPECT_EQ(fake.files.readBytes(Path), "first\r\n");
    // The user learns where the original went.
    ASSERT_EQ(fake.dialogs.notices.size(), 1u);
    EXPECT_NE(fake.dialogs.notices[0].find(Path + ".bak"), std::string::npos) << fake.dialogs.notices[0];

    app.prolist() = {"second"};
    ASSERT_TRUE(app.project().write(Path));
    EXPECT_EQ(fake.files.readBytes(Path + ".bak"), original);
}

TEST_F(ProjectFileTest, NoBackupWhenTheFailedFileLoadsLaterOrAnotherIsWritten)
{
    fake.files.put(Path, "junk\r\n");
    ASSERT_FALSE(app.project().load(Path));
    app.prolist() = {"x"};
    ASSERT_TRUE(app.project().write("C:\\Projects\\other.prj"));
    EXPECT_FALSE(fake.files.fileExists("C:\\Projects\\other.prj.bak"));

    ASSERT_TRUE(loadLines(sampleProject()));
    ASSERT_TRUE(app.project().write(Path));
    EXPECT_FALSE(fake.files.fileExists(Path + ".bak"));
    EXPECT_TRUE(fake.dialogs.notices.empty());
}

TEST_F(ProjectFileTest, WriteIsRefusedWhenTheBackupCannotBeMade)
{
    fake.files.put(Path, "junk\r\n");
    ASSERT_FALSE(app.project().load(Path));
    fake.files.denyWrites(Path + ".bak");
    app.prolist() = {"x"};
    EXPECT_FALSE(app.project().write(Path));
    EXPECT_EQ(fake.files.readBytes(Path), "junk\r\n");
}

TEST_F(ProjectFileTest, ClearCompileCopiesSparesFilesOfTheCompileDirectoryItself)
{
    const std::string dir = "C:\\Tarnel\\Source\\";
    for (const char* name : {"main.c", "io.h", "ide.bat", "other.c", "own.c", "bare.c", "fwd.c", "dots.c", "viaz.c",
                             "linked.c"})
        fake.files.put(dir + name, "x");
    fake.files.put("D:\\work\\main.c", "the user's main.c");
    // Another drive letter for the same folder, and a link to one of its files.
    fake.files.addLink("Z:\\build", "C:\\Tarnel");
    fake.files.addLink("D:\\links\\linked.c", dir + "linked.c");
    c["ProjectListBox"].setEntries({"D:\\work\\main.c", "D:\\work\\io.h", "c:\\tarnel\\source\\own.c", "bare.c",
                                    "C:/Tarnel/Source/fwd.c", "C:\\Tarnel\\Source\\..\\Source\\dots.c",
                                    "Z:\\build\\source\\viaz.c", "D:\\links\\linked.c"});
    app.project().ClearCompileCopies();
    for (const char* gone : {"main.c", "io.h", "ide.bat"})
        EXPECT_FALSE(fake.files.fileExists(dir + gone)) << gone;
    for (const char* kept : {"other.c", "own.c", "bare.c", "fwd.c", "dots.c", "viaz.c", "linked.c"})
        EXPECT_TRUE(fake.files.fileExists(dir + kept)) << kept;
    EXPECT_TRUE(fake.files.fileExists("D:\\work\\main.c"));
}

TEST_F(ProjectFileTest, LoadingClearsTheCopiesOfItsSources)
{
    fake.files.put("C:\\Tarnel\\Source\\main.c", "copy");
    fake.files.put("C:\\Tarnel\\Source\\ide.bat", "old");
    fake.files.put("C:\\src\\main.c", "original");
    ASSERT_TRUE(loadLines(sampleProject()));
    EXPECT_FALSE(fake.files.fileExists("C:\\Tarnel\\Source\\main.c"));
    EXPECT_FALSE(fake.files.fileExists("C:\\Tarnel\\Source\\ide.bat"));
    EXPECT_TRUE(fake.files.fileExists("C:\\src\\main.c"));
}

TEST_F(ProjectFileTest, ClearCompileCopiesWithoutCompileDirectoryDoesNothing)
{
    app.settings().compSource = "C:\\Missing";
    c["ProjectListBox"].setEntries({"D:\\work\\main.c"});
    app.project().ClearCompileCopies();
    EXPECT_TRUE(fake.files.allFiles().empty());
}

}  // namespace
