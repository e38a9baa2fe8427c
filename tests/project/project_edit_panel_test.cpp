#include "build/build_files.h"
#include "project/project_fixture.h"

using namespace projecttest;

namespace {

class EditPanel : public ProjectFixture {
protected:
    EditPanel()
    {
        files().put("D:\\work\\sub\\deep.c", "");
        files().put("D:\\work\\notes.txt", "");
        files().put("D:\\work\\Boot.C", "");
        files().putFolder("D:\\work\\Zeta");
        open(kProject);
        c()["ProjEdit"].activate();
        fake().dialogs.calls.clear();
    }
    std::vector<std::string> fileList() { return c()["FileListBox1"].entries(); }
    int row(const std::string& entry)
    {
        const auto& e = fileList();
        for (std::size_t i = 0; i < e.size(); ++i)
            if (e[i] == entry)
                return static_cast<int>(i);
        ADD_FAILURE() << entry;
        return -1;
    }
};

}  // namespace

TEST_F(EditPanel, FileListShowsSubFoldersThenTheSourcesOfTheCurrentDirectory)
{
    ASSERT_EQ(browser().directory(), "D:\\work");
    EXPECT_EQ(fileList(), (std::vector<std::string>{"[sub]", "[Zeta]", "Boot.C", "defs.h", "main.c", "util.c"}));
    EXPECT_EQ(c()["Trans"].text(), "*.c;*.h");
    EXPECT_FALSE(c()["Trans"].visible());
}

TEST_F(EditPanel, AddTakesTheSelectedFileAndWithoutOneBeepsAndSaysSo)
{
    c()["ProjectListBox"].setEntries({});
    // No file, or a folder row: the field holds the mask, and nothing is added.
    for (const int r : {-1, row("[sub]")}) {
        browser().selectFile(r);
        EXPECT_EQ(c()["Trans"].text(), "*.c;*.h");
        const int beeps = fake().beeper.count;
        c()["PAddBtn"].activate();
        EXPECT_TRUE(sources().empty());
        EXPECT_EQ(fake().beeper.count, beeps + 1);
        EXPECT_EQ(c()["AddNote"].caption(), "Select a file to add");
    }

    browser().selectFile(row("util.c"));
    EXPECT_EQ(c()["Trans"].text(), "util.c");
    c()["SpeedButton1"].activate();
    c()["PAddBtn"].activate();
    EXPECT_EQ(sources(), (std::vector<std::string>{"D:\\work\\util.c", "D:\\work\\util.c"}));
    EXPECT_EQ(c()["AddNote"].caption(), "");
}

TEST_F(EditPanel, AProjectThatHoldsTheMaskAsAnEntryStillLoads)
{
    const std::vector<std::string> held = {"D:\\work\\main.c", "D:\\work\\*.c;*.h"};
    writeProject("D:\\work\\old.prj", held);
    EXPECT_TRUE(commands().Openpro("D:\\work\\old.prj"));
    EXPECT_EQ(sources(), held);
}

TEST_F(EditPanel, AddAtADriveRootJoinsWithOneBackslash)
{
    files().put("C:\\root.c", "");
    ASSERT_TRUE(browser().setDirectory("c:"));
    EXPECT_EQ(c()["SrcDir"].caption(), "C:\\");
    browser().selectFile(row("root.c"));
    panel().AddClick();
    EXPECT_EQ(sources().back(), "C:\\root.c");
}

TEST_F(EditPanel, RemoveTakesOnlyTheSelectedEntry)
{
    c()["PRemoveBtn"].activate();
    EXPECT_EQ(sources(), kSources) << "no selection: unchanged";
    c()["ProjectListBox"].setSelected(1);
    c()["SpeedButton2"].activate();
    EXPECT_EQ(sources(), (std::vector<std::string>{"D:\\work\\main.c", "D:\\work\\defs.h"}));
    c()["PRemoveBtn"].activate();
    EXPECT_EQ(sources().size(), 2u) << "the selection went with the entry";
}

