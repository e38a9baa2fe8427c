#include <gtest/gtest.h>

#include "build/build_run.h"
#include "editor/editor_windows.h"
#include "editor/string_buffer.h"
#include "editor/tcode_ed.h"
#include "support/app_fixture.h"

namespace {

StringBuffer& buf(TCodeEd& ed)
{
    return static_cast<StringBuffer&>(ed.buffer());
}

TEST(EditorStartUp, ReloadReopensTheLastEditorFile)
{
    struct Row {
        const char* reload;
        const char* cFile;
        int windows;
    };
    const Row rows[] = {{"1", "C:\\Work\\main.c", 1}, {"0", "C:\\Work\\main.c", 0}, {"1", "", 0}};
    for (const Row& r : rows) {
        AppFixture f;
        f.prepareInstalledMachine();
        f.fake.files.put("C:\\Work\\main.c", "int main;\r\n");
        f.fake.settings.values["reload"] = r.reload;
        f.fake.settings.values["c file"] = r.cFile;
        TEmbedded& app = f.start();
        ASSERT_EQ(app.editors().count(), r.windows) << r.reload << r.cFile;
        EXPECT_TRUE(f.fake.dialogs.messages().empty());
        if (r.windows) {
            EXPECT_EQ(app.editors().windows()[0]->caption(), "main.c");
            EXPECT_TRUE(app.controls()["Window1"].visible());
        }
    }
}

TEST(EditorStartUp, ReloadedFileThatIsGoneShowsTheEditorsMessage)
{
    AppFixture f;
    f.prepareInstalledMachine();
    f.fake.settings.values["reload"] = "1";
    f.fake.settings.values["c file"] = "C:\\Work\\gone.c";
    TEmbedded& app = f.start();
    EXPECT_EQ(app.editors().count(), 1);
    EXPECT_EQ(f.fake.dialogs.messages().size(), 1u);
}

TEST(EditorShutdown, SavesEveryEditorThenClosesThemLastToFirst)
{
    AppFixture f;
    f.prepareInstalledMachine();
    f.fake.files.put("C:\\Work\\demo.prj", "");
    TEmbedded& app = f.start();
    for (const char* name : {"C:\\Work\\a.c", "C:\\Work\\b.c"}) {
        f.fake.files.put(name, "old");
        TCodeEd& ed = app.editors().create();
        ed.OpenAtLine(name, 0);
        buf(ed).type("new ");
    }
    app.FormClose();
    EXPECT_EQ(f.text("C:\\Work\\a.c"), "new old");
    EXPECT_EQ(f.text("C:\\Work\\b.c"), "new old");
    EXPECT_EQ(app.editors().count(), 0);
    EXPECT_EQ(app.statusBar().panel(5).text, "Saving Editor Files");
    // Nothing was left modified, so no window asked.
    EXPECT_EQ(f.fake.dialogs.messages(), (std::vector<std::string>{"No Project loaded"}));
}

TEST(EditorShutdown, WithAProjectTheEditorsAreSavedBeforeTheProjectToo)
{
    AppFixture f;
    f.prepareInstalledMachine();
    TEmbedded& app = f.start();
    app.settings().project = "C:\\Work\\demo.prj";
    f.fake.files.put("C:\\Work\\a.c", "old");
    TCodeEd& ed = app.editors().create();
    ed.OpenAtLine("C:\\Work\\a.c", 0);
    buf(ed).type("x");
    const int writes = f.fake.files.writeCount("C:\\Work\\a.c");
    app.FormClose();
    // Saved as the project is saved; the shutdown's own step then finds nothing changed.
    EXPECT_EQ(f.fake.files.writeCount("C:\\Work\\a.c"), writes + 1);
    EXPECT_TRUE(f.fake.files.fileExists("C:\\Work\\demo.prj"));
}

TEST(EditorShutdown, ANewFileWindowAsksForANameAndANoLeavesNothingBehind)
{
    AppFixture f;
    f.prepareInstalledMachine();
    TEmbedded& app = f.start();
    TCodeEd& ed = app.editors().create();
    buf(ed).type("scratch");
    f.fake.dialogs.answers = {MsgAnswer::Ok, MsgAnswer::No};
    app.FormClose();
    int saves = 0;
    for (const auto& c : f.fake.dialogs.calls)
        saves += c.kind == "save";
    EXPECT_EQ(saves, 1);
    EXPECT_EQ(f.fake.dialogs.messages().back(), "Save changes to Code Editor?");
    EXPECT_EQ(app.editors().count(), 0);
}

TEST(EditorBuildEnd, ShowOnEndOpensTheCompilerOutput)
{
    AppFixture f;
    f.prepareInstalledMachine();
    f.fake.files.put("C:\\Work\\main.c", "int main;\r\n");
    f.fake.files.put("C:\\Work\\demo.prj", "");
    TEmbedded& app = f.start();
    app.settings().project = "C:\\Work\\demo.prj";
    app.controls()["ProjectListBox"].setEntries({"C:\\Work\\main.c"});
    app.controls()["ShowOnEnd"].setChecked(true);
    f.fake.files.put("C:\\Outputfile.txt", "\"main.c\",1  Error[1]: x\r\n");
    app.controls()["BuildAll1"].activate();
    f.fake.timers.fire(BuildRun::CompileTimerMs);
    ASSERT_EQ(app.editors().count(), 1);
    EXPECT_EQ(app.editors().windows()[0]->fileName(), "C:\\Outputfile.txt");
    EXPECT_EQ(app.editors().windows()[0]->caption(), "Outputfile.txt");
}

}  // namespace
