// The build without a window: the project of the command line loaded by the start-up, the
// batch run to its end, the exit status from what became of the target, and inputs it cannot
// use refused in one line, with the user's settings left as they were. Folders that cannot be
// written are the real file system's cases, in tarnel-build's own test.
#include <gtest/gtest.h>

#include "build/build_changed.h"
#include "build/compiler_options.h"
#include "build/headless_build.h"
#include "linker/linker_options.h"
#include "project/project_file.h"
#include "support/app_fixture.h"

namespace {

const std::string kProject = "C:\\work\\demo.prj";
const std::string kTarget = "C:\\Tarnel\\Source\\aout.a25";
using Kind = TranscriptRecord::Kind;

struct HeadlessBuildTest : ::testing::Test {
    AppFixture f;
    FakeHost& fake = f.fake;
    std::vector<std::string> said;
    std::vector<std::string> ranBatches;
    // What the toolchain does when the batch runs: by default it writes the target.
    std::function<void()> toolchain = [this] { fake.files.put(kTarget, "S0", fake.clock.now + 2000); };
    int batchStatus = 0;
    std::string compilerSays = "Tarnel stand-in icc78300 1.0\n";
    int compilerStatus = 0;

    HeadlessBuildTest()
    {
        f.prepareInstalledMachine();
        fake.settings.values["directory"] = "C:\\Tarnel\\";
        fake.settings.values["nec dir"] = "C:\\Nec";
        fake.settings.values["target"] = "1";
        fake.settings.values["project"] = "C:\\Tarnel\\last.prj";
        fake.files.putFolder("C:\\work");
        fake.files.put("C:\\work\\main.c", "int main(void) { return 0; }\n");
        writeProject();
        fake.settings.writeOrder.clear();
    }

    // A project file as Tarnel itself writes it.
    void writeProject()
    {
        TEmbedded& app = f.make();
        app.compiler().DefaultsClick();
        app.linker().LinkDefsClick();
        app.controls()["ProjectListBox"].setEntries({"C:\\work\\main.c"});
        app.project().ComposeProject();
        ASSERT_TRUE(app.project().write(kProject));
        f.app.reset();
    }

