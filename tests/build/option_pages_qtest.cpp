#include <QAction>
#include <QCheckBox>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

#include "app/view/main_window.h"
#include "linker/linker_options.h"
#include "support/app_fixture.h"

namespace {

struct OptionPagesTest : ::testing::Test {
    AppFixture f;
    TEmbedded& app = (f.prepareInstalledMachine(), f.make());
    MainWindow window{app};

    void SetUp() override
    {
        window.show();
        app.FormActivate();
        f.fake.timers.fire(1000);
    }
    QWidget* widget(const char* page, const char* name)
    {
        return window.pageWidget(page)->findChild<QWidget*>(name);
    }
    void click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(5, w->height() / 2)); }
};

TEST_F(OptionPagesTest, OpeningEitherPageSetHidesTheOther)
{
    QWidget* compiler = window.pageWidget("OptionsTabs");
    QWidget* linker = window.pageWidget("LinkerTabs");
    ASSERT_TRUE(compiler && linker);
    EXPECT_FALSE(compiler->isVisible());
    window.findChild<QAction*>("LinkOptsBtn")->trigger();
    EXPECT_TRUE(linker->isVisible());
    window.findChild<QAction*>("CompOptsBtn")->trigger();
    EXPECT_TRUE(compiler->isVisible());
    EXPECT_FALSE(linker->isVisible());
    EXPECT_EQ(static_cast<QTabWidget*>(compiler)->tabText(static_cast<QTabWidget*>(compiler)->currentIndex()), "Memory");
    window.findChild<QAction*>("LinkerOptions1")->trigger();
    EXPECT_FALSE(compiler->isVisible());
    EXPECT_EQ(static_cast<QTabWidget*>(linker)->tabText(static_cast<QTabWidget*>(linker)->currentIndex()), "Output");
}

TEST_F(OptionPagesTest, CompilerCheckBoxesDriveTheirInterlocks)
{
    window.findChild<QAction*>("CompilerOptions")->trigger();
    auto* tabs = static_cast<QTabWidget*>(window.pageWidget("OptionsTabs"));
    EXPECT_EQ(tabs->tabText(tabs->currentIndex()), "Compiler");
    QWidget* strict = widget("OptionsTabs", "Strict");
    QWidget* syntax = widget("OptionsTabs", "Syntax");
    EXPECT_TRUE(syntax->isEnabled());
    click(strict);
    EXPECT_FALSE(app.controls()["Strict"].checked());
    EXPECT_FALSE(syntax->isEnabled());

    tabs->setCurrentIndex(3);  // List File
    QWidget* glf = widget("OptionsTabs", "GLF");
    QWidget* gcr = widget("OptionsTabs", "GCR");
    QWidget* gcr1 = widget("OptionsTabs", "GCR1");
    QWidget* tabsField = widget("OptionsTabs", "Tabs");
    EXPECT_FALSE(gcr->isEnabled());
    click(glf);
    EXPECT_TRUE(gcr->isEnabled());
    EXPECT_TRUE(tabsField->isEnabled());
    EXPECT_TRUE(gcr1->isEnabled());  // the list switch enables the whole group
    click(gcr);
    click(gcr);
    EXPECT_FALSE(app.controls()["GCR"].checked());
    EXPECT_FALSE(gcr1->isEnabled());

    tabs->setCurrentIndex(4);  // Output
    QWidget* nameObj = widget("OptionsTabs", "NameObj");
    QWidget* objectFile = widget("OptionsTabs", "ObjectFile");
    EXPECT_FALSE(objectFile->isEnabled());
    click(nameObj);
    EXPECT_TRUE(objectFile->isEnabled());
}

