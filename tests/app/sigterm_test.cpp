// Starts the real program, lets its start-up finish, sends SIGTERM and checks what it wrote.
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "app/start_up.h"
#include "linker/compose_linker_line.h"
#include "support/temp_prefix.h"
#include "support/host_files.h"

namespace fs = std::filesystem;

namespace {

bool waitFor(const std::function<bool()>& done, std::chrono::seconds limit)
{
    const auto end = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < end) {
        if (done())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return done();
}

TEST(SessionEnd, SigtermRunsTheNormalShutdownAndExitsZero)
{
    TempPrefix prefix;
    const fs::path c = prefix.driveC();
    const fs::path home = fs::path(prefix.path()) / "home";
    fs::create_directories(home / ".config");
    fs::create_directories(c / "Tarnel" / "Source");
    fs::create_directories(c / "Nec" / "C" / "include");
    for (const char* name : DefaultCommandFiles)
        std::ofstream(c / "Tarnel" / "Source" / (std::string(name) + ".xcl")) << "-Z(CODE)CODE=1000-7FFF\r\n";
    const fs::path errFile = fs::path(prefix.path()) / "stderr.txt";

    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
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
    const bool started = waitFor([&] { return fs::exists(c / "pathset.bat"); }, std::chrono::seconds(30));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    kill(pid, SIGTERM);
    int status = 0;
    const bool ended = waitFor([&] { return waitpid(pid, &status, WNOHANG) == pid; }, std::chrono::seconds(30));
    if (!ended) {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
    }
    ASSERT_TRUE(started) << readHostFile(errFile.string());
    ASSERT_TRUE(ended);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);

    const std::string settings = readHostFile((home / ".config" / "Orvane" / "Tarnel.conf").string());
    EXPECT_NE(settings.find("Project=NO PROJECT LOADED"), std::string::npos) << settings;
    EXPECT_NE(settings.find("\nNec Dir=C:\\Nec\\\n"), std::string::npos) << settings;
    EXPECT_NE(settings.find("\nUse Ed=1\n"), std::string::npos) << settings;
    EXPECT_NE(readHostFile(errFile.string()).find("No Project loaded"), std::string::npos);
}

// A box whose text is huge must not keep the program from its shutdown.
TEST(SessionEnd, SigtermDuringABoxWithAHugeTextStillSavesAndExits)
{
    TempPrefix prefix;
    const fs::path home = fs::path(prefix.path()) / "home";
    fs::create_directories(home / ".config" / "Orvane");
    const std::string hugeDir = "C:\\" + std::string(10 * 1024 * 1024, 'x');
    // The compile directory is missing, so the start-up tells so in a box holding its name.
    std::ofstream(home / ".config" / "Orvane" / "Tarnel.conf")
        << "[General]\nDirectory=C:\\\nComp Source=" << hugeDir << "\n";
    const fs::path errFile = fs::path(prefix.path()) / "stderr.txt";

    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
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
    // The box comes up after the start-up timer; give it time to be laid out.
    std::this_thread::sleep_for(std::chrono::seconds(4));
    kill(pid, SIGTERM);
    int status = 0;
    const bool ended = waitFor([&] { return waitpid(pid, &status, WNOHANG) == pid; }, std::chrono::seconds(30));
    if (!ended) {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
    }
    ASSERT_TRUE(ended) << "SIGTERM was not answered";
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    const std::string settings = readHostFile((home / ".config" / "Orvane" / "Tarnel.conf").string());
    EXPECT_NE(settings.find("\nComp Source=" + hugeDir + "\n"), std::string::npos);
    EXPECT_NE(settings.find("Directory=C:\\\n"), std::string::npos) << settings.substr(0, 300);
}

}  // namespace
