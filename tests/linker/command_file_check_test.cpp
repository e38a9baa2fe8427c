#include "linker/command_file_check.h"
#include "linker_fixture.h"

using Lines = std::vector<std::string>;

class CommandFileCheckTest : public LinkerTest {
protected:
    void SetUp() override
    {
        withProject();
        app.settings().compSource = "C:\\Tarnel\\Source";
        bare();
        c["Uselnkcmd"].setChecked(true);
        c["User"].setChecked(true);
        c["LinkerCmdfile"].setText("my");
        c["CPU"].setItemIndex(6);
    }

    void commandFile(const Lines& lines, const std::string& name = "my.xcl")
    {
        fake.files.put("C:\\Tarnel\\Source\\" + name, joinLines(lines));
    }

    // The checks alone, after the switches were computed as the OK button does.
    Lines check()
    {
        linker.ApplyPrintFormat();
        fake.dialogs.calls.clear();
        CommandFileCheck(app, linker).run();
        return fake.dialogs.messages();
    }
};

TEST(CommandFileName, XclAddedUnlessExactlyPresent)
{
    const std::pair<const char*, const char*> cases[] = {
        {"my", "my.xcl"},
        {"my.xcl", "my.xcl"},
        {"lk7832sl.XCL", "lk7832sl.XCL.xcl"},
        {"a.b", "a.b.xcl"},
    };
    for (const auto& [name, file] : cases)
        EXPECT_EQ(CommandFileCheck::commandFileName(name), file);
}

TEST_F(CommandFileCheckTest, CpuLinePositionCountsFromZero)
{
    commandFile({"-!comment", "-Z(CODE)CODE=0-FFFF", "-c78300"});
    EXPECT_EQ(check(), Lines{"CPU is defined in command file at line 2"});
    EXPECT_EQ(fake.dialogs.calls.at(0).buttons, MsgButtons::OkCancel);
    EXPECT_EQ(fake.dialogs.calls.at(0).icon, MsgIcon::Warning);

    struct CpuCase {
        int cpu;
        const char* line;
        bool found;
    };
    const CpuCase cases[] = {
        {6, "-C78300", true},        // letter case ignored
        {6, " -c78300", false},      // nothing trimmed
        {6, "-c78300 ", false},
        {0, "-cUNSPECIFIED", true},  // no switch on the line, yet still looked for
        {-1, "-c", true},
    };
    for (const auto& row : cases) {
        c["CPU"].setItemIndex(row.cpu);
        commandFile({row.line});
        EXPECT_EQ(check().size(), row.found ? 1u : 0u) << row.line;
    }
}

TEST_F(CommandFileCheckTest, LibraryStems)
{
    struct LibCase {
        const char* entry;
        const char* line;
        bool reported;
    };
    const LibCase cases[] = {
        {"cl7832s.r25", "-C cl7832s", true},
        {"CL7832S.r25", "-C cl7832s", true},       // the lower-case stem is tried too
        {"Cl7832s.r25", "-C CL7832S", false},      // neither as listed nor in lower case
        {"CL7832S", "-C CL7832S", true},           // stem "CL7"
        {"CL7832S", "-C cl7", true},
        {"CL7832S", "-C CL7", true},
        {"CL7832S", "-C CL8", false},
        {"cl7832s.r25", "-Ccl7832s", false},
        {"D:\\lib\\cl7832s.r25", "-C cl7832s.r25", true},
    };
    for (const auto& row : cases) {
        c["LibraryFiles"].setEntries({row.entry});
        commandFile({"-cz80", row.line});
        const Lines expected = row.reported ? Lines{std::string("C Library ") + row.entry +
                                                    " is defined in the command file\rCompile will fail"}
                                            : Lines{};
        EXPECT_EQ(check(), expected) << row.entry << " / " << row.line;
    }
}

TEST_F(CommandFileCheckTest, ObjectStemsIgnoreLetterCase)
{
    c["Objectfiles"].setEntries({"C:\\rtl\\cstartup.r25", "watchdog.r25", "other.r25"});
    commandFile({"-C CSTARTUP", "-c watchdog"});
    EXPECT_EQ(check(), (Lines{"C RTL C:\\rtl\\cstartup.r25 is defined in the command file\r Compile will fail",
                              "C RTL watchdog.r25 is defined in the command file\r Compile will fail"}));
}

