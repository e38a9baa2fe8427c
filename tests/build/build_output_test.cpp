// The build output panel's state: a build followed from its start to its end, what the end
// says about the target, the early five-second verdict, and diagnostics that open their line.
#include <algorithm>
#include <gtest/gtest.h>

#include "app/settings.h"
#include "build/build_fixture.h"
#include "build/build_output.h"
#include "editor/editor_windows.h"
#include "editor/tcode_ed.h"

using namespace buildtest;
using Kind = TranscriptRecord::Kind;

namespace {

const std::string kTarget = "C:\\Tarnel\\Source\\aout.a25";

class FakeFollower : public BuildFollower {
public:
    void follow(Deliver d) override
    {
        ++follows;
        deliver = std::move(d);
    }
    void stop() override { ++stops; }
    int follows = 0;
    int stops = 0;
    Deliver deliver;
};

TranscriptRecord out(const std::string& text)
{
    return {Kind::Output, text, 0, 0};
}
TranscriptRecord ended(int status, std::int64_t ms = 1500)
{
    return {Kind::Ended, "", status, ms};
}

class BuildOutputTest : public BuildFixture {
protected:
    BuildOutputTest()
    {
        project({"D:\\work\\main.c", "D:\\work\\util.c"});
        c["ViewBuildOutput"].setChecked(false);
        output.setFollower(&follower);
    }
    void buildAll() { c["BuildAll1"].activate(); }
    void deliver(std::vector<TranscriptRecord> records)
    {
        ASSERT_TRUE(follower.deliver);
        follower.deliver(std::move(records));
    }
    std::vector<std::string> lines() const
    {
        std::vector<std::string> out;
        const BuildTranscript& t = output.transcript();
        for (std::size_t n = t.firstNumber(); n < t.endNumber(); ++n)
            out.push_back(t.line(n).text);
        return out;
    }
    std::string notes() const
    {
        std::string all;
        for (const auto& n : output.notes())
            all += n + "\n";
        return all;
    }

    BuildOutput& output = app.buildOutput();
    FakeFollower follower;
};

}  // namespace

TEST_F(BuildOutputTest, FollowsABuildFromItsStartAndShowsTheEnd)
{
    EXPECT_EQ(output.heading(), "No build has run yet.");
    buildAll();
    EXPECT_EQ(follower.follows, 1);
    EXPECT_TRUE(output.visible()) << "a build shows the panel";
    EXPECT_TRUE(c["ViewBuildOutput"].checked());
    EXPECT_EQ(output.state(), BuildOutput::State::Running);
    EXPECT_EQ(output.heading(), "Building D:\\work\\demo.prj: 0 errors, 0 warnings");
    EXPECT_EQ(output.summary(), "");
    // The build's own status text is untouched by the panel.
    EXPECT_EQ(panel5(), "Compiling");
    ASSERT_EQ(fh.shell.calls.size(), 1u);

    deliver({{Kind::Started, "", 0, 77}, out("\nC:\\>ECHO banner\nbanner\n"),
             {Kind::Errors, "\"main.c\",17  Error[20]: ')' expected\n", 0, 0}});
    EXPECT_EQ(lines(), (std::vector<std::string>{"", "C:\\>ECHO banner", "banner", "\"main.c\",17  Error[20]: ')' expected"}));
    EXPECT_EQ(output.heading(), "Building D:\\work\\demo.prj: 1 error, 0 warnings");
    fh.files.put(kTarget, "linked", fh.clock.now + 1000);
    deliver({{Kind::ProgramEnded, "icc78300", 1, 0}, {Kind::ProgramEnded, "xlink", 0, 0}, out("done"), ended(1, 1234)});
    EXPECT_EQ(output.state(), BuildOutput::State::Ended);
    EXPECT_EQ(lines().back(), "done") << "an unfinished last line is kept";
    EXPECT_EQ(output.heading(), "Build of D:\\work\\demo.prj ended: 1 error, 0 warnings");
    EXPECT_EQ(output.summary(), "Exit status 1 after 1.2 s. " + kTarget +
                                    " was created. icc78300 ended with exit status 1.");
    EXPECT_EQ(notes(), "");
    // Records after the end belong to nothing.
    deliver({out("late\n")});
    EXPECT_EQ(lines().back(), "done");
}

TEST_F(BuildOutputTest, TellsWhatBecameOfTheTarget)
{
    struct Row {
        const char* what;
        bool before;
        bool after;
        bool rewritten;
        const char* says;
    };
    const Row rows[] = {
        {"new", false, true, true, " was created."},
        {"rewritten", true, true, true, " was updated."},
        {"left from an earlier build", true, true, false,
         " was not made by this build: the file there is from an earlier one."},
        {"none", false, false, false, " was not made."},
    };
    for (const Row& row : rows) {
        fh.files.removeFile(kTarget);
        if (row.before)
            fh.files.put(kTarget, "old", fh.clock.now - 60000);
        buildAll();
        if (!row.after)
            fh.files.removeFile(kTarget);
        else if (row.rewritten)
            fh.files.put(kTarget, "new", fh.clock.now + 700);
        deliver({ended(0, 61500)});
        EXPECT_EQ(output.summary(), "Exit status 0 after 1 min 1 s. " + kTarget + row.says) << row.what;
        fh.timers.fire(BuildRun::CompileTimerMs);
    }
}

