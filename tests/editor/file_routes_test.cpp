#include "editor_fixture.h"

#include "build/build_files.h"
#include "editor/file_routes.h"

#include <functional>

namespace {

struct FileRoutesTest : EditorFixture {
    int cascades = 0;
    int sub = eds.subscribe([this](EditorEvent e, TCodeEd*) {
        if (e == EditorEvent::Cascade)
            ++cascades;
    });

    FileRoutesTest()
    {
        Settings& s = app.settings();
        s.directory = "C:\\Tarnel\\";
        s.compSource = "C:\\Tarnel\\Source";
        s.project = "C:\\Projects\\demo.prj";
        s.saveDir = "A:";
        app.outputCaptureFile = "C:\\Outputfile.txt";
        app.controls()["ProjectListBox"].setEntries({"C:\\Projects\\src\\main.c", "C:\\Other\\util.c"});
        app.controls()["Linklistfile"].setText("out.map");
        app.controls()["LinkerCmdfile"].setText("LK7832SL");
    }
    void click(const char* item) { app.controls()[item].activate(); }
    const DialogCall& lastOpen() const
    {
        for (auto it = dialogs.calls.rbegin(); it != dialogs.calls.rend(); ++it)
            if (it->kind == "open")
                return *it;
        throw std::runtime_error("no open dialog");
    }
    int openDialogs() const
    {
        int n = 0;
        for (const auto& c : dialogs.calls)
            n += c.kind == "open";
        return n;
    }
};

TEST_F(FileRoutesTest, FixedFilesOpenWithoutADialog)
{
    struct Row {
        const char* item;
        std::string file;
    };
    const Row rows[] = {
        {"EditBatch", "C:\\Tarnel\\Source\\ide.bat"},
        {"ViewPathset", "C:\\Tarnel\\pathset.bat"},
        {"CompilerOP1", "C:\\Outputfile.txt"},
    };
    for (const Row& r : rows) {
        f.fake.files.put(r.file, "@echo off\r\n");
        click(r.item);
        ASSERT_GE(eds.count(), 1) << r.item;
        EXPECT_EQ(eds.windows().back()->fileName(), r.file);
        EXPECT_EQ(eds.windows().back()->buffer().text(), "@echo off\r\n");
    }
    EXPECT_EQ(openDialogs(), 0);
    EXPECT_TRUE(messages().empty());
}

TEST_F(FileRoutesTest, DialogRoutesSetTheirTitleNameFolderAndFilter)
{
    struct Row {
        const char* item;
        std::string title, name, folder;
        int filter;
    };
    const Row rows[] = {
        {"ViewList", "Linker Output File", "out.map", "C:\\Tarnel\\Source", 4},
        {"ViewLinkerCmd", "Linker Command File", "LK7832SL.xcl", "C:\\Tarnel\\Source", 7},
        {"ViewCompilerList", "Compiler Output File", "", "C:\\Tarnel\\Source", 4},
    };
    for (const Row& r : rows) {
        click(r.item);
        const DialogCall& c = lastOpen();
        EXPECT_EQ(c.request.title, r.title) << r.item;
        EXPECT_EQ(c.request.fileName, r.name) << r.item;
        EXPECT_EQ(c.request.initialFolder, r.folder) << r.item;
        EXPECT_EQ(c.request.filterIndex, r.filter) << r.item;
        EXPECT_EQ(c.request.filters.size(), 9u);
    }
    EXPECT_EQ(eds.count(), 0);
    EXPECT_EQ(cascades, 3);  // cascaded first even though every dialog was cancelled
}

TEST_F(FileRoutesTest, OpenFileMenuStartsInTheFirstSourcesFolderWithFilterEightAndKeepsTheRest)
{
    OpenDialog& d = app.openDialog();
    EXPECT_EQ(d.title, "Tarnel    Load File");
    click("OpenFile");
    const DialogCall& c = lastOpen();
    EXPECT_EQ(c.request.title, "Tarnel    Load File");
    EXPECT_EQ(c.request.initialFolder, "C:\\Projects\\src");
    EXPECT_EQ(c.request.filterIndex, 8);
    EXPECT_EQ(c.request.filters[7].description, "Source Files [*.C, *.H]");
    EXPECT_EQ(c.request.filters[7].patterns, "*.C;*.H");
    EXPECT_EQ(c.request.filters[6].description, "Linker Command File [*.xcl] ");
    EXPECT_EQ(c.request.filters[8].description, "Text Files {*.txt]");
}

TEST_F(FileRoutesTest, OpenFileMenuWithoutSourcesStartsInTheProjectsFolderElseTheWorkingDirectory)
{
    app.controls()["ProjectListBox"].setEntries({});
    click("OpenFile");
    EXPECT_EQ(lastOpen().request.initialFolder, "C:\\Projects");
    app.settings().project = Settings::NoProject;
    click("OpenFile");
    EXPECT_EQ(lastOpen().request.initialFolder, "C:\\Tarnel\\");
}

TEST_F(FileRoutesTest, EditorsOpenFileKeepsWhatTheLastViewLeftButItsOwnTitle)
{
    click("ViewLinkerCmd");
    TCodeEd& ed = eds.create();
    ed.controls()["Open1"].activate();
    const DialogCall& c = lastOpen();
    EXPECT_EQ(c.request.title, "Tarnel    Load File");
    EXPECT_EQ(c.request.filterIndex, 7);
    EXPECT_EQ(c.request.fileName, "LK7832SL.xcl");
    EXPECT_EQ(c.request.initialFolder, "C:\\Projects");
}

TEST_F(FileRoutesTest, OpenFileShowsItsOwnTitleWhateverDialogCameBefore)
{
    for (const char* before : {"NewCmdFile", "ViewLinkerCmd", "ErrorcheckBtn"}) {
        for (bool fromEditor : {false, true}) {
            click(before);
            if (fromEditor)
                eds.create().controls()["Open1"].activate();
            else
                click("OpenFile");
            EXPECT_EQ(lastOpen().request.title, "Tarnel    Load File") << before << fromEditor;
        }
    }
}

TEST_F(FileRoutesTest, CompilerListingAfterLinkerListFileProposesNoName)
{
    dialogs.fileAnswers = {std::string("C:\\Tarnel\\Source\\out.map")};
    f.fake.files.put("C:\\Tarnel\\Source\\out.map", "map");
    click("ViewList");
    click("ViewCompilerList");
    EXPECT_EQ(lastOpen().request.title, "Compiler Output File");
    EXPECT_EQ(lastOpen().request.fileName, "");
}

TEST_F(FileRoutesTest, AChoiceBecomesTheProposedNameAndTheFilterTheUserLeftStays)
{
    f.fake.files.put("C:\\Projects\\notes.txt", "n");
    dialogs.fileAnswers = {std::string("C:\\Projects\\notes.txt")};
    dialogs.filterAnswers = {9};
    click("OpenFile");
    EXPECT_EQ(app.openDialog().fileName, "C:\\Projects\\notes.txt");
    EXPECT_EQ(app.openDialog().filterIndex, 9);
    TCodeEd& ed = *eds.windows().back();
    ed.Open1Click();
    EXPECT_EQ(lastOpen().request.filterIndex, 9);
    EXPECT_EQ(lastOpen().request.fileName, "C:\\Projects\\notes.txt");
}

TEST_F(FileRoutesTest, OpenFileChoicesBecomeTheLastEditorFileOtherViewsDoNot)
{
    f.fake.files.put("C:\\Projects\\src\\main.c", "int main;\r\n");
    f.fake.files.put("C:\\Tarnel\\Source\\out.map", "map");
    dialogs.fileAnswers = {std::string("C:\\Tarnel\\Source\\out.map")};
    click("ViewList");
    EXPECT_EQ(app.settings().cFile, "");
    dialogs.fileAnswers = {std::string("C:\\Projects\\src\\main.c")};
    click("OpenFile");
    EXPECT_EQ(app.settings().cFile, "C:\\Projects\\src\\main.c");
    f.fake.files.put("C:\\Projects\\demo.h", "h");
    dialogs.fileAnswers = {std::string("C:\\Projects\\demo.h")};
    eds.windows().back()->Open1Click();
    EXPECT_EQ(app.settings().cFile, "C:\\Projects\\demo.h");
}

TEST_F(FileRoutesTest, OpenFileButtonReopensTheLastEditorFileWithoutADialog)
{
    click("OpenFileBtn");
    EXPECT_EQ(eds.count(), 0);
    EXPECT_EQ(cascades, 1);
    f.fake.files.put("C:\\Projects\\src\\main.c", "int main;\r\n");
    dialogs.fileAnswers = {std::string("C:\\Projects\\src\\main.c")};
    click("OpenFile");
    eds.windows().back()->close();
    click("OpenFileBtn");
    EXPECT_EQ(eds.count(), 1);
    EXPECT_EQ(openDialogs(), 1);
    EXPECT_EQ(eds.windows().back()->fileName(), "C:\\Projects\\src\\main.c");
}

TEST_F(FileRoutesTest, OpenedWindowGetsTheSaveLocationCaptionTheWindowMenuAndThePendingLine)
{
    EXPECT_FALSE(app.controls()["Window1"].visible());
    f.fake.files.put("C:\\Tarnel\\Source\\ide.bat", "a\r\nb\r\nc\r\n");
    eds.pendingJumpLine = 3;
    app.settings().saveDir = "D:\\Out";
    click("EditBatch");
    TCodeEd& ed = *eds.windows().back();
    EXPECT_EQ(ed.controls()["SaveOutputFileto"].caption(), "Save Output File to D:\\Out");
    EXPECT_TRUE(app.controls()["Window1"].visible());
    EXPECT_EQ(ed.panel(5).text, "3");
    EXPECT_EQ(ed.buffer().selStart(), 6);
    EXPECT_EQ(cascades, 2);
}

TEST_F(FileRoutesTest, NewFileCreatesAPlainWindowWithoutCascadeButWithTheWindowMenu)
{
    for (const char* item : {"NewFile", "NewFileBtn"})
        click(item);
    eds.windows().back()->controls()["New1"].activate();
    EXPECT_EQ(eds.count(), 3);
    EXPECT_EQ(cascades, 0);
    EXPECT_TRUE(app.controls()["Window1"].visible());
    for (TCodeEd* ed : eds.windows()) {
        EXPECT_EQ(ed->caption(), "Code Editor");
        EXPECT_EQ(ed->controls()["SaveOutputFileto"].caption(), "Save &Output File to");
        EXPECT_EQ(ed->lengthLimit(), 200'000'000);
    }
}

TEST_F(FileRoutesTest, ExternalEditorGetsThePathUnquotedForEveryRoute)
{
    app.controls()["UseEd"].setChecked(false);
    app.settings().externalEd = "C:\\Tools\\ed.exe";
    f.fake.files.put("C:\\My Files\\a b.c", "x");
    dialogs.fileAnswers = {std::string("C:\\My Files\\a b.c")};
    click("OpenFile");
    click("EditBatch");
    click("NewFile");
    ASSERT_EQ(f.fake.shell.calls.size(), 2u);
    EXPECT_EQ(f.fake.shell.calls[0].file, "C:\\Tools\\ed.exe");
    EXPECT_EQ(f.fake.shell.calls[0].parameters, "C:\\My Files\\a b.c");
    EXPECT_EQ(f.fake.shell.calls[0].folder, "C:\\Tarnel\\Source");
    EXPECT_TRUE(f.fake.shell.calls[0].shown);
    EXPECT_EQ(f.fake.shell.calls[1].parameters, "C:\\Tarnel\\Source\\ide.bat");
    EXPECT_EQ(eds.count(), 1);  // only New File
}

TEST_F(FileRoutesTest, AChosenFolderOrDeviceIsRefused)
{
    f.fake.files.putFolder("C:\\Projects\\src");
    f.fake.files.putDevice("Z:\\dev\\zero");
    dialogs.fileAnswers = {std::string("C:\\Projects\\src"), std::string("Z:\\dev\\zero")};
    click("OpenFile");
    click("OpenFile");
    EXPECT_EQ(eds.count(), 0);
    EXPECT_EQ(messages(), (std::vector<std::string>{"Cannot open C:\\Projects\\src\rIt is a folder, not a file.",
                                                    "Cannot open Z:\\dev\\zero\rIt is a device, not a file."}));
    EXPECT_EQ(app.settings().cFile, "");
}

TEST_F(FileRoutesTest, MissingFixedFileShowsTheEditorsMessageInAnEmptyWindow)
{
    click("CompilerOP1");
    ASSERT_EQ(eds.count(), 1);
    EXPECT_EQ(messages(), (std::vector<std::string>{"Sorry I can't Access files which are not in the Compiler "
                                                    "source Folder \rC:\\Tarnel\\Source"}));
    EXPECT_EQ(eds.windows()[0]->caption(), "Code Editor");
}

TEST_F(FileRoutesTest, WindowMenuItemsArrangeTheWindows)
{
    std::vector<EditorEvent> seen;
    eds.subscribe([&](EditorEvent e, TCodeEd*) { seen.push_back(e); });
    click("Tile1");
    click("Cascade1");
    click("Arrange1");
    EXPECT_EQ(seen, (std::vector<EditorEvent>{EditorEvent::Tile, EditorEvent::Cascade, EditorEvent::Arrange}));
}

TEST_F(FileRoutesTest, SaveAllAndCloseAllWalkFromTheLastWindowToTheFirst)
{
    for (const char* name : {"C:\\W\\a.c", "C:\\W\\b.c", "C:\\W\\c.c"})
        open(name, "x");
    for (TCodeEd* ed : eds.windows())
        buf(*ed).type("y");
    f.fake.files.denyWrites("C:\\W");
    eds.windows()[0]->controls()["SaveAll1"].activate();
    EXPECT_EQ(app.statusBar().panel(5).text, "Saving Editor Files");
    EXPECT_EQ(messages(), (std::vector<std::string>{"Cannot create file C:\\W\\c.c", "Cannot create file C:\\W\\b.c",
                                                    "Cannot create file C:\\W\\a.c"}));
    dialogs.calls.clear();
    dialogs.answers = {MsgAnswer::No, MsgAnswer::Cancel, MsgAnswer::No};
    eds.windows()[1]->controls()["CloseAll1"].activate();
    EXPECT_EQ(messages(), (std::vector<std::string>{"Save changes to C:\\W\\c.c?", "Save changes to C:\\W\\b.c?",
                                                    "Save changes to C:\\W\\a.c?"}));
    ASSERT_EQ(eds.count(), 1);
    EXPECT_EQ(eds.windows()[0]->fileName(), "C:\\W\\b.c");
}

TEST_F(FileRoutesTest, BuildFilesSaveEveryEditorAndCloseThemWhenSoSet)
{
    f.fake.files.put("C:\\Projects\\src\\main.c", "int main;\r\n");
    f.fake.files.put("C:\\Other\\util.c", "int util;\r\n");
    f.fake.files.putFolder("C:\\Tarnel\\Source");
    TCodeEd& ed = open("C:\\Projects\\src\\main.c", "int main;\r\n");
    buf(ed).type("// edited\r\n");
    app.controls()["CloseEds"].setChecked(false);
    EXPECT_TRUE(app.buildFiles().GenerateBuildFiles(true));
    EXPECT_EQ(f.text("C:\\Projects\\src\\main.c"), "// edited\r\nint main;\r\n");
    // The copy the compiler reads holds the edit too.
    EXPECT_EQ(f.text("C:\\Tarnel\\Source\\main.c"), "// edited\r\nint main;\r\n");
    EXPECT_EQ(eds.count(), 1);
    app.controls()["CloseEds"].setChecked(true);
    EXPECT_TRUE(app.buildFiles().GenerateBuildFiles(true));
    EXPECT_EQ(eds.count(), 0);
}

TEST_F(FileRoutesTest, WindowListNamesTheWindowsInOrder)
{
    open("C:\\W\\a.c", "x");
    eds.create();
    open("C:\\W\\R&D.c", "y");
    // The number is the accelerator; an "&" of a file name shows as itself.
    EXPECT_EQ(eds.windowList(), (std::vector<std::string>{"&1 a.c", "&2 Code Editor", "&3 R&&D.c"}));
    std::vector<TCodeEd*> asked;
    eds.subscribe([&](EditorEvent e, TCodeEd* ed) {
        if (e == EditorEvent::Activate)
            asked.push_back(ed);
    });
    eds.activate(*eds.windows()[0]);
    EXPECT_EQ(asked, (std::vector<TCodeEd*>{eds.windows()[0]}));
}

}  // namespace

