#include "linker_fixture.h"

TEST_F(LinkerTest, StartOfProgramState)
{
    EXPECT_FALSE(c["LinkerTabs"].visible());
    EXPECT_FALSE(c["LinkerTabs"].tabVisible("List File"));
    EXPECT_EQ(c["LinkLPP"].text(), "0000");
    EXPECT_FALSE(c["LinkLPP"].hex().hexadecimal());
    EXPECT_EQ(c["PRBox"].itemIndex(), 0);
    EXPECT_FALSE(c["PRBox"].visible());
    EXPECT_FALSE(c["RFMsg"].visible());
    EXPECT_FALSE(c["LCR3"].enabled());
    EXPECT_EQ(c["CPU"].items().size(), 24u);
    EXPECT_EQ(c["Format"].items().size(), 33u);
    EXPECT_TRUE(c["ObjWarn1"].textIsRed);
    EXPECT_EQ(c["ObjWarn1"].caption(), "WARNING These files can be included in   ");
    EXPECT_EQ(c["LinkOK5"].tab, "Libraries");
}

TEST_F(LinkerTest, SetDefaultsResetsEveryPageAndRunsTheInterlocks)
{
    withProject();
    app.prolist().assign(84, "");
    for (const char* n : {"Linkop", "Linklist", "Stats", "GTC", "SLDL", "Crossref", "LCR1", "LCR3", "SLPP", "User",
                          "Addext", "UseFormats"})
        c[n].setChecked(true);
    c["Uselnkcmd"].setChecked(false);
    c["Linklistfile"].setText("mine.map");
    c["CPU"].setItemIndex(0);
    c["Format"].setItemIndex(-1);
    c["MBox"].setItemIndex(1);
    c["PWbox"].setItemIndex(2);
    c["PRBox"].setItemIndex(2);
    c["Objectfiles"].setEntries({"C:\\x\\a.r25"});
    c["LibraryFiles"].setEntries({"old.r25", "CL7832S"});
    c["D64"].setChecked(true);

    linker.LinkDefsClick();

    for (const char* n : {"Linkop", "Linklist", "Stats", "GTC", "SLDL", "Crossref", "LCR1", "LCR3", "SLPP", "User",
                          "Addext"})
        EXPECT_FALSE(c[n].checked()) << n;
    EXPECT_TRUE(c["Uselnkcmd"].checked());
    EXPECT_TRUE(c["LinkerCmdfile"].enabled());
    EXPECT_FALSE(c["LinkerTabs"].tabVisible("List File"));
    for (const char* n : {"LCR1", "LCR2", "LCR3", "LCR4", "SLPP", "LinkLPP", "LinkFile", "Linklistfile"})
        EXPECT_FALSE(c[n].enabled()) << n;
    EXPECT_EQ(c["LinkFile"].text(), "aout.a25");
    EXPECT_EQ(app.buildTargetPath, "aout.a25");
    EXPECT_EQ(c["Linklistfile"].text(), "out.map");
    EXPECT_EQ(c["LinkLPP"].value(), 80);
    EXPECT_EQ(c["LinkLPP"].text(), "80");
    EXPECT_EQ(c["CPU"].text(), "78300");
    EXPECT_EQ(c["Format"].text(), "MOTOROLA");
    EXPECT_EQ(c["MBox"].itemIndex(), 0);
    EXPECT_EQ(c["PWbox"].itemIndex(), 0);
    EXPECT_EQ(c["Objectfiles"].entries(), (std::vector<std::string>{"cstartup.r25", "watchdog.r25"}));
    EXPECT_EQ(c["LibraryFiles"].entries(), (std::vector<std::string>{"CL7832SD"}));
    // Neither stored nor reset.
    EXPECT_TRUE(c["UseFormats"].checked());
    EXPECT_EQ(c["PRBox"].itemIndex(), 2);
}

TEST_F(LinkerTest, SetDefaultsLeavesTheCommandFileNameToTheNextComposition)
{
    c["User"].setChecked(true);
    c["LinkerCmdfile"].setText("mine");
    linker.LinkDefsClick();
    EXPECT_EQ(c["LinkerCmdfile"].text(), "mine");
    EXPECT_EQ(c["LibraryFiles"].entries(), (std::vector<std::string>{"CL7832S"}));
    linker.ComposeLinkerLine();
    EXPECT_EQ(c["LinkerCmdfile"].text(), "LK7832SL");
}

