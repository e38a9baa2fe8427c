#include <gtest/gtest.h>

#include <functional>

#include "app/tembedded.h"
#include "build/compiler_options.h"
#include "platform/fake/fake_host.h"

namespace {

class CompilerParamsTest : public ::testing::Test {
protected:
    FakeHost fake;
    TEmbedded app{fake.host};
    ControlSet& c = app.controls();

    void SetUp() override
    {
        app.compiler().DefaultsClick();
        c["ProjectListBox"].setEntries({});
    }
    std::string params(const std::string& source = "main.c") { return app.compiler().CompilerParams(source); }
    void check(std::initializer_list<const char*> names, bool on = true)
    {
        for (const char* n : names)
            c[n].setChecked(on);
    }
};

struct Case {
    const char* what;
    std::function<void(ControlSet&)> set;
    const char* source;
    const char* expected;
};

TEST_F(CompilerParamsTest, SwitchesFollowTheOptions)
{
    const Case cases[] = {
        {"defaults", [](ControlSet&) {}, "main.c", " -C -e -g -v2"},
        {"defaults, status bar", [](ControlSet&) {}, "", " -C -e -g -v2"},
        {"strict with syntax and ANSI",
         [](ControlSet& c) {
             c["Syntax"].setChecked(true);
             c["ANSI"].setChecked(true);
         },
         "main.c", " -C -e -gOA -v2"},
        {"strict off",
         [](ControlSet& c) {
             c["Syntax"].setChecked(true);
             c["ANSI"].setChecked(true);
             c["Strict"].setChecked(false);
         },
         "main.c", " -C -e -v2"},
        {"source names", [](ControlSet& c) { c["GLF"].setChecked(true); }, " main.c ", " -C -e -g -l main -v2"},
        {"source names, status bar", [](ControlSet& c) { c["GLF"].setChecked(true); }, "", " -C -e -g -l  -v2"},
        {"source names with folder", [](ControlSet& c) { c["GLF"].setChecked(true); }, "C:\\src\\main.c",
         " -C -e -g -LC:\\src\\main -v2"},
        {"cross reference",
         [](ControlSet& c) {
             for (const char* n : {"GLF", "GCR", "GCR1", "GCR3", "Active", "LPP"})
                 c[n].setChecked(true);
             c["Tabs"].setValue(8);
         },
         "main.c", " -C -e -g -l main -T -t8 -xDT -p80 -v2"},
        {"object with folder",
         [](ControlSet& c) {
             c["NameObj"].setChecked(true);
             c["ObjectFile"].setText("C:\\obj\\main.r25");
         },
         "main.c", " -C -e -g -OC:\\obj\\main.r25 -v2"},
        {"object without folder",
         [](ControlSet& c) {
             c["NameObj"].setChecked(true);
             c["ObjectFile"].setText("main.r25");
         },
         "main.c", " -C -e -g -o main.r25 -v2"},
        {"assembler with drive only",
         [](ControlSet& c) {
             c["ASSMB"].setChecked(true);
             c["AssemblerFile"].setText("A:main");
         },
         "main.c", " -AA:main -C -e -g -v2"},
        {"size for 78330",
         [](ControlSet& c) {
             c["Optomisation"].setItemIndex(2);
             c["ProcType"].setItemIndex(4);
         },
         "main.c", " -C -e -g -z -v4"},
        {"debugger",
         [](ControlSet& c) {
             for (const char* n : {"DBug", "specify", "INCI", "INCLN"})
                 c[n].setChecked(true);
             c["Debuger"].setValue(1);
         },
         "main.c", " -C -e -g -r1in -v2"},
        {"empty texts are written as they are",
         [](ControlSet& c) {
             for (const char* n : {"COMM", "DOMH", "SSN", "NameObj"})
                 c[n].setChecked(true);
         },
         "main.c", " -C -e -f  -g -H  -o  -R -v2"},
        {"every switch in order",
         [](ControlSet& c) {
             for (const char* n : {"D64", "ASSMB", "MOL", "SC", "PutAll", "COMM", "Syntax", "DOMH", "GLF", "FF",
                                   "ListIncludes", "Active", "GCR", "GCR1", "GCR2", "GCR3", "GCR4", "LPP", "IM",
                                   "NameObj", "prom", "SSN", "DBug", "INCI", "Silent", "DW", "SIV"})
                 c[n].setChecked(true);
             c["SourceNames"].setChecked(false);
             c["AssemblerFile"].setText("m.s25");
             c["commandfile"].setText("c.xcl");
             c["ModuleFile"].setText("hdr");
             c["ListFile"].setText("C:\\l\\x.lst");
             c["Tabs"].setValue(4);
             c["Lines"].setValue(60);
             c["MemoryModel"].setItemIndex(1);
             c["ObjectFile"].setText("o.r25");
             c["Segname"].setText("SEG");
             c["Optomisation"].setItemIndex(1);
             c["ProcType"].setItemIndex(0);
         },
         "main.c",
         " -2 -a m.s25 -b -C -c -d -e -f c.xcl -gO -H hdr -LC:\\l\\x.lst1 -F -i -T -t4 -xDFT2 -p60 -q -mb -o o.r25"
         " -P -RSEG -ri -S -s -v0 -w -y"},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        FakeHost host;
        TEmbedded fresh(host.host);
        fresh.compiler().DefaultsClick();
        k.set(fresh.controls());
        EXPECT_EQ(fresh.compiler().CompilerParams(k.source), k.expected);
        EXPECT_TRUE(host.dialogs.messages().empty());
    }
}

TEST_F(CompilerParamsTest, ListFileCounterRunsAcrossEveryCall)
{
    check({"GLF"});
    check({"SourceNames"}, false);
    EXPECT_EQ(params(), " -C -e -g -l Comp.lst1 -v2");
    EXPECT_EQ(params(""), " -C -e -g -l Comp.lst2 -v2");
    app.UpdateStatusBar(0);
    EXPECT_EQ(params(), " -C -e -g -l Comp.lst4 -v2");
    EXPECT_EQ(app.compiler().listFileCounter(), 5);
}

TEST_F(CompilerParamsTest, EmptyListFileClearsGlfOnce)
{
    check({"GLF", "GCR", "GCR1", "FF"});
    check({"SourceNames"}, false);
    c["ListFile"].setText("  ");
    EXPECT_EQ(params(), " -C -e -g -F -v2");
    EXPECT_EQ(fake.dialogs.messages(), std::vector<std::string>{"No List file specified, Option Cleared"});
    EXPECT_FALSE(c["GLF"].checked());
    EXPECT_FALSE(c["FF"].enabled());  // the unchecking ran the interlock
    EXPECT_EQ(app.compiler().listFileCounter(), 2);

    EXPECT_EQ(params(), " -C -e -g -v2");
    EXPECT_EQ(fake.dialogs.messages().size(), 1u);
}

TEST_F(CompilerParamsTest, EmptyAssemblerNameGetsADefault)
{
    struct Row {
        std::vector<std::string> sources;
        std::string compileDir;
        std::string name;
    };
    const Row rows[] = {
        {{"D:\\work\\main.c", "D:\\work\\io.c"}, "C:\\Tarnel\\Source", "C:\\Tarnel\\Source\\main.s25"},
        {{"D:\\work\\main.c"}, "C:\\Src\\", "C:\\Src\\main.s25"},
        {{}, "C:\\Tarnel\\Source", "C:\\Tarnel\\Source\\Default.s25"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        FakeHost host;
        TEmbedded fresh(host.host);
        fresh.compiler().DefaultsClick();
        fresh.settings().compSource = r.compileDir;
        fresh.controls()["ProjectListBox"].setEntries(r.sources);
        fresh.controls()["ASSMB"].setChecked(true);
        fresh.controls()["AssemblerFile"].setText(" ");
        EXPECT_EQ(fresh.compiler().CompilerParams("main.c"), " -A" + r.name + " -C -e -g -v2");
        EXPECT_EQ(fresh.controls()["AssemblerFile"].text(), r.name);
        EXPECT_EQ(host.dialogs.messages(),
                  std::vector<std::string>{
                      "You have Specified building an Assembler File\rBut have not entered a file name. Default set"});
    }
}

TEST_F(CompilerParamsTest, StrictEnablesSyntaxAndAnsiAgain)
{
    c["Syntax"].setEnabled(false);
    c["ANSI"].setEnabled(false);
    params();
    EXPECT_TRUE(c["Syntax"].enabled());
    EXPECT_TRUE(c["ANSI"].enabled());
}

TEST_F(CompilerParamsTest, CancelKeepsTheChanges)
{
    app.compiler().CompilerOptionsClick();
    check({"ENC"}, false);
    c["CompCancel3"].activate();
    EXPECT_FALSE(c["OptionsTabs"].visible());
    EXPECT_EQ(params(), " -e -g -v2");
}

}  // namespace
