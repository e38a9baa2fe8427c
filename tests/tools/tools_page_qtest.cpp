#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "app/view/main_window.h"
#include "support/app_fixture.h"
#include "tools/tnt_dlg.h"
#include "tools/view/name_tool_dialog.h"
#include "tools/view/tools_views.h"

namespace
{

QWidget* openDialog()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == TNTDlg::Name && w->isVisible())
            return w;
    return nullptr;
}

void type(QWidget* dialog, const char* field, const QString& text)
{
    auto* edit = dialog->findChild<QLineEdit*>(field);
    ASSERT_TRUE(edit) << field;
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

// Runs the real "Name Tool" dialog modally while `user` works its fields and buttons.
MsgAnswer runWithUser(TNTDlg& state, QWidget* parent, std::function<void(QWidget*)> user)
{
    QTimer::singleShot(0, [user] {
        QWidget* dialog = openDialog();
        ASSERT_TRUE(dialog);
        user(dialog);
    });
    return NameToolDialog::run(state, parent);
}

struct ToolsPageTest : ::testing::Test {
    AppFixture f;
    TEmbedded& app = (f.prepareInstalledMachine(), f.make());
    MainWindow window{app};

    void SetUp() override
    {
        installToolsViews(app, window);
        window.show();
        app.FormActivate();
        f.fake.timers.fire(1000);
    }
    QTabWidget* pan() { return static_cast<QTabWidget*>(window.pageWidget("ToolsPan")); }
    template <typename W = QWidget> W* widget(const char* name) { return pan()->findChild<W*>(name); }
    void click(const char* button) { QTest::mouseClick(widget<QPushButton>(button), Qt::LeftButton); }
    QAction* action(const char* name) { return window.findChild<QAction*>(name); }
    QStringList menuTexts(const char* menu)
    {
        QStringList out;
        for (QAction* a : window.findChild<QMenu*>(menu)->actions())
            out << a->text();
        return out;
    }
    // Browse: the picker answers `program`, then the user names the tool in the dialog.
    void browse(const char* button, const std::string& program, const QString& name, const QString& params)
    {
        f.fake.dialogs.fileAnswers.push_back(program);
        f.fake.dialogs.dialogScripts.push_back([this, name, params](OwnDialog& d) {
            return runWithUser(static_cast<TNTDlg&>(d), &window, [name, params](QWidget* dialog) {
                type(dialog, "PName", name);
                type(dialog, "Params", params);
                QTest::mouseClick(dialog->findChild<QPushButton*>("exitBtn"), Qt::LeftButton);
            });
        });
        click(button);
    }
};

TEST_F(ToolsPageTest, ToolsPageHoldsEveryControlOfItsTable)
{
    action("ConfigToolsBtn")->trigger();
    ASSERT_TRUE(pan()->isVisible());
    EXPECT_EQ(pan()->tabText(pan()->currentIndex()), "Tools");
    EXPECT_EQ(pan()->currentWidget()->objectName(), "Tooltab");
    EXPECT_EQ(widget<QGroupBox>("ProgToolLabel")->title(), "Programming Tool (Select)");
    EXPECT_EQ(widget<QGroupBox>("UserToolLabel")->title(), "User Tools");
    const std::pair<const char*, const char*> buttons[] = {
        {"PToolBtn", "Browse"},  {"PtoolRemove", "Remove"},   {"UToolBtn", "Browse"},
        {"RemoveBtn", "Remove"}, {"EditTools", "Edit Tools"}, {"AcceptTools", "Accept"},
        {"Button40", "Cancel"},  {"Button14", "Help"}};
    for (const auto& [name, caption] : buttons) {
        auto* b = widget<QPushButton>(name);
        ASSERT_TRUE(b) << name;
        EXPECT_EQ(b->text(), caption) << name;
        EXPECT_TRUE(b->isVisible()) << name;
    }
    EXPECT_TRUE(widget<QComboBox>("ProgToolsList")->isEditable());
    EXPECT_TRUE(widget<QListWidget>("UserToolsList"));

    click("Button40");
    EXPECT_FALSE(pan()->isVisible());
    action("ConfigureTools1")->trigger();
    EXPECT_TRUE(pan()->isVisible());
}

TEST_F(ToolsPageTest, AddedToolsReachTheMenusOnlyThroughAccept)
{
    action("ConfigureTools1")->trigger();
    browse("PToolBtn", "D:\\Flash\\zeta.exe", "Zeta", "");
    browse("PToolBtn", "D:\\Flash\\alpha.exe", "Alpha", "");
    auto* combo = widget<QComboBox>("ProgToolsList");
    ASSERT_EQ(combo->count(), 2);
    EXPECT_EQ(combo->itemText(0), "Alpha");
    EXPECT_EQ(combo->currentText(), "Alpha");

    browse("UToolBtn", "C:\\Tools\\grep.exe", "R&D Grep", "-n main");
    browse("UToolBtn", "C:\\Tools\\make.exe", "Make", "");
    auto* list = widget<QListWidget>("UserToolsList");
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->item(0)->text(), "R&D Grep");
    EXPECT_EQ(menuTexts("Tools1"), (QStringList{"Configure Tools"}));

    click("AcceptTools");
    EXPECT_FALSE(pan()->isVisible());
    // A tool's "&" shows as typed, not as a shortcut.
    EXPECT_EQ(menuTexts("Tools1"), (QStringList{"Configure Tools", "R&&D Grep", "Make"}));
    EXPECT_EQ(action("Prgm")->text(), "Alpha");
    EXPECT_TRUE(action("ToolButton9")->isEnabled());

    action("UserTool0")->trigger();
    ASSERT_EQ(f.fake.shell.calls.size(), 1u);
    EXPECT_EQ(f.fake.shell.calls[0].file, "C:\\Tools\\grep.exe");
    EXPECT_EQ(f.fake.shell.calls[0].parameters, "-n main");
    EXPECT_EQ(f.fake.shell.calls[0].folder, "C:\\Tools\\");
    action("UserTool1")->trigger();
    EXPECT_EQ(f.fake.shell.calls[1].parameters, "");
    action("ToolButton9")->trigger();
    EXPECT_EQ(f.fake.shell.calls[2].file, "D:\\Flash\\alpha.exe");

    // Removing and accepting again rebuilds the items after "Configure Tools".
    action("ConfigureTools1")->trigger();
    list->setCurrentRow(0);
    click("RemoveBtn");
    click("AcceptTools");
    EXPECT_EQ(menuTexts("Tools1"), (QStringList{"Configure Tools", "Make"}));
}

