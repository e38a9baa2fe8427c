#include <gtest/gtest.h>

#include "app/dir_setup.h"
#include "app/start_up.h"
#include "build/compiler_options.h"
#include "linker/linker_options.h"
#include "project/project_file.h"
#include "support/app_fixture.h"

namespace {

const char* const kCreatedBox = "Working Directory created C:\\Tarnel\\Source\r"
                                "Please transfer the NEC *.H, *.INC, *.R25 and *.XCL libarys";
const char* const kMapFileBox = "Warning at least one linker map file is missing\r"
                                "Please Install into C:\\Tarnel\\Source";
const char* const kNecBox = "NEC Directory does not exist on the specified drive\r"
                            "Please Install NEC Compiler into C:\\NecTo specify a different folder\r"
                            "Please click [OK]";

TEST(StartUp, FirstRunOnACleanAccount)
{
    AppFixture f;
    f.fake.files.putFolder("C:\\Tarnel");
    f.fake.dialogs.answers = {MsgAnswer::Ok, MsgAnswer::Ok, MsgAnswer::Cancel};
    TEmbedded& app = f.start();

    EXPECT_EQ(f.fake.dialogs.messages(), (std::vector<std::string>{kCreatedBox, kMapFileBox, kNecBox}));
    EXPECT_EQ(f.fake.dialogs.calls[2].buttons, MsgButtons::OkCancel);
    EXPECT_TRUE(f.fake.files.folderExists("C:\\Tarnel\\Source"));
    EXPECT_EQ(app.caption(), std::string("Tarnel Version ") + TARNEL_VERSION + "  by Orvane");
    EXPECT_EQ(app.helpFile, "C:\\Program Files\\Tarnel\\Docs\\Tarnel.chm");
    EXPECT_EQ(app.outputCaptureFile, "C:\\Outputfile.txt");
    EXPECT_EQ(app.compilerProgram, "icc78300 ");
    EXPECT_EQ(app.linkerProgram, "xlink ");

    ControlSet& c = app.controls();
    EXPECT_FALSE(c["CompileMenu"].enabled());
    EXPECT_FALSE(c["EditBatch"].enabled());
    EXPECT_FALSE(c["Prgm"].enabled());
    EXPECT_FALSE(c["ProjEdit"].enabled());
    EXPECT_TRUE(c["BuildAllBtn"].enabled());  // only the menu is disabled
    EXPECT_EQ(app.settings().project, "NO PROJECT LOADED");
    EXPECT_EQ(c["Linklistfile"].text(), "out.map");

    EXPECT_EQ(app.statusBar().panel(0).text, "NO PROJECT LOADED");
    EXPECT_EQ(app.statusBar().panel(1).text, "Mem 0");
    EXPECT_EQ(app.statusBar().panel(2).text, "print Fmt");
    EXPECT_EQ(app.statusBar().panel(4).text, "icc78300 ");
    EXPECT_EQ(app.statusBar().mode(), 0);
}

TEST(StartUp, PathsetIsWrittenAndTheNecDirectoryGainsItsBackslash)
{
    AppFixture f;
    f.prepareInstalledMachine();
    TEmbedded& app = f.start();
    EXPECT_TRUE(f.fake.dialogs.messages().empty());
    EXPECT_EQ(app.settings().necDir, "C:\\Nec\\");
    EXPECT_EQ(f.text("C:\\pathset.bat"),
              "REM setup path for compilers\r\n"
              "ECHO\r\n"
              "SET PATH=C:\\Nec\\ASM\\A78300;C:\\Nec\\ASM\\XL;C:\\Nec\\C\\ICC78300;C:\\PELORUS;%PATH%\r\n"
              "SET PATH=C:\\Nec\\C\\INCLUDE;C:\\Nec\\C\\LIB;C:\\Nec\\C\\DEMO;%PATH%\r\n"
              "SET PATH=C:\\Tarnel\\Source;%PATH%\r\n"
              "\r\n"
              "ECHO.\r\n"
              "ECHO Tarnel - building the project with the NEC 78K/III C toolchain\r\n"
              "ECHO.\r\n"
              "CD source\r\n"
              "PATH\r\n"
              "CALL ide\r\n");
    EXPECT_TRUE(app.controls()["CompileMenu"].enabled());
}

TEST(StartUp, OneMissingCommandFileWarnsOnce)
{
    AppFixture f;
    f.prepareInstalledMachine();
    f.fake.files.removeFile("C:\\Tarnel\\Source\\LK7832LH.xcl");
    f.start();
    EXPECT_EQ(f.fake.dialogs.messages(), (std::vector<std::string>{kMapFileBox}));
}

TEST(StartUp, ToolchainHeadersAndLibrariesAreCopiedByTheirMasks)
{
    AppFixture f;
    f.prepareInstalledMachine();
    auto& files = f.fake.files;
    files.put("C:\\Nec\\C\\INCLUDE\\io78320.H", "new header");
    files.put("C:\\Nec\\C\\include\\notes.txt", "not copied");
    files.put("C:\\Nec\\C\\Lib\\cl7832s.r25", "lib");
    files.put("C:\\Nec\\C\\Lib\\readme.h", "not a library");
    files.put("C:\\Nec\\C\\test\\t.r25", "test object");
    files.put("C:\\Tarnel\\Source\\io78320.h", "old header");
    f.start();
    EXPECT_EQ(f.text("C:\\Tarnel\\Source\\io78320.h"), "new header");
    EXPECT_EQ(f.text("C:\\Tarnel\\Source\\cl7832s.r25"), "lib");
    EXPECT_EQ(f.text("C:\\Tarnel\\Source\\t.r25"), "test object");
    EXPECT_FALSE(files.fileExists("C:\\Tarnel\\Source\\notes.txt"));
    EXPECT_FALSE(files.fileExists("C:\\Tarnel\\Source\\readme.h"));
}

TEST(StartUp, UncreatableCompileDirectoryIsReportedAsSuchAndStartUpGoesOn)
{
    AppFixture f;  // no C:\Tarnel: one level cannot be created
    f.fake.dialogs.answers = {MsgAnswer::Ok, MsgAnswer::Ok, MsgAnswer::Cancel};
    TEmbedded& app = f.start();
    EXPECT_FALSE(f.fake.files.folderExists("C:\\Tarnel\\Source"));
    EXPECT_EQ(f.fake.dialogs.messages(),
              (std::vector<std::string>{"Cannot create directory C:\\Tarnel\\Source", kMapFileBox, kNecBox}));
    EXPECT_EQ(f.fake.dialogs.calls[0].icon, MsgIcon::Error);
    EXPECT_EQ(app.statusBar().panel(0).text, "NO PROJECT LOADED");
}

TEST(StartUp, SetupDialogOpensForAnEmptyWorkingDirectoryAndOnOkToTheNecQuestion)
{
    AppFixture f;
    f.prepareInstalledMachine();
    f.fake.settings.values["directory"] = "";
    f.fake.settings.values["nec dir"] = "C:\\Missing";
    int shown = 0;
    TEmbedded& app = f.make();
    app.runSetupDialog = [&](DirSetup& setup) {
        ++shown;
        setup.fields()["WorkingDir"].setText("C:\\Work");
        return shown == 1;  // accepted the first time, cancelled the second
    };
    f.fake.files.putFolder("C:\\Work");
    f.fake.dialogs.answers = {MsgAnswer::Ok};
    f.start();
    EXPECT_EQ(shown, 2);
    EXPECT_EQ(app.settings().directory, "C:\\Work");
    EXPECT_TRUE(f.fake.files.fileExists("C:\\Work\\pathset.bat"));
    EXPECT_EQ(f.fake.settings.values["directory"], "C:\\Work");
}

TEST(StartUp, OnlyTheFirstActivationArmsTheTimer)
{
    AppFixture f;
    f.prepareInstalledMachine();
    TEmbedded& app = f.make();
    app.FormActivate();
    app.FormActivate();
    EXPECT_EQ(f.fake.timers.count(1000), 1);
    f.fake.timers.fire(1000);
    app.FormActivate();
    EXPECT_EQ(f.fake.timers.count(1000), 0);
}

// Dialogs that close the main window while the box with the given text is up, as a SIGTERM
// arriving during a modal box does.
struct ClosingDialogs : FakeDialogs {
    std::string closeOn;
    TEmbedded* app = nullptr;
    MsgAnswer message(const std::string& t, MsgButtons b, MsgIcon i) override
    {
        if (app && (closeOn.empty() || t == closeOn)) {
            TEmbedded* closing = app;
            app = nullptr;
            closing->FormClose();
        }
        return FakeDialogs::message(t, b, i);
    }
};

struct ClosingFixture {
    AppFixture f;
    ClosingDialogs dialogs;
    Host host{dialogs, f.fake.shell, f.fake.beeper, f.fake.clock, f.fake.timers, f.fake.settings, f.fake.files, ""};
    std::unique_ptr<TEmbedded> app;
    void start(const std::string& closeOn)
    {
        app = std::make_unique<TEmbedded>(host);
        dialogs.closeOn = closeOn;
        dialogs.app = app.get();
        app->FormActivate();
        f.fake.timers.fire(1000);
    }
};

TEST(StartUp, ShutdownDuringStartUpStopsTheSequence)
{
    ClosingFixture c;
    c.f.fake.files.putFolder("C:\\Tarnel");
    c.start("");
    EXPECT_TRUE(c.app->closing());
    EXPECT_FALSE(c.f.fake.files.fileExists("C:\\pathset.bat"));
    // Settings had been read: they are written back as read.
    EXPECT_EQ(c.f.fake.settings.values["comp source"], "C:\\Tarnel\\Source");
}

TEST(StartUp, AShutdownDuringABoxOfTheProjectLoadEndsTheStartUpThere)
{
    ClosingFixture c;
    c.f.prepareInstalledMachine();
    c.f.fake.files.put("C:\\Work\\main.c", "int main;");
    const std::string project = "C:\\Work\\list.prj";
    {
        // A listing asked for without a name: reading it shows a box and clears the option.
        TEmbedded writer(c.f.fake.host);
        writer.compiler().DefaultsClick();
        writer.linker().LinkDefsClick();
        ControlSet& w = writer.controls();
        w["GLF"].setChecked(true);
        w["SourceNames"].setChecked(false);
        w["ListFile"].setText("");
        w["ProjectListBox"].setEntries({"C:\\Work\\main.c"});
        writer.project().ComposeProject();
        ASSERT_TRUE(writer.project().write(project));
    }
    c.f.fake.settings.values["project"] = project;
    const int writes = c.f.fake.files.writeCount(project);
    c.start("No List file specified, Option Cleared");

    EXPECT_TRUE(c.app->closing());
    EXPECT_EQ(c.f.fake.files.writeCount(project), writes + 1);  // the shutdown's save, nothing after it
    EXPECT_FALSE(c.f.fake.files.fileExists("C:\\Tarnel\\Source\\ide.bat"));
    EXPECT_FALSE(c.f.fake.files.fileExists("C:\\Tarnel\\Source\\main.c"));
    EXPECT_EQ(c.dialogs.messages(), std::vector<std::string>{"No List file specified, Option Cleared"});
}

TEST(Shutdown, ACloseDuringAFailedProjectLoadKeepsTheOriginalFile)
{
    ClosingFixture c;
    c.f.prepareInstalledMachine();
    c.f.fake.files.put("C:\\Work\\bad.prj", "0\r\n1\r\n");
    c.f.fake.settings.values["project"] = "C:\\Work\\bad.prj";
    c.start("Error in Project File");
    EXPECT_EQ(c.f.text("C:\\Work\\bad.prj.bak"), "0\r\n1\r\n");
    EXPECT_GE(splitLines(c.f.text("C:\\Work\\bad.prj")).size(), 84u);
}

TEST(Shutdown, ACloseDuringTheBoxOfAnUnreadableProjectNeverWritesOverIt)
{
    ClosingFixture c;
    c.f.prepareInstalledMachine();
    c.f.fake.files.put("C:\\Work\\locked.prj", "the user's project");
    c.f.fake.files.denyReads("C:\\Work\\locked.prj");
    c.f.fake.settings.values["project"] = "C:\\Work\\locked.prj";
    c.start("Cannot open file C:\\Work\\locked.prj");
    EXPECT_TRUE(c.app->closing());
    EXPECT_EQ(c.f.fake.files.writeCount("C:\\Work\\locked.prj"), 0);
}

TEST(Shutdown, ACloseBeforeTheStartUpRanLeavesStoredSettingsAndProjectAlone)
{
    AppFixture f;
    f.prepareInstalledMachine();
    f.fake.files.put("C:\\Work\\mine.prj", "the user's project");
    f.fake.settings.values["project"] = "C:\\Work\\mine.prj";
    f.fake.settings.writeOrder.clear();
    TEmbedded& app = f.make();
    app.FormActivate();
    app.FormClose();
    f.fake.timers.fire(1000);
    EXPECT_TRUE(f.fake.settings.writeOrder.empty());
    EXPECT_EQ(f.text("C:\\Work\\mine.prj"), "the user's project");
    EXPECT_TRUE(f.fake.dialogs.messages().empty());
    EXPECT_FALSE(f.fake.files.fileExists("C:\\pathset.bat"));
}

TEST(Shutdown, WithoutAProjectSaysSoOnceAndStoresTheNoProjectText)
{
    AppFixture f;
    f.prepareInstalledMachine();
    TEmbedded& app = f.start();
    app.FormClose();
    app.FormClose();
    EXPECT_EQ(f.fake.dialogs.messages(), (std::vector<std::string>{"No Project loaded"}));
    EXPECT_EQ(f.fake.settings.values["project"], "NO PROJECT LOADED");
    EXPECT_EQ(f.fake.settings.values["nec dir"], "C:\\Nec\\");
    EXPECT_EQ(app.statusBar().panel(5).text, "Saving Editor Files");
}

TEST(Shutdown, StoreFailureIsReportedAndTheCloseGoesOn)
{
    AppFixture f;
    f.prepareInstalledMachine();
    TEmbedded& app = f.start();
    f.fake.settings.failFlush = true;
    app.FormClose();
    EXPECT_EQ(f.fake.dialogs.messages(),
              (std::vector<std::string>{"No Project loaded", "Configuration not saved"}));
    EXPECT_TRUE(app.closing());
}

TEST(StatusBarModes, ViewMenuItemsSwitchTheModeAndKeepTheirMarks)
{
    AppFixture f;
    f.prepareInstalledMachine();
    TEmbedded& app = f.start();
    ControlSet& c = app.controls();
    c["ViewCompilerLine"].activate();
    EXPECT_EQ(app.statusBar().mode(), 2);
    EXPECT_EQ(app.statusBar().simpleText(), app.statusBar().panel(5).text);
    EXPECT_EQ(app.statusBar().simpleText(), " -C -e -g -v2");
    c["ViewLinkerLine"].activate();
    EXPECT_EQ(app.statusBar().mode(), 1);
    EXPECT_EQ(app.statusBar().simpleText(), app.statusBar().panel(6).text);
    c["ViewAll"].activate();
    EXPECT_EQ(app.statusBar().mode(), 0);
    EXPECT_FALSE(app.statusBar().simple());
    for (const char* item : {"ViewAll", "ViewLinkerLine", "ViewCompilerLine"})
        EXPECT_TRUE(c[item].checked()) << item;
}

TEST(DirSetupState, BrowseRulesDefaultsAndOk)
{
    AppFixture f;
    f.prepareInstalledMachine();
    TEmbedded& app = f.start();
    DirSetup setup(app);
    EXPECT_EQ(setup.fields()["Nec"].text(), "C:\\Nec\\");
    f.fake.dialogs.fileAnswers = {std::string("C:\\work"), std::string("C:\\work\\"), std::nullopt};
    setup.browse("SourceDir");
    setup.browse("WorkingDir");
    setup.fields()["Nec"].setText("Q:\\nowhere");
    setup.browse("Nec");  // cancelled
    EXPECT_EQ(setup.fields()["SourceDir"].text(), "C:\\work\\");
    EXPECT_EQ(setup.fields()["WorkingDir"].text(), "C:\\work");
    EXPECT_EQ(setup.fields()["Nec"].text(), "Q:\\nowhere");
    EXPECT_EQ(f.fake.dialogs.calls[2].request.initialFolder, "C:\\");
    // Browsing starts at the field's folder when it exists.
    EXPECT_EQ(f.fake.dialogs.calls[0].request.initialFolder, "C:\\Tarnel\\Source");
    setup.defaults();
    EXPECT_EQ(setup.fields()["ProjectFile"].text(), "D:\\soft\\default.prj");
    EXPECT_EQ(setup.fields()["Pelorus"].text(), "D:\\pelorus\\pelorus.exe");
    setup.ok();
    EXPECT_EQ(app.settings().directory, "D:\\");
    EXPECT_EQ(app.settings().compSource, "D:\\source");
    EXPECT_EQ(f.fake.settings.values["nec dir"], "D:\\nec");
    int topic = -1;
    app.onHelp = [&](int t) { topic = t; };
    setup.help();
    EXPECT_EQ(topic, 43);
}

TEST(DirSetupState, SetupMenuRewritesPathsetWhateverTheAnswer)
{
    AppFixture f;
    f.prepareInstalledMachine();
    TEmbedded& app = f.start();
    f.fake.files.removeFile("C:\\pathset.bat");
    app.runSetupDialog = [](DirSetup&) { return false; };
    app.controls()["Setup1"].activate();
    EXPECT_TRUE(f.fake.files.fileExists("C:\\pathset.bat"));
}

}  // namespace