TEST_F(OptionPagesTest, LinkerCheckBoxesDriveTheirHandlers)
{
    window.findChild<QAction*>("LinkerOptions1")->trigger();
    auto* tabs = static_cast<QTabWidget*>(window.pageWidget("LinkerTabs"));
    QWidget* linkop = widget("LinkerTabs", "Linkop");
    QWidget* linkFile = widget("LinkerTabs", "LinkFile");
    EXPECT_FALSE(linkFile->isEnabled());
    click(linkop);
    EXPECT_TRUE(linkFile->isEnabled());

    const int listTab = 2;
    EXPECT_FALSE(tabs->isTabVisible(listTab));
    click(widget("LinkerTabs", "Linklist"));
    EXPECT_TRUE(tabs->isTabVisible(listTab));

    tabs->setCurrentIndex(listTab);
    QWidget* lcr1 = widget("LinkerTabs", "LCR1");
    EXPECT_FALSE(lcr1->isEnabled());
    click(widget("LinkerTabs", "Crossref"));
    EXPECT_TRUE(lcr1->isEnabled());

    tabs->setCurrentIndex(3);  // General
    QWidget* cmdFile = widget("LinkerTabs", "LinkerCmdfile");
    EXPECT_TRUE(cmdFile->isEnabled());
    click(widget("LinkerTabs", "Uselnkcmd"));
    EXPECT_FALSE(cmdFile->isEnabled());
    QWidget* prBox = widget("LinkerTabs", "PRBox");
    EXPECT_FALSE(prBox->isVisible());
    click(widget("LinkerTabs", "UseFormats"));
    EXPECT_TRUE(prBox->isVisible());
    EXPECT_NE(app.linker().ComposeLinkerLine().find("-e_small_read=_formatted_read"), std::string::npos);
}

}  // namespace

#include "components/view/t_spin_button.h"

namespace {

TEST_F(OptionPagesTest, DebuggerArrowsStepTheHardwareTypeWithinItsRange)
{
    window.findChild<QAction*>("CompilerOptions")->trigger();
    static_cast<QTabWidget*>(window.pageWidget("OptionsTabs"))->setCurrentIndex(5);
    auto* arrows = window.pageWidget("OptionsTabs")->findChild<TSpinButton*>("Debuger");
    ASSERT_NE(arrows, nullptr);
    for (int i = 0; i < 4; ++i)
        emit arrows->upClick();
    EXPECT_EQ(app.controls()["Debuger"].value(), 2);
    EXPECT_EQ(app.controls()["DeBugg"].text(), "2");
    emit arrows->downClick();
    EXPECT_EQ(app.controls()["DeBugg"].text(), "1");
}

}  // namespace

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace {

TEST_F(OptionPagesTest, CommandFileFieldFollowsTheWriteFormatAndMemoryBaseAtOnce)
{
    window.findChild<QAction*>("LinkerOptions1")->trigger();
    auto* tabs = static_cast<QTabWidget*>(window.pageWidget("LinkerTabs"));
    auto* cmdFile = static_cast<QLineEdit*>(widget("LinkerTabs", "LinkerCmdfile"));
    auto* writeFormat = static_cast<QComboBox*>(widget("LinkerTabs", "PWbox"));
    auto* memoryBase = static_cast<QComboBox*>(widget("LinkerTabs", "MBox"));
    ASSERT_TRUE(cmdFile && writeFormat && memoryBase);
    EXPECT_EQ(cmdFile->text(), "LK7832SL");

    tabs->setCurrentIndex(3);  // General
    writeFormat->setFocus();
    QTest::keyClick(writeFormat, Qt::Key_Down);
    QTest::keyClick(writeFormat, Qt::Key_Down);
    EXPECT_EQ(app.controls()["LinkerCmdfile"].text(), "LK7832LL");
    EXPECT_EQ(cmdFile->text(), "LK7832LL");
    QTest::keyClick(memoryBase, Qt::Key_Down);
    EXPECT_EQ(cmdFile->text(), "LK7832LH");
    EXPECT_NE(window.statusSimpleText()->text().indexOf("-f LK7832LL"), -1);

    // Changed while another page is in front: the field shows it when its page comes back.
    tabs->setCurrentIndex(0);
    app.controls()["MBox"].setItemIndex(0);
    EXPECT_EQ(cmdFile->text(), "LK7832LL");
}

}  // namespace
