#include <cctype>

#include "build/compiler_controls.h"
#include "project/project_fixture.h"

using namespace projecttest;

namespace {

std::string testName(std::string n)
{
    for (char& ch : n)
        if (!std::isalnum(static_cast<unsigned char>(ch)))
            ch = '_';
    return n;
}

struct NameCase {
    const char* what;
    std::string typed;
    std::string field;    // the name field afterwards
    std::string message;  // "" when accepted
};

class NameOK : public ProjectFixture, public ::testing::WithParamInterface<NameCase> {};

}  // namespace

TEST_P(NameOK, AddsTheExtensionAndTakesTheNameOnlyInAnExistingFolder)
{
    const NameCase& t = GetParam();
    files().putFolder("C:\\Projects");
    files().putFolder("C:\\Tarnel\\x.y");
    commands().NewProjectClick();
    c()["projname"].setText(t.typed);
    c()["NameOK"].activate();

    EXPECT_EQ(c()["projname"].text(), t.field);
    const bool accepted = t.message.empty();
    EXPECT_EQ(messages(), accepted ? std::vector<std::string>{} : std::vector<std::string>{t.message});
    EXPECT_EQ(currentProject(), accepted ? t.field : Settings::NoProject);
    EXPECT_EQ(c()[compilercontrols::Pages].visible(), !accepted) << "the page stays open on a refusal";
    EXPECT_EQ(c()["PEditPan"].visible(), accepted);
    EXPECT_EQ(c()["ProjEdit"].enabled(), accepted);
    // No file until a save, update or build.
    EXPECT_FALSE(files().fileExists(t.field));
}

INSTANTIATE_TEST_SUITE_P(
    Names, NameOK,
    ::testing::Values(
        NameCase{"missing folder", "C:\\none\\x", "C:\\none\\x.prj", "You must supply the full path of the project"},
        NameCase{"plain", "C:\\Projects\\new", "C:\\Projects\\new.prj", ""},
        NameCase{"with extension", "C:\\Projects\\new.prj", "C:\\Projects\\new.prj", ""},
        NameCase{"upper-case extension", "C:\\Projects\\new.PRJ", "C:\\Projects\\new.PRJ.prj", ""},
        NameCase{"other extension", "C:\\Projects\\new.txt", "C:\\Projects\\new.txt.prj", ""},
        NameCase{"dot in the folder", "C:\\Tarnel\\x.y\\new", "C:\\Tarnel\\x.y\\new.prj", ""},
        NameCase{"blanks", "C:\\Projects\\my new one", "C:\\Projects\\my new one.prj", ""},
        NameCase{"trailing dot", "C:\\Projects\\new.", "C:\\Projects\\new..prj", ""},
        NameCase{"Latin-1 letters", "C:\\Projects\\caf\xe9", "C:\\Projects\\caf\xe9.prj", ""},
        NameCase{"missing drive", "Q:\\work\\x", "Q:\\work\\x.prj", "You must supply the full path of the project"},
        NameCase{"no folder", "x", "x.prj", "You must supply the full path of the project"},
        NameCase{"empty", "", ".prj", "You must supply the full path of the project"},
        NameCase{"name page unchanged", "C:\\Tarnel\\Source\\*.prj", "C:\\Tarnel\\Source\\*.prj",
                 "A project file name cannot contain any of the characters * ? \" < > |"},
        NameCase{"letters outside Latin-1", "C:\\Projects\\??", "C:\\Projects\\??.prj",
                 "A project file name cannot contain any of the characters * ? \" < > |"}),
    [](const auto& info) { return testName(info.param.what); });

