#include "linker/new_command_file.h"

#include "editor/editor_fixture.h"

namespace {

struct NewCommandFileTest : EditorFixture {
    int cascades = 0;
    int sub = eds.subscribe([this](EditorEvent e, TCodeEd*) {
        if (e == EditorEvent::Cascade)
            ++cascades;
    });
    const std::string chosen = "C:\\Tarnel\\Source\\Default.xcl";

    NewCommandFileTest()
    {
        app.settings().compSource = "C:\\Tarnel\\Source";
        app.settings().project = "C:\\Projects\\demo.prj";
        app.controls()["LinkerCmdfile"].setText("LK7832SL");
    }
    void clickNew(std::optional<std::string> answer)
    {
        dialogs.fileAnswers = {answer};
        app.controls()["NewCmdFile"].activate();
    }
    const FileDialogRequest& lastOpen() const { return dialogs.calls.back().request; }
};

TEST_F(NewCommandFileTest, AcceptedNameGivesAnEmptyWindowThatReadsNothingAndSavingReplacesTheFile)
{
    f.fake.files.put(chosen, "-c78300\r\n-Z(CODE)CODE=0000-7FFF\r\n");
    clickNew(chosen);
    const FileDialogRequest& r = lastOpen();
    EXPECT_EQ(r.title, "New Linker Command File");
    EXPECT_EQ(r.fileName, "Default.xcl");
    EXPECT_EQ(r.initialFolder, "C:\\Tarnel\\Source");
    EXPECT_EQ(r.filterIndex, 7);
    EXPECT_EQ(r.filters[6].patterns, "*.xcl");
    EXPECT_TRUE(r.mayBeNew) << "a new name must be accepted by the dialog";

    ASSERT_EQ(eds.count(), 1);
    TCodeEd& ed = *eds.windows().front();
    EXPECT_EQ(ed.caption(), "Default.xcl");
    EXPECT_EQ(ed.fileName(), chosen);
    EXPECT_EQ(ed.buffer().text(), "");
    EXPECT_EQ(cascades, 1);
    EXPECT_TRUE(app.controls()["Window1"].visible());
    EXPECT_EQ(f.text(chosen), "-c78300\r\n-Z(CODE)CODE=0000-7FFF\r\n");
    EXPECT_EQ(app.controls()["LinkerCmdfile"].text(), "LK7832SL");

    buf(ed).type("-c78300\r\n");
    EXPECT_TRUE(ed.Save1Click());
    EXPECT_EQ(f.text(chosen), "-c78300\r\n");
    EXPECT_TRUE(messages().empty());
}

TEST_F(NewCommandFileTest, CancelOrAnEmptyNameChangesNothing)
{
    for (const std::optional<std::string>& answer : {std::optional<std::string>(), std::optional<std::string>("")}) {
        clickNew(answer);
        EXPECT_EQ(eds.count(), 0);
        EXPECT_EQ(cascades, 0);
        EXPECT_TRUE(f.fake.shell.calls.empty());
        EXPECT_FALSE(app.controls()["Window1"].visible());
    }
    EXPECT_TRUE(messages().empty());
}

TEST_F(NewCommandFileTest, WithoutTheBuiltInEditorTheExternalEditorGetsThePath)
{
    app.settings().editorSwitch = false;
    app.settings().externalEd = "C:\\Tools\\ed.exe";
    clickNew(chosen);
    ASSERT_EQ(f.fake.shell.calls.size(), 1u);
    const FakeShell::Call& call = f.fake.shell.calls.front();
    EXPECT_EQ(call.file, "C:\\Tools\\ed.exe");
    EXPECT_EQ(call.parameters, chosen);
    EXPECT_EQ(call.folder, "C:\\Tarnel\\Source");
    EXPECT_TRUE(call.shown);
    EXPECT_EQ(eds.count(), 0);
    EXPECT_FALSE(app.controls()["Window1"].visible());
}

TEST_F(NewCommandFileTest, SharedDialogKeepsTheFilterButNotTheTitleForTheEditorsOpenFile)
{
    clickNew(chosen);
    eds.windows().front()->Open1Click();
    const FileDialogRequest& r = lastOpen();
    EXPECT_EQ(r.title, "Tarnel    Load File");
    EXPECT_EQ(r.filterIndex, 7);
    EXPECT_EQ(r.fileName, chosen);
    EXPECT_EQ(r.initialFolder, "C:\\Projects");
    EXPECT_FALSE(r.mayBeNew) << "only the new command file takes a name that does not exist";

    // The error check sets its own, and the next "&New" its own again.
    app.controls()["ErrorcheckBtn"].activate();
    eds.windows().front()->Open1Click();
    EXPECT_EQ(lastOpen().title, "Tarnel    Load File");
    EXPECT_EQ(lastOpen().filterIndex, 4);
    clickNew(std::nullopt);
    EXPECT_EQ(lastOpen().title, "New Linker Command File");
    EXPECT_EQ(lastOpen().fileName, "Default.xcl");
}

}  // namespace