TEST_F(BuildOutputTest, AnEndCheckBeforeTheEndIsNotedAndItsVerdictStands)
{
    buildAll();
    deliver({out("compiling\n")});
    ASSERT_TRUE(fh.timers.fire(BuildRun::CompileTimerMs));
    EXPECT_EQ(panel5(), "Compile failed " + kTarget);
    EXPECT_TRUE(output.earlyVerdict());
    EXPECT_EQ(notes(), "Still running at the five-second check: the status bar's verdict (\"Compile failed " +
                           kTarget + "\") came early.\n");
    fh.files.put(kTarget, "linked", fh.clock.now + 9000);
    deliver({ended(0, 9000)});
    EXPECT_EQ(output.summary(), "Exit status 0 after 9.0 s. " + kTarget + " was created.");
    EXPECT_NE(notes().find("came early"), std::string::npos) << "the note stays after the end";
    EXPECT_EQ(panel5(), "Compile failed " + kTarget) << "the panel never changes the status bar's verdict";

    // A build that ended before its check and left the old target (as "Compile" alone does):
    // the verdict is about an earlier build's file.
    buildAll();
    deliver({ended(0)});
    ASSERT_TRUE(fh.timers.fire(BuildRun::CompileTimerMs));
    EXPECT_FALSE(output.earlyVerdict());
    EXPECT_EQ(notes(), "The status bar's verdict (\"" + panel5() + "\") refers to a file from an earlier build.\n");

    // One that rewrote it has nothing to note.
    buildAll();
    fh.files.put(kTarget, "relinked", fh.clock.now + 500);
    deliver({ended(0)});
    ASSERT_TRUE(fh.timers.fire(BuildRun::CompileTimerMs));
    EXPECT_EQ(notes(), "");
}

TEST_F(BuildOutputTest, ARunnerThatFallsSilentAndABuildStartedOverAnother)
{
    buildAll();
    deliver({out("half a li"), {Kind::Lost, "The batch runner ended without reporting its end.", 0, 0}});
    EXPECT_EQ(output.state(), BuildOutput::State::Ended);
    EXPECT_EQ(output.summary(), "The batch runner ended without reporting its end. The exit status is not known. " +
                                    kTarget + " was not made.");
    EXPECT_EQ(lines(), std::vector<std::string>{"half a li"});

    buildAll();
    deliver({out("first build\n")});
    const BuildFollower::Deliver first = follower.deliver;
    buildAll();
    EXPECT_EQ(follower.follows, 3);
    EXPECT_TRUE(lines().empty()) << "the panel starts over with the new build";
    EXPECT_EQ(notes(), "The build before was still running when this one started; its output is no longer shown.\n");
}

TEST_F(BuildOutputTest, ADiagnosticOpensItsProjectFileAtTheLine)
{
    fh.files.put("D:\\work\\util.c", "a\r\nb\r\nc\r\nthe third\r\ne\r\n");
    buildAll();
    deliver({out("\"util.c\",4  Error[1]: here\n\"nowhere.c\",2  Error[1]: not ours\n"
                 "Error[61]: no place\nplain\n\"main.c\",1  Warning[3]: w\n"),
             ended(1)});
    output.openLine(3);  // a plain line opens nothing
    EXPECT_EQ(app.editors().count(), 0);

    output.openLine(0);
    ASSERT_EQ(app.editors().count(), 1);
    TCodeEd& ed = *app.editors().windows().front();
    EXPECT_EQ(ed.fileName(), "D:\\work\\util.c");
    EXPECT_EQ(ed.buffer().lineOfPosition(ed.buffer().selStart()), 3);
    EXPECT_EQ(output.currentLine(), 0u);
    EXPECT_EQ(output.message(), "");

    output.openLine(1);
    EXPECT_EQ(output.message(), "nowhere.c is not in the project: nothing was opened.");
    output.openLine(2);
    EXPECT_EQ(output.message(), "This message names no source file and line.");
    fh.files.removeFile("D:\\work\\main.c");
    output.openLine(4);
    EXPECT_EQ(output.message(), "D:\\work\\main.c does not exist: nothing was opened.");
    EXPECT_EQ(app.editors().count(), 1);
    EXPECT_TRUE(fh.dialogs.messages().empty()) << "the panel says it, no box";

    // The window already open is used again, and changes in it are never read over.
    output.openLine(0);
    EXPECT_EQ(app.editors().count(), 1);
    ed.buffer().setSelection(0, 0);
    ed.buffer().replaceSelection("edited ");
    ed.buffer().setSelection(0, 0);
    output.openLine(0);
    EXPECT_EQ(app.editors().count(), 1);
    EXPECT_EQ(ed.buffer().lineText(0), "edited a");
    EXPECT_EQ(ed.buffer().lineOfPosition(ed.buffer().selStart()), 3);
    EXPECT_EQ(ed.buffer().selLength(), 9);
}