TEST_F(FileRoutesTest, EveryRouteToAFileAlreadyOpenBringsItsWindowToTheLine)
{
    f.fake.files.put("C:\\Tarnel\\Source\\ide.bat", "a\r\nb\r\nc\r\nd\r\n");
    click("EditBatch");
    ASSERT_EQ(eds.count(), 1);
    TCodeEd& ed = *eds.windows().back();
    buf(ed).type("edited ");
    std::vector<TCodeEd*> activated;
    eds.subscribe([&](EditorEvent e, TCodeEd* w) {
        if (e == EditorEvent::Activate)
            activated.push_back(w);
    });
    struct Row {
        const char* what;
        std::function<void()> route;
        int line;
    };
    const Row rows[] = {
        {"Edit Batch", [&] { click("EditBatch"); }, 3},
        {"Open File, another spelling",
         [&] {
             dialogs.fileAnswers = {std::string("c:\\tarnel\\SOURCE\\IDE.BAT")};
             click("OpenFile");
         },
         2},
        {"start-up reload",
         [&] {
             app.settings().cFile = "C:\\Tarnel\\Source\\..\\Source\\ide.bat";
             app.controls()["Reload"].setChecked(true);
             app.fileRoutes().reloadLastFile();
         },
         4},
        {"New Linker Command File",
         [&] {
             dialogs.fileAnswers = {std::string("C:\\Tarnel\\Source\\ide.bat")};
             click("NewCmdFile");
         },
         0},
    };
    for (const Row& r : rows) {
        ed.buffer().setSelection(0, 0);
        activated.clear();
        eds.pendingJumpLine = r.line;
        r.route();
        EXPECT_EQ(eds.count(), 1) << r.what;
        EXPECT_EQ(activated, std::vector<TCodeEd*>{&ed}) << r.what;
        EXPECT_EQ(ed.buffer().lineText(0), "edited a") << r.what << ": never read over";
        EXPECT_EQ(ed.buffer().lineOfPosition(ed.buffer().selStart()), std::max(r.line - 1, 0)) << r.what;
    }
    EXPECT_TRUE(messages().empty());
}