TEST_F(ProjectFixture, NewProjectShowsTheNamePageWithTheCompileDirectory)
{
    c()["OptionsTabs"].showTab("Debug");
    c()["NewProjBtn"].activate();
    EXPECT_EQ(c()["projname"].text(), "C:\\Tarnel\\Source\\*.prj");
    EXPECT_TRUE(c()[compilercontrols::Pages].visible());
    EXPECT_EQ(c()[compilercontrols::Pages].itemText(), "Project");

    app().settings().compSource = "C:\\Tarnel\\Source\\";
    c()["NewProject"].activate();
    EXPECT_EQ(c()["projname"].text(), "C:\\Tarnel\\Source\\*.prj");
}

TEST_F(ProjectFixture, AcceptKeepsTheStateOnScreenRemembersTheNameAndClearsTheCopies)
{
    files().putFolder("C:\\Projects");
    c()["ProjectListBox"].setEntries(kSources);
    c()["GLF"].setChecked(true);
    files().put(kCompileDir + "\\main.c", "old copy");
    files().put(kIdeBat, "old batch");
    commands().NewProjectClick();
    c()["projname"].setText("C:\\Projects\\fresh");
    commands().NameOKClick();

    EXPECT_EQ(currentProject(), "C:\\Projects\\fresh.prj");
    EXPECT_EQ(fake().settings.read("Project"), "C:\\Projects\\fresh.prj");
    EXPECT_EQ(c()["ProjectName"].caption(), "fresh");
    EXPECT_EQ(app().statusBar().panel(0).text, "C:\\Projects\\fresh.prj");
    EXPECT_EQ(sources(), kSources);
    EXPECT_TRUE(c()["GLF"].checked());
    EXPECT_FALSE(files().fileExists(kCompileDir + "\\main.c"));
    EXPECT_FALSE(files().fileExists(kIdeBat));

    commands().SaveProjectClick();
    app().project().ComposeProject();
    EXPECT_EQ(text("C:\\Projects\\fresh.prj"), joinLines(app().prolist()));
}

TEST_F(ProjectFixture, AcceptingTheNameOfAnExistingFileKeepsThatFileOnTheFirstWrite)
{
    files().put("C:\\Tarnel\\other.prj", "someone else's project\r\n");
    c()["ProjectListBox"].setEntries(kSources);
    c()["projname"].setText("C:\\Tarnel\\other.prj");
    commands().NameOKClick();
    ASSERT_EQ(currentProject(), "C:\\Tarnel\\other.prj");

    c()["Update1"].activate();
    EXPECT_EQ(text("C:\\Tarnel\\other.prj.bak"), "someone else's project\r\n");
    EXPECT_NE(text("C:\\Tarnel\\other.prj"), "someone else's project\r\n");
    // Only the first write keeps the original.
    files().removeFile("C:\\Tarnel\\other.prj.bak");
    c()["Update1"].activate();
    EXPECT_FALSE(files().fileExists("C:\\Tarnel\\other.prj.bak"));
}

TEST_F(ProjectFixture, OpenAsksForAProjectFromDSoftAndCancelChangesNothing)
{
    files().putFolder("D:\\soft");
    c()["OpenProjBtn"].activate();
    ASSERT_EQ(fake().dialogs.calls.size(), 1u);
    const DialogCall& call = fake().dialogs.calls[0];
    EXPECT_EQ(call.kind, "open");
    EXPECT_EQ(call.text, "Load Project");
    ASSERT_EQ(call.request.filters.size(), 1u);
    EXPECT_EQ(call.request.filters[0].description, "Project");
    EXPECT_EQ(call.request.filters[0].patterns, "*.prj");
    EXPECT_EQ(call.request.defaultExtension, "*.prj");
    EXPECT_EQ(call.request.initialFolder, "d:\\soft");
    EXPECT_EQ(currentProject(), Settings::NoProject);
    EXPECT_FALSE(c()["PEditPan"].visible());
}

TEST_F(ProjectFixture, LoadDialogStartsInAFolderThatExistsWhenDSoftIsMissing)
{
    // D: exists here (D:\work) but has no soft folder.
    EXPECT_EQ(commands().loadDialogFolder(), kWorkDir);
    open(kProject);
    EXPECT_EQ(commands().loadDialogFolder(), "D:\\work") << "the open project's folder comes first";
    app().settings().directory = "Q:\\gone";
    app().settings().project = Settings::NoProject;
    EXPECT_EQ(commands().loadDialogFolder(), kCompileDir);
}