TEST_F(EditPanel, AddAllAppendsEveryFileButNoFolderAndRemoveAllEmptiesTheList)
{
    c()["SpeedButton4"].activate();
    EXPECT_TRUE(sources().empty());
    c()["SpeedButton3"].activate();
    EXPECT_EQ(sources(), (std::vector<std::string>{"D:\\work\\Boot.C", "D:\\work\\defs.h", "D:\\work\\main.c",
                                                   "D:\\work\\util.c"}));
}

TEST_F(EditPanel, KeyboardEnterAddsAFileOrOpensAFolderAndDeleteRemovesAnEntry)
{
    c()["ProjectListBox"].setEntries({});
    panel().fileListEnter(row("main.c"));
    EXPECT_EQ(sources(), std::vector<std::string>{"D:\\work\\main.c"});
    panel().fileListEnter(row("[sub]"));
    EXPECT_EQ(browser().directory(), "D:\\work\\sub");
    EXPECT_EQ(sources().size(), 1u);
    panel().fileListEnter(0);
    EXPECT_EQ(sources().back(), "D:\\work\\sub\\deep.c");
    panel().fileListEnter(99);
    EXPECT_EQ(sources().size(), 2u);

    panel().projectListDelete(0);
    EXPECT_EQ(sources(), std::vector<std::string>{"D:\\work\\sub\\deep.c"});
    panel().projectListDelete(-1);
    EXPECT_EQ(sources().size(), 1u);
}

TEST_F(EditPanel, CancelHidesThePanelAndKeepsTheEditsUntilTheNextWrite)
{
    const std::string before = text(kProject);
    c()["SpeedButton4"].activate();
    c()["EditCancel"].activate();
    EXPECT_FALSE(c()["PEditPan"].visible());
    EXPECT_TRUE(sources().empty());
    EXPECT_EQ(text(kProject), before);
    c()["SaveProject"].activate();
    EXPECT_EQ(splitLines(text(kProject))[79], "0");
}

TEST_F(EditPanel, OkWritesTheProjectAndTheBuildFilesWithoutTheLinker)
{
    c()["ProjectListBox"].setSelected(2);
    c()["PRemoveBtn"].activate();
    c()["EditOK"].activate();
    EXPECT_FALSE(c()["PEditPan"].visible());
    const std::string batch = text(kIdeBat);
    EXPECT_NE(batch.find("icc78300 util.c"), std::string::npos) << batch;
    EXPECT_EQ(batch.find("xlink"), std::string::npos) << batch;
    EXPECT_EQ(splitLines(text(kProject))[79], "2");
}

TEST_F(EditPanel, OkWithoutAProjectDoesNothing)
{
    app().settings().project = Settings::NoProject;
    files().removeFile(kIdeBat);
    c()["EditOK"].activate();
    EXPECT_TRUE(c()["PEditPan"].visible());
    EXPECT_FALSE(files().fileExists(kIdeBat));
}

TEST_F(EditPanel, HelpAsksForTopic40)
{
    int topic = -1;
    app().onHelp = [&](int t) { topic = t; };
    c()["EditHelp"].activate();
    EXPECT_EQ(topic, 40);
}

TEST_F(EditPanel, DirectoryListRunsFromTheRootToTheCurrentFolderThenItsSubFolders)
{
    ASSERT_TRUE(browser().setDirectory("D:\\work\\sub\\"));
    std::vector<std::string> rows;
    for (const auto& r : browser().dirRows())
        rows.push_back(std::string(static_cast<std::size_t>(r.level), '.') + r.name + (r.open ? "+" : ""));
    EXPECT_EQ(rows, (std::vector<std::string>{"D:\\+", ".work+", "..sub+"}));
    EXPECT_EQ(browser().currentDirRow(), 2);
    EXPECT_EQ(c()["DirectoryListBox1"].entries(), (std::vector<std::string>{"D:\\", "work", "sub"}));

    ASSERT_TRUE(browser().openDirRow(1));
    EXPECT_EQ(browser().directory(), "D:\\work");
    ASSERT_EQ(browser().dirRows().size(), 4u);
    EXPECT_EQ(browser().dirRows()[2].path, "D:\\work\\sub");
    EXPECT_FALSE(browser().dirRows()[2].open);
    EXPECT_EQ(browser().dirRows()[3].name, "Zeta");
    ASSERT_TRUE(browser().openDirRow(0));
    EXPECT_EQ(browser().directory(), "D:\\");
    EXPECT_FALSE(browser().openDirRow(17));
}

