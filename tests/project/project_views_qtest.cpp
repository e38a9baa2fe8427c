#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QListView>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTreeWidget>
#include <filesystem>
#include <gtest/gtest.h>

#include "app/tembedded.h"
#include "app/view/main_window.h"
#include "platform/fake/fake_host.h"
#include "platform/paths/drive_map.h"
#include "platform/qt/qt_files.h"
#include "project/project_edit_panel.h"
#include "project/project_list_view.h"
#include "project/source_browser.h"
#include "project/view/project_edit_view.h"
#include "project/view/project_list_panel.h"
#include "support/host_files.h"
#include "support/qt_runs.h"
#include "support/temp_prefix.h"

namespace fs = std::filesystem;

namespace {

// The main window over a temporary prefix: real files, scripted dialogs.
class ProjectViews : public ::testing::Test {
protected:
    ProjectViews()
    {
        const std::string c = tmp.driveC();
        writeHostFile(c + "/work/main.c", "int main(void) { return 0; }\n");
        writeHostFile(c + "/work/util.c", "void util(void) {}\n");
        writeHostFile(c + "/work/notes.txt", "not a source\n");
        writeHostFile(c + "/work/sub/deep.h", "\n");
        fs::create_symlink("/nonexistent-floppy/disk", fs::path(tmp.path()) / "dosdevices" / "a:");
        app.projectEdit().browser().setDirectory("C:\\work");
        app.controls()["PEditPan"].setVisible(true);
        window.show();
        view = dynamic_cast<ProjectEditView*>(window.pageWidget("PEditPan"));
    }

    QStringList texts(QListWidget* list) const
    {
        QStringList out;
        for (int i = 0; i < list->count(); ++i)
            out << list->item(i)->text();
        return out;
    }
    QPushButton* button(const char* name) const { return view->findChild<QPushButton*>(name); }
    std::vector<std::string> sources() { return app.controls()["ProjectListBox"].entries(); }
    // Lets the lists' deferred rebuilds run.
    static void settle() { QTest::qWait(20); }

