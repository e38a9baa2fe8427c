// The wizard: the command file editor opened on the current linker command file.
#include <gtest/gtest.h>

#include "linker/command_file_editor.h"
#include "linker/command_file_wizard.h"
#include "linker/linker_options.h"
#include "support/app_fixture.h"

namespace {

using Lines = std::vector<std::string>;

const char* const kDir = "C:\\Tarnel\\Source";

class WizardTest : public ::testing::Test {
protected:
    AppFixture f;
    TEmbedded& app = (f.prepareInstalledMachine(kDir), f.start());
    ControlSet& c = app.controls();
    CommandFileWizard& wizard = app.commandFileWizard();
    int runs = 0;

    // What the user does in the dialog between its showing and its closing.
    void onShow(std::function<bool(TCommandFileEd&)> user)
    {
        wizard.runEditor = [this, user](TCommandFileEd& ed) {
            ++runs;
            ed.FormActivate();
            return user(ed);
        };
    }
};

TEST_F(WizardTest, OpensTheEditorOnTheCurrentCommandFileInTheCompileDirectory)
{
    ASSERT_EQ(c["LinkerCmdfile"].text(), "LK7832SL");
    f.fake.files.put("C:\\Tarnel\\Source\\LK7832SL.xcl", "-Z(CODE)RCODE=0000-7FFF\r\n-Z(DATA)DATA=FD00-FEFF\r\n");
    f.fake.dialogs.calls.clear();
    onShow([](TCommandFileEd& ed) {
        EXPECT_EQ(ed.caption(), "LK7832SL.xcl");
        EXPECT_EQ(ed.CommandFile(), (Lines{"-Z(CODE)RCODE=0000-7FFF", "-Z(DATA)DATA=FD00-FEFF"}));
        EXPECT_EQ(ed.editorDirectory, kDir);
        EXPECT_EQ(ed.libselectFolder, kDir);
        EXPECT_EQ(ed.saveDialogFolder, kDir);
        ed.DefaultsBtnClick();
        EXPECT_EQ(ed.fields()["LibraryFiles"].entries(), Lines{"CL7832S"});
        return false;
    });
    c["Wizard1"].activate();
    EXPECT_EQ(runs, 1);
    EXPECT_TRUE(f.fake.dialogs.messages().empty());
    EXPECT_EQ(c["LinkerCmdfile"].text(), "LK7832SL");
    c["WizardBtn"].activate();
    EXPECT_EQ(runs, 2);
}

TEST_F(WizardTest, DoublesOf64BitsMakeTheDoubleLibraryTheDefault)
{
    c["D64"].setChecked(true);
    onShow([](TCommandFileEd& ed) {
        ed.DefaultsBtnClick();
        EXPECT_EQ(ed.fields()["LibraryFiles"].entries(), Lines{"CL7832SD"});
        return false;
    });
    c["Wizard1"].activate();
    EXPECT_EQ(runs, 1);
}

TEST_F(WizardTest, AMissingFileIsReportedAndTheDialogStaysUsable)
{
    c["User"].setChecked(true);
    c["LinkerCmdfile"].setText("absent");
    f.fake.dialogs.calls.clear();
    onShow([](TCommandFileEd& ed) {
        EXPECT_TRUE(ed.CommandFile().empty());
        ed.SpeedButton2Click();
        EXPECT_EQ(ed.CommandFile(), Lines{" -c78300"});
        return true;
    });
    c["Wizard1"].activate();
    EXPECT_EQ(f.fake.dialogs.messages(), Lines{"No default command file Set, Unable to load  "});
    EXPECT_EQ(c["LinkerCmdfile"].text(), "absent");
}

TEST_F(WizardTest, OkTakesTheSavedNameAndLeavesTheSwitchesAlone)
{
    struct Case {
        bool user;
        bool useCommandFile;
        const char* saveAs;  // nullptr: not saved
        bool ok;
        const char* after;
    };
    // The name is kept without ".xcl", as the default command files are.
    const Case cases[] = {
        {false, true, "mine.xcl", true, "mine"},
        {true, false, "mine.xcl", true, "mine"},
        {true, true, "MYCMD.XCL", true, "MYCMD"},
        {true, true, "board.cmd", true, "board.cmd"},
        {true, true, "mine.xcl", false, "LK7832SL"},
        // Nothing saved: the name the dialog was opened with, never an empty one.
        {true, true, nullptr, true, "LK7832SL"},
    };
    for (const Case& k : cases) {
        c["LinkerCmdfile"].setText("LK7832SL");
        c["User"].setChecked(k.user);
        c["Uselnkcmd"].setChecked(k.useCommandFile);
        onShow([&](TCommandFileEd& ed) {
            ed.SpeedButton2Click();
            if (k.saveAs) {
                f.fake.dialogs.fileAnswers = {std::string("C:\\Tarnel\\Source\\") + k.saveAs};
                f.fake.dialogs.answers = {MsgAnswer::Yes};
                ed.SaveFileClick();
            }
            return k.ok;
        });
        c["Wizard1"].activate();
        EXPECT_EQ(c["LinkerCmdfile"].text(), k.after);
        EXPECT_EQ(c["User"].checked(), k.user);
        EXPECT_EQ(c["Uselnkcmd"].checked(), k.useCommandFile);
    }
    EXPECT_EQ(f.text("C:\\Tarnel\\Source\\mine.xcl"), " -c78300\r\n");
}

TEST_F(WizardTest, WithoutUserDefinedTheNextCompositionPutsTheDefaultBack)
{
    for (bool user : {false, true}) {
        c["User"].setChecked(user);
        c["LinkerCmdfile"].setText("LK7832SL");
        onShow([&](TCommandFileEd& ed) {
            f.fake.dialogs.fileAnswers = {"C:\\Tarnel\\Source\\mine.xcl"};
            f.fake.dialogs.answers = {MsgAnswer::Yes};
            ed.SaveFileClick();
            return true;
        });
        c["WizardBtn"].activate();
        ASSERT_EQ(c["LinkerCmdfile"].text(), "mine");
        // The first composition still writes the wizard's name; it then chooses the default.
        EXPECT_NE(app.linker().ComposeLinkerLine().find(" -f mine "), std::string::npos);
        EXPECT_EQ(c["LinkerCmdfile"].text(), user ? "mine" : "LK7832SL");
        EXPECT_NE(app.linker().ComposeLinkerLine().find(user ? " -f mine " : " -f LK7832SL"), std::string::npos);
    }
}

TEST_F(WizardTest, WizardHelpAsksForTopicFive)
{
    std::vector<int> topics;
    app.onHelp = [&](int topic) { topics.push_back(topic); };
    c["WizardHelp"].activate();
    EXPECT_EQ(topics, std::vector<int>{5});
    EXPECT_EQ(c["Wizard1"].caption(), "&Wizard");
    EXPECT_EQ(c["WizardBtn"].hint, "Command File Wizard");
}

}  // namespace