TEST_F(BuildOutputTest, F4AndShiftF4StepRoundTheDiagnostics)
{
    fh.files.put("D:\\work\\main.c", "1\r\n2\r\n3\r\n4\r\n5\r\n");
    buildAll();
    output.setVisible(false);
    output.nextDiagnostic();
    EXPECT_EQ(output.message(), "There are no errors or warnings in this build's output.");
    EXPECT_TRUE(output.visible()) << "stepping shows the panel";
    deliver({out("a\n\"main.c\",2  Error[1]: x\nb\n\"main.c\",4  Warning[2]: y\n\"main.c\",5  Error[3]: z\n"),
             ended(1)});
    std::vector<std::size_t> visited;
    for (int i = 0; i < 4; ++i) {
        output.nextDiagnostic();
        visited.push_back(output.currentLine().value_or(99));
    }
    EXPECT_EQ(visited, (std::vector<std::size_t>{1, 3, 4, 1}));
    output.previousDiagnostic();
    EXPECT_EQ(output.currentLine(), 4u);
    output.openLine(3);
    output.previousDiagnostic();
    EXPECT_EQ(output.currentLine(), 1u) << "a click sets where stepping goes on from";
    TCodeEd& ed = *app.editors().windows().back();
    EXPECT_EQ(ed.buffer().lineOfPosition(ed.buffer().selStart()), 1);
}

TEST_F(BuildOutputTest, ThePanelsMenuItemTogglesItAndTheSettingsKeepIt)
{
    Settings& s = app.settings();
    c["ViewBuildOutput"].activate();
    EXPECT_TRUE(output.visible());
    ASSERT_TRUE(s.write(fh.settings, c));
    EXPECT_EQ(fh.settings.values["build output panel"], "1");
    // After the stock values (the tool lists end them), among those of our own.
    const std::vector<std::string>& order = fh.settings.writeOrder;
    const auto panel = std::find(order.begin(), order.end(), "Build Output Panel");
    ASSERT_NE(panel, order.end());
    const auto stock = [](const std::string& v) { return v.starts_with("UT") || v.starts_with("PT"); };
    EXPECT_EQ(std::find_if(panel, order.end(), stock), order.end());
    c["ViewBuildOutput"].activate();
    EXPECT_FALSE(output.visible());
    s.read(fh.settings, c);
    EXPECT_TRUE(output.visible());
    fh.settings.values.erase("build output panel");
    s.read(fh.settings, c);
    EXPECT_FALSE(output.visible()) << "hidden until asked for";
}

TEST_F(BuildOutputTest, DiagnosticsMarkTheirLinesWhichFollowEditsUntilTheNextBuild)
{
    fh.files.put("D:\\work\\main.c", "l1\r\nl2\r\nl3\r\nl4\r\n");
    fh.files.put("D:\\work\\util.c", "u1\r\nu2\r\n");
    c["CloseEds"].setChecked(false);
    TCodeEd& main = app.editors().create();
    main.OpenAtLine("D:\\work\\main.c", 0);
    buildAll();
    deliver({out("\"main.c\",3  Error[1]: bad\n\"util.c\",2  Warning[2]: odd\n"), ended(1)});
    ASSERT_EQ(main.marks().size(), 1u) << "the open window is marked when the build ends";
    TextBuffer& text = main.buffer();
    auto caretLine = [](TCodeEd& ed) { return ed.buffer().lineOfPosition(ed.buffer().selStart()); };

    text.setSelection(0, 0);
    text.replaceSelection("a\r\nb\r\nc\r\n");
    EXPECT_EQ(output.lineNote(0), "(line 3 is now line 6)");
    output.openLine(0);
    EXPECT_EQ(caretLine(main), 5) << "a click lands on the moved line";
    ASSERT_TRUE(main.Save1Click());
    EXPECT_EQ(output.lineNote(0), "(line 3 is now line 6)") << "saving keeps the marks";

    output.openLine(1);
    TCodeEd& util = *app.editors().windows().back();
    EXPECT_EQ(util.fileName(), "D:\\work\\util.c");
    EXPECT_EQ(util.marks().size(), 1u) << "a file opened later gets its marks";
    EXPECT_EQ(output.lineNote(1), "");

    text.setSelection(text.lineStart(5), text.lineStart(6) - text.lineStart(5));
    text.deleteSelection();
    EXPECT_EQ(output.lineNote(0), "(line 3 was removed)");
    output.openLine(0);
    EXPECT_EQ(output.message(), "Line 3 of main.c was removed since the build; the editor shows where it was.");
    EXPECT_EQ(caretLine(main), 5);

    ASSERT_TRUE(util.close());
    EXPECT_FALSE(output.marks().where(1)) << "a closed window's marks are gone";
    buildAll();
    EXPECT_TRUE(main.marks().empty()) << "the next build drops them";
}
