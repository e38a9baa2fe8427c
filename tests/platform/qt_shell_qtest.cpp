#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QThread>
#include <QUrl>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/paths/drive_map.h"
#include "platform/paths/transcript.h"
#include "platform/qt/qt_shell.h"
#include "platform/qt/qt_text.h"
#include "platform/qt/qt_timers.h"
#include "support/qt_runs.h"
#include "support/temp_prefix.h"
#include "support/host_files.h"

namespace fs = std::filesystem;

namespace
{

// Puts a folder of stand-in programs first on PATH, or makes PATH hold only that folder.
class ScopedPath
{
public:
    ScopedPath(const std::string& folder, bool only) : m_old(qgetenv("PATH"))
    {
        qputenv("PATH",
                only ? QByteArray::fromStdString(folder) : QByteArray::fromStdString(folder) + ":" + m_old);
    }
    ~ScopedPath() { qputenv("PATH", m_old); }

private:
    QByteArray m_old;
};

void writeScript(const fs::path& p, const std::string& body)
{
    fs::create_directories(p.parent_path());
    std::ofstream(p) << "#!/bin/sh\n" << body;
    fs::permissions(p, fs::perms::owner_all);
}

class QtShellTest : public ::testing::Test
{
protected:
    QString hostQ(const std::string& windows) const { return hostPathToQ(*map.toHost(windows)); }

    TempPrefix tmp;
    DriveMap map{tmp.path()};
    QtShell shell{map};
    std::string bin = tmp.path() + "/bin";
};

} // namespace

TEST_F(QtShellTest, AddressesGoToTheDesktop)
{
    for (const char* address : {"https://www.orvane.example/", "mailto:support@orvane.example"}) {
        const auto cmd = shell.commandFor(address, "", "", true);
        EXPECT_TRUE(cmd.program.isEmpty()) << address;
        EXPECT_EQ(cmd.document, QUrl(QString::fromLatin1(address)));
    }
    EXPECT_FALSE(QtShell::isAddress("C:\\Tarnel\\pathset.bat"));
    EXPECT_FALSE(QtShell::isAddress("c:pathset.bat"));
    EXPECT_FALSE(QtShell::isAddress("pathset.bat"));
}

TEST_F(QtShellTest, BatchFilesRunThroughTarnelBatch)
{
    fs::create_directories(tmp.driveC() + "/Tarnel");
    const QString runner = QDir(QCoreApplication::applicationDirPath()).filePath("tarnel-batch");
    fs::create_directories(bin);
    ScopedPath path(bin, true); // no terminal emulator

    for (bool shown : {false, true}) {
        const auto cmd = shell.commandFor("c:\\tarnel\\PATHSET.BAT", "", "C:\\Tarnel", shown);
        EXPECT_EQ(cmd.program, runner);
        EXPECT_EQ(cmd.arguments, QStringList{hostQ("C:\\Tarnel\\PATHSET.BAT")});
        EXPECT_EQ(cmd.workingFolder, hostQ("C:\\Tarnel"));
    }
}

TEST_F(QtShellTest, ShownBatchFilesOpenATerminal)
{
    writeScript(bin + "/xterm", "exit 0\n");
    ScopedPath path(bin, true);
    const QString runner = QDir(QCoreApplication::applicationDirPath()).filePath("tarnel-batch");

    const auto shown = shell.commandFor("C:\\My Dir\\ide.bat", "", "C:\\My Dir", true);
    EXPECT_EQ(shown.program, QString::fromStdString(bin + "/xterm"));
    EXPECT_EQ(shown.arguments, (QStringList{"-e", runner, hostQ("C:\\My Dir\\ide.bat")}));
    EXPECT_EQ(shell.commandFor("C:\\My Dir\\ide.bat", "", "C:\\My Dir", false).program, runner);
}

TEST_F(QtShellTest, WindowsProgramsRunThroughWineWithParametersAsWritten)
{
    writeHostFile(tmp.driveC() + "/Tools/prog.exe", "MZ\x90\0 a Windows program");
    writeScript(bin + "/wine", "exit 0\n");
    {
        ScopedPath path(bin, true);
        const auto cmd = shell.commandFor("C:\\Tools\\prog.exe", "-p \"C:\\a b\\out.a25\"", "C:\\Tools", true);
        EXPECT_EQ(cmd.program, QString::fromStdString(bin + "/wine"));
        EXPECT_EQ(cmd.arguments, (QStringList{hostQ("C:\\Tools\\prog.exe"), "-p", "C:\\a b\\out.a25"}));
    }
    ScopedPath noWine(tmp.path() + "/empty", true);
    const auto cmd = shell.commandFor("C:\\Tools\\prog.exe", "", "C:\\Tools", true);
    EXPECT_TRUE(cmd.program.isEmpty());
    EXPECT_TRUE(cmd.document.isEmpty());
    EXPECT_TRUE(cmd.failure.contains("wine")) << cmd.failure.toStdString();
}

