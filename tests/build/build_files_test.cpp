#include "build/build_fixture.h"

#include <cctype>
#include <functional>

#include "build/batch_name_check.h"
#include "build/copy_name_check.h"

using namespace buildtest;

namespace {

const std::vector<std::string> kThree = {"D:\\work\\main.c", "D:\\work\\util.c", "D:\\work\\defs.h"};

struct IdeCase {
    const char* what;
    std::vector<std::string> entries;
    bool sendToFile;
    bool pause;
    bool link;
    std::vector<std::string> lines;
};

class IdeBat : public BuildFixture, public ::testing::WithParamInterface<IdeCase> {};

}  // namespace

TEST_P(IdeBat, HoldsOneCompilerLinePerSourceThenPauseThenLinker)
{
    const IdeCase& t = GetParam();
    project(t.entries);
    c["SendToFile"].setChecked(t.sendToFile);
    c["Pause"].setChecked(t.pause);
    ASSERT_TRUE(app.buildFiles().GenerateBuildFiles(t.link));
    EXPECT_EQ(ideBat(), crlf(t.lines));
    EXPECT_TRUE(messages().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Situations, IdeBat,
    ::testing::Values(
        IdeCase{"redirected build", kThree, true, false, true,
                {"icc78300 main.c" + kCompilerDefaults + "> C:\\Outputfile.txt",
                 "icc78300 util.c" + kCompilerDefaults + "> C:\\Outputfile.txt",
                 "xlink main.R25 util.R25 " + kLinkerDefaults + ">> C:\\Outputfile.txt"}},
        IdeCase{"compile with pause", kThree, false, true, false,
                {"icc78300 main.c" + kCompilerDefaults, "icc78300 util.c" + kCompilerDefaults, "pause"}},
        IdeCase{"pause before the linker", {"D:\\work\\main.c"}, true, true, true,
                {"icc78300 main.c" + kCompilerDefaults + "> C:\\Outputfile.txt", "pause",
                 "xlink main.R25 " + kLinkerDefaults + ">> C:\\Outputfile.txt"}},
        IdeCase{"headers only", {"D:\\work\\defs.h", "D:\\work\\io.h"}, true, false, true,
                {"xlink " + kLinkerDefaults}},
        IdeCase{"headers only, compile", {"D:\\work\\defs.h"}, false, false, false, {}},
        IdeCase{".c in a folder name", {"D:\\my.code\\defs.h"}, false, false, true,
                {"icc78300 defs.h" + kCompilerDefaults, "xlink defs.R25 " + kLinkerDefaults}},
        IdeCase{"upper-case extension", {"D:\\work\\BOOT.C", "D:\\work\\x.cpp"}, false, false, true,
                {"icc78300 BOOT.C" + kCompilerDefaults, "icc78300 x.cpp" + kCompilerDefaults,
                 "xlink BOOT.R25 x.c.R25 " + kLinkerDefaults}}),
    [](const auto& info) {
        std::string n = info.param.what;
        for (char& ch : n)
            if (!std::isalnum(static_cast<unsigned char>(ch)))
                ch = '_';
        return n;
    });

TEST_F(BuildFixture, CopiesEveryEntryIntoTheCompileDirReplacingOldCopies)
{
    project(kThree);
    fh.files.put("C:\\Tarnel\\Source\\main.c", "stale");
    ASSERT_FALSE(c["EditBatch"].enabled());
    ASSERT_TRUE(app.buildFiles().GenerateBuildFiles(true));
    for (const auto& e : kThree)
        EXPECT_EQ(fh.files.readBytes(kCompileDir + "\\" + e.substr(8)), fh.files.readBytes(e)) << e;
    EXPECT_TRUE(c["EditBatch"].enabled());
    EXPECT_FALSE(c["PEditPan"].visible());
    EXPECT_EQ(panel5(), "Saving Editor Files");
}

TEST_F(BuildFixture, CreatesAMissingCompileDirWithItsParents)
{
    app.settings().compSource = "C:\\New\\Deep\\Source";
    project({"D:\\work\\main.c"});
    ASSERT_TRUE(app.buildFiles().GenerateBuildFiles(false));
    EXPECT_TRUE(fh.files.fileExists("C:\\New\\Deep\\Source\\main.c"));
    EXPECT_TRUE(fh.files.fileExists("C:\\New\\Deep\\Source\\ide.bat"));
}

TEST_F(BuildFixture, NeverCopiesAnEntryOfTheCompileDirOntoItself)
{
    fh.files.addLink("Y:\\", "C:\\Tarnel");
    const std::vector<std::string> own = {"C:\\Tarnel\\Source\\local.c", "c:\\TARNEL\\source\\upper.h",
                                          "C:/Tarnel/Source/slash.c", "C:\\Tarnel\\Source\\..\\Source\\dots.c",
                                          "Y:\\Source\\other.c"};
    for (const auto& e : own)
        fh.files.put(e, "only copy of " + e);
    c["ProjectListBox"].setEntries({own[0], "D:\\work\\main.c", own[1], own[2], own[3], own[4]});
    fh.files.put("D:\\work\\main.c", "main");
    ASSERT_TRUE(app.buildFiles().GenerateBuildFiles(true));
    for (const auto& e : own) {
        EXPECT_EQ(fh.files.writeCount(e), 0) << e;
        EXPECT_EQ(fh.files.readBytes(e), "only copy of " + e);
    }
    EXPECT_EQ(fh.files.readBytes("C:\\Tarnel\\Source\\main.c"), "main");
    EXPECT_NE(ideBat().find("icc78300 local.c"), std::string::npos);
}

TEST_F(BuildFixture, DefaultsTheObjectFileFromTheFirstEntry)
{
    struct Row {
        std::string objectFile, firstEntry, expected;
    };
    for (const Row& r : {Row{"", "D:\\work\\main.c", "C:\\Tarnel\\Source\\main.r25"},
                         Row{"  ", "D:\\work\\defs.h", "C:\\Tarnel\\Source\\defs.r25"},
                         Row{"X:\\keep.r25", "D:\\work\\main.c", "X:\\keep.r25"}}) {
        c["ObjectFile"].setText(r.objectFile);
        project({r.firstEntry});
        ASSERT_TRUE(app.buildFiles().GenerateBuildFiles(false));
        EXPECT_EQ(c["ObjectFile"].text(), r.expected);
    }
}

TEST_F(BuildFixture, AnEmptyFileListWritesNoBatchFile)
{
    c["PEditPan"].setVisible(true);
    EXPECT_FALSE(app.buildFiles().GenerateBuildFiles(true));
    EXPECT_FALSE(fh.files.fileExists(kIdeBat));
    EXPECT_FALSE(c["PEditPan"].visible());
    EXPECT_EQ(panel5(), "Saving Editor Files");
    EXPECT_FALSE(c["EditBatch"].enabled());
}

TEST_F(BuildFixture, RefusesSourceNamesThatWouldBreakABatchLine)
{
    for (const std::string& bad : std::vector<std::string>{"my main.c", "a&b.c", "a|b.c", "a<b.c", "a>b.c", "a^b.c", "100%.c", "a\"b.c",
                                  "tab\tname.c"}) {
        FakeHost host;
        TEmbedded fresh(host.host);
        fresh.settings().project = "D:\\work\\demo.prj";
        host.files.put("D:\\work\\ok.c", "ok");
        host.files.put("D:\\work\\" + bad, "bad");
        host.files.putFolder(kCompileDir);
        const auto before = host.files.allFiles();
        fresh.controls()["ProjectListBox"].setEntries({"D:\\work\\ok.c", "D:\\work\\" + bad});
        fresh.controls()["PEditPan"].setVisible(true);

        EXPECT_FALSE(fresh.buildFiles().GenerateBuildFiles(true)) << bad;
        EXPECT_EQ(host.files.allFiles(), before) << bad;
        EXPECT_TRUE(fresh.controls()["PEditPan"].visible()) << bad;
        ASSERT_EQ(host.dialogs.messages().size(), 1u) << bad;
        EXPECT_NE(host.dialogs.messages()[0].find("D:\\work\\" + bad), std::string::npos);
    }
}

TEST_F(BuildFixture, RefusesTwoFilesOfOneNameFromDifferentFolders)
{
    struct Row {
        const char* what;
        std::vector<std::string> entries;
        std::string first, second;  // named in the message; empty when the build goes ahead
    };
    const Row rows[] = {
        {"two sources", {"C:\\work\\a\\u.c", "C:\\work\\main.c", "C:\\work\\b\\u.c"}, "C:\\work\\a\\u.c",
         "C:\\work\\b\\u.c"},
        {"names differ in case", {"C:\\work\\a\\U.C", "D:\\other\\u.c"}, "C:\\work\\a\\U.C", "D:\\other\\u.c"},
        {"headers", {"C:\\work\\main.c", "C:\\work\\a\\defs.h", "C:\\work\\b\\DEFS.H"}, "C:\\work\\a\\defs.h",
         "C:\\work\\b\\DEFS.H"},
        {"over a file of the compile directory", {"C:\\Tarnel\\Source\\u.c", "C:\\work\\u.c"},
         "C:\\Tarnel\\Source\\u.c", "C:\\work\\u.c"},
        {"one file listed twice", {"C:\\work\\a\\u.c", "c:\\WORK\\a\\u.c"}, "", ""},
        {"one file by two paths", {"C:\\work\\a\\u.c", "C:\\work\\b\\..\\a\\u.c", "X:\\a\\u.c"}, "", ""},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        FakeHost host;
        TEmbedded fresh(host.host);
        fresh.settings().project = "D:\\work\\demo.prj";
        host.files.putFolder(kCompileDir);
        host.files.putFolder("D:\\work");
        host.files.addLink("X:\\", "C:\\work");
        for (const auto& e : r.entries)
            host.files.put(e, "/* " + e + " */");
        const auto before = host.files.allFiles();
        fresh.controls()["ProjectListBox"].setEntries(r.entries);

        fresh.controls()["BuildAll1"].activate();
        if (r.first.empty()) {
            EXPECT_TRUE(host.files.fileExists(kIdeBat));
            EXPECT_EQ(host.shell.calls.size(), 1u);
            continue;
        }
        EXPECT_EQ(host.files.allFiles(), before);
        EXPECT_TRUE(host.shell.calls.empty());
        const auto shown = host.dialogs.messages();
        ASSERT_FALSE(shown.empty());
        EXPECT_EQ(shown[0], copycheck::clashMessage({r.first, r.second}));
        EXPECT_NE(shown[0].find(r.first), std::string::npos);
        EXPECT_NE(shown[0].find(r.second), std::string::npos);
    }
}

TEST_F(BuildFixture, AcceptsBlanksOutsideTheBatchLines)
{
    project({"D:\\my work\\main.c", "D:\\work\\my defs.h"});
    EXPECT_TRUE(app.buildFiles().GenerateBuildFiles(true));
    EXPECT_TRUE(messages().empty());
    EXPECT_TRUE(fh.files.fileExists("C:\\Tarnel\\Source\\my defs.h"));
}

TEST_F(BuildFixture, ACopyFailureStopsBeforeIdeBat)
{
    struct Row {
        const char* what;
        std::function<void(FakeFiles&)> arrange;
        std::string message;
        bool mainCopied;
    };
    const std::vector<Row> rows = {
        {"unreadable", [](FakeFiles& f) { f.denyReads("D:\\work\\util.c"); }, "Cannot open file D:\\work\\util.c", true},
        {"missing", [](FakeFiles& f) { f.removeFile("D:\\work\\util.c"); }, "Cannot open file D:\\work\\util.c", true},
        {"read-only dir", [](FakeFiles& f) { f.denyWrites(kCompileDir); },
         "Cannot create file C:\\Tarnel\\Source\\main.c", false},
    };
    for (const Row& r : rows) {
        FakeHost host;
        TEmbedded fresh(host.host);
        fresh.settings().project = "D:\\work\\demo.prj";
        host.files.putFolder(kCompileDir);
        for (const auto& e : kThree)
            host.files.put(e, e);
        fresh.controls()["ProjectListBox"].setEntries(kThree);
        r.arrange(host.files);

        EXPECT_FALSE(fresh.buildFiles().GenerateBuildFiles(true)) << r.what;
        EXPECT_EQ(host.dialogs.messages(), std::vector<std::string>{r.message}) << r.what;
        EXPECT_FALSE(host.files.fileExists(kIdeBat)) << r.what;
        EXPECT_EQ(host.files.fileExists("C:\\Tarnel\\Source\\main.c"), r.mainCopied) << r.what;
        EXPECT_FALSE(host.files.fileExists("C:\\Tarnel\\Source\\defs.h")) << r.what;
        EXPECT_FALSE(fresh.controls()["EditBatch"].enabled()) << r.what;
    }
}

TEST_F(BuildFixture, AnUnwritableIdeBatIsReported)
{
    project(kThree);
    fh.files.denyWrites(kIdeBat);
    EXPECT_FALSE(app.buildFiles().GenerateBuildFiles(true));
    EXPECT_EQ(messages(), std::vector<std::string>{"Cannot create file " + kIdeBat});
    EXPECT_FALSE(c["EditBatch"].enabled());
}

TEST_F(BuildFixture, MakeIdeBatLinksOnlyForMenuItemsAndToolButtonsWithTag1)
{
    project({"D:\\work\\main.c"});
    struct Row {
        SenderKind kind;
        int tag;
        bool links;
    };
    for (const Row& r : {Row{SenderKind::MenuItem, 1, true}, Row{SenderKind::ToolButton, 1, true},
                         Row{SenderKind::MenuItem, 0, false}, Row{SenderKind::ToolButton, 0, false},
                         Row{SenderKind::Button, 1, false}, Row{SenderKind::Program, 1, false}}) {
        fh.files.removeFile(kIdeBat);
        app.buildFiles().MakeIdeBatClick(Sender{r.kind, r.tag});
        EXPECT_EQ(ideBat().find("xlink ") != std::string::npos, r.links) << int(r.kind) << " " << r.tag;
    }
    fh.files.removeFile(kIdeBat);
    c["Update1"].activate();
    EXPECT_EQ(ideBat().find("xlink "), std::string::npos);
    c["MakeBtn"].activate();
    EXPECT_NE(ideBat().find("xlink "), std::string::npos);
}

TEST_F(BuildFixture, MakeIdeBatDoesNothingWithoutAProject)
{
    project({"D:\\work\\main.c"});
    app.settings().project = Settings::NoProject;
    c["MakeBtn"].activate();
    EXPECT_FALSE(fh.files.fileExists(kIdeBat));
    EXPECT_FALSE(fh.files.fileExists("C:\\Tarnel\\Source\\main.c"));
}

namespace {

struct PathsetCase {
    std::string nec, working, compile;
    std::string file;
    std::vector<std::string> lines2to4;
};

}  // namespace

TEST_F(BuildFixture, WritesPathsetWithTheThreeDirectories)
{
    const std::vector<PathsetCase> rows = {
        {"C:\\Nec", "C:\\", "C:\\Tarnel\\Source", "C:\\pathset.bat",
         {"SET PATH=C:\\Nec\\ASM\\A78300;C:\\Nec\\ASM\\XL;C:\\Nec\\C\\ICC78300;C:\\PELORUS;%PATH%",
          "SET PATH=C:\\Nec\\C\\INCLUDE;C:\\Nec\\C\\LIB;C:\\Nec\\C\\DEMO;%PATH%", "SET PATH=C:\\Tarnel\\Source;%PATH%"}},
        {"D:\\Tools\\Nec\\", "C:\\Work", "C:\\Work\\source\\", "C:\\Work\\pathset.bat",
         {"SET PATH=D:\\Tools\\Nec\\ASM\\A78300;D:\\Tools\\Nec\\ASM\\XL;D:\\Tools\\Nec\\C\\ICC78300;"
          "C:\\WorkPELORUS;%PATH%",
          "SET PATH=D:\\Tools\\Nec\\C\\INCLUDE;D:\\Tools\\Nec\\C\\LIB;D:\\Tools\\Nec\\C\\DEMO;%PATH%",
          "SET PATH=C:\\Work\\source\\;%PATH%"}},
        {"C:\\Program Files\\Nec", "C:\\My Work\\", "C:\\My Work\\source", "C:\\My Work\\pathset.bat",
         {"SET PATH=C:\\Program Files\\Nec\\ASM\\A78300;C:\\Program Files\\Nec\\ASM\\XL;"
          "C:\\Program Files\\Nec\\C\\ICC78300;C:\\My Work\\PELORUS;%PATH%",
          "SET PATH=C:\\Program Files\\Nec\\C\\INCLUDE;C:\\Program Files\\Nec\\C\\LIB;"
          "C:\\Program Files\\Nec\\C\\DEMO;%PATH%",
          "SET PATH=C:\\My Work\\source;%PATH%"}},
    };
    for (const PathsetCase& r : rows) {
        Settings& s = app.settings();
        s.necDir = r.nec;
        s.compSource = r.compile;
        fh.files.putFolder(r.working);
        ASSERT_TRUE(app.buildFiles().WritePathset(r.working)) << r.file;
        EXPECT_EQ(fh.files.readBytes(r.file),
                  crlf({"REM setup path for compilers", "ECHO", r.lines2to4[0], r.lines2to4[1], r.lines2to4[2], "",
                        "ECHO.", "ECHO Tarnel - building the project with the NEC 78K/III C toolchain", "ECHO.",
                        "CD source", "PATH", "CALL ide"}));
        EXPECT_EQ(s.necDir, r.nec.back() == '\\' ? r.nec : r.nec + "\\");
    }
    EXPECT_TRUE(messages().empty());
}

TEST_F(BuildFixture, RefusesPathsetDirectoriesWithBatchCharacters)
{
    for (const char bad : std::string("&|<>^%\"")) {
        const std::string odd = std::string("C:\\A") + bad + "B";
        for (int which = 0; which < 3; ++which) {
            FakeHost host;
            TEmbedded fresh(host.host);
            Settings& s = fresh.settings();
            std::string working = "C:\\";
            (which == 0 ? s.necDir : which == 1 ? working : s.compSource) = odd;
            host.files.putFolder(working);
            EXPECT_FALSE(fresh.buildFiles().WritePathset(working)) << odd << which;
            EXPECT_TRUE(host.files.allFiles().empty()) << odd << which;
            EXPECT_EQ(s.necDir, which == 0 ? odd : "C:\\Nec") << odd << which;
            ASSERT_EQ(host.dialogs.messages().size(), 1u);
            EXPECT_NE(host.dialogs.messages()[0].find(odd), std::string::npos);
        }
    }
}

TEST_F(BuildFixture, AnUnwritablePathsetIsReported)
{
    fh.files.denyWrites("C:\\");
    EXPECT_FALSE(app.buildFiles().WritePathset("C:\\"));
    EXPECT_EQ(messages(), std::vector<std::string>{"Cannot create file C:\\pathset.bat"});
}

TEST(BatchNameCheck, TellsSafeFromUnsafeNames)
{
    EXPECT_TRUE(batchcheck::safeFileName("main_1-x.c"));
    EXPECT_FALSE(batchcheck::safeFileName("a b.c"));
    EXPECT_TRUE(batchcheck::safeDirectory("C:\\Program Files (x86)\\Nec"));
    EXPECT_FALSE(batchcheck::safeDirectory("C:\\a\r\nDEL x"));
}