TEST_F(LinkerTest, SpecifyOutputFileTakesTheStoredNameOfTheProject)
{
    withProject();
    app.prolist().assign(84, "");
    app.prolist()[49] = "target.a25";
    c["Linkop"].setChecked(true);
    EXPECT_TRUE(c["LinkFile"].enabled());
    EXPECT_EQ(c["LinkFile"].text(), "target.a25");
    EXPECT_EQ(app.buildTargetPath, "target.a25");

    c["Linkop"].setChecked(false);
    EXPECT_FALSE(c["LinkFile"].enabled());
    EXPECT_EQ(c["LinkFile"].text(), "aout.a25");
    EXPECT_EQ(app.buildTargetPath, "aout.a25");
}

TEST_F(LinkerTest, SpecifyOutputFileWithoutProjectKeepsTheField)
{
    noProject();
    c["LinkFile"].setText("keep.a25");
    c["Linkop"].setChecked(true);
    EXPECT_TRUE(c["LinkFile"].enabled());
    EXPECT_EQ(c["LinkFile"].text(), "keep.a25");
    EXPECT_EQ(app.buildTargetPath, "keep.a25");
}

TEST_F(LinkerTest, Interlocks)
{
    c["Crossref"].setChecked(true);
    for (const char* n : {"LCR1", "LCR2", "LCR4", "SLPP", "LinkLPP"})
        EXPECT_TRUE(c[n].enabled()) << n;
    EXPECT_FALSE(c["LCR3"].enabled());

    c["SLPP"].setChecked(true);
    EXPECT_TRUE(c["LinkLPP"].enabled());
    c["SLPP"].setChecked(false);
    EXPECT_FALSE(c["LinkLPP"].enabled());

    c["Crossref"].setChecked(false);
    for (const char* n : {"LCR1", "LCR2", "LCR4", "SLPP", "LinkLPP"})
        EXPECT_FALSE(c[n].enabled()) << n;

    c["Linklist"].setChecked(true);
    EXPECT_TRUE(c["LinkerTabs"].tabVisible("List File"));
    EXPECT_TRUE(c["Linklistfile"].enabled());
    c["Linklist"].setChecked(false);
    EXPECT_FALSE(c["LinkerTabs"].tabVisible("List File"));
    EXPECT_FALSE(c["Linklistfile"].enabled());

    c["Uselnkcmd"].setChecked(false);
    EXPECT_FALSE(c["LinkerCmdfile"].enabled());
    c["Uselnkcmd"].setChecked(true);
    EXPECT_TRUE(c["LinkerCmdfile"].enabled());

    c["UseFormats"].setChecked(true);
    EXPECT_TRUE(c["RFMsg"].visible());
    EXPECT_TRUE(c["PRBox"].visible());
    c["UseFormats"].setChecked(false);
    EXPECT_FALSE(c["RFMsg"].visible());
    EXPECT_FALSE(c["PRBox"].visible());
}

TEST_F(LinkerTest, MemoryBaseChangeShowsTheLinkerLineWithTheNewCommandFile)
{
    c["User"].setChecked(false);
    c["MBox"].setItemIndex(1);
    c["PWbox"].setItemIndex(2);
    EXPECT_EQ(app.statusBar().mode(), 1);
    EXPECT_EQ(c["LinkerCmdfile"].text(), "LK7832LH");
    EXPECT_NE(app.statusBar().panel(6).text.find("-f LK7832SH"), std::string::npos);
}

TEST_F(LinkerTest, OpeningThePagesShowsTheOutputTab)
{
    c["LinkerTabs"].setItemIndex(3);
    c["UseFormats"].setChecked(true);
    c["PRBox"].setVisible(false);
    c["LinkOptsBtn"].activate();
    EXPECT_TRUE(c["LinkerTabs"].visible());
    EXPECT_EQ(c["LinkerTabs"].itemIndex(), 0);
    EXPECT_TRUE(c["PRBox"].visible());
    if (Control* compilerPages = c.find("OptionsTabs")) {
        EXPECT_FALSE(compilerPages->visible());
    }

    c["Stats"].setChecked(true);
    c["LinkCancel2"].activate();
    EXPECT_FALSE(c["LinkerTabs"].visible());
    EXPECT_TRUE(c["Stats"].checked());

    c["LinkerOptions1"].activate();
    EXPECT_TRUE(c["LinkerTabs"].visible());
}

TEST_F(LinkerTest, HelpButtonsAskForTheirPagesTopic)
{
    std::vector<int> topics;
    app.onHelp = [&topics](int topic) { topics.push_back(topic); };
    for (int page = 0; page < 6; ++page)
        c["LinkHelp" + std::to_string(page)].activate();
    EXPECT_EQ(topics, (std::vector<int>{29, 23, 27, 14, 28, 26}));
}
