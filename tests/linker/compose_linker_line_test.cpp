#include <functional>

#include "linker_fixture.h"

namespace {

struct LineCase {
    const char* what;
    std::function<void(ControlSet&)> set;
    const char* line;
};

void on(ControlSet& c, std::initializer_list<const char*> names)
{
    for (const char* n : names)
        c[n].setChecked(true);
}

}  // namespace

TEST_F(LinkerTest, DefaultsGiveTheWorkedExampleLine)
{
    linker.LinkDefsClick();
    c["LinkerCmdfile"].setText("LK7832SL");
    EXPECT_EQ(linker.ComposeLinkerLine(), " cstartup.r25 watchdog.r25  -c78300 -FMOTOROLA -f LK7832SL  -C  CL7832S");
}

TEST_F(LinkerTest, CommandFileSwitchKeepsTheNameItHadBeforeTheDefaultIsChosen)
{
    bare();
    c["Uselnkcmd"].setChecked(true);
    c["LinkerCmdfile"].setText("mine.xcl");
    EXPECT_EQ(linker.ComposeLinkerLine(), "  -f mine.xcl ");
    EXPECT_EQ(c["LinkerCmdfile"].text(), "LK7832SL");
    EXPECT_EQ(linker.ComposeLinkerLine(), "  -f LK7832SL ");
}

TEST_F(LinkerTest, OptionSwitches)
{
    const std::vector<LineCase> cases = {
        {"nothing", [](ControlSet&) {}, "  "},
        {"output file",
         [](ControlSet& c) {
             on(c, {"Linkop"});
             c["LinkFile"].setText("t.a25");
         },
         " -o t.a25 "},
        {"list file",
         [](ControlSet& c) {
             on(c, {"Linklist"});
             c["Linklistfile"].setText("out.map");
         },
         "  -l out.map "},
        {"every box in line order",
         [](ControlSet& c) {
             on(c, {"SLDL", "FD", "FBP", "Overlay", "Discodegen", "DisgaurdLocals", "LRange", "Linkwarns",
                    "GTC", "Stats"});
         },
         "  -S -G -w -R -n -d -z -m -B -K "},
        {"cross reference alone", [](ControlSet& c) { on(c, {"Crossref"}); }, "  -x "},
        {"cross reference, every map", [](ControlSet& c) { on(c, {"Crossref", "LCR1", "LCR2", "LCR3", "LCR4"}); },
         "  -xsme "},
        {"cross reference, module map", [](ControlSet& c) { on(c, {"Crossref", "LCR2"}); }, "  -xm "},
        {"indexed list adds nothing", [](ControlSet& c) { on(c, {"Crossref", "LCR3"}); }, "  -x "},
        {"maps without cross reference", [](ControlSet& c) { on(c, {"LCR1", "LCR2", "LCR4"}); }, "  "},
        {"lines per page add nothing",
         [](ControlSet& c) {
             on(c, {"SLPP"});
             c["LinkLPP"].setValue(66);
         },
         "  "},
        {"CPU unspecified", [](ControlSet& c) { c["CPU"].setItemIndex(0); }, "  "},
        {"CPU none chosen", [](ControlSet& c) { c["CPU"].setItemIndex(-1); }, "  "},
        {"CPU 78300", [](ControlSet& c) { c["CPU"].setItemIndex(6); }, "  -c78300 "},
        {"format unspecified", [](ControlSet& c) { c["Format"].setItemIndex(0); }, "  "},
        {"format none chosen", [](ControlSet& c) { c["Format"].setItemIndex(-1); }, "  "},
        {"format two blanks", [](ControlSet& c) { c["Format"].setItemIndex(16); }, "  -FMILLENIUM  (Tektronic) "},
        {"user command file",
         [](ControlSet& c) {
             on(c, {"Uselnkcmd", "User"});
             c["LinkerCmdfile"].setText("my");
         },
         "  -f my "},
        {"print formats",
         [](ControlSet& c) {
             on(c, {"UseFormats"});
             c["PWbox"].setItemIndex(1);
             c["PRBox"].setItemIndex(2);
         },
         "  -e_medium_write=_formatted_write -e_large_read=_formatted_read "},
        {"everything in order",
         [](ControlSet& c) {
             on(c, {"Linkop", "Linklist", "Stats", "SLDL", "Crossref", "LCR4", "Uselnkcmd", "User", "UseFormats"});
             c["LinkFile"].setText("o.a25");
             c["Linklistfile"].setText("l.map");
             c["CPU"].setItemIndex(6);
             c["Format"].setItemIndex(17);
             c["LinkerCmdfile"].setText("cmd");
             c["PWbox"].setItemIndex(0);
             c["PRBox"].setItemIndex(0);
         },
         " -o o.a25 -l l.map -S -K -xe -c78300 -FMOTOROLA -f cmd -e_small_write=_formatted_write"
         " -e_small_read=_formatted_read "},
    };
    for (const auto& row : cases) {
        bare();
        row.set(c);
        EXPECT_EQ(linker.ComposeLinkerLine(), row.line) << row.what;
    }
}

