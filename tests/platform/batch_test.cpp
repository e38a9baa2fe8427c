#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "platform/batch/batch_interpreter.h"
#include "support/temp_prefix.h"
#include "support/host_files.h"

namespace fs = std::filesystem;

namespace {

// A "program": a shell script with the execute bit.
void writeProgram(const std::string& path, const std::string& body)
{
    writeHostFile(path, "#!/bin/sh\n" + body + "\n");
    fs::permissions(path, fs::perms::owner_all);
}

struct Outcome {
    int level = 0;
    std::string out;
    std::string err;
};

class BatchTest : public ::testing::Test {
protected:
    std::string c(const std::string& rel) const { return prefix.driveC() + "/" + rel; }

    // Runs a batch in-process from `folder`; `input` is what standard input holds.
    Outcome run(const std::string& batch, const std::string& folder, const std::string& input = "")
    {
        writeHostFile(c("io/in"), input);
        const int in = ::open(c("io/in").c_str(), O_RDONLY);
        const int out = ::open(c("io/out").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int err = ::open(c("io/err").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const std::string path = "PATH=" + hostPath;
        const char* env[] = {path.c_str(), nullptr};
        BatchInterpreter interpreter(DriveMap(prefix.path()), BatchEnvironment::fromEntries(env), folder);
        Outcome o;
        o.level = interpreter.run(batch, {batch}, {in, out, err});
        lastFolder = interpreter.currentFolder();
        ::close(in);
        ::close(out);
        ::close(err);
        o.out = readHostFile(c("io/out"));
        o.err = readHostFile(c("io/err"));
        return o;
    }

    TempPrefix prefix;
    std::string hostPath = "/usr/bin:/bin";
    std::string lastFolder;
};

const char* const NotFound = "'%s' is not recognized as an internal or external command,\n"
                             "operable program or batch file.\n";

std::string notFound(const std::string& name)
{
    std::string s = NotFound;
    return s.replace(s.find("%s"), 2, name);
}

}  // namespace

TEST(BatchCommandLine, SplitsRedirectionsFromTheCommand)
{
    struct Row {
        const char* line;
        const char* text;
        std::vector<Redirection> redirections;
    };
    const Row rows[] = {
        {"icc78300 main.c -C -e -g -v2> C:\\Outputfile.txt", "icc78300 main.c -C -e -g -v2",
         {{1, false, "C:\\Outputfile.txt"}}},
        {"xlink main.R25 -f x>>C:\\Outputfile.txt", "xlink main.R25 -f x", {{1, true, "C:\\Outputfile.txt"}}},
        {"prog a 2> err.txt", "prog a ", {{2, false, "err.txt"}}},
        {"2>nul prog", " prog", {{2, false, "nul"}}},
        {"prog >out.txt 2>&1", "prog  ", {{1, false, "out.txt"}, {2, false, "&1"}}},
        {"prog < \"in put.txt\" x", "prog  x", {{0, false, "in put.txt"}}},
        {"echo \"a>b\"", "echo \"a>b\"", {}},
    };
    for (const Row& row : rows) {
        const CommandLine line = CommandLine::parse(row.line);
        EXPECT_EQ(line.text, row.text) << row.line;
        ASSERT_EQ(line.redirections.size(), row.redirections.size()) << row.line;
        for (std::size_t i = 0; i < row.redirections.size(); ++i) {
            EXPECT_EQ(line.redirections[i].handle, row.redirections[i].handle) << row.line;
            EXPECT_EQ(line.redirections[i].append, row.redirections[i].append) << row.line;
            EXPECT_EQ(line.redirections[i].target, row.redirections[i].target) << row.line;
        }
    }
}

TEST(BatchCommandLine, CommandWordEndsAtDelimitersForInternalCommands)
{
    struct Row {
        const char* text;
        const char* word;
        const char* name;
        const char* rest;
        const char* tail;
    };
    const Row rows[] = {
        {"ECHO.", "ECHO.", "ECHO", ".", ""},
        {"cd..", "cd..", "cd", "..", ""},
        {"  ide.bat one", "ide.bat", "ide", ".bat one", " one"},
        {"icc78300 main.c -C", "icc78300", "icc78300", " main.c -C", " main.c -C"},
        {"C:\\Nec\\xlink a", "C:\\Nec\\xlink", "C", ":\\Nec\\xlink a", " a"},
    };
    for (const Row& row : rows) {
        const CommandWord w = splitCommandWord(row.text);
        EXPECT_EQ(w.word, row.word) << row.text;
        EXPECT_EQ(w.name, row.name) << row.text;
        EXPECT_EQ(w.rest, row.rest) << row.text;
        EXPECT_EQ(w.tail, row.tail) << row.text;
    }
    EXPECT_EQ(splitArguments(" a  \"b c\"\tdd "), (std::vector<std::string>{"a", "b c", "dd"}));
}

TEST(BatchEnvironment, ExpandsLikeABatchFile)
{
    const char* entries[] = {"Path=C:\\Nec", "NAME=v", nullptr};
    BatchEnvironment env = BatchEnvironment::fromEntries(entries);
    env.set("path", "C:\\Tarnel;" + env.expand("%PATH%", {}));
    EXPECT_EQ(env.entries().front().first, "NAME");
    EXPECT_EQ(env.entries().back(), (std::pair<std::string, std::string>{"Path", "C:\\Tarnel;C:\\Nec"}));
    const std::vector<std::string> params{"ide.bat", "one", "two"};
    struct Row {
        const char* in;
        const char* out;
    };
    const Row rows[] = {
        {"[%name%]", "[v]"},     {"[%UNKNOWN%]", "[]"},     {"100%% done", "100% done"},
        {"50% off", "50 off"},   {"%0 %1 %2 %3.", "ide.bat one two ."}, {"all: %*", "all: one two"},
        {"level %ERRORLEVEL%", "level 4"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(env.expand(row.in, params, 4), row.out) << row.in;
    env.set("NAME", "");
    EXPECT_FALSE(env.get("name"));
}

TEST_F(BatchTest, EchoRemAndPromptFollowCmd)
{
    writeHostFile(c("Work/a.bat"), "REM note > rem.txt\r\nECHO\r\n@ECHO Tarnel  banner\r\n@ECHO.\r\n"
                               "@ECHO OFF\r\nECHO\r\necho text> echo.txt\r\n");
    const Outcome o = run(c("Work/a.bat"), c("Work"));
    EXPECT_EQ(o.out, "\nC:\\Work>REM note > rem.txt\n\nC:\\Work>ECHO\nECHO is on.\nTarnel  banner\n\n"
                     "ECHO is off.\n");
    EXPECT_EQ(readHostFile(c("Work/echo.txt")), "text\n");
    EXPECT_FALSE(fs::exists(c("Work/rem.txt")));
    EXPECT_EQ(o.err, "");
}

TEST_F(BatchTest, SetExpandsPathAndPathShowsIt)
{
    writeHostFile(c("Work/a.bat"), "@SET PATH=C:\\Nec\\C\\ICC78300;%PATH%\r\n@set path=C:\\Tarnel\\Source;%path%\r\n"
                               "@PATH\r\n@SET X=%UNDEFINED%y\r\n@SET X\r\n");
    const Outcome o = run(c("Work/a.bat"), c("Work"));
    const DriveMap map(prefix.path());
    const std::string host = map.toWindows("/usr/bin") + ";" + map.toWindows("/bin");
    EXPECT_EQ(o.out, "PATH=C:\\Tarnel\\Source;C:\\Nec\\C\\ICC78300;" + host + "\nX=y\n");
}

TEST_F(BatchTest, CdIntoMissingFolderReportsAndStays)
{
    fs::create_directories(c("Tarnel/Source"));
    writeProgram(c("Tarnel/Source/where"), "pwd");
    writeHostFile(c("Tarnel/a.bat"), "@CD nowhere\r\n@CD SOURCE\r\n@where > C:\\p1.txt\r\n@CD C:\\Missing\\x\r\n"
                                 "@where > C:\\p2.txt\r\n@cd ..\r\n");
    const Outcome o = run(c("Tarnel/a.bat"), c("Tarnel"));
    EXPECT_EQ(o.err, "The system cannot find the path specified.\n"
                     "The system cannot find the path specified.\n");
    const std::string source = fs::canonical(c("Tarnel/Source")).string() + "\n";
    EXPECT_EQ(readHostFile(c("p1.txt")), source);
    EXPECT_EQ(readHostFile(c("p2.txt")), source);
    EXPECT_EQ(fs::canonical(lastFolder), fs::canonical(c("Tarnel")));
}

TEST_F(BatchTest, CallReturnsButPlainBatchEndsTheCaller)
{
    writeHostFile(c("Work/top.bat"), "@CALL mid one\r\n@ECHO top continues %1\r\n");
    writeHostFile(c("Work/mid.bat"), "@ECHO mid %1\r\n@last.BAT two\r\n@ECHO mid never\r\n");
    writeHostFile(c("Work/Last.bat"), "@ECHO last %1\r\n");
    const Outcome o = run(c("Work/top.bat"), c("Work"));
    EXPECT_EQ(o.out, "mid one\nlast two\ntop continues \n");
}

TEST_F(BatchTest, CallFindsBatchOnPath)
{
    writeHostFile(c("Tarnel/Source/ide.bat"), "@ECHO ide runs\r\n");
    writeHostFile(c("Tarnel/pathset.bat"), "@SET PATH=c:\\tarnel\\source;%PATH%\r\n@CALL ide\r\n@ECHO after\r\n");
    EXPECT_EQ(run(c("Tarnel/pathset.bat"), c("Tarnel")).out, "ide runs\nafter\n");
}

TEST_F(BatchTest, RedirectsOutputOfPrograms)
{
    writeProgram(c("Work/tool"), "echo \"args:$*\"; echo \"problem\" >&2; exit 3");
    writeHostFile(c("Work/a.bat"), "@tool main.c -v2> C:\\Outputfile.txt\r\n"
                               "@tool second >> c:\\OUTPUTFILE.txt\r\n"
                               "@tool third >C:\\out2.txt 2> C:\\err.txt\r\n"
                               "@tool fourth > C:\\NoFolder\\x.txt\r\n");
    const Outcome o = run(c("Work/a.bat"), c("Work"));
    EXPECT_EQ(readHostFile(c("Outputfile.txt")), "args:main.c -v2\nargs:second\n");
    EXPECT_EQ(readHostFile(c("out2.txt")), "args:third\n");
    EXPECT_EQ(readHostFile(c("err.txt")), "problem\n");
    EXPECT_EQ(o.err, "problem\nproblem\nThe system cannot find the path specified.\n");
    EXPECT_EQ(o.level, 1);
}

TEST_F(BatchTest, PauseWithoutTerminalGoesOnAndLeavesInputAlone)
{
    writeProgram(c("Work/keep"), "cat");
    writeHostFile(c("Work/a.bat"), "@pause\r\n@keep > C:\\typed.txt\r\n");
    const Outcome o = run(c("Work/a.bat"), c("Work"), "typed\n");
    EXPECT_EQ(o.out, "Press any key to continue . . .\n");
    EXPECT_EQ(readHostFile(c("typed.txt")), "typed\n");
}

TEST_F(BatchTest, MissingProgramIsReportedAndTheBatchGoesOn)
{
    writeHostFile(c("Work/a.bat"), "@icc78300 main.c\r\n@ECHO next\r\n");
    const Outcome o = run(c("Work/a.bat"), c("Work"));
    EXPECT_EQ(o.err, notFound("icc78300"));
    EXPECT_EQ(o.out, "next\n");
    EXPECT_EQ(o.level, 9009);
}

TEST_F(BatchTest, LooksProgramsUpByNameAndExtensionWithoutRegardToCase)
{
    writeProgram(c("Nec/C/ICC78300/ICC78300.EXE"), "echo on-path");
    writeProgram(c("Nec/C/ICC78300/xlink.com"), "echo com");
    writeProgram(c("Nec/C/ICC78300/xlink.exe"), "echo exe");
    writeHostFile(c("Nec/C/ICC78300/plain"), "not executable");
    writeProgram(c("Nec/C/ICC78300/plain.exe"), "echo plain-exe");
    writeHostFile(c("Nec/C/ICC78300/winonly.exe"), "MZ\x90");
    writeProgram(c("Work/Local"), "echo local");
    writeProgram(c("Nec/C/ICC78300/local"), "echo path-local");
    writeHostFile(c("Work/a.bat"), "@SET PATH=Q:\\nodrive;c:\\NEC\\c\\icc78300;%PATH%\r\n"
                               "@icc78300 > C:\\o.txt\r\n@XLINK >> C:\\o.txt\r\n@plain >> C:\\o.txt\r\n"
                               "@local >> C:\\o.txt\r\n@C:\\nec\\C\\ICC78300\\local >> C:\\o.txt\r\n"
                               "@winonly\r\n");
    const Outcome o = run(c("Work/a.bat"), c("Work"));
    EXPECT_EQ(readHostFile(c("o.txt")), "on-path\ncom\nplain-exe\nlocal\npath-local\n");
    EXPECT_EQ(o.err, notFound("winonly"));
}

TEST_F(BatchTest, ChildrenRunInTheCurrentFolderWithTheBatchPath)
{
    fs::create_directories(c("Nec/bin"));
    writeProgram(c("Work/env"), "echo \"$PATH\" > path.txt");
    writeHostFile(c("Work/a.bat"), "@SET PATH=C:\\Nec\\Bin;%PATH%\r\n@env\r\n");
    run(c("Work/a.bat"), c("Work"));
    const std::string path = readHostFile(c("Work/path.txt"));
    EXPECT_EQ(path.rfind(fs::canonical(c("Nec/bin")).string() + ":", 0), 0u) << path;
    EXPECT_NE(path.find(":/usr/bin"), std::string::npos) << path;
}

TEST_F(BatchTest, ToolExitsWithTheLastCommandsLevel)
{
    writeProgram(c("Work/fails"), "exit 3");
    writeHostFile(c("Work/ok.bat"), "@fails\r\n@ECHO done\r\n");
    writeHostFile(c("Work/missing.bat"), "@nosuchprogram\r\n");
    const std::string tool = std::string(TARNEL_BIN_DIR) + "/tarnel-batch";
    auto status = [&](const std::string& args) {
        const std::string cmd = "cd '" + c("Work") + "' && '" + tool + "' " + args + " >/dev/null 2>&1 </dev/null";
        const int raw = std::system(cmd.c_str());
        return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    };
    EXPECT_EQ(status("ok.bat"), 3);
    EXPECT_EQ(status("C:\\\\WORK\\\\missing.bat"), 127);
    EXPECT_EQ(status("absent.bat"), 1);
}

TEST_F(BatchTest, WindowsProgramsRunThroughWineWhenItIsInstalled)
{
    writeProgram(c("host/wine"), "echo \"wine $*\"");
    hostPath = c("host") + ":/usr/bin:/bin";
    writeHostFile(c("Work/Winonly.EXE"), "MZ\x90");
    writeHostFile(c("Work/a.bat"), "@winonly -x > C:\\o.txt\r\n");
    const Outcome o = run(c("Work/a.bat"), c("Work"));
    EXPECT_EQ(readHostFile(c("o.txt")), "wine " + c("Work/Winonly.EXE") + " -x\n");
    EXPECT_EQ(o.err, "");
}