TEST_F(ProjectFixture, OpeningAGoodProjectLoadsItEntersTheCompileDirectoryAndBuildsWithLinking)
{
    c()["GLF"].setChecked(true);
    writeProject(kProject, kSources);
    c()["GLF"].setChecked(false);
    files().put(kCompileDir + "\\util.c", "stale copy");

    c()["OpenProject"].activate();
    ASSERT_TRUE(fake().dialogs.fileAnswers.empty());
    fake().dialogs.calls.clear();
    open(kProject);

    EXPECT_TRUE(messages().empty()) << messages().front();
    EXPECT_EQ(currentProject(), kProject);
    EXPECT_TRUE(c()["ProjEdit"].enabled());
    EXPECT_EQ(c()["projname"].text(), kProject);
    EXPECT_EQ(c()["ProjectName"].caption(), "demo");
    EXPECT_EQ(sources(), kSources);
    EXPECT_TRUE(c()["GLF"].checked());
    EXPECT_EQ(files().currentDirectory(), kCompileDir);
    EXPECT_EQ(browser().directory(), "D:\\work");
    // The build files, with the linker line, and the copies.
    const std::string batch = text(kIdeBat);
    EXPECT_NE(batch.find("icc78300 main.c"), std::string::npos) << batch;
    EXPECT_NE(batch.find("xlink main.R25 util.R25 "), std::string::npos) << batch;
    EXPECT_EQ(text(kCompileDir + "\\util.c"), text("D:\\work\\util.c"));
    EXPECT_FALSE(c()["PEditPan"].visible()) << "the generation hides the panel";
    EXPECT_EQ(panel5(), "Saving Editor Files");
    EXPECT_EQ(files().writeCount(kProject), 1) << "written again by the generation";
}

namespace {

struct BadFile {
    const char* what;
    std::function<void(FakeFiles&, const std::string&)> arrange;
    std::string message;
    bool becomesCurrent;  // the read started, so the path is the project now
};

class OpenBad : public ProjectFixture, public ::testing::WithParamInterface<BadFile> {};

}  // namespace

