#include <QAction>
#include <QCheckBox>
#include <QMenu>
#include <gtest/gtest.h>

#include "app/view/main_window.h"
#include "support/app_fixture.h"

namespace {

// What a menu or button shows: the text with its accelerator markers taken out.
QString shown(const QString& markup)
{
    QString out;
    for (int i = 0; i < markup.size(); ++i) {
        if (markup[i] == '&' && i + 1 < markup.size())
            ++i;
        out += markup[i];
    }
    return out;
}

TEST(DataCaptions, AmpersandsOfDataShowAsTheyStandAndThePartsMarkersStay)
{
    AppFixture f;
    f.prepareInstalledMachine();
    f.fake.settings.values["save dir"] = "C:\\Out & Back";
    f.fake.settings.values["ptcount"] = "1";
    f.fake.settings.values["ptools0"] = "Flash & Go";
    f.fake.settings.values["ptnames0"] = "C:\\Tools\\flash.exe";
    f.fake.settings.values["programming tool"] = "C:\\Tools\\flash.exe";
    TEmbedded& app = f.make();
    MainWindow window(app);
    auto* save = window.findChild<QAction*>("SaveObjectFile");
    auto* program = window.findChild<QAction*>("Prgm");
    ASSERT_TRUE(save && program);
    EXPECT_EQ(shown(save->text()), "Save Output File to ");  // the menu's own "&S" marker
    window.show();
    f.start();
    EXPECT_EQ(shown(save->text()), "Save Output file to C:\\Out & Back");
    EXPECT_EQ(shown(program->text()), "Flash & Go");
    EXPECT_EQ(shown(window.findChild<QAction*>("OpenFile")->text()), "Open File");

    app.controls()["LinkFile"].setText("a&b.a25");
    window.findChild<QAction*>("TarnelOptions")->trigger();
    auto* target = window.pageWidget("ToolsPan")->findChild<QCheckBox*>("Target");
    ASSERT_NE(target, nullptr);
    EXPECT_EQ(shown(target->text()), "Check for Linker Target file creation (a&b.a25)");
}

}  // namespace
