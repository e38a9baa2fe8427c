// Starts the real program, types into a new window, kills it with SIGKILL, starts it again and
// restores the text from its recovery copy.
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "editor/recovery_copy.h"
#include "linker/compose_linker_line.h"
#include "support/host_files.h"
#include "support/process_wait.h"
#include "support/temp_prefix.h"

namespace fs = std::filesystem;

namespace {

struct RecoveryAfterKill : ::testing::Test {
    RecoveryAfterKill()
    {
        fs::create_directories(home / ".config");
        fs::create_directories(c / "Tarnel" / "Source");
        fs::create_directories(c / "Nec" / "C" / "include");
        for (const char* name : DefaultCommandFiles)
            std::ofstream(c / "Tarnel" / "Source" / (std::string(name) + ".xcl")) << "-Z(CODE)CODE=1000-7FFF\r\n";
    }

    pid_t start(const std::map<std::string, std::string>& env)
    {
        const pid_t pid = fork();
        if (pid == 0) {
            setenv("HOME", home.c_str(), 1);
            setenv("XDG_CONFIG_HOME", (home / ".config").c_str(), 1);
            setenv("XDG_DATA_HOME", (home / ".local" / "share").c_str(), 1);
            setenv("QT_QPA_PLATFORM", "offscreen", 1);
            for (const auto& [name, value] : env)
                setenv(name.c_str(), value.c_str(), 1);
            if (FILE* err = freopen((fs::path(prefix.path()) / "stderr.txt").c_str(), "w", stderr))
                (void)err;
            const std::string program = std::string(TARNEL_BIN_DIR) + "/tarnel";
            execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        return pid;
    }

    // The readable copies in the recovery folder, by name.
    std::map<std::string, RecoveryCopy> copies() const
    {
        std::map<std::string, RecoveryCopy> out;
        std::error_code ec;
        for (const auto& entry : fs::directory_iterator(recovery, ec))
            if (auto copy = parseRecoveryCopy(entry.path().filename().string(), readHostFile(entry.path().string())))
                out[copy->name] = *copy;
        return out;
    }

    TempPrefix prefix;
    const fs::path c = prefix.driveC();
    const fs::path home = fs::path(prefix.path()) / "home";
    const fs::path recovery = home / ".local" / "share" / "Orvane" / "Tarnel" / "recovery";
};

TEST_F(RecoveryAfterKill, TextTypedBeforeSigkillIsOfferedAndRestoredAtTheNextStart)
{
    const std::string typed = "int typed_before_kill;";
    const pid_t first = start({{"TARNEL_TEST_TYPE", typed}});
    ASSERT_GT(first, 0);
    const bool copied = waitFor(
        [&] {
            const auto now = copies();
            return now.size() == 1 && now.begin()->second.text == typed;
        },
        std::chrono::seconds(60));
    kill(first, SIGKILL);
    int status = 0;
    waitpid(first, &status, 0);
    ASSERT_TRUE(copied) << readHostFile((fs::path(prefix.path()) / "stderr.txt").string());
    const std::string killedCopy = copies().begin()->first;
    EXPECT_EQ(copies().begin()->second.original, "");

    // Restore opens the text in a window, whose own copy replaces the old one; at the SIGTERM
    // the window cannot be named, so its text stays for the start after.
    const pid_t second = start({{"TARNEL_TEST_PRESS", "Restore"}});
    ASSERT_GT(second, 0);
    const bool restored = waitFor(
        [&] {
            const auto now = copies();
            return now.size() == 1 && now.begin()->first != killedCopy && now.begin()->second.text == typed;
        },
        std::chrono::seconds(60));
    kill(second, SIGTERM);
    const bool ended = waitFor([&] { return waitpid(second, &status, WNOHANG) == second; }, std::chrono::seconds(30));
    if (!ended) {
        kill(second, SIGKILL);
        waitpid(second, &status, 0);
    }
    ASSERT_TRUE(restored) << readHostFile((fs::path(prefix.path()) / "stderr.txt").string());
    EXPECT_TRUE(ended);
    const auto left = copies();
    ASSERT_EQ(left.size(), 1u);
    EXPECT_EQ(left.begin()->second.text, typed);
    // No lock of a running Tarnel is left behind.
    for (const auto& entry : fs::directory_iterator(recovery))
        EXPECT_NE(entry.path().extension(), ".lock") << entry.path();
}

}  // namespace
