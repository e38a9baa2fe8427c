#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>
#include <filesystem>
#include <gtest/gtest.h>

#include "components/help_handlers.h"
#include "components/view/about_dialog.h"
#include "components/view/builtin_help_viewer.h"
#include "components/view/help_popup.h"
#include "components/view/help_views.h"
#include "components/view/help_window.h"
#include "components/view/kurl_label.h"
#include "platform/fake/fake_files.h"
#include "support/app_fixture.h"
#include "support/host_files.h"
#include "support/qt_runs.h"

namespace {

namespace fs = std::filesystem;

const char* const Chm = "C:\\Program Files\\Tarnel\\Docs\\Tarnel.chm";
const std::string Folder = "C:\\Program Files\\Tarnel\\Docs\\Tarnel\\";

// The help pages of the source tree in a fake file system, where the program would find them.
void putHelpPages(FakeFiles& files)
{
    for (const auto& entry : fs::directory_iterator(fs::path(TARNEL_SOURCE_DIR) / "docs" / "help"))
        files.put(Folder + entry.path().filename().string(), readHostFile(entry.path().string()));
}

struct HelpWindowTest : ::testing::Test {
    FakeFiles files;
    BuiltInHelpViewer viewer{files, [](const std::string& p) { return "/host/" + p; }};

