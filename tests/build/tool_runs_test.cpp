// Runs of the assembler and the tools in the Build Output panel: the latest of each kind kept
// apart from the build's output, and their diagnostics opening the file they name.
#include <gtest/gtest.h>

#include "build/build_fixture.h"
#include "build/build_output.h"
#include "build/tool_runs.h"
#include "editor/editor_windows.h"
#include "editor/tcode_ed.h"

using namespace buildtest;
using Kind = TranscriptRecord::Kind;

namespace
{

class FakeFollower : public BuildFollower
{
public:
    void follow(Deliver d) override { deliver = std::move(d); }
    void stop() override {}
    Deliver deliver;
};

TranscriptRecord out(const std::string& text)
{
    return {Kind::Output, text, 0, 0};
}

class ToolRunsTest : public BuildFixture
{
protected:
    ToolRunsTest()
    {
        project({"D:\\work\\main.c"});
        app.buildOutput().setFollower(&build);
        runs.setFollower(RunKind::Assembler, &assembler);
        runs.setFollower(RunKind::Programmer, &programmer);
        fh.files.put("D:\\asm\\boot.s25", "a\r\nb\r\nc\r\n");
        c["AssemblerFile"].setText("D:\\asm\\boot.s25");
        c["GLF"].setChecked(false);
        app.settings().programmingTool = "C:\\Pelorus\\prog.exe";
    }
    std::string lines(const BuildTranscript& t) const
    {
        std::string all;
        for (std::size_t n = t.firstNumber(); n < t.endNumber(); ++n)
            all += t.line(n).text + "\n";
        return all;
    }

    ToolRuns& runs = app.toolRuns();
    FakeFollower build, assembler, programmer;
};

} // namespace

TEST_F(ToolRunsTest, EachKindKeepsItsLatestRunApartFromTheBuild)
{
    c["BuildAll1"].activate();
    build.deliver({out("compiling\n")});
    c["Assemble1"].activate();
    EXPECT_EQ(runs.shown(), RunKind::Assembler) << "a run that starts is shown";
    EXPECT_EQ(runs.run(RunKind::Assembler).heading(),
              "Assembler: C:\\Nec\\asm\\A78300\\A78300.exe D:\\asm\\boot.s25");
    EXPECT_EQ(runs.run(RunKind::Assembler).summary(), "Running in C:\\Tarnel\\Source.");
    assembler.deliver({out("\"boot.s25\",2  Error[7]: bad\n"), out("still the build's? no\n")});
    build.deliver({out("linking\n")});
    c["Prgm"].activate();
    programmer.deliver({out("loading\n"), {Kind::Ended, "", 0, 850}});
    assembler.deliver({{Kind::Ended, "", 1, 12}});

    EXPECT_EQ(lines(app.buildOutput().transcript()), "compiling\nlinking\n");
    EXPECT_EQ(lines(runs.run(RunKind::Assembler).transcript()),
              "\"boot.s25\",2  Error[7]: bad\nstill the build's? no\n");
    EXPECT_EQ(lines(runs.run(RunKind::Programmer).transcript()), "loading\n");
    EXPECT_EQ(runs.run(RunKind::Assembler).summary(),
              "Exit status 1 after 12 ms, in C:\\Tarnel\\Source. 1 error, 0 warnings.");
    EXPECT_EQ(runs.run(RunKind::Programmer).summary(), "Exit status 0 after 850 ms, in C:\\Pelorus.");
    EXPECT_EQ(runs.kinds(), (std::vector<RunKind>{RunKind::Build, RunKind::Assembler, RunKind::Programmer}));
    EXPECT_EQ(runs.shown(), RunKind::Programmer);
    EXPECT_EQ(app.buildOutput().state(), BuildOutput::State::Running) << "the build goes on, unmixed";

    // The next run of a kind replaces its last; the next build brings the build back to the front.
    c["Assemble1"].activate();
    EXPECT_EQ(runs.run(RunKind::Assembler).state(), FollowedRun::State::Running);
    EXPECT_EQ(lines(runs.run(RunKind::Assembler).transcript()), "");
    EXPECT_EQ(lines(runs.run(RunKind::Programmer).transcript()), "loading\n");
    c["BuildAll1"].activate();
    EXPECT_EQ(runs.shown(), RunKind::Build);
}

TEST_F(ToolRunsTest, AToolsDiagnosticOpensTheFileItNamesAtTheLine)
{
    FollowedRun run;
    run.start("Lint", "C:\\Tools\\lint.exe -x D:\\asm\\boot.s25 \"D:\\my src\\main.c\"", "C:\\Tools", 0);
    const struct {
        const char* named;
        const char* opened;
    } rows[] = {
        {"boot.s25", "D:\\asm\\boot.s25"}, // an argument's name
        {"BOOT.S25", "D:\\asm\\boot.s25"},         {"main.c", "D:\\my src\\main.c"},
        {"util.c", "C:\\Tools\\util.c"}, // else in the folder it ran in
        {"sub\\util.c", "C:\\Tools\\sub\\util.c"}, {"E:\\x\\util.c", "E:\\x\\util.c"},
    };
    for (const auto& r : rows)
        EXPECT_EQ(ToolRuns::sourcePath(run, r.named), r.opened) << r.named;

    c["Assemble1"].activate();
    assembler.deliver(
        {out("\"boot.s25\",3  Error[7]: bad\nError[1]: nowhere\n\"gone.s25\",1  Error[2]: x\n")});
    runs.openLine(RunKind::Assembler, 0);
    ASSERT_EQ(app.editors().count(), 1);
    TCodeEd& ed = *app.editors().windows().front();
    EXPECT_EQ(ed.fileName(), "D:\\asm\\boot.s25");
    EXPECT_EQ(ed.buffer().lineOfPosition(ed.buffer().selStart()), 2);
    runs.openLine(RunKind::Assembler, 1);
    EXPECT_EQ(runs.run(RunKind::Assembler).message(), "This message names no source file and line.");
    runs.openLine(RunKind::Assembler, 2);
    EXPECT_EQ(runs.run(RunKind::Assembler).message(),
              "C:\\Tarnel\\Source\\gone.s25 does not exist: nothing was opened.");
    EXPECT_EQ(app.editors().count(), 1);
}