TEST_F(QtShellTest, AWindowsProgramNameFindsTheNativeProgramBesideIt)
{
    // A native program named .exe runs as itself, not through wine.
    writeScript(tmp.driveC() + "/Nec/ASM/A78300/A78300", "exit 0\n");
    writeScript(tmp.driveC() + "/Tools/flash.exe", "exit 0\n");
    writeScript(bin + "/wine", "exit 0\n");
    ScopedPath path(bin, true);
    const auto asm78 = shell.commandFor("C:\\Nec\\asm\\A78300\\A78300.exe", "C:\\Tarnel\\Source\\main.s25 main",
                                        "C:\\Tarnel\\Source", false);
    EXPECT_EQ(asm78.program, hostQ("C:\\Nec\\ASM\\A78300\\A78300"));
    EXPECT_EQ(asm78.arguments, (QStringList{hostQ("C:\\Tarnel\\Source\\main.s25"), "main"}));
    EXPECT_EQ(shell.commandFor("C:\\Tools\\flash.exe", "", "", false).program, hostQ("C:\\Tools\\flash.exe"));
}

TEST_F(QtShellTest, ProgramsThatCannotStartSayWhyOnStandardError)
{
    writeHostFile(tmp.driveC() + "/Tools/noexec.sh", "#!/bin/sh\nexit 0\n");
    writeHostFile(tmp.driveC() + "/Tools/tool.exe", "not a program at all");
    const struct {
        const char* file;
        const char* reason;
    } rows[] = {
        {"C:\\Tools\\missing.exe", "no such file"},
        {"C:\\Tools\\noexec.sh", "not an executable program"},
        {"C:\\Tools\\tool.exe", "not an executable program"},
        {"Q:\\no drive\\tool.exe", "no such drive"},
        {"", "no program named"},
    };
    for (const auto& r : rows) {
        const auto cmd = shell.commandFor(r.file, "-x", "C:\\Tools", true);
        EXPECT_TRUE(cmd.program.isEmpty() && cmd.document.isEmpty()) << r.file;
        EXPECT_EQ(cmd.failure.toStdString(), r.reason) << r.file;
        ::testing::internal::CaptureStderr();
        shell.open(r.file, "-x", "C:\\Tools", true);
        const std::string err = ::testing::internal::GetCapturedStderr();
        EXPECT_EQ(err, std::string("Tarnel: cannot start ") + r.file + ": " + r.reason + "\n");
    }
    // A working folder that does not exist fails the start itself.
    writeScript(tmp.driveC() + "/Tools/ok", "exit 0\n");
    ::testing::internal::CaptureStderr();
    shell.open("C:\\Tools\\ok", "", "C:\\Tools\\gone", true);
    EXPECT_NE(::testing::internal::GetCapturedStderr().find("Tarnel: cannot start C:\\Tools\\ok: "), std::string::npos);
}

TEST_F(QtShellTest, ShownConsoleProgramsRunInATerminalThatWaitsAtTheEnd)
{
    const std::string console = std::string(TARNEL_BIN_DIR) + "/A78300";
    const std::string gui = hostPathFromQ(QCoreApplication::applicationFilePath()); // links Qt's GUI
    ASSERT_TRUE(fs::exists(console) && fs::exists(gui));
    EXPECT_TRUE(QtShell::isConsoleProgram(hostPathToQ(console)));
    EXPECT_FALSE(QtShell::isConsoleProgram(hostPathToQ(gui)));
    EXPECT_FALSE(QtShell::isConsoleProgram(hostPathToQ(tmp.path())));

    fs::create_directories(tmp.driveC() + "/Tools");
    fs::copy_file(console, tmp.driveC() + "/Tools/prog78k");
    writeScript(tmp.driveC() + "/Tools/launcher", "exit 0\n");
    writeScript(bin + "/xterm", "exit 0\n");
    ScopedPath path(bin, true);
    const auto shown = shell.commandFor("C:\\Tools\\prog78k.exe", "\"C:\\My Files\\a.a25\"", "C:\\Tools", true);
    EXPECT_EQ(shown.program, QString::fromStdString(bin + "/xterm"));
    ASSERT_EQ(shown.arguments.size(), 7);
    EXPECT_EQ(shown.arguments.mid(0, 3), (QStringList{"-e", "/bin/sh", "-c"}));
    EXPECT_TRUE(shown.arguments[3].contains("Press Enter"));
    EXPECT_EQ(shown.arguments.mid(4),
              (QStringList{"prog78k", hostQ("C:\\Tools\\prog78k"), hostQ("C:\\My Files\\a.a25")}));
    EXPECT_EQ(shown.workingFolder, hostQ("C:\\Tools"));
    // Hidden, or a script (it may open a window of its own): no terminal.
    EXPECT_EQ(shell.commandFor("C:\\Tools\\prog78k.exe", "", "", false).program, hostQ("C:\\Tools\\prog78k"));
    EXPECT_EQ(shell.commandFor("C:\\Tools\\launcher", "", "", true).program, hostQ("C:\\Tools\\launcher"));
}