    HelpWindowTest() { putHelpPages(files); }
    HelpWindow& window() { return *viewer.existingWindow(); }
    QString pageText() { return window().browser()->toPlainText(); }
};

TEST_F(HelpWindowTest, ShowsTheTopicBesideItsContentsAndKeepsTheWindowForTheNextRequest)
{
    ASSERT_TRUE(viewer.load(Chm));
    ASSERT_TRUE(viewer.showTopic(1, Chm, 26));
    HelpWindow* first = viewer.existingWindow();
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(first->windowTitle(), "Tarnel Help");
    EXPECT_TRUE(pageText().contains("Libraries page"));
    EXPECT_TRUE(pageText().contains("This file is already in your library list"));
    QTreeWidget* tree = window().contentsTree();
    ASSERT_EQ(tree->topLevelItemCount(), 7);
    EXPECT_EQ(tree->topLevelItem(0)->text(0), "Setting up");
    EXPECT_EQ(tree->topLevelItem(0)->childCount(), 3);
    EXPECT_EQ(tree->topLevelItem(3)->text(0), "Linker options");
    EXPECT_EQ(tree->topLevelItem(3)->child(5)->text(0), "Libraries page");
    EXPECT_EQ(tree->currentItem(), tree->topLevelItem(3)->child(5));  // the page shown
    EXPECT_GT(window().indexList()->count(), 100);

    viewer.showTopic(1, Chm, 14);
    EXPECT_EQ(viewer.existingWindow(), first);
    EXPECT_TRUE(pageText().contains("General page"));
    window().browser()->backward();
    EXPECT_TRUE(pageText().contains("Libraries page"));
    window().browser()->forward();
    EXPECT_TRUE(pageText().contains("General page"));
    viewer.showTopic(1, Chm, 43);
    EXPECT_EQ(tree->currentItem(), tree->topLevelItem(0)->child(0));  // the page, not its section
}

TEST_F(HelpWindowTest, EscapeClosesTheWindowWhereverTheFocusIs)
{
    for (const char* focus : {"HelpPage", "Contents", "IndexKeyword"}) {
        ASSERT_TRUE(viewer.showTopic(1, Chm, 26));
        window().activateWindow();
        ASSERT_TRUE(waitFor([&] { return window().isActiveWindow(); }));
        auto* target = window().findChild<QWidget*>(focus);
        ASSERT_NE(target, nullptr) << focus;
        if (std::string(focus) == "IndexKeyword")
            window().tabs()->setCurrentIndex(HelpWindow::IndexTab);
        target->setFocus();
        QTest::keyClick(target, Qt::Key_Escape);
        EXPECT_TRUE(waitFor([&] { return !window().isVisible(); })) << focus;
    }
}

TEST_F(HelpWindowTest, TheContentsPageAndTreeLeadToThePages)
{
    viewer.showContents(1, Chm);
    EXPECT_EQ(window().tabs()->currentIndex(), HelpWindow::ContentsTab);
    EXPECT_TRUE(pageText().contains("Tarnel Help"));
    EXPECT_TRUE(pageText().contains("A session from start to finish"));
    QTreeWidgetItem* item = window().contentsTree()->topLevelItem(0);
    ASSERT_NE(item, nullptr);
    emit window().contentsTree()->itemClicked(item, 0);
    EXPECT_FALSE(pageText().contains("A session from start to finish"));
    // A link within a page.
    emit window().browser()->anchorClicked(QUrl("topic5.html#wizard"));
    EXPECT_TRUE(pageText().contains("Linker command files and the wizard"));
    // An address of the outside world opens nothing.
    emit window().browser()->anchorClicked(QUrl("https://www.orvane.example/"));
    EXPECT_TRUE(pageText().contains("Linker command files and the wizard"));
}

TEST_F(HelpWindowTest, ATopicWithoutAPageSaysSoAndListsTheContents)
{
    viewer.showTopic(1, Chm, 99);
    EXPECT_TRUE(pageText().contains("No page for topic 99"));
    EXPECT_TRUE(pageText().contains("Libraries page"));
    EXPECT_TRUE(pageText().contains("Tarnel Setup: the five file locations"));
}

TEST_F(HelpWindowTest, TheIndexFindsAKeywordAndOpensItsPage)
{
    viewer.showIndex(1, Chm, "Doubles");
    EXPECT_EQ(window().tabs()->currentIndex(), HelpWindow::IndexTab);
    EXPECT_EQ(window().indexField()->text(), "Doubles");
    ASSERT_NE(window().indexList()->currentItem(), nullptr);
    EXPECT_TRUE(window().indexList()->currentItem()->text().trimmed().startsWith("Doubles are 64 Bit"));
    QTest::keyClick(window().indexField(), Qt::Key_Return);
    EXPECT_TRUE(pageText().contains("Compiler page"));
    EXPECT_TRUE(pageText().contains("CL7832SD"));
    // Typing narrows the choice as it goes.
    window().indexField()->clear();
    QTest::keyClicks(window().indexField(), "-mb");
    EXPECT_EQ(window().indexList()->currentItem()->text(), "-mb");
    QTest::keyClick(window().indexField(), Qt::Key_Return);
    EXPECT_TRUE(pageText().contains("Memory page"));
}

TEST_F(HelpWindowTest, SearchListsThePagesHoldingTheWords)
{
    viewer.showContents(1, Chm);
    window().search("Pelorus programmer");
    EXPECT_EQ(window().tabs()->currentIndex(), HelpWindow::SearchTab);
    QStringList titles;
    for (int i = 0; i < window().searchResults()->count(); ++i)
        titles << window().searchResults()->item(i)->text();
    EXPECT_TRUE(titles.contains("Tools page")) << titles.join(" | ").toStdString();
    window().search("nosuchwordanywhere");
    ASSERT_EQ(window().searchResults()->count(), 1);
    EXPECT_EQ(window().searchResults()->item(0)->text(), "No topics found.");
}

TEST_F(HelpWindowTest, AHugeDamagedPageShowsCutWithANote)
{
    std::string junk = "<html><body><table><tr><td>";
    for (int i = 0; junk.size() < 10u * 1024 * 1024; ++i)
        junk += "<p class=\"x\">block " + std::to_string(i) + " <b><i>\x01\x7f unclosed &bogus; <a href=";
    files.put(Folder + "topic27.html", junk);
    viewer.showTopic(1, Chm, 27);
    EXPECT_TRUE(pageText().startsWith("This page is 10.0 MB long; Tarnel shows its first 256 KB."));
    EXPECT_TRUE(window().isVisible());
}

TEST_F(HelpWindowTest, AMissingFolderCannotBeLoadedAndIsNamedForTheUser)
{
    EXPECT_FALSE(viewer.load("C:\\Elsewhere\\Tarnel.chm"));
    EXPECT_EQ(viewer.location("C:\\Elsewhere\\Tarnel.chm"), "/host/C:\\Elsewhere\\Tarnel");
    EXPECT_EQ(viewer.existingWindow(), nullptr);
}

TEST_F(HelpWindowTest, ATextPopUpShowsTheTopicsTextAtThePointGiven)
{
    HelpPopup p;
    p.topic = 26;
    p.position = {40, 50};
    viewer.showPopup(1, std::string(Chm) + "::/CSHelp.txt", p);
    HelpPopupWindow* popup = viewer.popupWindow();
    ASSERT_NE(popup, nullptr);
    EXPECT_TRUE(popup->isVisible());
    EXPECT_TRUE(popup->text().startsWith("Libraries page: the libraries end the linker line"));
    EXPECT_EQ(popup->pos(), QPoint(40, 50));
    p.topic = 0;
    p.text = "Plain words";
    viewer.showPopup(1, "", p);
    EXPECT_EQ(popup->text(), "Plain words");
    viewer.showTopic(1, Chm, 8);
    viewer.closeAll();  // the quit command
    EXPECT_FALSE(popup->isVisible());
    EXPECT_FALSE(window().isVisible());
    EXPECT_FALSE(window().testAttribute(Qt::WA_QuitOnClose));
}

// The about box over the real platform side, looked at while it is shown.
TEST(AboutDialogView, ShowsTheFourLinesAndTheOkButtonWhereTheLayoutPutThem)
{
    QApplication::setWindowIcon(QIcon(":/help/tarnel.png"));
    AppFixture f;
    TEmbedded& app = f.start();
    QWidget main;
    QtAboutBoxPlatform platform(&main, nullptr);
    TOrvaneAboutBox& about = app.help().aboutBox();
    about.setPlatform(&platform);
    bool looked = false;
    platform.onShown = [&](AboutDialog& dialog) {
        looked = true;
        auto label = [&](const char* name) { return dialog.findChild<QLabel*>(name); };
        EXPECT_EQ(label("WTitle")->text(), "Tarnel");
        EXPECT_EQ(label("WCopyright")->text(), "Copyright (C) 2026 Orvane");
        EXPECT_EQ(label("WAuthor")->text(), "Orvane");
        EXPECT_EQ(label("WVersion")->text(), QString("Version %1").arg(TARNEL_VERSION));
        EXPECT_GE(dialog.width(), 130);
        EXPECT_EQ(dialog.height(), 182);
        for (const char* name : {"WTitle", "WCopyright", "WAuthor", "WVersion"}) {
            const QRect r = label(name)->geometry();
            EXPECT_GE(r.left(), 0) << name;  // no line is cut at either edge
            EXPECT_LE(r.right(), dialog.width()) << name;
            EXPECT_GE(r.width(), label(name)->fontMetrics().horizontalAdvance(label(name)->text())) << name;
        }
        EXPECT_EQ(label("WVersion")->y(), 60);
        auto* logo = label("Logo");
        EXPECT_EQ(logo->size(), QSize(32, 32));
        auto* ok = dialog.findChild<QPushButton*>("OkButton");
        EXPECT_EQ(ok->text(), "OK");
        EXPECT_EQ(ok->y(), 122);
        EXPECT_EQ(ok->width(), dialog.width() - 60);
        EXPECT_EQ(ok->x(), 30);
        // A dialog's frame: only the close button, and no size to drag.
        const Qt::WindowFlags flags = dialog.windowFlags();
        EXPECT_EQ(flags & Qt::WindowType_Mask, Qt::Dialog);
        EXPECT_TRUE(flags.testFlags(Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint));
        EXPECT_FALSE(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint | Qt::WindowContextHelpButtonHint));
        EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize());
        ok->click();
    };
    EXPECT_TRUE(app.help().About1Click());
    EXPECT_TRUE(looked);
    about.setPlatform(nullptr);
}

