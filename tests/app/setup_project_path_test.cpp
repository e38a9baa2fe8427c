// A project path typed into the setup dialog is for the next start: until then the open
// project stays the one that every save and build writes.
#include <gtest/gtest.h>

#include "app/dir_setup.h"
#include "build/compiler_options.h"
#include "linker/linker_options.h"
#include "project/project_file.h"
#include "support/app_fixture.h"

namespace {

const std::string kOpen = "C:\\Work\\open.prj";
const std::string kOther = "C:\\Work\\other.prj";

class SetupProjectPath : public ::testing::Test {
protected:
    void SetUp() override
    {
        f.prepareInstalledMachine();
        f.fake.files.put("C:\\Work\\main.c", "int main(void) { return 0; }\n");
        f.fake.files.put("C:\\Work\\other.c", "int other;\n");
        writeProject(kOpen, "C:\\Work\\main.c");
        writeProject(kOther, "C:\\Work\\other.c");
        otherBytes = f.text(kOther);
        otherWrites = f.fake.files.writeCount(kOther);
        f.fake.dialogs.calls.clear();
    }

    void writeProject(const std::string& path, const std::string& source)
    {
        TEmbedded writer(f.fake.host);
        writer.compiler().DefaultsClick();
        writer.linker().LinkDefsClick();
        writer.controls()["ProjectListBox"].setEntries({source});
        writer.project().ComposeProject();
        ASSERT_TRUE(writer.project().write(path));
    }

    // "Options" > "Setup" with the project field changed and "OK".
    void chooseInSetup(TEmbedded& app, const std::string& project)
    {
        app.runSetupDialog = [project, this](DirSetup& setup) {
            shownProject = setup.fields()["ProjectFile"].text();
            setup.fields()["ProjectFile"].setText(project);
            return true;
        };
        app.controls()["Setup1"].activate();
    }

    std::string stored() { return f.fake.settings.values["project"]; }

    AppFixture f;
    std::string otherBytes;
    int otherWrites = 0;
    std::string shownProject;
};

TEST_F(SetupProjectPath, SavesBuildsAndTheShutdownKeepWritingTheOpenProject)
{
    f.fake.settings.values["project"] = kOpen;
    TEmbedded& app = f.start();
    ASSERT_EQ(app.settings().project, kOpen);
    const int openWrites = f.fake.files.writeCount(kOpen);

    chooseInSetup(app, kOther);
    EXPECT_EQ(stored(), kOther);  // the setup's "OK" writes the settings
    EXPECT_EQ(app.settings().project, kOpen);
    EXPECT_EQ(app.statusBar().panel(0).text, kOpen);

    ControlSet& c = app.controls();
    c["Update1"].activate();
    c["BuildAll1"].activate();
    c["MakeBtn"].activate();
    app.FormClose();

    EXPECT_EQ(f.fake.files.writeCount(kOther), otherWrites);
    EXPECT_EQ(f.text(kOther), otherBytes);
    EXPECT_EQ(f.fake.files.writeCount(kOpen), openWrites + 4);
    EXPECT_EQ(stored(), kOther);

    // The next start opens the newly named project as it was.
    f.fake.dialogs.calls.clear();
    f.app.reset();
    TEmbedded& next = f.start();
    EXPECT_EQ(next.settings().project, kOther);
    EXPECT_EQ(next.controls()["ProjectListBox"].entries(), std::vector<std::string>{"C:\\Work\\other.c"});
}

TEST_F(SetupProjectPath, WithoutAProjectTheChosenPathIsStoredAndNothingIsWritten)
{
    TEmbedded& app = f.start();
    ASSERT_FALSE(app.projectLoaded());
    chooseInSetup(app, kOther);
    app.controls()["BuildAll1"].activate();
    app.FormClose();
    EXPECT_EQ(f.fake.files.writeCount(kOther), otherWrites);
    EXPECT_EQ(stored(), kOther);
    const auto messages = f.fake.dialogs.messages();
    EXPECT_EQ(messages.back(), "No Project loaded");
}

TEST_F(SetupProjectPath, ReopenedDialogShowsTheChoiceAndTheOpenPathTakesItBack)
{
    f.fake.settings.values["project"] = kOpen;
    TEmbedded& app = f.start();
    chooseInSetup(app, kOther);
    EXPECT_EQ(shownProject, kOpen);
    chooseInSetup(app, kOpen);
    EXPECT_EQ(shownProject, kOther);
    EXPECT_EQ(stored(), kOpen);
    app.FormClose();
    EXPECT_EQ(stored(), kOpen);
}

TEST_F(SetupProjectPath, ChosenDuringTheStartUpBeforeTheLoadIsLoadedAtOnce)
{
    f.fake.settings.values["project"] = kOpen;
    f.fake.settings.values["directory"] = "";  // the start-up opens the setup dialog
    f.fake.files.putFolder("C:\\Work");
    TEmbedded& app = f.make();
    app.runSetupDialog = [](DirSetup& setup) {
        setup.fields()["WorkingDir"].setText("C:\\Work");
        setup.fields()["ProjectFile"].setText(kOther);
        return true;
    };
    f.start();
    EXPECT_EQ(app.settings().project, kOther);
    EXPECT_EQ(app.controls()["ProjectListBox"].entries(), std::vector<std::string>{"C:\\Work\\other.c"});
    app.FormClose();
    EXPECT_EQ(stored(), kOther);
}

}  // namespace