TEST_F(LinkerTest, ObjectAndLibraryParts)
{
    struct ListCase {
        std::vector<std::string> objects, libraries;
        const char* line;
    };
    const std::vector<ListCase> cases = {
        {{"C:\\obj\\a.r25", "b.r25"}, {}, " a.r25 b.r25  "},
        {{}, {"D:\\lib\\cl.r25", "x.r25"}, "   -C  cl.r25 x.r25"},
        {{"a.r25"}, {"CL7832S"}, " a.r25   -C  CL7832S"},
        // A blank entry leaves nothing to load, so no -C is written.
        {{}, {""}, "   "},
    };
    for (const auto& row : cases) {
        bare();
        c["Objectfiles"].setEntries(row.objects);
        c["LibraryFiles"].setEntries(row.libraries);
        EXPECT_EQ(linker.ComposeLinkerLine(), row.line) << row.line;
    }
}

TEST_F(LinkerTest, ApplyPrintFormatChoosesTheDefaultCommandFile)
{
    struct FileCase {
        int mbox, pwbox;
        bool addext;
        const char* name;
    };
    const FileCase cases[] = {
        {0, 0, false, "LK7832SL"}, {0, 1, false, "LK7832ML"}, {0, 2, false, "LK7832LL"},
        {1, 0, false, "LK7832SH"}, {1, 1, false, "LK7832MH"}, {1, 2, false, "LK7832LH"},
        {1, 2, true, "LK7832LH.xcl"}, {0, 0, true, "LK7832SL.xcl"},
    };
    for (const auto& row : cases) {
        c["User"].setChecked(false);
        c["Addext"].setChecked(row.addext);
        c["MBox"].setItemIndex(row.mbox);
        c["PWbox"].setItemIndex(row.pwbox);
        c["PRBox"].setItemIndex(2);  // takes no part in the choice
        c["LinkerCmdfile"].setText("");
        linker.ApplyPrintFormat();
        EXPECT_EQ(c["LinkerCmdfile"].text(), row.name);
    }
    for (bool addext : {false, true}) {
        c["User"].setChecked(true);
        c["Addext"].setChecked(addext);
        c["LinkerCmdfile"].setText("mine");
        linker.ApplyPrintFormat();
        EXPECT_EQ(c["LinkerCmdfile"].text(), "mine");
    }
}

TEST_F(LinkerTest, ApplyPrintFormatSwitchesFollowUseFormats)
{
    // The read box starts at its first item, so the switch is complete before any choice.
    c["UseFormats"].setChecked(true);
    c["PWbox"].setItemIndex(2);
    linker.ApplyPrintFormat();
    EXPECT_EQ(linker.writeFormatSwitch(), " -e_large_write=_formatted_write");
    EXPECT_EQ(linker.readFormatSwitch(), " -e_small_read=_formatted_read");

    c["UseFormats"].setChecked(false);
    linker.ApplyPrintFormat();
    EXPECT_EQ(linker.writeFormatSwitch(), "");
    EXPECT_EQ(linker.readFormatSwitch(), "");
}
