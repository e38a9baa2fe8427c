#include <gtest/gtest.h>

#include "app/dir_setup.h"
#include "components/help_handlers.h"
#include "support/app_fixture.h"
#include "support/fake_help_viewer.h"

namespace {

const char* const HelpChm = "C:\\Program Files\\Tarnel\\Docs\\Tarnel.chm";

struct HelpHandlersTest : ::testing::Test {
    AppFixture f;
    FakeHtmlHelpViewer viewer;
    TEmbedded& app = (f.prepareInstalledMachine(), f.start());
    ControlSet& c = app.controls();

    HelpHandlersTest()
    {
        app.help().setViewer(&viewer);
        f.fake.dialogs.calls.clear();
    }
    ~HelpHandlersTest() override { app.help().setViewer(nullptr); }
};

// Every "Help" control of the program and the topic it asks for. The first column is the
// control's name in the help topic table where ours differs.
struct TopicRow {
    const char* tableName;
    const char* control;
    long topic;
};
const TopicRow HelpControls[] = {
    {"Button44", "CompHelp0", 8},    // compiler "Compiler"
    {"Button45", "CompHelp1", 4},    // compiler "Memory"
    {"Button46", "CompHelp2", 2},    // compiler "Project"
    {"Button47", "CompHelp3", 3},    // compiler "List File"
    {"Button43", "CompHelp4", 36},   // compiler "Output"
    {"Button48", "CompHelp5", 1},    // compiler "Debug"
    {"Button49", "LinkHelp0", 29},   // linker "Output"
    {"Button50", "LinkHelp1", 23},   // linker "Code"
    {"Button51", "LinkHelp2", 27},   // linker "List File"
    {"Button52", "LinkHelp3", 14},   // linker "General"
    {"Button53", "LinkHelp4", 28},   // linker "Object Files"
    {"Button54", "LinkHelp5", 26},   // linker "Libraries"
    {"WizardHelp1", "WizardHelp", 5},
    {"Helpbtn", "NecHelp", 32},      // "Tarnel Settings " page
    {"Button14", "Button14", 33},    // "Tools" page
    {"Button42", "EditHelp", 40},    // project edit panel
    {"help", "StatusbarHelp", 48},   // the status bar's pop-up menu
};

TEST_F(HelpHandlersTest, EveryHelpControlOpensItsTopicInTheHelpFile)
{
    for (const TopicRow& r : HelpControls) {
        viewer.calls.clear();
        std::vector<int> requested;
        app.onHelp = [&requested](int t) { requested.push_back(t); };
        c[r.control].activate();
        EXPECT_EQ(c[r.control].helpContext, r.topic) << r.tableName;
        EXPECT_EQ(requested, (std::vector<int>{static_cast<int>(r.topic)})) << r.tableName;
        ASSERT_EQ(viewer.calls.size(), 1u) << r.tableName;
        EXPECT_EQ(viewer.calls[0].what, "topic") << r.tableName;
        EXPECT_EQ(viewer.calls[0].topic, r.topic) << r.tableName;
        EXPECT_EQ(viewer.calls[0].file, HelpChm) << r.tableName;
    }
    EXPECT_TRUE(f.fake.dialogs.calls.empty());
}

TEST_F(HelpHandlersTest, TheSetupDialogsHelpButtonPassesItselfAsTheSender)
{
    DirSetup setup(app);
    EXPECT_EQ(setup.fields()["DirhelpButt"].helpContext, 43);
    setup.help();
    ASSERT_EQ(viewer.calls.size(), 1u);
    EXPECT_EQ(viewer.calls[0].topic, 43);
}

TEST_F(HelpHandlersTest, OnlyMenuItemsAndButtonsAskForTheirHelpContext)
{
    struct Row {
        SenderKind kind;
        std::size_t calls;
    };
    for (const Row& r : {Row{SenderKind::MenuItem, 1}, Row{SenderKind::Button, 1}, Row{SenderKind::ToolButton, 0},
                         Row{SenderKind::Program, 0}}) {
        viewer.calls.clear();
        Sender s;
        s.kind = r.kind;
        s.helpContext = 26;
        app.help().HelpbtnClick(s);
        EXPECT_EQ(viewer.calls.size(), r.calls) << static_cast<int>(r.kind);
    }
}

TEST_F(HelpHandlersTest, TheHelpItemShowsTheContents)
{
    c["HelpContents"].activate();
    ASSERT_EQ(viewer.calls.size(), 1u);
    EXPECT_EQ(viewer.calls[0].what, "contents");
    EXPECT_EQ(viewer.calls[0].file, HelpChm);
    // The router as the main window holds it.
    const THelpRouter& r = app.help().HelpRouter1();
    EXPECT_EQ(r.HelpType, THelpType::htHTMLhelp);
    EXPECT_EQ(r.ShowType, TShowType::stDefault);
    EXPECT_EQ(r.Helpfile, "");
    EXPECT_EQ(r.CHMPopupTopics, "CSHelp.txt");
    EXPECT_FALSE(r.OnHelp);
}

TEST_F(HelpHandlersTest, AMissingHelpFolderIsReportedOnceNamingTheFolder)
{
    viewer.loadable = false;
    c["LinkHelp5"].activate();
    const auto messages = f.fake.dialogs.messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("/opt/C:\\Program Files\\Tarnel\\Docs\\Tarnel.chm"), std::string::npos);
    EXPECT_TRUE(viewer.calls.empty());
    // Without any viewer there is nothing to report.
    app.help().setViewer(nullptr);
    c["LinkHelp5"].activate();
    EXPECT_EQ(f.fake.dialogs.messages().size(), 1u);
}