    HeadlessBuild::Result run(const std::string& project = kProject, const CiOutputs& outputs = {},
                              bool changedOnly = false)
    {
        HeadlessBuild::Platform p{fake.files,
                                  fake.clock,
                                  fake.settings,
                                  fake.host.programFolder,
                                  fake.host.programFile,
                                  [this](const std::string& file, const std::string& folder) {
                                      ranBatches.push_back(folder + "|" + file);
                                      toolchain();
                                      fake.clock.now += 3000;
                                      return std::vector<TranscriptRecord>{
                                          {Kind::ProgramStarted, "icc78300 main.c", 0, 0},
                                          {Kind::Output, compilerSays, 0, 0},
                                          {Kind::ProgramEnded, "icc78300", compilerStatus, 0},
                                          {Kind::ProgramStarted, "xlink main.R25", 0, 0},
                                          {Kind::ProgramEnded, "xlink", batchStatus, 0},
                                          {Kind::Ended, "", batchStatus, 3000}};
                                  },
                                  [this](const std::string& line) { said.push_back(line); }};
        return HeadlessBuild::run(p, project, outputs, changedOnly);
    }
};

TEST_F(HeadlessBuildTest, BuildsTheNamedProjectToItsEndAndSaysCreated)
{
    const HeadlessBuild::Result r = run();
    EXPECT_EQ(r.exit, HeadlessBuild::Made) << r.problem;
    EXPECT_EQ(r.outcome, "Created " + kTarget);
    EXPECT_EQ(ranBatches, (std::vector<std::string>{"C:\\Tarnel\\|C:\\Tarnel\\pathset.bat"}));
    EXPECT_NE(f.text("C:\\Tarnel\\Source\\ide.bat").find("icc78300 main.c"), std::string::npos);
    EXPECT_NE(f.text("C:\\Tarnel\\pathset.bat"), "<missing>");
    ASSERT_FALSE(said.empty());
    EXPECT_EQ(said.back(), "Exit status 0 after 3.0 s. " + kTarget + " was created.");
    EXPECT_TRUE(fake.settings.writeOrder.empty()) << "the user's settings are never written";
    EXPECT_EQ(fake.settings.values["project"], "C:\\Tarnel\\last.prj");
}

TEST_F(HeadlessBuildTest, OnlyATargetThisBuildWroteCountsAsMade)
{
    struct Case {
        const char* what;
        bool oldTarget;   // a target from an earlier build is there at the start
        bool toolWrites;  // the toolchain writes it
        int exit;
        const char* outcome;  // the end check's own word
        const char* summaryEnd;
    };
    const Case cases[] = {
        {"fresh target", false, true, HeadlessBuild::Made, "Created ", " was created."},
        {"rewritten target", true, true, HeadlessBuild::Made, "Updated ", " was updated."},
        {"nothing made", false, false, HeadlessBuild::NotMade, "Compile failed ", " was not made."},
        // The end check calls an old file "Created "; a build server must not take it for a result.
        {"old target left", true, false, HeadlessBuild::NotMade, "Created ",
         " was not made by this build: the file there is from an earlier one."},
    };
    for (const Case& c : cases) {
        fake.files.removeFile(kTarget);
        if (c.oldTarget)
            fake.files.put(kTarget, "old", fake.clock.now - 60000);
        toolchain = [this, &c] {
            if (c.toolWrites)
                fake.files.put(kTarget, "S0", fake.clock.now + 2000);
        };
        batchStatus = c.toolWrites ? 0 : 1;
        said.clear();
        const HeadlessBuild::Result r = run();
        EXPECT_EQ(r.exit, c.exit) << c.what << ": " << r.problem;
        EXPECT_EQ(r.outcome, c.outcome + kTarget) << c.what;
        ASSERT_FALSE(said.empty()) << c.what;
        const std::string summary = said.back();
        EXPECT_NE(summary.find(kTarget + c.summaryEnd), std::string::npos) << c.what << ": " << summary;
        if (!c.toolWrites) {
            EXPECT_NE(summary.find("xlink ended with exit status 1"), std::string::npos) << summary;
        }
    }
}

TEST_F(HeadlessBuildTest, InputsItCannotUseAreRefusedInOneLineAndNothingIsRun)
{
    struct Case {
        const char* what;
        std::function<void()> arrange;
        std::string project;
        std::string problem;
    };
    const Case cases[] = {
        {"missing project", [] {}, "C:\\work\\none.prj", "the project file C:\\work\\none.prj does not exist"},
        {"garbage project", [this] { fake.files.put("C:\\work\\junk.prj", std::string("\x01\xff junk\r\n", 8)); },
         "C:\\work\\junk.prj", "cannot load the project C:\\work\\junk.prj: Error in Project File"},
        {"a project larger than any", [this] { fake.files.putHuge("C:\\work\\huge.prj", 3ull << 30); },
         "C:\\work\\huge.prj",
         "cannot load the project C:\\work\\huge.prj: " + ProjectFile::tooLargeMessage("C:\\work\\huge.prj", 3ull << 30)},
        {"no toolchain", [this] { fake.settings.values["nec dir"] = "C:\\NoNec"; }, kProject,
         "cannot build " + kProject + ": NEC Directory does not exist on the specified drive "},
    };
    for (const Case& c : cases) {
        const auto settingsBefore = fake.settings.values;
        c.arrange();
        const std::string projectBefore = f.text(c.project);
        said.clear();
        ranBatches.clear();
        const HeadlessBuild::Result r = run(c.project);
        EXPECT_EQ(r.exit, HeadlessBuild::BadInput) << c.what;
        EXPECT_EQ(r.problem.rfind(c.problem, 0), 0u) << c.what << ": " << r.problem;
        EXPECT_EQ(r.problem.find('\n'), std::string::npos) << c.what;
        EXPECT_TRUE(said.empty()) << c.what << ": the reason is the one line: " << said.front();
        EXPECT_TRUE(ranBatches.empty()) << c.what;
        EXPECT_TRUE(r.outcome.empty()) << c.what;
        EXPECT_EQ(f.text(c.project), projectBefore) << c.what << ": the project file is left alone";
        EXPECT_TRUE(fake.settings.writeOrder.empty()) << c.what;
        fake.settings.values = settingsBefore;
    }
}

TEST_F(HeadlessBuildTest, TheResultFilesAreWrittenWhenTheBuildFailsAndAFileThatCannotBeIsTold)
{
    toolchain = [] {};
    batchStatus = compilerStatus = 1;
    compilerSays = "\"main.c\",17  Error[20]: ')' expected\n";
    fake.files.putFolder("C:\\ci");
    fake.files.denyWrites("C:\\ci\\locked.json");
    const CiOutputs outputs{"C:\\ci\\r.sarif", "C:\\ci\\r.xml", "C:\\ci\\locked.json"};
    const HeadlessBuild::Result r = run(kProject, outputs);
    EXPECT_EQ(r.exit, HeadlessBuild::NotMade);
    EXPECT_NE(f.text("C:\\ci\\r.sarif").find("\"uri\": \"main.c\", \"uriBaseId\": \"%SRCROOT%\"}, "
                                             "\"region\": {\"startLine\": 17}"),
              std::string::npos)
        << f.text("C:\\ci\\r.sarif");
    EXPECT_NE(f.text("C:\\ci\\r.xml").find("name=\"main.c\">\n      <failure"), std::string::npos)
        << f.text("C:\\ci\\r.xml");
    EXPECT_EQ(r.unwritten, (std::vector<std::string>{"C:\\ci\\locked.json"}));
}

TEST_F(HeadlessBuildTest, TheStartUpsBoxesAreToldBeforeTheBuildAndItsQuestionsDeclined)
{
    // A missing command file is a warning at start-up, not a reason to refuse the build.
    fake.files.removeFile("C:\\Tarnel\\Source\\LK7832LH.xcl");
    const HeadlessBuild::Result r = run();
    EXPECT_EQ(r.exit, HeadlessBuild::Made) << r.problem;
    ASSERT_GE(said.size(), 2u);
    EXPECT_EQ(said.front(), "Warning at least one linker map file is missing Please Install into C:\\Tarnel\\Source");
    EXPECT_TRUE(fake.dialogs.messages().empty()) << "no box reaches a screen";
}

}  // namespace

TEST_F(HeadlessBuildTest, BuildChangedRunsItsOwnBatchAndThenFindsNothingToDo)
{
    toolchain = [this] {
        fake.files.put("C:\\Tarnel\\Source\\main.R25", "obj", fake.clock.now + 2000);
        fake.files.put(kTarget, "S0", fake.clock.now + 2000);
    };
    const HeadlessBuild::Result first = run(kProject, {}, true);
    EXPECT_EQ(first.exit, HeadlessBuild::Made) << first.problem;
    EXPECT_EQ(ranBatches, (std::vector<std::string>{"C:\\Tarnel\\|C:\\Tarnel\\pathchg.bat"}));
    EXPECT_EQ(f.text("C:\\Tarnel\\Source\\idechg.bat").find("icc78300 main.c"), 0u);

    fake.clock.now += 10000;
    const HeadlessBuild::Result again = run(kProject, {}, true);
    EXPECT_EQ(again.exit, HeadlessBuild::Made) << again.problem;
    EXPECT_EQ(again.outcome, BuildChanged::NothingToDo);
    EXPECT_EQ(ranBatches.size(), 1u) << "nothing is run";
    EXPECT_TRUE(again.memory.has_value()) << "the last link's figures are still there for --max-fill";
}
