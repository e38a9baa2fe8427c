#include "build/build_fixture.h"

#include <optional>

using namespace buildtest;

namespace {

const std::vector<std::string> kThree = {"D:\\work\\main.c", "D:\\work\\util.c", "D:\\work\\defs.h"};
const std::string kLinkTarget = "C:\\Tarnel\\Source\\aout.a25";
const std::string kObject = "C:\\Tarnel\\Source\\main.r25";
constexpr std::int64_t kBase = 1'700'000'000'000;  // an even second

class RunFixture : public BuildFixture {
protected:
    RunFixture()
    {
        project(kThree);
        fh.clock.now = kBase;
    }
    void useTargetSwitch(bool on)
    {
        c["Target"].setChecked(on);
        app.settings().targetSwitch = on;
        if (!on)
            c["ObjectFile"].setText(kObject);
    }
    // What the toolchain would leave behind, offset from now.
    void toolWrites(const std::string& path, std::int64_t afterMs) { fh.files.put(path, "new", fh.clock.now + afterMs); }
    void tick()
    {
        fh.clock.now += BuildRun::CompileTimerMs;
        ASSERT_TRUE(fh.timers.fire(BuildRun::CompileTimerMs));
    }
    bool linked() { return ideBat().find("xlink ") != std::string::npos; }
};

struct OutcomeCase {
    const char* what;
    bool targetSwitch;
    std::int64_t startOffset;
    std::optional<std::int64_t> before;   // target's time before the build, from the base
    std::optional<std::int64_t> written;  // the tool's write, from the build start
    const char* outcome;
    bool flag;
};

class Outcome : public RunFixture, public ::testing::WithParamInterface<OutcomeCase> {};

}  // namespace

TEST_P(Outcome, ComparesTheTargetWithTheStartInTwoSecondSteps)
{
    const OutcomeCase& t = GetParam();
    useTargetSwitch(t.targetSwitch);
    const std::string target = t.targetSwitch ? kLinkTarget : kObject;
    if (t.before)
        fh.files.put(target, "old", kBase + *t.before);
    fh.clock.now = kBase + t.startOffset;
    c["BuildAll1"].activate();
    ASSERT_EQ(panel5(), "Compiling");
    if (t.written)
        toolWrites(target, *t.written);
    tick();
    EXPECT_EQ(panel5(), t.outcome + target);
    EXPECT_EQ(app.buildRun().previousTarget(), t.flag);
    EXPECT_FALSE(app.buildRun().timerRunning());
}

INSTANTIATE_TEST_SUITE_P(
    Builds, Outcome,
    ::testing::Values(OutcomeCase{"created", true, 0, std::nullopt, 3000, "Created ", false},
                      OutcomeCase{"updated", true, 0, -60000, 3000, "Updated ", true},
                      OutcomeCase{"old target left", true, 0, -60000, std::nullopt, "Created ", true},
                      OutcomeCase{"failed", true, 0, std::nullopt, std::nullopt, "Compile failed ", false},
                      OutcomeCase{"same two second step", true, 1500, -60000, 200, "Created ", true},
                      OutcomeCase{"next two second step", true, 1500, -60000, 600, "Updated ", true},
                      OutcomeCase{"written at the start", true, 0, -60000, 0, "Created ", true},
                      OutcomeCase{"object created", false, 0, -60000, 3000, "Created ", false},
                      OutcomeCase{"old object deleted", false, 0, -60000, std::nullopt, "Compile failed ", false}),
    [](const auto& info) {
        std::string n = info.param.what;
        for (char& ch : n)
            if (ch == ' ')
                ch = '_';
        return n;
    });