TEST_F(HelpHandlersTest, TheLinksOpenTheMailAndWebAddressesMaximized)
{
    c["Email1"].activate();
    c["Web1"].activate();
    const auto& calls = f.fake.shell.calls;
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].file, "mailto:support@orvane.example");
    EXPECT_EQ(calls[1].file, "https://www.orvane.example/");
    for (const auto& call : calls) {
        EXPECT_EQ(call.parameters, "");
        EXPECT_EQ(call.folder, "");
        EXPECT_TRUE(call.maximized);
    }
    EXPECT_EQ(app.help().web().Choose, LinkType::ltURL);
    EXPECT_EQ(app.help().email().Choose, LinkType::ltEMAIL);
}

TEST_F(HelpHandlersTest, ALinkOpensItsLabelTextAsTheKindSays)
{
    TKURL2 link(f.fake.shell);
    int resized = 0;
    link.onTextChanged = [&resized] { ++resized; };
    link.setURLorEMAIL("ftp://example.org/pub");
    link.setURLorEMAIL("ftp://example.org/pub");
    EXPECT_EQ(resized, 1);
    EXPECT_EQ(link.target(), "ftp://example.org/pub");
    link.Choose = LinkType::ltEMAIL;
    link.setURLorEMAIL("someone@example.org");
    EXPECT_EQ(link.target(), "mailto:someone@example.org");
}

TEST_F(HelpHandlersTest, TheAboutItemShowsTheAboutBoxOfTheMainWindow)
{
    TOrvaneAboutBox& about = app.help().aboutBox();
    EXPECT_EQ(about.Width, 130);
    EXPECT_EQ(about.Height, 180);
    EXPECT_EQ(about.Filename, "C:\\Program Files\\Tarnel\\Tarnel.exe");  // set at start-up
    EXPECT_FALSE(app.help().About1Click());  // no platform to show it on
    EXPECT_EQ(app.caption(), std::string("Tarnel Version ") + TARNEL_VERSION + "  by Orvane");
}

TEST(HelpCaption, AProgramWithoutVersionStringsGetsTheVersionPropertyInItsCaption)
{
    AppFixture f;
    f.prepareInstalledMachine();
    f.fake.files.removeFile(f.fake.host.programFile);
    TEmbedded& app = f.start();
    EXPECT_EQ(app.caption(), "Tarnel Version   by Orvane");
}

}  // namespace
