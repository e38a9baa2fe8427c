#include "tools/tools_fixture.h"

namespace
{

using toolstest::NameToolAnswer;
using toolstest::NameToolSeen;

struct ToolConfigTest : toolstest::ToolsFixture {
};

TEST_F(ToolConfigTest, BrowseOpensTheProgramPickerThenNameToolWithTheChosenProgram)
{
    addUserTool("Diff", "C:\\Tools\\diff.exe", "-u");
    c()["UserToolsList"].setSelected(0);
    f.fake.dialogs.calls.clear();

    NameToolSeen seen;
    f.fake.dialogs.fileAnswers.push_back("D:\\Pelorus\\pelorus.exe");
    answerNameTool({}, &seen);
    config().PToolBtnClick("PToolBtn");

    ASSERT_EQ(f.fake.dialogs.calls.size(), 2u);
    const FileDialogRequest& picker = f.fake.dialogs.calls[0].request;
    ASSERT_EQ(picker.filters.size(), 2u);
    EXPECT_EQ(picker.filters[0].description, "Executeable files (*.exe)");
    EXPECT_EQ(picker.filters[0].patterns, "*.exe");
    EXPECT_EQ(picker.filters[1].description, "All files (*.*)");
    EXPECT_EQ(picker.defaultExtension, "*.exe");
    EXPECT_EQ(f.fake.dialogs.calls[1].text, "TNTDlg");
    // The selected user tool lends its parameters, even to a programming tool.
    EXPECT_EQ(seen.path, "D:\\Pelorus\\pelorus.exe");
    EXPECT_EQ(seen.name, "pelorus");
    EXPECT_EQ(seen.params, "-u");
    EXPECT_EQ(seen.button, "Add");
    ASSERT_EQ(tools().programming.size(), 1u);
    EXPECT_EQ(tools().programming[0].name, "pelorus");
    EXPECT_EQ(c()["ProgToolsList"].text(), "pelorus");
}

TEST_F(ToolConfigTest, NameToolProposesTheProgramsNameLessItsExtensionWhereItHasOne)
{
    const std::pair<const char*, const char*> rows[] = {
        {"D:\\Pelorus\\pelorus.exe", "pelorus"},
        {"Z:\\opt\\tools\\prog78k", "prog78k"},
        {"C:\\bin\\flash.v2.bat", "flash.v2"},
        {"C:\\bin\\.hidden", ".hidden"},
    };
    for (const auto& [program, proposed] : rows) {
        NameToolSeen seen;
        f.fake.dialogs.fileAnswers.push_back(program);
        answerNameTool({{}, {}, {}, false}, &seen);
        config().PToolBtnClick("PToolBtn");
        EXPECT_EQ(seen.name, proposed) << program;
    }
}

TEST_F(ToolConfigTest, CancellingEitherDialogAddsNothing)
{
    config().PToolBtnClick("UToolBtn"); // picker cancelled
    EXPECT_EQ(f.fake.dialogs.calls.size(), 1u);
    browse("UToolBtn", "C:\\a.exe", {{}, {}, {}, false});
    browse("PToolBtn", "C:\\a.exe", {{}, {}, {}, false});
    EXPECT_TRUE(tools().user.empty());
    EXPECT_TRUE(tools().programming.empty());
    EXPECT_TRUE(c()["UserToolsList"].entries().empty());
}

TEST_F(ToolConfigTest, EmptyParametersAreStoredAsADash)
{
    const struct {
        const char* typed;
        const char* stored;
    } rows[] = {{"", "-"}, {"   ", "-"}, {"\t", "-"}, {"-", "-"}, {"-u %1", "-u %1"}, {" -v ", " -v "}};
    for (const auto& r : rows)
        addUserTool("T", "C:\\t.exe", r.typed);
    ASSERT_EQ(tools().user.size(), std::size(rows));
    for (std::size_t i = 0; i < std::size(rows); ++i)
        EXPECT_EQ(tools().user[i].params, rows[i].stored) << "typed '" << rows[i].typed << "'";
}

TEST_F(ToolConfigTest, ZetaThenAlphaListsAlphaFirstAndAcceptingAlphaStoresItsPath)
{
    addProgrammingTool("Zeta", "C:\\zeta\\zeta.exe");
    addProgrammingTool("Alpha", "C:\\alpha\\alpha.exe");
    Control& list = c()["ProgToolsList"];
    EXPECT_EQ(list.items(), (std::vector<std::string>{"Alpha", "Zeta"}));
    EXPECT_EQ(list.text(), "Alpha");
    EXPECT_EQ(tools().programming[1].path, "C:\\zeta\\zeta.exe");

    list.setItemIndex(0);
    config().AcceptToolsClick();
    EXPECT_EQ(app().settings().programmingTool, "C:\\alpha\\alpha.exe");
    EXPECT_EQ(c()["Prgm"].caption(), "Alpha");
    EXPECT_TRUE(c()["ToolButton9"].enabled());
}

TEST_F(ToolConfigTest, AddingInFrontOfTheChosenToolKeepsThatToolChosen)
{
    addProgrammingTool("Mid", "C:\\mid.exe");
    c()["ProgToolsList"].setItemIndex(0);
    addProgrammingTool("Aardvark", "C:\\a.exe");
    EXPECT_EQ(c()["ProgToolsList"].itemText(), "Mid");
    EXPECT_EQ(c()["ProgToolsList"].text(), "Aardvark"); // the new name shows until Accept
}

TEST_F(ToolConfigTest, AcceptSelectsByTheDropDownTextOrElseTheFirstEntry)
{
    addProgrammingTool("Beta", "C:\\beta.exe");
    addProgrammingTool("Alpha", "C:\\alpha.exe");
    Control& list = c()["ProgToolsList"];
    const struct {
        const char* text;
        const char* selected;
    } rows[] = {{"Beta", "Beta"}, {"Alpha", "Alpha"}, {"no such tool", "Alpha"}, {"beta", "Alpha"}};
    for (const auto& r : rows) {
        list.setText(r.text);
        config().AcceptToolsClick();
        EXPECT_EQ(list.itemText(), r.selected) << r.text;
        EXPECT_EQ(c()["Prgm"].caption(), r.selected) << r.text;
        EXPECT_EQ(list.text(), r.selected) << r.text;
    }
}

TEST_F(ToolConfigTest, AcceptWithNoProgrammingToolDisablesRunProgrammerAndClearsThePath)
{
    app().settings().programmingTool = "C:\\old\\pelorus.exe";
    c()["ToolsPan"].setVisible(true);
    config().AcceptToolsClick();
    EXPECT_FALSE(c()["ToolButton9"].enabled());
    EXPECT_FALSE(c()["Prgm"].enabled());
    EXPECT_EQ(app().settings().programmingTool, "");
    EXPECT_FALSE(c()["ToolsPan"].visible());
}

TEST_F(ToolConfigTest, AcceptAfterStartingWithNoneNamesTheItemButLeavesItDisabled)
{
    // The refresh runs before the caption changes, so "(None)" still holds the item back.
    ASSERT_EQ(c()["Prgm"].caption(), "(None)");
    addProgrammingTool("Flash", "C:\\flash.exe");
    config().AcceptToolsClick();
    EXPECT_EQ(c()["Prgm"].caption(), "Flash");
    EXPECT_FALSE(c()["Prgm"].enabled());
    EXPECT_TRUE(c()["ToolButton9"].enabled());
    config().AcceptToolsClick();
    EXPECT_TRUE(c()["Prgm"].enabled());
}

TEST_F(ToolConfigTest, EditingOnlyTheNameStoresNothingAndANewPathAddsATool)
{
    addUserTool("Diff", "C:\\diff.exe", "-u");
    Control& list = c()["UserToolsList"];
    list.setSelected(0);

    NameToolSeen seen;
    answerNameTool({{}, "Renamed", {}, true}, &seen);
    config().EditToolsClick();
    EXPECT_EQ(seen.button, "OK");
    EXPECT_EQ(seen.path, "C:\\diff.exe");
    EXPECT_EQ(seen.name, "Diff");
    EXPECT_EQ(seen.params, "-u");
    ASSERT_EQ(tools().user.size(), 1u);
    EXPECT_EQ(tools().user[0].name, "Diff");

    answerNameTool({{}, "Renamed", "-w", true});
    config().EditToolsClick();
    EXPECT_EQ(tools().user[0].params, "-w");
    EXPECT_EQ(tools().user[0].name, "Diff");

    answerNameTool({"C:\\diff2.exe", "Diff 2", "", true});
    config().EditToolsClick();
    ASSERT_EQ(tools().user.size(), 2u);
    EXPECT_EQ(tools().user[0].path, "C:\\diff.exe");
    EXPECT_EQ(tools().user[1].name, "Diff 2");
    EXPECT_EQ(tools().user[1].params, "-");
    EXPECT_EQ(list.entries(), (std::vector<std::string>{"Diff", "Diff 2"}));
    EXPECT_EQ(list.selected(), 0);
}

TEST_F(ToolConfigTest, EditOrRemoveWithoutASelectionSaysSo)
{
    config().EditToolsClick();
    config().RemoveBtnClick("RemoveBtn");
    config().RemoveBtnClick("PtoolRemove");
    EXPECT_EQ(f.fake.dialogs.messages(),
              (std::vector<std::string>{"No Tool is selected", "Nothing Selected", "Nothing Selected"}));
    // Nothing was shown that could have changed a tool.
    for (const auto& call : f.fake.dialogs.calls)
        EXPECT_EQ(call.kind, "message");
}

TEST_F(ToolConfigTest, RemovingAUserToolTakesItsNamePathAndParameters)
{
    addUserTool("A", "C:\\a.exe", "1");
    addUserTool("B", "C:\\b.exe", "2");
    addUserTool("C", "C:\\c.exe", "3");
    c()["UserToolsList"].setSelected(1);
    config().RemoveBtnClick("RemoveBtn");
    EXPECT_EQ(c()["UserToolsList"].entries(), (std::vector<std::string>{"A", "C"}));
    EXPECT_EQ(c()["UserToolsList"].selected(), -1);
    EXPECT_EQ(tools().user[1].path, "C:\\c.exe");
    EXPECT_EQ(tools().user[1].params, "3");
}

TEST_F(ToolConfigTest, RemovingTheChosenProgrammingToolChoosesTheFirstOrNothing)
{
    addProgrammingTool("B", "C:\\b.exe");
    addProgrammingTool("A", "C:\\a.exe");
    addProgrammingTool("C", "C:\\c.exe");
    Control& list = c()["ProgToolsList"];
    list.setItemIndex(1);
    config().RemoveBtnClick("PtoolRemove");
    EXPECT_EQ(list.items(), (std::vector<std::string>{"A", "C"}));
    EXPECT_EQ(list.itemIndex(), 0);
    EXPECT_EQ(list.text(), "A");
    EXPECT_EQ(tools().programming[1].path, "C:\\c.exe");

    config().RemoveBtnClick("PtoolRemove");
    config().RemoveBtnClick("PtoolRemove");
    EXPECT_TRUE(list.items().empty());
    EXPECT_EQ(list.itemIndex(), -1);
    EXPECT_EQ(list.text(), "");
}

TEST_F(ToolConfigTest, ChoosingAnEntryShowsItsNameAndNoChoiceLeavesTheText)
{
    addProgrammingTool("B", "C:\\b.exe");
    addProgrammingTool("A", "C:\\a.exe");
    Control& list = c()["ProgToolsList"];
    list.setItemIndex(1);
    EXPECT_EQ(list.text(), "B");
    list.setText("typed");
    list.setItemIndex(-1);
    EXPECT_EQ(list.text(), "typed");
}

TEST_F(ToolConfigTest, ToolsMenuHoldsOnlyConfigureToolsUntilAcceptThenEveryUserTool)
{
    for (int i = 0; i < 15; ++i)
        addUserTool("Tool " + std::to_string(i), "C:\\t" + std::to_string(i) + ".exe", "-");
    EXPECT_TRUE(menuItems().empty());
    config().Button40Click();
    EXPECT_TRUE(menuItems().empty());
    EXPECT_EQ(tools().user.size(), 15u); // Cancel keeps what the page changed

    config().AcceptToolsClick();
    ASSERT_EQ(menuItems().size(), 15u); // more than the 11 the original menu held
    EXPECT_EQ(menuItems()[14], "Tool 14");

    c()["UserToolsList"].setSelected(0);
    config().RemoveBtnClick("RemoveBtn");
    config().Button40Click();
    EXPECT_EQ(menuItems().size(), 15u); // until the next Accept
    config().AcceptToolsClick();
    EXPECT_EQ(menuItems().front(), "Tool 1");
}

TEST_F(ToolConfigTest, ConfigureToolsShowsTheToolsPageFromMenuAndToolButton)
{
    Control& pan = c()["ToolsPan"];
    for (const char* command : {"ConfigureTools1", "ConfigToolsBtn"}) {
        pan.setVisible(false);
        c()["TarnelOptions"].activate();
        c()[command].activate();
        EXPECT_TRUE(pan.visible()) << command;
        EXPECT_EQ(pan.items()[static_cast<std::size_t>(pan.itemIndex())], "Tools") << command;
    }
}

TEST_F(ToolConfigTest, HelpAsksForTopic33)
{
    std::vector<int> topics;
    app().onHelp = [&topics](int topic) { topics.push_back(topic); };
    c()["Button14"].activate();
    EXPECT_EQ(topics, (std::vector<int>{33}));
}

} // namespace