TEST_F(EditPanel, AFolderThatCannotBeShownChangesNothing)
{
    for (const char* bad : {"D:\\nowhere", "Q:\\", "", "work", "D:\\work\\main.c"}) {
        EXPECT_FALSE(browser().setDirectory(bad)) << bad;
        EXPECT_EQ(browser().directory(), "D:\\work") << bad;
    }
    EXPECT_TRUE(messages().empty());
}

TEST_F(EditPanel, DriveBoxListsEveryDriveAndReportsOneWithoutADisk)
{
    files().putDriveWithoutDisk('a');
    browser().refresh();
    EXPECT_EQ(c()["DriveComboBox1"].items(), (std::vector<std::string>{"a:", "c:", "d:"}));
    EXPECT_EQ(c()["DriveComboBox1"].itemIndex(), 2);

    EXPECT_FALSE(browser().chooseDrive(0));
    EXPECT_EQ(messages(), std::vector<std::string>{"There is no disk in the drive. Please insert a disk into drive A:."});
    EXPECT_EQ(browser().directory(), "D:\\work");
    EXPECT_EQ(c()["DriveComboBox1"].itemIndex(), 2);

    // Each drive comes back at the folder last shown on it.
    ASSERT_TRUE(browser().chooseDrive(1));
    EXPECT_EQ(browser().directory(), kWorkDir) << "start-up showed the working directory";
    ASSERT_TRUE(browser().setDirectory("C:\\Tarnel\\Source"));
    ASSERT_TRUE(browser().chooseDrive(2));
    EXPECT_EQ(browser().directory(), "D:\\work");
    ASSERT_TRUE(browser().chooseDrive(1));
    EXPECT_EQ(browser().directory(), "C:\\Tarnel\\Source");
    EXPECT_FALSE(browser().chooseDrive(3));
}

TEST_F(EditPanel, RefreshFollowsAFolderRemovedMeanwhileAndKeepsTheSelectedFile)
{
    browser().selectFile(row("util.c"));
    files().put("D:\\work\\added.c", "");
    browser().refresh();
    EXPECT_EQ(c()["Trans"].text(), "util.c");
    EXPECT_EQ(fileList()[static_cast<std::size_t>(browser().selectedFile())], "util.c");
    EXPECT_NE(row("added.c"), -1);
}

TEST(SourceBrowserStart, StartUpPointsTheBrowserAtTheWorkingDirectory)
{
    AppFixture f;
    f.prepareInstalledMachine();
    f.fake.settings.values["directory"] = "C:\\Tarnel\\";
    f.fake.files.put("C:\\Tarnel\\a.c", "");
    TEmbedded& app = f.start();
    EXPECT_EQ(app.projectEdit().browser().directory(), "C:\\Tarnel");
    EXPECT_EQ(app.controls()["FileListBox1"].entries(), (std::vector<std::string>{"[Source]", "a.c"}));
}

TEST_F(EditPanel, AShutdownBegunWhileAFolderIsListedLeavesItsFilesOut)
{
    // Asked once after the sub-folders and once before the list is shown.
    const std::vector<std::pair<std::vector<bool>, std::vector<std::string>>> cases = {
        {{false, false}, {"[sub]", "[Zeta]", "Boot.C", "defs.h", "main.c", "util.c"}},
        {{true, true}, {"[sub]", "[Zeta]"}},
        {{false, true}, {"[sub]", "[Zeta]"}},
    };
    for (const auto& [answers, shown] : cases) {
        std::size_t asked = 0;
        SourceBrowser lister(c(), files(), {}, [&, a = answers] { return asked < a.size() && a[asked++]; });
        ASSERT_TRUE(lister.setDirectory("D:\\work"));
        EXPECT_EQ(fileList(), shown);
    }
}
