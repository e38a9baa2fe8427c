#include <gtest/gtest.h>

#include "support/app_fixture.h"

namespace {

struct SettingsTest : ::testing::Test {
    AppFixture f;
    TEmbedded& app = f.make();
    Settings& s = app.settings();
    ControlSet& c = app.controls();
    void read() { s.read(f.fake.settings, c); }
};

TEST_F(SettingsTest, CleanStoreGivesTheDefaults)
{
    read();
    EXPECT_EQ(s.directory, "C:\\");
    EXPECT_EQ(s.compSource, "C:\\Tarnel\\Source");
    EXPECT_EQ(s.necDir, "C:\\Nec");
    EXPECT_EQ(s.project, "");
    EXPECT_EQ(s.saveDir, "A:");
    EXPECT_EQ(s.externalEd, "c:\\program files\\accessories\\wordpad.exe");
    for (const char* on : {"UseEd", "Target", "ShowProgress", "CloseEds"})
        EXPECT_TRUE(c[on].checked()) << on;
    for (const char* off : {"Pause", "Reload", "SendToFile", "ShowOnEnd"})
        EXPECT_FALSE(c[off].checked()) << off;
    EXPECT_TRUE(s.editorSwitch);
    EXPECT_TRUE(s.targetSwitch);
    EXPECT_EQ(c["Prgm"].caption(), "(None)");
    EXPECT_FALSE(c["Prgm"].enabled());
    EXPECT_EQ(c["SaveObjectFile"].caption(), "Save Output file to A:");
}

TEST_F(SettingsTest, OddValuesReadAsTheirDefaults)
{
    auto& v = f.fake.settings.values;
    v["use ed"] = "x";
    v["target"] = "";
    v["progress"] = "1.5";
    v["pause"] = "7";  // any number but 0 is on
    v["ptcount"] = "many";
    v["utcount"] = "-3";
    v["close eds"] = "--0";  // a second sign makes it no number: the default, on
    v["onend"] = "+-1";
    read();
    EXPECT_TRUE(c["CloseEds"].checked());
    EXPECT_FALSE(c["ShowOnEnd"].checked());
    EXPECT_TRUE(c["UseEd"].checked());
    EXPECT_TRUE(c["Target"].checked());
    EXPECT_TRUE(c["ShowProgress"].checked());
    EXPECT_TRUE(c["Pause"].checked());
    EXPECT_TRUE(c["ProgToolsList"].items().empty());
    EXPECT_TRUE(c["UserToolsList"].entries().empty());
}

TEST_F(SettingsTest, NamesAreFoundWithoutRegardToCase)
{
    f.fake.settings.write("RELOAD", "1");
    f.fake.settings.write("directory", "D:\\Work");
    read();
    EXPECT_TRUE(c["Reload"].checked());
    EXPECT_EQ(s.directory, "D:\\Work");
}

TEST_F(SettingsTest, ToolListsFollowTheirCountsAndMissingEntriesReadEmpty)
{
    auto& v = f.fake.settings.values;
    v["ptcount"] = "2";
    v["ptools0"] = "Flasher";
    v["ptnames0"] = "C:\\flash\\flash.exe";
    v["utcount"] = "1";
    v["utools0"] = "Diff";
    v["ptools5"] = "stale entry beyond the count";
    read();
    // The drop-down sorts its names; each keeps its own path.
    EXPECT_EQ(c["ProgToolsList"].items(), (std::vector<std::string>{"", "Flasher"}));
    ASSERT_EQ(s.tools.programming.size(), 2u);
    EXPECT_EQ(s.tools.programming[0].path, "");
    EXPECT_EQ(s.tools.programming[1].path, "C:\\flash\\flash.exe");
    EXPECT_EQ(c["UserToolsList"].entries(), (std::vector<std::string>{"Diff"}));
    ASSERT_EQ(s.tools.user.size(), 1u);
    EXPECT_EQ(s.tools.user[0].params, "");
}

TEST_F(SettingsTest, HugeCountsMakeNoMoreEntriesThanTheStoreHoldsValuesAndLoseNothing)
{
    auto& v = f.fake.settings.values;
    v["ptcount"] = "50000000";
    v["ptools0"] = "Flasher";
    v["ptnames0"] = "C:\\flash\\flash.exe";
    v["ptools3"] = "Far";
    v["utcount"] = "2147483647";
    v["utools1"] = "Diff";
    v["utparams1"] = "-u";
    const auto stored = v;
    read();
    // Seven values are stored, so seven entries at most; the drop-down shows them by name.
    EXPECT_EQ(c["ProgToolsList"].items(), (std::vector<std::string>{"", "", "", "", "", "Far", "Flasher"}));
    ASSERT_EQ(s.tools.programming.size(), 7u);
    EXPECT_EQ(s.tools.programming[6].path, "C:\\flash\\flash.exe");
    ASSERT_EQ(c["UserToolsList"].entries().size(), 7u);
    EXPECT_EQ(c["UserToolsList"].entries()[1], "Diff");
    EXPECT_EQ(s.tools.user[1].params, "-u");

    ASSERT_TRUE(s.write(f.fake.settings, c));
    EXPECT_EQ(v["ptcount"], "7");
    // Nothing stored is lost: user tools keep their places, programming tools their pairs.
    for (const auto& [name, value] : stored) {
        if (name.rfind("ut", 0) == 0 && name != "utcount") {
            EXPECT_EQ(v[name], value) << name;
        }
    }
    EXPECT_EQ(v["ptools6"], "Flasher");
    EXPECT_EQ(v["ptnames6"], "C:\\flash\\flash.exe");
    EXPECT_EQ(v["ptools5"], "Far");
}

TEST_F(SettingsTest, SelectedProgrammingToolNamesThePelorusItem)
{
    auto& v = f.fake.settings.values;
    v["ptcount"] = "2";
    v["ptools0"] = "Zeta";
    v["ptnames0"] = "C:\\flash\\zeta.exe";
    v["ptools1"] = "Pelorus 2";
    v["ptnames1"] = "D:\\pelorus\\pelorus.exe";
    v["programming tool"] = "D:\\pelorus\\pelorus.exe";
    read();
    EXPECT_EQ(c["Prgm"].caption(), "Pelorus 2");
    EXPECT_TRUE(c["Prgm"].enabled());
    EXPECT_EQ(c["ProgToolsList"].itemIndex(), 0);
    EXPECT_EQ(c["ProgToolsList"].text(), "Pelorus 2");

    v["programming tool"] = "D:\\elsewhere.exe";
    read();
    EXPECT_EQ(c["Prgm"].caption(), "(None)");
    EXPECT_FALSE(c["Prgm"].enabled());
}

TEST_F(SettingsTest, WriteOrderAndToolEntries)
{
    read();
    s.tools.user = {{"Diff", "C:\\diff.exe", "-u"}, {"Grep", "C:\\grep.exe", "-"}};
    s.tools.programming = {{"Flasher", "C:\\flash.exe"}};
    ASSERT_TRUE(s.write(f.fake.settings, c));
    const std::vector<std::string> expected = {
        "Directory", "Comp Source", "Project", "Pelorus Dir", "Nec Dir", "Pause", "Save Dir", "Progress",
        "Target", "External Ed", "Use Ed", "Close Eds", "PTCount", "UTCount", "Programming Tool", "C file",
        "Reload", "Redirect", "Onend", "PTools0", "PTNames0", "UTools0", "UTNames0", "UTParams0", "UTools1",
        "UTNames1", "UTParams1"};
    // Values of our own follow all of them.
    const std::vector<std::string> ours = {"Build Output Panel", "Code Colours",     "Memory Usage Panel",
                                           "Recent Project 1",   "Recent Project 2", "Recent Project 3",
                                           "Recent Project 4",   "Recent Project 5", "Recent Project 6",
                                           "Recent Project 7",   "Recent Project 8"};
    std::vector<std::string> all = expected;
    all.insert(all.end(), ours.begin(), ours.end());
    EXPECT_EQ(f.fake.settings.writeOrder, all);
    EXPECT_EQ(f.fake.settings.values["utcount"], "2");
    EXPECT_EQ(f.fake.settings.values["utparams1"], "-");
    EXPECT_EQ(f.fake.settings.values["use ed"], "1");
    EXPECT_EQ(f.fake.settings.values["pause"], "0");
}

TEST_F(SettingsTest, TheMemoryUsagePanelIsShownAgainWhenItWasLeftShown)
{
    read();
    EXPECT_FALSE(c["ViewMemoryUsage"].checked()) << "hidden until asked for";
    c["ViewMemoryUsage"].setChecked(true);
    ASSERT_TRUE(s.write(f.fake.settings, c));
    EXPECT_EQ(f.fake.settings.values["memory usage panel"], "1");
    c["ViewMemoryUsage"].setChecked(false);
    read();
    EXPECT_TRUE(c["ViewMemoryUsage"].checked());
}

TEST_F(SettingsTest, CodeColoursAreOnUnlessStoredOff)
{
    read();
    EXPECT_TRUE(c["CodeColours"].checked());
    f.fake.settings.values["code colours"] = "0";
    read();
    EXPECT_FALSE(c["CodeColours"].checked());
    ASSERT_TRUE(s.write(f.fake.settings, c));
    EXPECT_EQ(f.fake.settings.values["code colours"], "0");
    f.fake.settings.values["code colours"] = "on";
    read();
    EXPECT_TRUE(c["CodeColours"].checked());
}

TEST_F(SettingsTest, FailedStoreIsReported)
{
    read();
    f.fake.settings.failFlush = true;
    EXPECT_FALSE(s.write(f.fake.settings, c));
}

}  // namespace
