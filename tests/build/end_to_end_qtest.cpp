// The whole road of a build on the real file system: the demo installed into a temporary
// prefix, Tarnel's start-up on it, "Build All" through tarnel-batch and the stand-in
// toolchain, and the end check's verdict; the assembler and the stand-in programmer started as
// the shell would start them. Also the installer's promise to add only what is missing.
#include <gtest/gtest.h>

#include <QProcess>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "app/tembedded.h"
#include "build/build_run.h"
#include "demo_installer.h"
#include "linker/command_file_editor.h"
#include "linker/command_file_wizard.h"
#include "linker/linker_options.h"
#include "platform/fake/fake_host.h"
#include "platform/paths/drive_map.h"
#include "platform/paths/win_path.h"
#include "platform/qt/qt_clock.h"
#include "platform/qt/qt_files.h"
#include "platform/qt/qt_shell.h"
#include "project/project_file.h"
#include "tools/tool_runner.h"
#include "support/qt_runs.h"
#include "support/temp_prefix.h"
#include "support/host_files.h"

namespace fs = std::filesystem;

namespace
{

const std::string kTarget = "C:\\Tarnel\\Source\\aout.a25";

// Starts batch files the way QtShell does (tarnel-batch, the working folder mapped), except
// that they run when the test says so: a real build process runs some time after its start.
class BatchShell : public Shell
{
public:
    explicit BatchShell(const DriveMap& map) : m_map(map) {}

    void open(const std::string& file, const std::string& parameters, const std::string& folder,
              bool shown) override
    {
        calls.push_back({file, parameters, folder, shown});
        if (winpath::equalsNoCase(winpath::extension(file), ".bat"))
            m_pending.push_back({file, folder});
    }

    // Runs a started program the way the real shell would, without a window; its output.
    std::string runCall(const FakeShell::Call& call, int* exitCode = nullptr) const
    {
        const QtShell shell(m_map);
        const QtShell::Command cmd = shell.commandFor(call.file, call.parameters, call.folder, false);
        if (cmd.program.isEmpty())
            return "not started: " + cmd.failure.toStdString();
        QProcess process;
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.setWorkingDirectory(cmd.workingFolder);
        process.start(cmd.program, cmd.arguments);
        process.waitForFinished(60000);
        if (exitCode)
            *exitCode = process.exitCode();
        return process.readAll().toStdString();
    }

    std::vector<FakeShell::Call> calls;

    // Runs every started batch file to its end; hands back what they printed.
    std::string runPending()
    {
        std::string output;
        for (const auto& [file, folder] : m_pending)
            output += runBatchFile(m_map, file, folder);
        m_pending.clear();
        return output;
    }

private:
    const DriveMap& m_map;
    std::vector<std::pair<std::string, std::string>> m_pending;
};

class DemoTest : public ::testing::Test
{
protected:
    bool install()
    {
        DemoInstaller installer(map, settings, {TARNEL_BIN_DIR, std::string(TARNEL_SOURCE_DIR) + "/demo"});
        const bool ok = installer.run();
        report.clear();
        for (const std::string& line : installer.report())
            report += line + "\n";
        return ok;
    }
    std::string host(const std::string& windowsPath) const { return map.toHost(windowsPath).value(); }