TEST(LinkLabelView, ABlueUnderlinedLabelAsWideAsItsTextOpensTheLink)
{
    FakeHost fake;
    TKURL2 link(fake.shell);
    link.Choose = LinkType::ltEMAIL;
    link.setURLorEMAIL("support@orvane.example");
    KUrlLabel label(link);
    EXPECT_EQ(label.text(), "support@orvane.example");
    EXPECT_EQ(label.palette().color(QPalette::WindowText), QColor(Qt::blue));
    EXPECT_TRUE(label.font().underline());
    EXPECT_EQ(label.cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(label.toolTip(), "Put here the Hint for your site link!");
    EXPECT_EQ(label.height(), 13);
    EXPECT_EQ(label.width(), label.fontMetrics().horizontalAdvance(label.text()));
    link.setURLorEMAIL("a@b.c");
    EXPECT_EQ(label.width(), label.fontMetrics().horizontalAdvance("a@b.c"));
    QTest::mouseClick(&label, Qt::LeftButton, {}, QPoint(1, 5));
    ASSERT_EQ(fake.shell.calls.size(), 1u);
    EXPECT_EQ(fake.shell.calls[0].file, "mailto:a@b.c");
    EXPECT_TRUE(fake.shell.calls[0].maximized);
}

TEST(HelpViewsInstall, TheMainWindowsHelpRunsThroughTheBuiltInWindowUntilItIsGone)
{
    AppFixture f;
    putHelpPages(f.fake.files);
    TEmbedded& app = f.start();
    f.fake.dialogs.calls.clear();
    auto* main = new QWidget;
    auto* views = new HelpViews(app, *main, [](const std::string& p) { return p; });
    EXPECT_EQ(app.help().viewer(), &views->viewer());
    QWidget* panel = views->linkPanel();
    EXPECT_FALSE(panel->isVisibleTo(main));
    EXPECT_EQ(panel->findChild<QLabel*>("web")->text(), "https://www.orvane.example/");
    EXPECT_EQ(panel->findChild<QLabel*>("email")->text(), "support@orvane.example");

    app.controls()["LinkHelp5"].activate();
    ASSERT_NE(views->viewer().existingWindow(), nullptr);
    EXPECT_TRUE(views->viewer().existingWindow()->browser()->toPlainText().contains("Libraries page"));
    app.controls()["HelpContents"].activate();
    EXPECT_EQ(views->viewer().existingWindow()->tabs()->currentIndex(), HelpWindow::ContentsTab);
    EXPECT_TRUE(f.fake.dialogs.messages().empty());

    delete main;  // takes the views with it
    EXPECT_EQ(app.help().viewer(), nullptr);
    app.controls()["LinkHelp5"].activate();  // nothing left to show it: no crash, no message
    EXPECT_TRUE(f.fake.dialogs.messages().empty());
}

TEST(HelpViewsInstall, AMissingHelpFolderIsOneMessageNamingTheFolder)
{
    AppFixture f;
    TEmbedded& app = f.start();
    f.fake.dialogs.calls.clear();
    QWidget main;
    HelpViews views(app, main, [](const std::string& p) { return "/opt/tarnel/" + p; });
    app.controls()["CompHelp0"].activate();
    const auto messages = f.fake.dialogs.messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("/opt/tarnel/C:\\Program Files\\Tarnel\\Docs\\Tarnel"), std::string::npos);
    EXPECT_EQ(views.viewer().existingWindow(), nullptr);
}

}  // namespace
