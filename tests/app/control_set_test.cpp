#include <gtest/gtest.h>

#include "app/control_set.h"
#include "support/app_fixture.h"

namespace {

TEST(ControlCaption, DataShowsItsAmpersandsWhileFixedMarkersStayAccelerators)
{
    struct Case {
        std::string before, data, after;
        std::string caption;  // as the core holds it
        std::string markup;   // as a menu shows it
    };
    const Case cases[] = {
        {"&Save Output File to ", "", "", "&Save Output File to ", "&Save Output File to "},
        {"Save Output file to ", "C:\\Flash & Go", "", "Save Output file to C:\\Flash & Go",
         "Save Output file to C:\\Flash && Go"},
        {"", "Flash & Go", "", "Flash & Go", "Flash && Go"},
        {"", "&&", "", "&&", "&&&&"},
        {"&Open (", "a&b", ") &x", "&Open (a&b) &x", "&Open (a&&b) &x"},
    };
    ControlSet set;
    Control& item = set.add("Item", ControlKind::MenuItem);
    for (const Case& c : cases) {
        item.setCaption(c.before, c.data, c.after);
        EXPECT_EQ(item.caption(), c.caption);
        EXPECT_EQ(item.markupCaption(), c.markup) << c.caption;
    }
    // A caption of the program's own after a data caption is markup again.
    item.setCaption("Flash & Go");
    EXPECT_EQ(item.markupCaption(), "Flash & Go");
}

TEST(ControlCaption, SameTextAsDataIsAChangeViewsAreToldOf)
{
    ControlSet set;
    Control& item = set.add("Item", ControlKind::MenuItem);
    int told = 0;
    set.subscribe([&](Control&, Property p) { told += p == Property::Caption; });
    item.setCaption("A&B");
    item.setCaption("A&B");
    EXPECT_EQ(told, 1);
    item.setCaption("", "A&B");
    EXPECT_EQ(told, 2);
    EXPECT_EQ(item.markupCaption(), "A&&B");
}

TEST(ControlCaption, SettingsPutToolNameAndSaveLocationAsData)
{
    AppFixture f;
    f.prepareInstalledMachine();
    f.fake.settings.values["save dir"] = "C:\\Out & Back";
    f.fake.settings.values["ptcount"] = "1";
    f.fake.settings.values["ptools0"] = "Flash & Go";
    f.fake.settings.values["ptnames0"] = "C:\\Tools\\flash.exe";
    f.fake.settings.values["programming tool"] = "C:\\Tools\\flash.exe";
    TEmbedded& app = f.start();
    const ControlSet& c = app.controls();
    EXPECT_EQ(c["SaveObjectFile"].caption(), "Save Output file to C:\\Out & Back");
    EXPECT_EQ(c["SaveObjectFile"].markupCaption(), "Save Output file to C:\\Out && Back");
    EXPECT_EQ(c["Prgm"].caption(), "Flash & Go");
    EXPECT_EQ(c["Prgm"].markupCaption(), "Flash && Go");
}

}  // namespace

namespace {

// The option pages as declared: every page has one cancel button for Escape, and each group's
// controls are declared together, so that the keyboard order runs through a group in one go.
TEST(PageLayoutData, EveryPageHasOneCancelButtonAndContiguousGroups)
{
    AppFixture f;
    TEmbedded& app = f.make();
    const ControlSet& controls = app.controls();
    const std::vector<std::pair<const char*, std::vector<std::string>>> pages = {
        {"OptionsTabs", controls["OptionsTabs"].items()},
        {"LinkerTabs", controls["LinkerTabs"].items()},
        {"ToolsPan", {"Tarnel Settings "}},
    };
    for (const auto& [set, tabs] : pages) {
        EXPECT_GT(controls[set].layout.maxWidth, 0) << set;
        for (const std::string& tab : tabs) {
            int cancels = 0;
            std::vector<std::pair<std::string, int>> seen;
            for (const Control* c : controls.onPage(set, tab)) {
                if (c->layout.role == ControlLayout::CancelButton) {
                    ++cancels;
                    EXPECT_TRUE(c->hasAction()) << c->name();
                }
                if (c->layout.role != ControlLayout::Option)
                    continue;
                const std::pair<std::string, int> group{c->layout.group, c->layout.column};
                if (seen.empty() || seen.back() != group) {
                    for (const auto& g : seen)
                        EXPECT_NE(g, group) << tab << ": group \"" << group.first << "\" split at " << c->name();
                    seen.push_back(group);
                }
            }
            EXPECT_EQ(cancels, 1) << set << " " << tab;
        }
    }
}

}  // namespace