TEST_F(RunFixture, WithoutAProjectNothingHappens)
{
    app.settings().project = Settings::NoProject;
    fh.files.put(kObject, "old");
    c["ObjectFile"].setText(kObject);
    c["BuildAll1"].activate();
    ASSERT_EQ(fh.dialogs.calls.size(), 1u);
    EXPECT_EQ(fh.dialogs.calls[0].text, "Cant Compile,  No Project loaded");
    EXPECT_EQ(fh.dialogs.calls[0].icon, MsgIcon::Information);
    EXPECT_TRUE(fh.files.fileExists(kObject));
    EXPECT_FALSE(fh.files.fileExists(kIdeBat));
    EXPECT_TRUE(fh.shell.calls.empty());
    EXPECT_TRUE(fh.timers.pending.empty());
}

TEST_F(RunFixture, StartClearsOldResultsAndDisablesTheResultViews)
{
    c["ObjectFile"].setText(kObject);
    c["Linklistfile"].setText("my.map");
    for (const char* f : {"C:\\Tarnel\\Source\\main.r25", "C:\\Tarnel\\Source\\my.map", "C:\\Tarnel\\Source\\out.map"})
        fh.files.put(f, "old");
    const char* const views[] = {"ViewList", "ViewCompilerList", "ViewListBtn", "ErrorcheckBtn", "Prgm"};
    for (const char* v : views)
        c[v].setEnabled(true);
    c["Compile1"].activate();
    EXPECT_FALSE(fh.files.fileExists(kObject));
    EXPECT_FALSE(fh.files.fileExists("C:\\Tarnel\\Source\\my.map"));
    EXPECT_TRUE(fh.files.fileExists("C:\\Tarnel\\Source\\out.map"));
    for (const char* v : views)
        EXPECT_FALSE(c[v].enabled()) << v;
}

TEST_F(RunFixture, NoBuildFilesMeansNoBuild)
{
    struct Row {
        const char* what;
        std::function<void()> arrange;
        std::vector<std::string> messages;
    };
    const std::vector<Row> rows = {
        {"empty list", [this] { c["ProjectListBox"].setEntries({}); }, {"Can't Compile"}},
        {"copy failure",
         [this] {
             project(kThree);
             fh.files.denyReads("D:\\work\\util.c");
         },
         {"Cannot open file D:\\work\\util.c", "Can't Compile"}},
    };
    for (const Row& r : rows) {
        fh.dialogs.calls.clear();
        fh.files.put(kObject, "old");
        c["ObjectFile"].setText(kObject);
        c["Prgm"].setEnabled(true);
        r.arrange();
        c["BuildAll1"].activate();
        EXPECT_EQ(messages(), r.messages) << r.what;
        EXPECT_FALSE(fh.files.fileExists(kObject)) << r.what;
        EXPECT_FALSE(c["Prgm"].enabled()) << r.what;
        EXPECT_TRUE(fh.shell.calls.empty()) << r.what;
        EXPECT_TRUE(fh.timers.pending.empty()) << r.what;
    }
}

TEST_F(RunFixture, StartsPathsetInTheWorkingDirectory)
{
    struct Row {
        bool showProgress;
        std::string working, file;
    };
    for (const Row& r : {Row{true, "C:\\", "C:\\pathset.bat"}, Row{false, "C:\\Work", "C:\\Work\\pathset.bat"}}) {
        fh.shell.calls.clear();
        c["ShowProgress"].setChecked(r.showProgress);
        app.settings().directory = r.working;
        c["Compile1"].activate();
        ASSERT_EQ(fh.shell.calls.size(), 1u);
        EXPECT_EQ(fh.shell.calls[0].file, r.file);
        EXPECT_EQ(fh.shell.calls[0].parameters, "");
        EXPECT_EQ(fh.shell.calls[0].folder, r.working);
        EXPECT_EQ(fh.shell.calls[0].shown, r.showProgress);
        EXPECT_EQ(app.buildRun().startMs(), fh.clock.now);
        EXPECT_EQ(app.buildTargetPath, kLinkTarget);
        tick();
    }
}

