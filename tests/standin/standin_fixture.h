#pragma once
// Runs the built stand-in tools (icc78300, xlink, A78300, prog78k) in a temporary compile directory.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/temp_prefix.h"
#include "support/host_files.h"

namespace standin_test
{

namespace fs = std::filesystem;

struct ToolRun {
    int exitCode = -1;
    std::string out;
};

using Args = std::vector<std::string>;

inline const Args kDefaults = {"-C", "-e", "-g", "-v2"};
// Tarnel's default linker line, with the list file turned on.
inline const Args kLinkLine = {"main.R25", "util.R25", "cstartup.r25", "watchdog.r25", "-c78300", "-FMOTOROLA",
                        "-f",       "LK7832SL", "-l",           "out.map",      "-C",      "CL7832S"};

inline Args operator+(Args a, const Args& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

inline int count(const std::string& text, const std::string& what)
{
    int n = 0;
    for (std::size_t p = text.find(what); p != std::string::npos; p = text.find(what, p + 1))
        ++n;
    return n;
}

class StandinTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_dir = m_prefix.driveC() + "/Tarnel/Source";
        fs::create_directories(m_dir);
        for (const char* tool : {"icc78300", "xlink", "A78300", "prog78k"})
            ASSERT_TRUE(fs::exists(std::string(TARNEL_BIN_DIR) + "/" + tool)) << tool << " is not built";
    }

    // Runs a tool with the compile directory as its current folder; stdout is captured.
    ToolRun run(const std::string& tool, const Args& args) const
    {
        int pipeFds[2];
        if (pipe(pipeFds) != 0)
            return {};
        const std::string exe = std::string(TARNEL_BIN_DIR) + "/" + tool;
        const pid_t pid = fork();
        if (pid == 0) {
            dup2(pipeFds[1], STDOUT_FILENO);
            close(pipeFds[0]);
            close(pipeFds[1]);
            if (chdir(m_dir.c_str()) != 0)
                _exit(127);
            std::vector<char*> argv{const_cast<char*>(exe.c_str())};
            for (const std::string& a : args)
                argv.push_back(const_cast<char*>(a.c_str()));
            argv.push_back(nullptr);
            execv(exe.c_str(), argv.data());
            _exit(127);
        }
        close(pipeFds[1]);
        ToolRun r;
        char buf[4096];
        for (ssize_t n; (n = ::read(pipeFds[0], buf, sizeof buf)) > 0;)
            r.out.append(buf, static_cast<std::size_t>(n));
        close(pipeFds[0]);
        int status = 0;
        waitpid(pid, &status, 0);
        r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        return r;
    }

    void put(const std::string& name, const std::string& text) const
    {
        std::ofstream(m_dir + "/" + name, std::ios::binary) << text;
    }

    void copyDemo(const std::string& relative) const
    {
        const fs::path from = fs::path(TARNEL_SOURCE_DIR) / "demo" / relative;
        fs::copy_file(from, fs::path(m_dir) / from.filename(), fs::copy_options::overwrite_existing);
    }

    void copySampleAndLibrary() const
    {
        for (const char* f : {"sample/main.c", "sample/util.c", "sample/util.h", "nec/C/INCLUDE/io78320.h",
                              "nec/C/LIB/CL7832S.r25", "nec/C/LIB/CL7832SD.r25", "nec/C/LIB/cstartup.r25",
                              "nec/C/LIB/watchdog.r25", "nec/C/LIB/LK7832SL.xcl"})
            copyDemo(f);
    }

    bool exists(const std::string& name) const { return fs::exists(m_dir + "/" + name); }

    std::string read(const std::string& name) const
    {
        return readHostFile(m_dir + "/" + name);
    }

    void compileSample() const
    {
        ASSERT_EQ(run("icc78300", Args{"main.c"} + kDefaults).exitCode, 0);
        ASSERT_EQ(run("icc78300", Args{"util.c"} + kDefaults).exitCode, 0);
    }

    TempPrefix m_prefix;
    std::string m_dir;
};

} // namespace standin_test