    TempPrefix tmp;
    DriveMap map{tmp.path()};
    QtFiles files{map};
    FakeHost fake;
    Host host{fake.dialogs, fake.shell, fake.beeper, fake.clock, fake.timers, fake.settings, files, ""};
    TEmbedded app{host};
    MainWindow window{app};
    ProjectEditView* view = nullptr;
};

TEST_F(ProjectViews, PanelShowsItsHeadingTheProjectNameAndItsButtons)
{
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(view->isVisible());
    app.controls()["ProjectName"].setCaption("blink");
    EXPECT_EQ(view->findChild<QLabel*>("EditHeading")->text(), "EDIT PROJECT");
    EXPECT_EQ(view->findChild<QLabel*>("ProjectName")->text(), "blink");
    for (const char* name : {"PAddBtn", "PRemoveBtn", "EditOK", "EditCancel", "EditHelp"})
        EXPECT_TRUE(button(name) && button(name)->isVisible()) << name;
    EXPECT_EQ(button("PAddBtn")->text(), "Add");
    EXPECT_EQ(button("EditOK")->text(), "OK");
    for (const char* name : {"SpeedButton1", "SpeedButton2", "SpeedButton3", "SpeedButton4"}) {
        EXPECT_FALSE(button(name)->icon().isNull()) << name;
        EXPECT_FALSE(button(name)->toolTip().isEmpty()) << name;
    }
    EXPECT_FALSE(view->findChild<QWidget*>("Trans")->isVisible());
    button("EditCancel")->click();
    EXPECT_FALSE(view->isVisible());
}

TEST_F(ProjectViews, DriveBoxListsThePrefixDrivesAndReportsOneWithoutADisk)
{
    QComboBox* drives = view->driveBox();
    QStringList items;
    for (int i = 0; i < drives->count(); ++i)
        items << drives->itemText(i);
    EXPECT_EQ(items, (QStringList{"a: [disk]", "c: [drive_c]", "z: [/]"}));
    EXPECT_EQ(drives->currentText(), "c: [drive_c]");

    drives->setCurrentIndex(0);
    emit drives->activated(0);
    settle();
    EXPECT_EQ(fake.dialogs.messages(),
              std::vector<std::string>{"There is no disk in the drive. Please insert a disk into drive A:."});
    EXPECT_EQ(drives->currentText(), "c: [drive_c]");
    EXPECT_EQ(app.projectEdit().browser().directory(), "C:\\work");

    emit drives->activated(2);
    settle();
    EXPECT_EQ(app.projectEdit().browser().directory(), "Z:\\");
    EXPECT_EQ(drives->currentText(), "z: [/]");
}

TEST_F(ProjectViews, DirectoryListNestsTheFoldersAndOpensTheOneClicked)
{
    QTreeWidget* tree = view->directoryList();
    ASSERT_EQ(tree->topLevelItemCount(), 1);
    QTreeWidgetItem* root = tree->topLevelItem(0);
    EXPECT_EQ(root->text(0), "C:\\");
    ASSERT_EQ(root->childCount(), 1);
    QTreeWidgetItem* work = root->child(0);
    EXPECT_EQ(work->text(0), "work");
    EXPECT_TRUE(work->font(0).bold());
    EXPECT_EQ(tree->currentItem(), work);
    ASSERT_EQ(work->childCount(), 1);
    QTreeWidgetItem* sub = work->child(0);
    EXPECT_EQ(sub->text(0), "sub");

    emit tree->itemClicked(sub, 0);
    settle();
    EXPECT_EQ(app.projectEdit().browser().directory(), "C:\\work\\sub");
    EXPECT_EQ(view->findChild<QLabel*>("SrcDir")->text(), "C:\\work\\sub");
    EXPECT_EQ(texts(view->fileList()), QStringList{"deep.h"});
    emit tree->itemClicked(tree->topLevelItem(0), 0);
    settle();
    EXPECT_EQ(app.projectEdit().browser().directory(), "C:\\");
}

TEST_F(ProjectViews, FileListShowsFoldersAndSourcesAndTheButtonsMoveThem)
{
    QListWidget* fileList = view->fileList();
    QListWidget* project = view->projectList();
    EXPECT_EQ(texts(fileList), (QStringList{"sub", "main.c", "util.c"}));

    fileList->setCurrentRow(2);
    EXPECT_EQ(app.controls()["Trans"].text(), "util.c");
    QTest::mouseClick(button("PAddBtn"), Qt::LeftButton);
    EXPECT_EQ(texts(project), QStringList{"C:\\work\\util.c"});

    fileList->setCurrentRow(-1);
    button("SpeedButton1")->click();
    EXPECT_EQ(texts(project), QStringList{"C:\\work\\util.c"});
    EXPECT_EQ(view->findChild<QLabel*>("AddNote")->text(), "Select a file to add");
    fileList->setCurrentRow(1);
    button("SpeedButton1")->click();
    EXPECT_EQ(view->findChild<QLabel*>("AddNote")->text(), "");

    project->setCurrentRow(0);
    QTest::mouseClick(button("PRemoveBtn"), Qt::LeftButton);
    EXPECT_EQ(texts(project), QStringList{"C:\\work\\main.c"});
    QTest::mouseClick(button("PRemoveBtn"), Qt::LeftButton);
    EXPECT_EQ(texts(project).size(), 1) << "nothing selected any more";

    button("SpeedButton4")->click();
    EXPECT_TRUE(texts(project).isEmpty());
    button("SpeedButton3")->click();
    EXPECT_EQ(texts(project), (QStringList{"C:\\work\\main.c", "C:\\work\\util.c"}));
    project->setCurrentRow(1);
    button("SpeedButton2")->click();
    EXPECT_EQ(sources(), std::vector<std::string>{"C:\\work\\main.c"});
}

TEST_F(ProjectViews, EnterAddsAFileOrOpensAFolderAndDeleteRemovesAnEntry)
{
    QListWidget* fileList = view->fileList();
    fileList->setCurrentRow(1);
    QTest::keyClick(fileList, Qt::Key_Return);
    settle();
    EXPECT_EQ(sources(), std::vector<std::string>{"C:\\work\\main.c"});

    fileList->setCurrentRow(0);
    QTest::keyClick(fileList, Qt::Key_Enter);
    settle();
    EXPECT_EQ(app.projectEdit().browser().directory(), "C:\\work\\sub");
    EXPECT_EQ(sources().size(), 1u);
    emit fileList->itemDoubleClicked(fileList->item(0));
    settle();
    EXPECT_EQ(sources().back(), "C:\\work\\sub\\deep.h");

    QListWidget* project = view->projectList();
    project->setCurrentRow(0);
    QTest::keyClick(project, Qt::Key_Delete);
    EXPECT_EQ(sources(), std::vector<std::string>{"C:\\work\\sub\\deep.h"});
}

TEST_F(ProjectViews, ProjectListPanelShowsTheNumberedLinesAtTheRightEdge)
{
    auto* panel = dynamic_cast<ProjectListPanel*>(window.pageWidget("OptionPanel"));
    ASSERT_NE(panel, nullptr);
    EXPECT_FALSE(panel->isVisible());
    for (const char* list : {"ProjectListBox", "Objectfiles", "LibraryFiles"})
        app.controls()[list].setEntries({});
    window.findChild<QAction*>("ToggleListBtn")->trigger();
    EXPECT_TRUE(panel->isVisible());
    EXPECT_GE(panel->width(), 200);
    EXPECT_EQ(panel->memo()->editTriggers(), QAbstractItemView::NoEditTriggers);
    const QStringList lines = panel->text().split('\n');
    ASSERT_EQ(lines.size(), 88);
    EXPECT_EQ(lines[0], "0 memory;   " + QString::number(app.controls()["MBox"].itemIndex()));
    EXPECT_EQ(lines[49], "49 LINKER....");
    EXPECT_EQ(lines[78], "78 GENERAL...");
    EXPECT_EQ(lines[87].left(6), "87    ");
    EXPECT_TRUE(window.findChild<QAction*>("DisplayProjectList")->isChecked());

    panel->memo()->selectionModel()->select(panel->memo()->model()->index(49, 0), QItemSelectionModel::Select);
    panel->memo()->selectionModel()->select(panel->memo()->model()->index(3, 0), QItemSelectionModel::Select);
    QTest::keyClick(panel->memo(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), lines[3] + "\n49 LINKER....");
    window.findChild<QAction*>("DisplayProjectList")->trigger();
    EXPECT_FALSE(panel->isVisible());
}

TEST_F(ProjectViews, ProjectListPanelFitsItsLongestRowUpToAThirdOfTheWindow)
{
    auto* panel = dynamic_cast<ProjectListPanel*>(window.pageWidget("OptionPanel"));
    window.resize(1500, 700);
    window.findChild<QAction*>("ToggleListBtn")->trigger();
    const struct {
        std::string source;
        bool scrolls;
    } rows[] = {
        {"C:\\work\\main.c", false},
        {"C:\\work\\" + std::string(300, 'x') + ".c", true},
    };
    for (const auto& row : rows) {
        app.controls()["ProjectListBox"].setEntries({row.source});
        window.findChild<QAction*>("DisplayProjectList")->trigger();
        window.findChild<QAction*>("DisplayProjectList")->trigger();
        ASSERT_TRUE(waitFor([&] { return panel->isVisible() && panel->memo()->isVisible(); }));
        QApplication::processEvents();
        QListView* memo = panel->memo();
        const int widest = memo->sizeHintForColumn(0);
        EXPECT_LE(panel->width(), window.width() / 3) << row.source;
        EXPECT_EQ(memo->horizontalScrollBar()->isVisible(), row.scrolls) << row.source;
        if (!row.scrolls)
            EXPECT_GE(memo->viewport()->width(), widest) << row.source;
        else
            EXPECT_EQ(panel->width(), window.width() / 3);
    }
}

}  // namespace
