#include <gtest/gtest.h>

#include "app/status_bar.h"
#include "build/build_fixture.h"

namespace {

TEST(StatusBarText, FullWidthTextIsThePanelAsItWasWhenTheModeWasSet)
{
    struct Case {
        int mode;
        int panel;
    };
    for (const Case& c : {Case{1, 6}, Case{2, 5}}) {
        StatusBar bar;
        bar.setPanelText(c.panel, "params");
        bar.setMode(c.mode);
        bar.setPanelText(c.panel, "Saving Editor Files");
        EXPECT_EQ(bar.simpleText(), "params") << c.mode;
        EXPECT_EQ(bar.panel(c.panel).text, "Saving Editor Files");
        // Choosing the mode again takes the panel's text of that moment.
        bar.setMode(c.mode);
        EXPECT_EQ(bar.simpleText(), "Saving Editor Files") << c.mode;
    }
    StatusBar bar;
    bar.setMode(2);
    bar.setMode(0);
    EXPECT_EQ(bar.simpleText(), "");
}

class CompilerOkStatusTest : public buildtest::BuildFixture {};

TEST_F(CompilerOkStatusTest, OkWithAProjectShowsTheCompilerLineNotTheBuildProgress)
{
    project({"D:\\work\\main.c"});
    c["CompilerOptions"].activate();
    c["CompOK0"].activate();
    // The build files were written, and their progress line went to panel 5 only.
    EXPECT_NE(ideBat(), "<none>");
    EXPECT_EQ(panel5(), "Saving Editor Files");
    EXPECT_EQ(app.statusBar().mode(), 2);
    EXPECT_EQ(app.statusBar().simpleText(), buildtest::kCompilerDefaults);
}

}  // namespace