TEST_F(ToolsPageTest, DropDownTypingAndChoosingReachTheCore)
{
    action("ConfigureTools1")->trigger();
    browse("PToolBtn", "D:\\b.exe", "Beta", "");
    browse("PToolBtn", "D:\\a.exe", "Alpha", "");
    auto* combo = widget<QComboBox>("ProgToolsList");
    Control& list = app.controls()["ProgToolsList"];

    combo->lineEdit()->selectAll();
    QTest::keyClicks(combo->lineEdit(), "Beta");
    EXPECT_EQ(list.text(), "Beta");
    click("AcceptTools");
    EXPECT_EQ(action("Prgm")->text(), "Beta");
    EXPECT_EQ(app.settings().programmingTool, "D:\\b.exe");
    EXPECT_EQ(combo->currentIndex(), 1);
    EXPECT_EQ(widget<QLabel>("ProgToolSummary")->text(), "Program: D:\\b.exe");

    action("ConfigureTools1")->trigger();
    combo->setCurrentIndex(0);
    emit combo->activated(0);
    EXPECT_EQ(list.itemIndex(), 0);
    EXPECT_EQ(combo->currentText(), "Alpha");
    click("PtoolRemove");
    EXPECT_EQ(combo->count(), 1);
    EXPECT_EQ(combo->currentText(), "Beta");
}

