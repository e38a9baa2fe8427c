// Starts the real program, sends SIGTERM and checks what it wrote.
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "app/start_up.h"
#include "app/tembedded.h"
#include "build/compiler_options.h"
#include "linker/compose_linker_line.h"
#include "linker/linker_options.h"
#include "platform/fake/fake_host.h"
#include "project/project_file.h"
#include "support/host_files.h"
#include "support/process_wait.h"
#include "support/temp_prefix.h"

namespace fs = std::filesystem;

namespace {

// Starts build/bin/tarnel offscreen with its own home; its standard error goes to errFile.
pid_t startTarnel(const fs::path& home, const fs::path& errFile)
{
    const pid_t pid = fork();
    if (pid == 0) {
        setenv("HOME", home.c_str(), 1);
        setenv("XDG_CONFIG_HOME", (home / ".config").c_str(), 1);
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        if (FILE* err = freopen(errFile.c_str(), "w", stderr))
            (void)err;
        const std::string program = std::string(TARNEL_BIN_DIR) + "/tarnel";
        execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    return pid;
}

// Sends SIGTERM and waits for the end; a program that does not answer is killed. Whether it ended.
bool terminate(pid_t pid, int& status)
{
    kill(pid, SIGTERM);
    const bool ended = waitFor([&] { return waitpid(pid, &status, WNOHANG) == pid; }, std::chrono::seconds(30));
    if (!ended) {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
    }
    return ended;
}

// An installed machine in a temporary prefix, and the program started on it.
class SessionEnd : public ::testing::Test {
protected:
    SessionEnd()
    {
        fs::create_directories(home / ".config");
        fs::create_directories(c / "Tarnel" / "Source");
        fs::create_directories(c / "Nec" / "C" / "include");
        for (const char* name : DefaultCommandFiles)
            std::ofstream(c / "Tarnel" / "Source" / (std::string(name) + ".xcl")) << "-Z(CODE)CODE=1000-7FFF\r\n";
    }

    void start()
    {
        pid = startTarnel(home, errFile);
        ASSERT_GE(pid, 0);
    }

    // Waits for the start-up to reach pathset.bat, lets it go on a little, then SIGTERM.
    void terminateAfterPathset()
    {
        started = waitFor([&] { return fs::exists(c / "pathset.bat"); }, std::chrono::seconds(30));
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        ended = terminate(pid, status);
    }

    std::string settings() const { return readHostFile((home / ".config" / "Orvane" / "Tarnel.conf").string()); }
    std::string errors() const { return readHostFile(errFile.string()); }

    TempPrefix prefix;
    const fs::path c = prefix.driveC();
    const fs::path home = fs::path(prefix.path()) / "home";
    const fs::path errFile = fs::path(prefix.path()) / "stderr.txt";
    pid_t pid = -1;
    int status = 0;
    bool started = false;
    bool ended = false;
};

TEST_F(SessionEnd, SigtermRunsTheNormalShutdownAndExitsZero)
{
    start();
    terminateAfterPathset();
    ASSERT_TRUE(started) << errors();
    ASSERT_TRUE(ended);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);

    const std::string stored = settings();
    EXPECT_NE(stored.find("Project=NO PROJECT LOADED"), std::string::npos) << stored;
    EXPECT_NE(stored.find("\nNec Dir=C:\\Nec\\\n"), std::string::npos) << stored;
    EXPECT_NE(stored.find("\nUse Ed=1\n"), std::string::npos) << stored;
    EXPECT_NE(errors().find("No Project loaded"), std::string::npos);
}

TEST_F(SessionEnd, SigtermDuringAStartUpBoxEndsTheStartUpThere)
{
    // A project whose listing has no name: its load stops at a box that nobody answers.
    FakeHost fake;
    TEmbedded writer(fake.host);
    writer.compiler().DefaultsClick();
    writer.linker().LinkDefsClick();
    ControlSet& w = writer.controls();
    w["GLF"].setChecked(true);
    w["SourceNames"].setChecked(false);
    w["ListFile"].setText("");
    w["ProjectListBox"].setEntries({"C:\\Work\\main.c"});
    writer.project().ComposeProject();
    writeHostFile((c / "Work" / "list.prj").string(), joinLines(writer.prolist()));
    writeHostFile((c / "Work" / "main.c").string(), "int main(void) { return 0; }\n");
    writeHostFile((home / ".config" / "Orvane" / "Tarnel.conf").string(),
                  "[General]\nProject=C:\\Work\\list.prj\n");

    start();
    terminateAfterPathset();
    ASSERT_TRUE(started) << errors();
    ASSERT_TRUE(ended);
    EXPECT_TRUE(WIFEXITED(status));

    EXPECT_NE(settings().find("Project=C:\\Work\\list.prj\n"), std::string::npos) << settings();
    // The shutdown saved the project; the interrupted load did not go on to the build files.
    EXPECT_EQ(splitLines(readHostFile((c / "Work" / "list.prj").string())).size(), writer.prolist().size());
    EXPECT_FALSE(fs::exists(c / "Tarnel" / "Source" / "ide.bat")) << errors();
    EXPECT_FALSE(fs::exists(c / "Tarnel" / "Source" / "main.c"));
}

// Long work at start-up asks for a pending SIGTERM as it goes: clearing and making again the
// copies of a large project's sources, and filling an editor window with a large file.
TEST_F(SessionEnd, SigtermDuringLongStartUpWorkIsAnsweredAndSavesTheSettings)
{
    const fs::path source = c / "Tarnel" / "Source";
    const struct {
        const char* what;
        int sources;            // in the project; their copies are there from a last start
        std::size_t fileBytes;  // of the file the start-up opens again; 0 for none
    } rows[] = {
        {"second start of 10,000 sources", 10000, 0},
        {"a 20 MB file opened again", 0, 20u << 20},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.what);
        fs::remove_all(c / "Work");
        std::string settingsText = "[General]\n";
        if (r.sources > 0) {
            FakeHost fake;
            TEmbedded writer(fake.host);
            writer.compiler().DefaultsClick();
            writer.linker().LinkDefsClick();
            std::vector<std::string> entries;
            for (int i = 0; i < r.sources; ++i) {
                const std::string name = "s" + std::to_string(i) + ".c";
                writeHostFile((c / "Work" / name).string(), "int x;\n");
                writeHostFile((source / name).string(), "int x;\n");
                entries.push_back("C:\\Work\\" + name);
            }
            writer.controls()["ProjectListBox"].setEntries(entries);
            writer.project().ComposeProject();
            writeHostFile((c / "Work" / "big.prj").string(), joinLines(writer.prolist()));
            settingsText += "Project=C:\\Work\\big.prj\n";
        }
        if (r.fileBytes > 0) {
            std::string text;
            while (text.size() < r.fileBytes)
                text += "    value = compute(table, 12345);\r\n";
            writeHostFile((c / "Work" / "big.c").string(), text);
            settingsText += "Reload=1\nC file=C:\\Work\\big.c\n";
        }
        writeHostFile((home / ".config" / "Orvane" / "Tarnel.conf").string(), settingsText);

        start();
        // The signal comes while the project's copies are cleared, or the file is filled in.
        started = waitFor([&] { return fs::exists(c / "pathset.bat"); }, std::chrono::seconds(60));
        if (r.sources > 0)
            waitFor([&] { return !fs::exists(source / ("s" + std::to_string(r.sources - 1) + ".c")); },
                    std::chrono::seconds(60));
        ended = terminate(pid, status);
        ASSERT_TRUE(started) << errors();
        ASSERT_TRUE(ended) << "SIGTERM was not answered";
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 0);
        EXPECT_NE(settings().find("\nNec Dir=C:\\Nec\\\n"), std::string::npos) << settings().substr(0, 300);
        fs::remove(c / "pathset.bat");
    }
}