TEST_P(OpenBad, ReportsLeavesThePanelShownBuildsNothingAndKeepsTheFile)
{
    const BadFile& t = GetParam();
    const std::string path = "D:\\work\\bad.prj";
    t.arrange(files(), path);
    const std::optional<std::string> before = files().readBytes(path);
    const std::string ideBefore = "ide.bat of the last project\r\n";
    files().put(kIdeBat, ideBefore);
    const std::string cwd = files().currentDirectory();

    open(path);

    EXPECT_EQ(messages(), std::vector<std::string>{t.message});
    EXPECT_TRUE(c()["PEditPan"].visible());
    EXPECT_EQ(text(kIdeBat), ideBefore) << "no build files";
    EXPECT_EQ(files().currentDirectory(), cwd);
    EXPECT_EQ(currentProject(), t.becomesCurrent ? path : Settings::NoProject);
    EXPECT_EQ(c()["ProjEdit"].enabled(), t.becomesCurrent);
    EXPECT_EQ(c()["projname"].text(), t.becomesCurrent ? path : c()["projname"].text());
    EXPECT_TRUE(sources().empty() || !t.becomesCurrent);
    EXPECT_EQ(files().readBytes(path), before);
    EXPECT_EQ(app().statusBar().panel(0).text, t.becomesCurrent ? path : Settings::NoProject);

    // The automatic save keeps the original beside the file.
    fake().dialogs.calls.clear();
    commands().SaveProjectClick();
    if (t.becomesCurrent) {
        EXPECT_EQ(files().readBytes(path + ".bak"), before);
        EXPECT_TRUE(messages().empty());
    } else {
        EXPECT_EQ(messages(), std::vector<std::string>{"No Project loaded"});
        EXPECT_EQ(files().readBytes(path), before);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, OpenBad,
    ::testing::Values(
        BadFile{"garbage", [](FakeFiles& f, const std::string& p) { f.put(p, std::string(5000, '\x07') + "\r\nzz\r\n"); },
                "Error in Project File", true},
        BadFile{"empty", [](FakeFiles& f, const std::string& p) { f.put(p, ""); }, "Error in Project File", true},
        BadFile{"10 MB", [](FakeFiles& f, const std::string& p) {
                    std::string big;
                    for (int i = 0; i < 1'000'000; ++i)
                        big += "x12345678\n";
                    f.put(p, big);
                }, "Error in Project File", true},
        BadFile{"counts past the end", [](FakeFiles& f, const std::string& p) {
                    std::vector<std::string> lines(84, "0");
                    lines[79] = "5";
                    f.put(p, joinLines(lines));
                }, "Error in Project File", true},
        BadFile{"folder", [](FakeFiles& f, const std::string& p) { f.putFolder(p); }, "Cannot open file D:\\work\\bad.prj",
                false},
        BadFile{"unreadable", [](FakeFiles& f, const std::string& p) {
                    f.put(p, "secret\r\n");
                    f.denyReads(p);
                }, "Cannot open file D:\\work\\bad.prj", false},
        BadFile{"missing", [](FakeFiles&, const std::string&) {}, "Cannot open file D:\\work\\bad.prj", false},
        BadFile{"larger than any project", [](FakeFiles& f, const std::string& p) { f.putHuge(p, 1ull << 30); },
                ProjectFile::tooLargeMessage("D:\\work\\bad.prj", 1ull << 30), false}),
    [](const auto& info) { return testName(info.param.what); });

TEST_F(ProjectFixture, OpeningAProjectWithoutSourcesNotesItAndGeneratesNothing)
{
    writeProject("D:\\work\\empty.prj", {});
    open("D:\\work\\empty.prj");
    EXPECT_EQ(messages(), std::vector<std::string>{"No source files in project"});
    EXPECT_EQ(currentProject(), "D:\\work\\empty.prj");
    EXPECT_FALSE(files().fileExists(kIdeBat));
    EXPECT_EQ(files().currentDirectory(), kCompileDir);
}

TEST_F(ProjectFixture, SaveWithoutAProjectSaysSoAndWritesNothing)
{
    const std::size_t filesBefore = files().allFiles().size();
    c()["SaveProject"].activate();
    EXPECT_EQ(messages(), std::vector<std::string>{"No Project loaded"});
    EXPECT_EQ(fake().dialogs.calls[0].buttons, MsgButtons::Ok);
    EXPECT_EQ(fake().dialogs.calls[0].icon, MsgIcon::Information);
    EXPECT_EQ(files().allFiles().size(), filesBefore);
}

TEST_F(ProjectFixture, SaveSavesTheEditorFilesAndWritesTheProject)
{
    open(kProject);
    c()["DW"].setChecked(true);
    app().statusBar().setPanelText(5, "");
    c()["SaveProject"].activate();
    EXPECT_EQ(panel5(), "Saving Editor Files");
    app().project().ComposeProject();
    EXPECT_EQ(text(kProject), joinLines(app().prolist()));
    EXPECT_EQ(splitLines(text(kProject))[3], "1");
}

TEST_F(ProjectFixture, SaveReportsAFileThatCannotBeWritten)
{
    open(kProject);
    files().denyWrites(kProject);
    commands().SaveProjectClick();
    EXPECT_EQ(messages(), std::vector<std::string>{"Cannot create file D:\\work\\demo.prj"});
}

TEST_F(ProjectFixture, SaveAsWritesTheChangedOptionElsewhereAndKeepsTheCurrentProject)
{
    open(kProject);
    const std::string original = text(kProject);
    c()["DW"].setChecked(true);
    app().statusBar().setPanelText(5, "");
    fake().dialogs.calls.clear();
    fake().dialogs.fileAnswers.push_back("D:\\work\\copy.prj");
    c()["SaveProjectAs1"].activate();

    ASSERT_EQ(fake().dialogs.calls.size(), 1u);
    const DialogCall& call = fake().dialogs.calls[0];
    EXPECT_EQ(call.kind, "save");
    EXPECT_EQ(call.request.fileName, kProject);
    EXPECT_EQ(call.request.initialFolder, kProject);
    ASSERT_EQ(call.request.filters.size(), 1u);
    EXPECT_EQ(call.request.filters[0].patterns, "*.prj");

    const std::vector<std::string> copy = splitLines(text("D:\\work\\copy.prj"));
    ASSERT_GE(copy.size(), 84u);
    EXPECT_EQ(copy[3], "1") << "DW";
    EXPECT_EQ(currentProject(), kProject);
    EXPECT_EQ(text(kProject), original);
    EXPECT_EQ(panel5(), "") << "no editor file is saved";

    // Cancelled: nothing written.
    fake().dialogs.calls.clear();
    files().removeFile("D:\\work\\copy.prj");
    commands().SaveProjectAs1Click();
    EXPECT_FALSE(files().fileExists("D:\\work\\copy.prj"));
}

TEST_F(ProjectFixture, SaveAsAddsPrjOnlyToANameWithoutExtension)
{
    const std::pair<const char*, const char*> rows[] = {
        {"D:\\work\\blink2", "D:\\work\\blink2.prj"},
        {"D:\\work\\blink3.txt", "D:\\work\\blink3.txt"},
        {"D:\\work\\blink4.PRJ", "D:\\work\\blink4.PRJ"},
    };
    open(kProject);
    for (const auto& [typed, written] : rows) {
        fake().dialogs.fileAnswers.push_back(typed);
        commands().SaveProjectAs1Click();
        EXPECT_TRUE(files().fileExists(written)) << typed;
    }
    EXPECT_FALSE(files().fileExists("D:\\work\\blink2"));
}

TEST_F(ProjectFixture, SaveAsOverAFileThatFailedToLoadKeepsItsOriginal)
{
    files().put("D:\\work\\broken.prj", "not a project\r\n");
    open("D:\\work\\broken.prj");
    open(kProject);
    fake().dialogs.fileAnswers.push_back("D:\\work\\broken.prj");
    commands().SaveProjectAs1Click();
    EXPECT_EQ(text("D:\\work\\broken.prj.bak"), "not a project\r\n");
    app().project().ComposeProject();
    EXPECT_EQ(text("D:\\work\\broken.prj"), joinLines(app().prolist()));
}

TEST_F(ProjectFixture, AcceptAfterAFailedLoadThenABuildKeepsTheOriginal)
{
    files().put("D:\\work\\broken.prj", "not a project\r\n");
    open("D:\\work\\broken.prj");
    c()["ProjectListBox"].setEntries(kSources);
    c()["projname"].setText("D:\\work\\broken.prj");
    commands().NameOKClick();
    c()["BuildAll1"].activate();
    EXPECT_EQ(text("D:\\work\\broken.prj.bak"), "not a project\r\n");
    EXPECT_TRUE(files().fileExists(kIdeBat));
}

namespace {

struct EditAnswer {
    const char* what;
    MsgAnswer answer;
    bool loadDialog;
    bool namePage;
};

class EditWithoutProject : public ProjectFixture, public ::testing::WithParamInterface<EditAnswer> {};

}  // namespace

TEST_P(EditWithoutProject, AsksWhetherToOpenOrStartAProject)
{
    const EditAnswer& t = GetParam();
    fake().dialogs.answers.push_back(t.answer);
    c()["EditProjBtn"].activate();

    ASSERT_FALSE(fake().dialogs.calls.empty());
    const DialogCall& box = fake().dialogs.calls[0];
    EXPECT_EQ(box.text, "No Project is loaded\rClick OK Open Existing Project\rClick YES to Start a New Project");
    EXPECT_EQ(box.buttons, MsgButtons::YesOkCancel);
    EXPECT_EQ(box.icon, MsgIcon::Information);
    const bool asked = fake().dialogs.calls.size() > 1 && fake().dialogs.calls[1].text == "Load Project";
    EXPECT_EQ(asked, t.loadDialog);
    EXPECT_EQ(fake().dialogs.calls.size(), t.loadDialog ? 2u : 1u);
    EXPECT_EQ(c()[compilercontrols::Pages].visible(), t.namePage);
    if (t.namePage) {
        EXPECT_EQ(c()[compilercontrols::Pages].itemText(), "Project");
        EXPECT_EQ(c()["projname"].text(), "C:\\Tarnel\\Source\\*.prj");
    }
    EXPECT_FALSE(c()["PEditPan"].visible());
}

INSTANTIATE_TEST_SUITE_P(Answers, EditWithoutProject,
                         ::testing::Values(EditAnswer{"OK", MsgAnswer::Ok, true, false},
                                           EditAnswer{"Yes", MsgAnswer::Yes, false, true},
                                           EditAnswer{"Cancel", MsgAnswer::Cancel, false, false}),
                         [](const auto& info) { return testName(info.param.what); });

TEST_F(ProjectFixture, EditingShowsThePanelAtTheFirstSourceAndDeletesTheCopiesAndIdeBat)
{
    open(kProject);
    ASSERT_TRUE(files().fileExists(kCompileDir + "\\main.c"));
    ASSERT_TRUE(files().fileExists(kIdeBat));
    browser().setDirectory(kCompileDir);
    files().put(kCompileDir + "\\io78320.h", "toolchain header");

    c()["ProjEdit"].activate();
    EXPECT_TRUE(c()["PEditPan"].visible());
    EXPECT_EQ(browser().directory(), "D:\\work");
    EXPECT_EQ(c()["SrcDir"].caption(), "D:\\work");
    for (const std::string& s : kSources)
        EXPECT_FALSE(files().fileExists(kCompileDir + "\\" + s.substr(8))) << s;
    EXPECT_FALSE(files().fileExists(kIdeBat));
    EXPECT_TRUE(files().fileExists(kCompileDir + "\\io78320.h"));
    for (const std::string& s : kSources)
        EXPECT_TRUE(files().fileExists(s)) << s;
}

TEST_F(ProjectFixture, EditingNeverDeletesASourceThatLivesInTheCompileDirectory)
{
    files().put(kCompileDir + "\\only.c", "the only copy");
    writeProject(kProject, {"D:\\work\\main.c", kCompileDir + "\\only.c"});
    open(kProject);
    c()["ProjEdit"].activate();
    EXPECT_EQ(text(kCompileDir + "\\only.c"), "the only copy");
    EXPECT_FALSE(files().fileExists(kCompileDir + "\\main.c"));
}

TEST_F(ProjectFixture, EditingFallsBackToTheWorkingDirectory)
{
    const struct {
        const char* what;
        std::vector<std::string> sources;
    } cases[] = {
        {"no sources", {}},
        {"first source on a missing drive", {"Q:\\gone\\main.c", "D:\\work\\util.c"}},
        {"first source without a folder", {"main.c"}},
    };
    open(kProject);
    for (const auto& t : cases) {
        browser().setDirectory("D:\\work");
        c()["ProjectListBox"].setEntries(t.sources);
        commands().ProjEditClick();
        EXPECT_EQ(browser().directory(), kWorkDir) << t.what;
        EXPECT_TRUE(c()["PEditPan"].visible()) << t.what;
    }
    EXPECT_TRUE(messages().empty());
}