TEST_F(ToolsPageTest, EditToolsOpensTheDialogWithOkAndTheToolsFields)
{
    action("ConfigureTools1")->trigger();
    browse("UToolBtn", "C:\\Tools\\diff.exe", "Diff", "-u");
    widget<QListWidget>("UserToolsList")->setCurrentRow(0);
    EXPECT_EQ(widget<QLabel>("UserToolSummary")->text(), "Program: C:\\Tools\\diff.exe    Parameters: -u");

    QString button, path, name, params;
    f.fake.dialogs.dialogScripts.push_back([&](OwnDialog& d) {
        return runWithUser(static_cast<TNTDlg&>(d), &window, [&](QWidget* dialog) {
            button = dialog->findChild<QPushButton*>("exitBtn")->text();
            path = dialog->findChild<QLineEdit*>("Path")->text();
            name = dialog->findChild<QLineEdit*>("PName")->text();
            params = dialog->findChild<QLineEdit*>("Params")->text();
            type(dialog, "Params", "-w");
            QTest::keyClick(dialog->findChild<QLineEdit*>("Params"), Qt::Key_Return); // the default button
        });
    });
    click("EditTools");
    EXPECT_EQ(button, "OK");
    EXPECT_EQ(path, "C:\\Tools\\diff.exe");
    EXPECT_EQ(name, "Diff");
    EXPECT_EQ(params, "-u");
    EXPECT_EQ(app.settings().tools.user[0].params, "-w");
}

TEST_F(ToolsPageTest, NameToolDialogEndsOnlyByItsButtons)
{
    const struct {
        const char* how;
        MsgAnswer result;
    } rows[] = {{"exitBtn", MsgAnswer::Ok}, {"Button2", MsgAnswer::Cancel}, {"escape", MsgAnswer::Cancel}};
    for (const auto& r : rows) {
        TNTDlg state("Add", "C:\\a b\\t\xFC.exe", "t\xFC", "");
        bool stayedOpenAfterHelp = false;
        const MsgAnswer answer = runWithUser(state, &window, [&](QWidget* dialog) {
            EXPECT_EQ(dialog->windowTitle(), "Name Tool");
            EXPECT_EQ(dialog->findChild<QPushButton*>("Button3")->text(), "&Help");
            EXPECT_EQ(dialog->findChild<QLineEdit*>("Path")->text(),
                      QString::fromLatin1("C:\\a b\\t\xFC.exe"));
            QTest::mouseClick(dialog->findChild<QPushButton*>("Button3"), Qt::LeftButton);
            stayedOpenAfterHelp = dialog->isVisible();
            type(dialog, "PName", "Renamed");
            if (std::string(r.how) == "escape")
                QTest::keyClick(dialog, Qt::Key_Escape);
            else
                QTest::mouseClick(dialog->findChild<QPushButton*>(r.how), Qt::LeftButton);
        });
        EXPECT_EQ(answer, r.result) << r.how;
        EXPECT_TRUE(stayedOpenAfterHelp) << r.how;
        EXPECT_EQ(state.name(), "Renamed") << r.how;
        EXPECT_FALSE(openDialog());
    }
}

TEST_F(ToolsPageTest, OpeningTheProgramMenuEnablesTheItemOnceTheTargetExists)
{
    Control& prgm = app.controls()["Prgm"];
    prgm.setCaption("Pelorus");
    prgm.setEnabled(false);
    QMenu* program = window.findChild<QMenu*>("Program1");
    emit program->aboutToShow();
    EXPECT_FALSE(action("Prgm")->isEnabled());
    f.fake.files.put("C:\\Tarnel\\Source\\aout.a25", "S9030000FC\r\n");
    emit program->aboutToShow();
    EXPECT_TRUE(action("Prgm")->isEnabled());
}

TEST_F(ToolsPageTest, AThousandUserToolsMakeAThousandMenuItems)
{
    auto& user = app.settings().tools.user;
    for (int i = 0; i < 1000; ++i)
        user.push_back(
            {i % 100 == 7 ? "" : "Tool " + std::to_string(i), "C:\\t" + std::to_string(i) + ".exe", "-"});
    app.controls()["AcceptTools"].activate();
    const QStringList items = menuTexts("Tools1");
    ASSERT_EQ(items.size(), 1001);
    EXPECT_EQ(items[8], "");
    EXPECT_EQ(items[1000], "Tool 999");
    action("UserTool999")->trigger();
    EXPECT_EQ(f.fake.shell.calls.back().file, "C:\\t999.exe");
}

} // namespace