// A box whose text is huge must not keep the program from its shutdown.
TEST(SessionEndHugeBox, SigtermDuringABoxWithAHugeTextStillSavesAndExits)
{
    TempPrefix prefix;
    const fs::path home = fs::path(prefix.path()) / "home";
    fs::create_directories(home / ".config" / "Orvane");
    const std::string hugeDir = "C:\\" + std::string(10 * 1024 * 1024, 'x');
    // The compile directory is missing, so the start-up tells so in a box holding its name.
    std::ofstream(home / ".config" / "Orvane" / "Tarnel.conf")
        << "[General]\nDirectory=C:\\\nComp Source=" << hugeDir << "\n";
    const fs::path errFile = fs::path(prefix.path()) / "stderr.txt";

    const pid_t pid = startTarnel(home, errFile);
    ASSERT_GE(pid, 0);
    // The box comes up after the start-up timer; give it time to be laid out.
    std::this_thread::sleep_for(std::chrono::seconds(4));
    int status = 0;
    const bool ended = terminate(pid, status);
    ASSERT_TRUE(ended) << "SIGTERM was not answered";
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    const std::string settings = readHostFile((home / ".config" / "Orvane" / "Tarnel.conf").string());
    EXPECT_NE(settings.find("\nComp Source=" + hugeDir + "\n"), std::string::npos);
    EXPECT_NE(settings.find("Directory=C:\\\n"), std::string::npos) << settings.substr(0, 300);
}

}  // namespace
