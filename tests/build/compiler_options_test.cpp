#include <gtest/gtest.h>

#include "app/tembedded.h"
#include "build/compiler_options.h"
#include "platform/fake/fake_host.h"
#include "project/project_file.h"

namespace {

const std::vector<const char*> ListControls = {"IM",   "Active",      "ListIncludes", "FF",   "GCR",
                                               "LPP",  "Tabs",        "Lines",        "SourceNames",
                                               "ListFile", "GCR1",    "GCR2",         "GCR3", "GCR4"};

class CompilerOptionsTest : public ::testing::Test {
protected:
    FakeHost fake;
    TEmbedded app{fake.host};
    ControlSet& c = app.controls();
    CompilerOptions& options = app.compiler();

    void expectEnabled(const std::vector<const char*>& names, bool on)
    {
        for (const char* n : names)
            EXPECT_EQ(c[n].enabled(), on) << n;
    }
};

TEST_F(CompilerOptionsTest, HelpButtonsAskForTheirPageTopics)
{
    std::vector<int> topics;
    app.onHelp = [&](int t) { topics.push_back(t); };
    for (int i = 0; i < 6; ++i)
        c["CompHelp" + std::to_string(i)].activate();
    EXPECT_EQ(topics, (std::vector<int>{8, 4, 2, 3, 36, 1}));
}

TEST_F(CompilerOptionsTest, DefaultsRunTheInterlocksOfEveryChangedBox)
{
    for (const char* n : {"GLF", "GCR", "NameObj", "ASSMB", "DOMH"})
        c[n].setChecked(true);
    c["Strict"].setChecked(false);
    c["ModuleFile"].setEnabled(true);
    for (const char* n : {"ObjectFile", "AssemblerFile", "ModuleFile", "Segname"})
        c[n].setText(std::string("keep-") + n);
    c["Debuger"].setValue(2);
    c["Stats"].setChecked(true);

    options.DefaultsClick();
    expectEnabled({"Syntax", "ANSI"}, true);
    expectEnabled(ListControls, false);
    expectEnabled({"ObjectFile", "AssemblerFile", "ModuleFile"}, false);
    for (const char* n : {"ObjectFile", "AssemblerFile", "ModuleFile", "Segname"})
        EXPECT_EQ(c[n].text(), std::string("keep-") + n);
    EXPECT_EQ(c["DeBugg"].text(), "0");
    EXPECT_FALSE(c["Stats"].checked());
    EXPECT_EQ(c["Lines"].value(), 80);
    EXPECT_EQ(c["ListFile"].text(), "Comp.lst");
    EXPECT_EQ(c["ProcType"].itemText(), "78320");
}

TEST_F(CompilerOptionsTest, InterlocksRunOnlyOnARealChange)
{
    c["Strict"].setChecked(true);
    c["Syntax"].setEnabled(false);
    c["Strict"].setChecked(true);
    EXPECT_FALSE(c["Syntax"].enabled());
    c["Strict"].setChecked(false);
    c["Strict"].setChecked(true);
    EXPECT_TRUE(c["Syntax"].enabled());

    c["GLF"].setChecked(true);
    c["GCR"].setChecked(true);
    expectEnabled({"GCR1", "GCR2", "GCR3", "GCR4"}, true);
    c["GCR"].setChecked(false);
    expectEnabled({"GCR1", "GCR2", "GCR3", "GCR4"}, false);
}

TEST_F(CompilerOptionsTest, ProjectLoadRunsTheInterlocks)
{
    options.DefaultsClick();
    c["GLF"].setChecked(true);
    app.project().ComposeProject();
    std::vector<std::string> lines = app.prolist();
    lines[4] = "0";   // Strict
    lines[19] = "0";  // GLF
    lines[35] = "1";  // NameObj
    fake.files.put("C:\\p.prj", joinLines(lines));
    ASSERT_TRUE(app.project().load("C:\\p.prj"));
    expectEnabled({"Syntax", "ANSI"}, false);
    expectEnabled(ListControls, false);
    EXPECT_FALSE(c["ObjectFile"].enabled());  // its own line comes after NameObj
}

TEST_F(CompilerOptionsTest, MenuShowsTheCompilerTab)
{
    c["GLF"].setChecked(false);
    c["IM"].setEnabled(true);
    c["SourceNames"].setChecked(true);
    c["CompilerOptions"].activate();
    EXPECT_TRUE(c["OptionsTabs"].visible());
    EXPECT_EQ(c["OptionsTabs"].itemText(), "Compiler");
    EXPECT_FALSE(c["IM"].enabled());
    EXPECT_FALSE(c["ListFile"].visible());
    EXPECT_FALSE(c["base"].visible());

    c["SourceNames"].setChecked(false);
    options.CompilerOptionsClick();
    EXPECT_FALSE(c["ListFile"].visible());  // nothing shows them again
}

TEST_F(CompilerOptionsTest, ToolButtonFillsInDefaultOutputNames)
{
    c["SourceNames"].setChecked(false);
    c["ProjectListBox"].setEntries({"D:\\work\\main.c", "D:\\work\\io.c"});
    c["NameObj"].setChecked(false);
    c["ObjectFile"].setEnabled(true);
    c["ASSMB"].setChecked(true);
    c["AssemblerFile"].setText("keep.s25");
    c["LinkerTabs"].setVisible(true);

    c["CompOptsBtn"].activate();
    EXPECT_EQ(c["ObjectFile"].text(), "C:\\Tarnel\\Source\\main.r25");
    EXPECT_FALSE(c["ObjectFile"].enabled());
    EXPECT_EQ(c["AssemblerFile"].text(), "keep.s25");
    EXPECT_TRUE(c["AssemblerFile"].enabled());
    EXPECT_FALSE(c["LinkerTabs"].visible());
    EXPECT_TRUE(c["OptionsTabs"].visible());
    EXPECT_EQ(c["OptionsTabs"].itemText(), "Memory");
    EXPECT_TRUE(c["ListFile"].visible());

    c["ASSMB"].setChecked(false);
    options.Memory1Click();
    EXPECT_EQ(c["AssemblerFile"].text(), "C:\\Tarnel\\Source\\main.s25");
}

TEST_F(CompilerOptionsTest, ToolButtonWithoutSourcesKeepsTheNames)
{
    c["ProjectListBox"].setEntries({});
    c["ObjectFile"].setText("old.r25");
    options.Memory1Click();
    EXPECT_EQ(c["ObjectFile"].text(), "old.r25");
}

TEST_F(CompilerOptionsTest, ObjectFileExitCompletesTheName)
{
    struct Row {
        bool nameObj;
        const char* text;
        const char* expected;
    };
    const Row rows[] = {
        {true, "main", "C:\\Tarnel\\Source\\main.r25"},
        {true, "main.o", "C:\\Tarnel\\Source\\main.o"},
        {true, "C:\\obj\\main", "C:\\obj\\main.r25"},
        {true, "A:x.r25", "A:x.r25"},
        {false, "main", "main"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.text);
        c["NameObj"].setChecked(r.nameObj);
        c["ObjectFile"].setText(r.text);
        c["ObjectFile"].exit();
        EXPECT_EQ(c["ObjectFile"].text(), r.expected);
    }
}

TEST_F(CompilerOptionsTest, DebuggerEditAndUpDownStayInStep)
{
    c["Debuger"].setValue(2);
    EXPECT_EQ(c["DeBugg"].text(), "2");
    c["DeBugg"].setText("1");
    EXPECT_EQ(c["Debuger"].value(), 1);
    c["DeBugg"].setText("7");
    EXPECT_EQ(c["Debuger"].value(), 1);
    EXPECT_EQ(c["DeBugg"].text(), "7");
    c["Debuger"].setValue(9);
    EXPECT_EQ(c["Debuger"].value(), 2);
    EXPECT_EQ(c["DeBugg"].text(), "2");
}

TEST_F(CompilerOptionsTest, OkHidesAndShowsTheCompilerLine)
{
    app.settings().project = Settings::NoProject;
    EXPECT_FALSE(c["OptionsTabs"].visible());
    options.CompilerOptionsClick();
    c["CompOK0"].activate();
    EXPECT_FALSE(c["OptionsTabs"].visible());
    EXPECT_EQ(app.statusBar().mode(), 2);
    EXPECT_EQ(app.statusBar().simpleText(), app.statusBar().panel(5).text);
    EXPECT_TRUE(fake.files.allFiles().empty());  // no project: no build files
}

}  // namespace