TEST_F(QtShellTest, ARunKeptInATranscriptGoesThroughTheRunnerOrSaysWhyItDidNotStart)
{
    const std::string console = std::string(TARNEL_BIN_DIR) + "/A78300";
    fs::create_directories(tmp.driveC() + "/Tools");
    fs::copy_file(console, tmp.driveC() + "/Tools/prog78k");
    writeScript(bin + "/xterm", "exit 0\n");
    const QString runner = QCoreApplication::applicationDirPath() + "/tarnel-batch";
    const QString t = "--transcript=/tmp/t";
    const QStringList run{t, "--run", hostQ("C:\\Tools\\prog78k"), hostQ("C:\\a.a25")};
    {
        ScopedPath path(bin, true);
        const auto shown = shell.commandFor("C:\\Tools\\prog78k.exe", "C:\\a.a25", "C:\\Tools", true, "/tmp/t");
        EXPECT_EQ(shown.program, QString::fromStdString(bin + "/xterm"));
        EXPECT_EQ(shown.arguments.mid(4), QStringList{"prog78k"} << runner << run);
    }
    ScopedPath path(tmp.path() + "/none", true);
    const auto plain = shell.commandFor("C:\\Tools\\prog78k.exe", "C:\\a.a25", "C:\\Tools", true, "/tmp/t");
    EXPECT_EQ(plain.program, runner);
    EXPECT_EQ(plain.arguments, run);

    const std::string transcript = tmp.path() + "/missing.transcript";
    shell.transcribeNext(QString::fromStdString(transcript));
    ::testing::internal::CaptureStderr();
    shell.open("C:\\Tools\\absent.exe", "-x", "C:\\Tools", true);
    ::testing::internal::GetCapturedStderr();
    TranscriptDecoder decoder;
    const auto records = decoder.feed(readHostFile(transcript));
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0], (TranscriptRecord{TranscriptRecord::Kind::ProgramStarted, "C:\\Tools\\absent.exe -x", 0, 0}));
    EXPECT_EQ(records[1].data, "Tarnel: cannot start C:\\Tools\\absent.exe: no such file\n");
    EXPECT_EQ(records[2].kind, TranscriptRecord::Kind::Ended);
    EXPECT_EQ(records[2].status, 127);
}

TEST_F(QtShellTest, NativeProgramsGetHostPathsAndDocumentsOpenOnTheDesktop)
{
    writeScript(tmp.driveC() + "/Tools/editor", "exit 0\n");
    std::ofstream(tmp.driveC() + "/Tools/readme.txt") << "x";
    const auto editor = shell.commandFor("C:\\Tools\\editor", "\"C:\\Tarnel\\Source\\main.c\" -n", "", true);
    EXPECT_EQ(editor.program, hostQ("C:\\Tools\\editor"));
    EXPECT_EQ(editor.arguments, (QStringList{hostQ("C:\\Tarnel\\Source\\main.c"), "-n"}));

    const auto doc = shell.commandFor("C:\\Tools\\readme.txt", "", "", true);
    EXPECT_TRUE(doc.program.isEmpty());
    EXPECT_EQ(doc.document, QUrl::fromLocalFile(hostQ("C:\\Tools\\readme.txt")));

    const auto missingDrive = shell.commandFor("A:\\tool", "", "", true);
    EXPECT_TRUE(missingDrive.program.isEmpty());
    EXPECT_TRUE(missingDrive.document.isEmpty());
}

TEST_F(QtShellTest, OpenStartsTheProgramInItsFolderWithoutWaiting)
{
    const std::string out = tmp.driveC() + "/Work Dir/args.txt";
    writeScript(tmp.driveC() + "/Tools/record",
                "sleep 1\npwd > args.tmp\nprintf '%s\\n' \"$@\" >> args.tmp\nmv args.tmp args.txt\n");
    fs::create_directories(tmp.driveC() + "/Work Dir");

    shell.open("C:\\Tools\\record", "one \"C:\\Work Dir\\two.c\"", "C:\\Work Dir", false);
    EXPECT_FALSE(fs::exists(out)); // returned while the program still runs
    ASSERT_TRUE(waitFor([&] { return fs::exists(out); }));
    EXPECT_EQ(readHostFile(out), fs::canonical(tmp.driveC() + "/Work Dir").string() + "\none\n" +
                           *map.toHost("C:\\Work Dir\\two.c") + "\n");
}

TEST(QtTimers, FireOnceUnlessCancelled)
{
    QtTimers timers;
    std::vector<int> fired;
    timers.startOnce(20, [&] { fired.push_back(1); });
    const auto cancelled = timers.startOnce(10, [&] { fired.push_back(2); });
    timers.startOnce(0, [&] {
        fired.push_back(3);
        timers.startOnce(5, [&] { fired.push_back(4); });
    });
    timers.cancel(cancelled);
    timers.cancel(9999);
    EXPECT_TRUE(waitFor([&] { return fired.size() == 3; }));
    EXPECT_TRUE(waitFor([&] { return timers.pendingCount() == 0; }));
    QThread::msleep(30);
    QCoreApplication::processEvents();
    EXPECT_EQ(fired, (std::vector<int>{3, 4, 1}));
}
