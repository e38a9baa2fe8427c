#include "tools/tools_fixture.h"

#include "app/start_up.h"

namespace
{

struct ToolRunnerTest : toolstest::ToolsFixture {
    void runMenuItem(int tag)
    {
        Sender s;
        s.kind = SenderKind::MenuItem;
        s.tag = tag;
        c()["Tools1"].activate(s);
    }
    const FakeShell::Call& lastCall() { return f.fake.shell.calls.back(); }
};

TEST_F(ToolRunnerTest, ProgrammerStartsWithNoParametersInItsOwnFolderFromMenuAndButton)
{
    addProgrammingTool("Pelorus", "D:\\Pelorus 2\\pelorus.exe");
    config().AcceptToolsClick();
    for (const char* command : {"Prgm", "ToolButton9"}) {
        f.fake.shell.calls.clear();
        c()[command].activate();
        ASSERT_EQ(f.fake.shell.calls.size(), 1u) << command;
        EXPECT_EQ(lastCall().file, "D:\\Pelorus 2\\pelorus.exe");
        EXPECT_EQ(lastCall().parameters, "");
        EXPECT_EQ(lastCall().folder, "D:\\Pelorus 2\\");
        EXPECT_TRUE(lastCall().shown);
    }
}

TEST_F(ToolRunnerTest, UserToolsStartWithTheirParametersExceptTheDash)
{
    const struct {
        const char* path;
        const char* params;
        const char* passed;
        const char* folder;
    } rows[] = {
        {"C:\\Tools\\diff.exe", "-", "", "C:\\Tools\\"},
        {"C:\\Tools\\grep.exe", "-n main C:\\Tarnel\\Source\\main.c", "-n main C:\\Tarnel\\Source\\main.c",
         "C:\\Tools\\"},
        {"C:\\Program Files\\Pr\xFC"
         "fer\\pr\xFC"
         "fer.exe",
         "\"C:\\Mes donn\xE9"
         "es\\a b.a25\" --",
         "\"C:\\Mes donn\xE9"
         "es\\a b.a25\" --",
         "C:\\Program Files\\Pr\xFC"
         "fer\\"},
        {"tool.exe", "--", "--", ""},
    };
    for (const auto& r : rows)
        addUserTool("T", r.path, r.params);
    config().AcceptToolsClick();
    for (int i = 0; i < static_cast<int>(std::size(rows)); ++i) {
        runMenuItem(i);
        const auto& r = rows[i];
        EXPECT_EQ(lastCall().file, r.path);
        EXPECT_EQ(lastCall().parameters, r.passed);
        EXPECT_EQ(lastCall().folder, r.folder);
        EXPECT_TRUE(lastCall().shown);
    }
}

TEST_F(ToolRunnerTest, AMenuItemStartsTheToolItShowsAfterThePageChangedWithoutAccept)
{
    addUserTool("Diff", "C:\\diff.exe", "-u");
    addUserTool("Grep", "C:\\grep.exe", "-n");
    addUserTool("Make", "C:\\make.exe", "all");
    config().AcceptToolsClick();

    c()["UserToolsList"].setSelected(0);
    config().RemoveBtnClick("RemoveBtn"); // Diff goes; the menu still lists it
    config().Button40Click();
    runMenuItem(1);
    EXPECT_EQ(lastCall().file, "C:\\grep.exe");
    runMenuItem(2);
    EXPECT_EQ(lastCall().file, "C:\\make.exe");
    const std::size_t calls = f.fake.shell.calls.size();
    runMenuItem(0); // Diff is gone
    runMenuItem(7); // no such item
    runMenuItem(-1);
    EXPECT_EQ(f.fake.shell.calls.size(), calls);
}

TEST_F(ToolRunnerTest, AnEditedParameterIsUsedByTheItemBuiltBeforeIt)
{
    addUserTool("Grep", "C:\\grep.exe", "-n");
    config().AcceptToolsClick();
    c()["UserToolsList"].setSelected(0);
    answerNameTool({{}, {}, "-c", true});
    config().EditToolsClick();
    runMenuItem(0);
    EXPECT_EQ(lastCall().parameters, "-c");
}

TEST_F(ToolRunnerTest, OpeningTheProgramMenuEnablesANamedItemOnceTheTargetExists)
{
    const struct {
        bool named;
        bool target;
        bool enabled;
    } rows[] = {{true, true, true}, {true, false, false}, {false, true, false}, {false, false, false}};
    for (const auto& r : rows) {
        Control& prgm = c()["Prgm"];
        prgm.setCaption(r.named ? "Pelorus" : "(None)");
        prgm.setEnabled(false);
        if (r.target)
            f.fake.files.put("C:\\Tarnel\\Source\\aout.a25", "S00600004844521B\r\n");
        else
            f.fake.files.removeFile("C:\\Tarnel\\Source\\aout.a25");
        app().toolRunner().ProgrammingClick();
        EXPECT_EQ(prgm.enabled(), r.enabled) << "named " << r.named << " target " << r.target;
    }
    // It never disables.
    c()["Prgm"].setCaption("Pelorus");
    c()["Prgm"].setEnabled(true);
    app().toolRunner().ProgrammingClick();
    EXPECT_TRUE(c()["Prgm"].enabled());
}

struct ToolStartUpTest : ::testing::Test {
    AppFixture f;
    void store(const std::string& name, const std::string& value) { f.fake.settings.values[name] = value; }
    ControlSet& c() { return f.app->controls(); }
};

TEST_F(ToolStartUpTest, StoredSelectionNamesTheProgramItemAndEnablesRunProgrammer)
{
    f.prepareInstalledMachine();
    store("ptcount", "2");
    store("ptools0", "Zeta");
    store("ptnames0", "C:\\zeta.exe");
    store("ptools1", "Alpha");
    store("ptnames1", "C:\\alpha.exe");
    store("programming tool", "C:\\zeta.exe");
    f.start();
    EXPECT_EQ(c()["Prgm"].caption(), "Zeta");
    EXPECT_TRUE(c()["Prgm"].enabled());
    EXPECT_TRUE(c()["ToolButton9"].enabled());
    EXPECT_EQ(c()["ProgToolsList"].items(), (std::vector<std::string>{"Alpha", "Zeta"}));
    EXPECT_EQ(c()["ProgToolsList"].text(), "Zeta");
    c()["Prgm"].activate();
    EXPECT_EQ(f.fake.shell.calls.back().file, "C:\\zeta.exe");
}

TEST_F(ToolStartUpTest, UnknownStoredToolGivesNoneAndTheRefreshClearsIt)
{
    f.prepareInstalledMachine();
    store("ptcount", "1");
    store("ptools0", "Flash");
    store("ptnames0", "C:\\flash.exe");
    store("programming tool", "C:\\elsewhere.exe");
    f.start();
    EXPECT_EQ(c()["Prgm"].caption(), "(None)");
    EXPECT_FALSE(c()["Prgm"].enabled());
    EXPECT_FALSE(c()["ToolButton9"].enabled());
    EXPECT_EQ(f.app->settings().programmingTool, "");
}

TEST_F(ToolStartUpTest, MissingNecFolderLeavesTheRefreshToEnableANamedItem)
{
    store("comp source", "C:\\Tarnel\\Source");
    f.fake.files.putFolder("C:\\Tarnel\\Source");
    store("ptcount", "1");
    store("ptools0", "Flash");
    store("ptnames0", "C:\\flash.exe");
    store("programming tool", "C:\\flash.exe");
    f.fake.dialogs.answers = {MsgAnswer::Ok, MsgAnswer::Cancel};
    f.start();
    EXPECT_FALSE(c()["CompileMenu"].enabled());
    EXPECT_TRUE(c()["Prgm"].enabled());
}

TEST_F(ToolStartUpTest, ListsAndSelectionSurviveARestartInTheOrderTheyAreHeld)
{
    f.prepareInstalledMachine();
    TEmbedded& first = f.start();
    auto answer = [&](const std::string& name, const std::string& params) {
        f.fake.dialogs.dialogScripts.push_back([name, params](OwnDialog& d) {
            auto& dialog = dynamic_cast<TNTDlg&>(d);
            dialog.controls()["PName"].setText(name);
            dialog.controls()["Params"].setText(params);
            dialog.exitBtnClick();
            return MsgAnswer::Ok;
        });
    };
    const std::pair<const char*, const char*> programmers[] = {{"Zeta", "C:\\z.exe"}, {"Alpha", "C:\\a.exe"}};
    for (const auto& [name, path] : programmers) {
        f.fake.dialogs.fileAnswers.push_back(std::string(path));
        answer(name, "");
        first.toolConfig().PToolBtnClick("PToolBtn");
    }
    const std::pair<const char*, const char*> users[] = {
        {"Make", "C:\\make.exe"}, {"Diff & Merge", "C:\\diff.exe"}, {"", "C:\\noname.exe"}};
    for (const auto& [name, path] : users) {
        f.fake.dialogs.fileAnswers.push_back(std::string(path));
        answer(name, name[0] ? "-x" : "");
        first.toolConfig().PToolBtnClick("UToolBtn");
    }
    first.controls()["ProgToolsList"].setText("Zeta");
    first.toolConfig().AcceptToolsClick();
    first.FormClose();
    auto& v = f.fake.settings.values;
    EXPECT_EQ(v["ptools0"], "Alpha");
    EXPECT_EQ(v["ptnames0"], "C:\\a.exe");
    EXPECT_EQ(v["ptools1"], "Zeta");
    EXPECT_EQ(v["ptnames1"], "C:\\z.exe");
    EXPECT_EQ(v["programming tool"], "C:\\z.exe");
    EXPECT_EQ(v["utools1"], "Diff & Merge");
    EXPECT_EQ(v["utparams2"], "-");

    f.app.reset();
    TEmbedded& again = f.start();
    EXPECT_EQ(again.controls()["Prgm"].caption(), "Zeta");
    EXPECT_EQ(again.controls()["ProgToolsList"].text(), "Zeta");
    EXPECT_EQ(again.controls()["UserToolsList"].entries(),
              (std::vector<std::string>{"Make", "Diff & Merge", ""}));
    EXPECT_TRUE(again.controls()["Tools1"].entries().empty());
    again.toolConfig().AcceptToolsClick();
    EXPECT_EQ(again.controls()["Tools1"].entries().size(), 3u);
}

TEST_F(ToolStartUpTest, ThousandStoredToolsAndCountsBeyondTheEntriesRead)
{
    f.prepareInstalledMachine();
    store("ptcount", "1000");
    store("utcount", "1003");
    for (int i = 0; i < 1000; ++i) {
        const std::string n = std::to_string(i);
        store("ptools" + n, "P&" + std::to_string(999 - i));
        store("ptnames" + n, "C:\\p" + n + ".exe");
        store("utools" + n, "U&" + n);
        store("utnames" + n, "C:\\u" + n + ".exe");
        store("utparams" + n, "-");
    }
    store("programming tool", "C:\\p0.exe");
    f.start();
    const auto& tools = f.app->settings().tools;
    ASSERT_EQ(tools.programming.size(), 1000u);
    ASSERT_EQ(tools.user.size(), 1003u);
    EXPECT_EQ(tools.user[1002].name, "");
    EXPECT_EQ(tools.user[1002].params, "");
    EXPECT_EQ(c()["Prgm"].caption(), "P&999");
    for (std::size_t i = 1; i < tools.programming.size(); ++i)
        ASSERT_FALSE(sortsBefore(tools.programming[i].name, tools.programming[i - 1].name)) << i;
    // Pairs stay together through the sort.
    EXPECT_EQ(tools.programming[tools.findProgrammingPath("C:\\p0.exe")].name, "P&999");
    f.app->toolConfig().AcceptToolsClick();
    EXPECT_EQ(c()["Tools1"].entries().size(), 1003u);
    EXPECT_EQ(f.app->settings().programmingTool, "C:\\p0.exe");
}

TEST_F(ToolStartUpTest, AnAbsurdCountReadsNoMoreEntriesThanTheStoreHoldsValues)
{
    f.prepareInstalledMachine();
    store("ptcount", "2147483647");
    f.start();
    EXPECT_LE(f.app->settings().tools.programming.size(), f.fake.settings.valueCount());
    EXPECT_GE(f.app->settings().tools.programming.size(), 1u);
}

} // namespace