TEST_F(RunFixture, OnlyBuildAllLinks)
{
    struct Row {
        const char* command;
        bool links;
    };
    for (const Row& r : {Row{"Compile1", false}, Row{"BuildAll1", true}, Row{"BuildAllBtn", true}, Row{"CompBtn", false}}) {
        c[r.command].activate();
        EXPECT_EQ(linked(), r.links) << r.command;
        tick();
    }
    app.buildRun().CompBtnClick();
    EXPECT_FALSE(linked());
}

TEST_F(RunFixture, TheFlagNeverGoesBack)
{
    fh.files.put(kLinkTarget, "old", kBase - 60000);
    c["BuildAll1"].activate();
    tick();
    ASSERT_TRUE(app.buildRun().previousTarget());

    fh.files.removeFile(kLinkTarget);
    fh.clock.now += 60000;
    c["BuildAll1"].activate();
    toolWrites(kLinkTarget, 3000);
    tick();
    EXPECT_TRUE(app.buildRun().previousTarget());
    EXPECT_EQ(panel5(), "Updated " + kLinkTarget);
}

TEST_F(RunFixture, ASecondBuildSharesThePendingCheckAndItsStartTimeCounts)
{
    fh.files.put(kLinkTarget, "old", kBase - 60000);
    c["BuildAll1"].activate();
    toolWrites(kLinkTarget, 1000);
    fh.clock.now = kBase + 3000;
    c["BuildAll1"].activate();
    EXPECT_EQ(fh.timers.count(BuildRun::CompileTimerMs), 1);
    EXPECT_EQ(app.buildRun().startMs(), kBase + 3000);
    ASSERT_TRUE(fh.timers.fire(BuildRun::CompileTimerMs));
    // Newer than the first start, not the second.
    EXPECT_EQ(panel5(), "Created " + kLinkTarget);

    c["BuildAll1"].activate();
    EXPECT_EQ(fh.timers.count(BuildRun::CompileTimerMs), 1);
}

TEST_F(RunFixture, TheCheckEnablesTheResultViewsTheOptionsAskFor)
{
    struct Row {
        bool linklist, glf, targetWritten, mapWritten;
        bool linkerViews, listingViews;
    };
    const std::vector<Row> rows = {
        {true, false, true, false, true, false},   {true, false, false, false, false, false},
        {false, false, true, true, false, false},  {false, true, false, true, false, true},
        {false, true, true, false, false, false},
    };
    for (const Row& r : rows) {
        c["Linklist"].setChecked(r.linklist);
        c["GLF"].setChecked(r.glf);
        c["BuildAll1"].activate();
        if (r.targetWritten)
            toolWrites(kLinkTarget, 3000);
        if (r.mapWritten)
            toolWrites("C:\\Tarnel\\Source\\out.map", 3000);
        tick();
        const std::string row = std::to_string(&r - rows.data());
        EXPECT_EQ(c["ViewList"].enabled(), r.linkerViews) << row;
        EXPECT_EQ(c["ViewListBtn"].enabled(), r.linkerViews) << row;
        EXPECT_EQ(c["ViewCompilerList"].enabled(), r.listingViews) << row;
        EXPECT_EQ(c["ErrorcheckBtn"].enabled(), r.listingViews) << row;
        fh.files.removeFile(kLinkTarget);
    }
}

TEST_F(RunFixture, ShowOnEndShowsTheCaptureFileWhateverTheOutcome)
{
    int shown = 0;
    c["CompilerOP1"].onActivate([&](const Sender&) { ++shown; });
    c["BuildAll1"].activate();
    tick();
    EXPECT_EQ(shown, 0);
    c["ShowOnEnd"].setChecked(true);
    for (bool written : {false, true}) {
        c["BuildAll1"].activate();
        if (written)
            toolWrites(kLinkTarget, 3000);
        tick();
    }
    EXPECT_EQ(shown, 2);
}

TEST_F(RunFixture, TheListButtonDoesWhatTheMenuItemDoes)
{
    int viewed = 0;
    c["ViewList"].onActivate([&](const Sender&) { ++viewed; });
    c["ViewListBtn"].activate();
    EXPECT_EQ(viewed, 1);
}