    TempPrefix prefix;
    DriveMap map{prefix.path()};
    FakeSettingsStore settings;
    std::string report;
};

// Tarnel over the real files of the prefix, a real clock and batch files that really run;
// dialogs and timers stay scripted.
class EndToEndTest : public DemoTest
{
protected:
    void start()
    {
        app.FormActivate();
        ASSERT_TRUE(timers.fire(1000));
    }
    // "Build All", the build process, then the check five seconds later.
    std::string buildAll(bool waitForNextFileTimeStep = false)
    {
        app.controls()["BuildAll1"].activate();
        if (waitForNextFileTimeStep) {
            // File times count in two-second steps: the target must land in a step after the start.
            const std::int64_t start = app.buildRun().startMs();
            const std::int64_t nextStep = start - start % 2000 + 2000;
            while (clock.nowMs() < nextStep + 100)
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        batchOutput = shell.runPending();
        EXPECT_TRUE(timers.fire(BuildRun::CompileTimerMs));
        return app.statusBar().panel(5).text;
    }

    FakeDialogs dialogs;
    BatchShell shell{map};
    FakeBeeper beeper;
    QtClock clock;
    FakeTimers timers;
    QtFiles files{map};
    Host hostBundle{dialogs, shell, beeper, clock, timers, settings, files, "C:\\Program Files\\Tarnel\\"};
    TEmbedded app{hostBundle};
    std::string batchOutput;
};

} // namespace

TEST_F(EndToEndTest, BuildsTheSampleAndReportsTheFaultyProjectsFailure)
{
    ASSERT_TRUE(install()) << report;
    start();
    // A complete demo raises no start-up warning (compile directory, command files, NEC folder).
    EXPECT_TRUE(dialogs.messages().empty()) << dialogs.messages().front();
    ASSERT_TRUE(app.projectLoaded());
    EXPECT_EQ(app.settings().project, DemoInstaller::SampleProject);
    EXPECT_TRUE(fs::exists(host("C:\\Tarnel\\pathset.bat")));
    EXPECT_TRUE(fs::exists(host("C:\\Tarnel\\Source\\io78320.h"))) << "start-up copies the headers";

    // The project's default linker line, with the command file it names, is what xlink gets.
    const std::string linkerLine = app.linker().ComposeLinkerLine();
    EXPECT_NE(linkerLine.find("-f LK7832SL"), std::string::npos) << linkerLine;
    EXPECT_EQ(buildAll(), "Created " + kTarget) << batchOutput;
    EXPECT_NE(readHostFile(host("C:\\Tarnel\\Source\\ide.bat")).find("xlink main.R25 util.R25 " + linkerLine),
              std::string::npos);
    EXPECT_TRUE(fs::exists(host("C:\\Tarnel\\Source\\out.map")));
    EXPECT_TRUE(app.controls()["ViewList"].enabled());
    EXPECT_TRUE(app.controls()["ViewCompilerList"].enabled());

    EXPECT_EQ(buildAll(true), "Updated " + kTarget) << batchOutput;

    ASSERT_TRUE(app.project().load(DemoInstaller::FaultyProject));
    EXPECT_EQ(buildAll(), "Compile failed " + kTarget) << batchOutput;
    const std::string listing = readHostFile(host("C:\\Tarnel\\Source\\main.lst"));
    EXPECT_NE(listing.find("\"main.c\",17"), std::string::npos) << listing;
    EXPECT_NE(listing.find("Error["), std::string::npos) << listing;
    EXPECT_TRUE(dialogs.messages().empty()) << dialogs.messages().front();
}

TEST_F(EndToEndTest, AssemblesTheDemoSourceAndProgramsTheBuiltTarget)
{
    ASSERT_TRUE(install()) << report;
    start();
    ControlSet& c = app.controls();
    EXPECT_EQ(c["Prgm"].caption(), "prog78k (stand-in)");
    EXPECT_TRUE(c["ToolButton9"].enabled());

    dialogs.fileAnswers.push_back(std::string("C:\\Tarnel\\Sample\\boot.s25"));
    c["AsmFile1"].activate();
    c["GLF"].setChecked(true);
    c["SourceNames"].setChecked(true);
    c["Assemble1"].activate();
    ASSERT_EQ(shell.calls.size(), 1u);
    int exitCode = -1;
    const std::string assembled = shell.runCall(shell.calls[0], &exitCode);
    EXPECT_EQ(exitCode, 0) << assembled;
    EXPECT_NE(readHostFile(host("C:\\Tarnel\\Source\\boot.r25")).find("PUBLIC reset_entry CODE"),
              std::string::npos);
    EXPECT_NE(readHostFile(host("C:\\Tarnel\\Source\\boot.lst")).find("Errors: none"), std::string::npos);

    EXPECT_EQ(buildAll(), "Created " + kTarget) << batchOutput;
    EXPECT_FALSE(c["Prgm"].enabled()); // a build holds it back until the menu opens on its target
    app.toolRunner().ProgrammingClick();
    EXPECT_TRUE(c["Prgm"].enabled());
    c["Prgm"].activate();
    const FakeShell::Call& run = shell.calls.back();
    EXPECT_EQ(run.file, "C:\\Tarnel\\Programmer\\prog78k.exe");
    EXPECT_EQ(run.folder, "C:\\Tarnel\\Programmer\\");
    const std::string programmed = shell.runCall(run, &exitCode);
    EXPECT_EQ(exitCode, 0) << programmed;
    for (const char* text : {"Asked to load  : C:\\Tarnel\\Source\\aout.a25", "Motorola S-records",
                             "The target holds"})
        EXPECT_NE(programmed.find(text), std::string::npos) << text << "\n" << programmed;
}

TEST_F(DemoTest, FirstRunInstallsTheToolsDemoAndSettings)
{
    ASSERT_TRUE(install()) << report;
    for (const char* tool :
         {"C:\\Nec\\ASM\\A78300\\A78300", "C:\\Nec\\ASM\\XL\\xlink", "C:\\Nec\\C\\ICC78300\\icc78300"}) {
        const fs::perms p = fs::status(host(tool)).permissions();
        EXPECT_NE(p & fs::perms::owner_exec, fs::perms::none) << tool;
    }
    for (const char* file :
         {"C:\\Nec\\tarnel-demo.txt", "C:\\Nec\\C\\INCLUDE\\stdio.h", "C:\\Nec\\C\\LIB\\CL7832S.r25",
          "C:\\Tarnel\\Source\\LK7832LH.xcl", "C:\\Tarnel\\Sample\\util.h", "C:\\Tarnel\\Faulty\\main.c",
          "C:\\Tarnel\\faulty.prj", "C:\\Tarnel\\Sample\\boot.s25", "C:\\Tarnel\\Programmer\\prog78k",
          "C:\\Tarnel\\Programmer\\prog78k.ini"})
        EXPECT_TRUE(fs::exists(host(file))) << file;
    const std::pair<const char*, const char*> expected[] = {{"Directory", "C:\\Tarnel\\"},
                                                            {"Comp Source", "C:\\Tarnel\\Source"},
                                                            {"Nec Dir", "C:\\Nec"},
                                                            {"Project", "C:\\Tarnel\\sample.prj"},
                                                            {"Target", "1"},
                                                            {"Progress", "0"},
                                                            {"PTCount", "1"},
                                                            {"PTools0", "prog78k (stand-in)"},
                                                            {"PTNames0", "C:\\Tarnel\\Programmer\\prog78k.exe"},
                                                            {"Programming Tool", "C:\\Tarnel\\Programmer\\prog78k.exe"}};
    for (const auto& [name, value] : expected)
        EXPECT_EQ(settings.read(name).value_or("<none>"), value) << name;
    EXPECT_NE(report.find("Added to C:\\Tarnel: sample.prj faulty.prj"), std::string::npos) << report;
}

TEST_F(DemoTest, SecondRunKeepsTheUsersFilesAndSettingsAndRefreshesOurTools)
{
    ASSERT_TRUE(install()) << report;
    const std::string mine = "/* my own changes */\nvoid main(void) {}\n";
    writeHostFile(host("C:\\Tarnel\\Sample\\main.c"), mine);
    writeHostFile(host("C:\\Tarnel\\sample.prj"), "my project\r\n");
    writeHostFile(host("C:\\Nec\\ASM\\XL\\xlink"), "an old stand-in");
    fs::remove(host("C:\\Tarnel\\Faulty\\main.c"));
    settings.values.clear();
    settings.write("Directory", "C:\\Mine\\");
    settings.write("Project", "C:\\Mine\\mine.prj");
    const auto before = settings.values;

    ASSERT_TRUE(install()) << report;
    EXPECT_EQ(readHostFile(host("C:\\Tarnel\\Sample\\main.c")), mine);
    EXPECT_EQ(readHostFile(host("C:\\Tarnel\\sample.prj")), "my project\r\n");
    EXPECT_EQ(settings.values, before);
    EXPECT_EQ(readHostFile(host("C:\\Nec\\ASM\\XL\\xlink")), readHostFile(std::string(TARNEL_BIN_DIR) + "/xlink"));
    EXPECT_TRUE(fs::exists(host("C:\\Tarnel\\Faulty\\main.c"))) << "a missing demo file comes back";
    EXPECT_NE(report.find("Updated the stand-in tool C:\\Nec\\ASM\\XL\\xlink"), std::string::npos) << report;
    EXPECT_NE(report.find("left as they are"), std::string::npos) << report;

    ASSERT_TRUE(install()) << report;
    EXPECT_NE(report.find("already installed"), std::string::npos) << report;
}

TEST_F(DemoTest, LeavesANecFolderItDidNotMakeAlone)
{
    const std::string users = prefix.driveC() + "/NEC/C/ICC78300";
    fs::create_directories(users);
    writeHostFile(users + "/icc78300", "the real compiler");

    ASSERT_TRUE(install()) << report;
    EXPECT_EQ(readHostFile(users + "/icc78300"), "the real compiler");
    EXPECT_FALSE(fs::exists(prefix.driveC() + "/NEC/ASM"));
    EXPECT_FALSE(fs::exists(prefix.driveC() + "/NEC/tarnel-demo.txt"));
    EXPECT_TRUE(fs::exists(host("C:\\Tarnel\\sample.prj")));
    EXPECT_NE(report.find("did not install"), std::string::npos) << report;
}

TEST_F(EndToEndTest, ACommandFileMadeByTheWizardLinksTheSample)
{
    ASSERT_TRUE(install()) << report;
    start();
    ControlSet& c = app.controls();
    ASSERT_EQ(c["LinkerCmdfile"].text(), "LK7832SL");
    app.commandFileWizard().runEditor = [this](TCommandFileEd& ed) {
        ed.FormActivate();
        EXPECT_FALSE(ed.CommandFile().empty()) << "the default command file is shown";
        ControlSet& f = ed.fields();
        const std::vector<std::tuple<const char*, std::vector<const char*>, const char*, const char*>> lines = {
            {"CODE", {"INTVEC", "RCODE", "CODE", "CONST"}, "0000", "7FFF"},
            {"DATA", {"DATA", "CSTACK"}, "FD00", "FEFF"},
        };
        for (const auto& [type, segments, lower, upper] : lines) {
            f["SegType"].setText(type);
            for (const char* name : segments) {
                f["Segmentname"].setText(name);
                ed.AddSegClick();
            }
            f["StartMem"].setText(lower);
            f["EndMem"].setText(upper);
            ed.AcceptSegsClick();
        }
        f["PWBox"].setText("Small");
        ed.DefaultsBtnClick();
        ed.SpeedButton2Click();
        dialogs.fileAnswers = {std::string("C:\\Tarnel\\Source\\blink.xcl")};
        ed.SaveFileClick();
        return true;
    };
    c["WizardBtn"].activate();
    EXPECT_EQ(c["LinkerCmdfile"].text(), "blink");
    EXPECT_EQ(readHostFile(host("C:\\Tarnel\\Source\\blink.xcl")),
              " -c78300\r\n-Z(CODE)INTVEC,RCODE,CODE,CONST=0000-7FFF\r\n-Z(DATA)DATA,CSTACK=FD00-FEFF\r\n"
              " -e_Small_write=_formatted_write\r\n-C CL7832S\r\n");

    // The file carries the library; the pages must not give it a second time.
    c["User"].setChecked(true);
    c["LibraryFiles"].setEntries({});
    EXPECT_EQ(buildAll(), "Created " + kTarget) << batchOutput;
    const std::string map = readHostFile(host("C:\\Tarnel\\Source\\out.map"));
    for (const char* text : {"Command file  : blink.xcl", "CL7832S.r25", "Errors: none"})
        EXPECT_NE(map.find(text), std::string::npos) << text << "\n" << map;
    EXPECT_TRUE(dialogs.messages().empty()) << dialogs.messages().front();
}