TEST_F(CommandFileCheckTest, ReadFormatOkTurnsFormatsOff)
{
    c["UseFormats"].setChecked(true);
    c["PWbox"].setItemIndex(0);
    c["PRBox"].setItemIndex(1);
    commandFile({"-e_small_write=_formatted_write", "-E_MEDIUM_READ=_FORMATTED_READ"});
    EXPECT_EQ(check(), Lines{"Read Format is defined in command file at line 1\rClick OK to disable option"});
    EXPECT_EQ(fake.dialogs.calls.at(0).buttons, MsgButtons::OkCancel);
    EXPECT_FALSE(c["UseFormats"].checked());
    EXPECT_FALSE(c["PRBox"].visible());
    EXPECT_FALSE(c["RFMsg"].visible());
    EXPECT_EQ(linker.readFormatSwitch(), "");
    EXPECT_EQ(linker.writeFormatSwitch(), "");
    EXPECT_EQ(app.statusBar().mode(), 1);
}

TEST_F(CommandFileCheckTest, ReadFormatCancelKeepsFormatsAndTheWriteCheckFollows)
{
    c["UseFormats"].setChecked(true);
    c["PWbox"].setItemIndex(0);
    c["PRBox"].setItemIndex(1);
    commandFile({"-e_small_write=_formatted_write", "-e_medium_read=_formatted_read"});
    fake.dialogs.answers = {MsgAnswer::Cancel, MsgAnswer::Cancel};
    EXPECT_EQ(check(), (Lines{"Read Format is defined in command file at line 1\rClick OK to disable option",
                              "Write Format is defined in command file at line 0\rClick OK to disable option"}));
    EXPECT_TRUE(c["UseFormats"].checked());
}

TEST_F(CommandFileCheckTest, EveryCheckInOrder)
{
    c["UseFormats"].setChecked(true);
    c["LibraryFiles"].setEntries({"cl7832s.r25"});
    c["Objectfiles"].setEntries({"cstartup.r25"});
    commandFile({"-C cstartup", "-e_small_write=_formatted_write", "-c78300", "-C cl7832s",
                 "-e_small_read=_formatted_read"});
    fake.dialogs.answers = {MsgAnswer::Ok, MsgAnswer::Ok, MsgAnswer::Ok, MsgAnswer::Cancel};
    EXPECT_EQ(check(), (Lines{"CPU is defined in command file at line 2",
                              "C Library cl7832s.r25 is defined in the command file\rCompile will fail",
                              "C RTL cstartup.r25 is defined in the command file\r Compile will fail",
                              "Read Format is defined in command file at line 4\rClick OK to disable option",
                              "Write Format is defined in command file at line 1\rClick OK to disable option"}));
}

TEST_F(CommandFileCheckTest, ExtensionRuleCountsLetterCase)
{
    c["LinkerCmdfile"].setText("lk7832sl.XCL");
    commandFile({"-c78300"}, "lk7832sl.XCL");
    EXPECT_TRUE(check().empty());
    commandFile({"-c78300"}, "lk7832sl.XCL.xcl");
    EXPECT_EQ(check(), Lines{"CPU is defined in command file at line 0"});
}

TEST_F(CommandFileCheckTest, MissingFileGivesNoMessage)
{
    c["LibraryFiles"].setEntries({"cl7832s.r25"});
    EXPECT_TRUE(check().empty());
}

TEST_F(CommandFileCheckTest, OkChecksOnlyWithProjectAndCommandFile)
{
    commandFile({"-c78300"});
    c["LinkerTabs"].setVisible(true);

    noProject();
    linker.LinkOkClick();
    EXPECT_FALSE(c["LinkerTabs"].visible());
    EXPECT_EQ(app.statusBar().mode(), 1);
    EXPECT_TRUE(fake.dialogs.messages().empty());

    withProject();
    c["Uselnkcmd"].setChecked(false);
    c["LinkOK0"].activate();
    EXPECT_TRUE(fake.dialogs.messages().empty());

    c["Uselnkcmd"].setChecked(true);
    c["LinkOK4"].activate();
    ASSERT_FALSE(fake.dialogs.messages().empty());
    EXPECT_EQ(fake.dialogs.messages().back(), "CPU is defined in command file at line 0");
}

TEST_F(CommandFileCheckTest, OkLooksForTheDefaultFileChosenOnTheWay)
{
    withProject();
    c["User"].setChecked(false);
    c["MBox"].setItemIndex(1);
    c["LinkerCmdfile"].setText("stale");
    commandFile({"-c78300"}, "LK7832SH.xcl");
    linker.LinkOkClick();
    ASSERT_FALSE(fake.dialogs.messages().empty());
    EXPECT_EQ(fake.dialogs.messages().back(), "CPU is defined in command file at line 0");
}
