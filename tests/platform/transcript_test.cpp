// The build transcript: its records survive any split of the bytes, and the batch runner's tee
// keeps everything a run prints, in order, while still passing it on.
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include <gtest/gtest.h>

#include "platform/batch/batch_interpreter.h"
#include "platform/batch/transcript_tee.h"
#include "platform/paths/transcript.h"
#include "support/host_files.h"
#include "support/temp_prefix.h"

namespace fs = std::filesystem;
using Kind = TranscriptRecord::Kind;

namespace {

std::vector<TranscriptRecord> decodeAll(const std::string& bytes, bool* malformed = nullptr)
{
    TranscriptDecoder d;
    auto records = d.feed(bytes);
    if (malformed)
        *malformed = d.malformed();
    return records;
}

// What a transcript says, in a form a failure message shows well: one line per record.
std::string describe(const std::vector<TranscriptRecord>& records)
{
    std::string out;
    for (const TranscriptRecord& r : records) {
        out += static_cast<char>(r.kind);
        if (r.kind == Kind::ProgramEnded)
            out += "[" + r.data + "=" + std::to_string(r.status) + "]";
        else if (r.kind == Kind::ProgramStarted)
            out += "[" + r.data + "]";
        else if (r.kind == Kind::Ended)
            out += "[" + std::to_string(r.status) + "]";
        else if (r.kind != Kind::Started)
            out += "[" + r.data + "]";
        out += "\n";
    }
    return out;
}

// Output and error bytes joined per stream, and the other records in order.
struct Streams {
    std::string out, err, events;
};
Streams split(const std::vector<TranscriptRecord>& records)
{
    Streams s;
    for (const TranscriptRecord& r : records) {
        if (r.kind == Kind::Output)
            s.out += r.data;
        else if (r.kind == Kind::Errors)
            s.err += r.data;
        else
            s.events += describe({r});
    }
    return s;
}

}  // namespace

TEST(Transcript, RecordsSurviveEverySplitOfTheirBytes)
{
    const std::vector<TranscriptRecord> records = {
        {Kind::Started, "", 0, 4242},
        {Kind::Output, "line one\r\nline two\n", 0, 0},
        {Kind::Errors, std::string("\0\xff\x80 bytes\n", 10), 0, 0},
        {Kind::Output, "", 0, 0},
        {Kind::ProgramStarted, "icc78300 main.c -v2", 0, 0},
        {Kind::ProgramEnded, "icc78300", 1, 0},
        {Kind::Output, std::string(100000, 'x'), 0, 0},
        {Kind::Ended, "", 127, 98765},
    };
    std::string bytes;
    for (const auto& r : records)
        bytes += encodeTranscriptRecord(r);
    EXPECT_EQ(decodeAll(bytes), records);
    for (std::size_t piece : {1u, 2u, 7u, 4096u}) {
        TranscriptDecoder d;
        std::vector<TranscriptRecord> got;
        for (std::size_t at = 0; at < bytes.size(); at += piece)
            for (auto& r : d.feed(std::string_view(bytes).substr(at, piece)))
                got.push_back(std::move(r));
        EXPECT_EQ(got, records) << "pieces of " << piece;
        EXPECT_FALSE(d.midRecord());
    }
    TranscriptDecoder half;
    half.feed(std::string_view(bytes).substr(0, bytes.size() / 2));
    EXPECT_TRUE(half.midRecord());
}

TEST(Transcript, DamagedInputStopsTheDecoderWithoutInventingRecords)
{
    const std::string good = encodeTranscriptRecord({Kind::Output, "ok\n", 0, 0});
    const char* const damaged[] = {
        "Z 3 0 0\nabc",                    // unknown kind
        "O three 0 0\nabc",                // length not a number
        "O 3 0\nabc",                      // a field missing
        "O 3 0 0 9\nabc",                  // a field too many
        "O -3 0 0\nabc",                   // negative length
        "O 99999999999 0 0\n",             // larger than any record the runner writes
        "just some text that is no transcript at all and goes on far longer than a header may\n",
    };
    for (const char* tail : damaged) {
        bool malformed = false;
        const auto records = decodeAll(good + tail + good, &malformed);
        EXPECT_TRUE(malformed) << tail;
        ASSERT_EQ(records.size(), 1u) << tail;
        EXPECT_EQ(records[0].data, "ok\n");
    }
}

class TeeTest : public ::testing::Test {
protected:
    std::string c(const std::string& rel) const { return prefix.driveC() + "/" + rel; }
    void program(const std::string& rel, const std::string& body)
    {
        writeHostFile(c(rel), "#!/bin/sh\n" + body + "\n");
        fs::permissions(c(rel), fs::perms::owner_all);
    }
    // Runs the batch in-process with the tee between it and two files standing for the
    // runner's own output; hands back the decoded transcript.
    std::vector<TranscriptRecord> run(const std::string& batch, int* level = nullptr)
    {
        const int out = ::open(c("io/out").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int err = ::open(c("io/err").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        TranscriptTee tee;
        EXPECT_TRUE(tee.start(c("io/transcript"), out, err));
        const char* env[] = {"PATH=/usr/bin:/bin", nullptr};
        BatchInterpreter interpreter(DriveMap(prefix.path()), BatchEnvironment::fromEntries(env), c("Work"));
        interpreter.onProgramStart = [&tee](const std::string& command) { tee.programStarted(command); };
        interpreter.onProgramEnd = [&tee](const std::string& p, int l) { tee.programEnded(p, l); };
        const int result = interpreter.run(c(batch), {c(batch)}, tee.streams());
        tee.finish(result, 5);
        if (level)
            *level = result;
        ::close(out);
        ::close(err);
        return decodeAll(readHostFile(c("io/transcript")));
    }
    TempPrefix prefix;
};

TEST_F(TeeTest, KeepsWhatTheBatchAndItsProgramsPrintInOrderAndPassesItOn)
{
    fs::create_directories(c("io"));
    program("Work/first", "echo first out; echo first err >&2; exit 2");
    program("Work/second", "printf 'no end of line'; exit 0");
    writeHostFile(c("Work/a.bat"), "@ECHO banner\r\n@first\r\n@ECHO between\r\n@second\r\n@missing\r\n"
                                   "@first > C:\\captured.txt\r\n@ECHO done\r\n");
    int level = 0;
    const auto records = run("Work/a.bat", &level);
    ASSERT_FALSE(records.empty());
    EXPECT_EQ(records.front().kind, Kind::Started);
    EXPECT_EQ(records.front().number, ::getpid());
    const Streams s = split(records);
    EXPECT_EQ(s.out, "banner\nfirst out\nbetween\nno end of linedone\n");
    EXPECT_EQ(s.err, "first err\n'missing' is not recognized as an internal or external command,\n"
                     "operable program or batch file.\nfirst err\n");
    EXPECT_EQ(s.events, "P\nS[first]\nC[first=2]\nS[second]\nC[second=0]\nS[missing]\nC[missing=9009]\n"
                        "S[first]\nC[first=2]\nX[2]\n");
    EXPECT_EQ(level, 2);
    // What a redirection sends into a file stays out of the transcript.
    EXPECT_EQ(readHostFile(c("captured.txt")), "first out\n");
    // The runner's own output still gets every byte.
    EXPECT_EQ(readHostFile(c("io/out")), s.out);
    EXPECT_EQ(readHostFile(c("io/err")), s.err);

    // What a program prints comes between its start and its end, the batch's own output outside.
    std::string inFirst, before;
    bool in = false;
    for (const auto& r : records) {
        if (r.kind == Kind::ProgramStarted)
            in = true;
        else if (r.kind == Kind::ProgramEnded)
            break;
        else
            (in ? inFirst : before) += r.data;
    }
    EXPECT_EQ(inFirst, "first out\nfirst err\n") << describe(records);
    EXPECT_EQ(before, "banner\n") << describe(records);
}

TEST_F(TeeTest, ABackgroundProgramHoldingTheOutputDoesNotKeepTheEndWaiting)
{
    fs::create_directories(c("io"));
    // The child leaves a sleeper behind that keeps the output pipe open for a long time.
    program("Work/leaves", "echo started; (sleep 5 &) ; exit 0");
    writeHostFile(c("Work/a.bat"), "@leaves\r\n");
    const auto records = run("Work/a.bat");
    ASSERT_FALSE(records.empty());
    EXPECT_EQ(records.back().kind, Kind::Ended) << describe(records);
    EXPECT_EQ(split(records).out, "started\n");
}

TEST_F(TeeTest, TheRunnerWritesATranscriptWhenAskedAndEndsItWithItsExitStatus)
{
    fs::create_directories(c("io"));
    program("Work/fails", "echo failing; exit 3");
    writeHostFile(c("Work/a.bat"), "@fails\r\n");
    const std::string tool = std::string(TARNEL_BIN_DIR) + "/tarnel-batch";
    auto runTool = [&](const std::string& batch, int& status) {
        const std::string cmd = "cd '" + c("Work") + "' && '" + tool + "' '--transcript=" + c("io/t") + "' " +
                                batch + " >'" + c("io/o") + "' 2>&1 </dev/null";
        const int raw = std::system(cmd.c_str());
        status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        return decodeAll(readHostFile(c("io/t")));
    };
    int status = 0;
    auto records = runTool("a.bat", status);
    EXPECT_EQ(status, 3);
    ASSERT_FALSE(records.empty());
    EXPECT_EQ(records.back().kind, Kind::Ended);
    EXPECT_EQ(records.back().status, 3);
    EXPECT_EQ(split(records).out, "failing\n");
    EXPECT_EQ(readHostFile(c("io/o")), "failing\n");

    records = runTool("absent.bat", status);
    EXPECT_EQ(status, 1);
    EXPECT_EQ(split(records).err, "tarnel-batch: cannot find the batch file absent.bat\n");
    ASSERT_FALSE(records.empty());
    EXPECT_EQ(records.back().status, 1);
}

TEST_F(TeeTest, TheRunnerRunsOneProgramWhenAskedAndRecordsItLikeABuild)
{
    fs::create_directories(c("io"));
    fs::create_directories(c("Work Dir"));
    program("Tools/tool", "echo \"in $(pwd)\"; echo \"args: $*\"; echo oops >&2; exit 3");
    const std::string tool = std::string(TARNEL_BIN_DIR) + "/tarnel-batch";
    struct Row {
        std::string arguments;
        int status;
        std::string out, err, events;
    };
    const std::string path = c("Tools/tool");
    const Row rows[] = {
        {"'" + path + "' one 'two words'", 3,
         "in " + fs::canonical(c("Work Dir")).string() + "\nargs: one two words\n", "oops\n",
         "P\nS[" + path + " one \"two words\"]\nC[" + path + "=3]\nX[3]\n"},
        // A bare name is looked up on PATH; a missing one says so and ends as a shell would.
        {"sh -c 'exit 0'", 0, "", "", "P\nS[sh -c \"exit 0\"]\nC[sh=0]\nX[0]\n"},
        {"absent-tool", 127, "", "tarnel-batch: cannot start absent-tool: no such program\n",
         "P\nS[absent-tool]\nC[absent-tool=127]\nX[127]\n"},
    };
    for (const Row& row : rows) {
        const std::string cmd = "cd '" + c("Work Dir") + "' && '" + tool + "' '--transcript=" + c("io/t") +
                                "' --run " + row.arguments + " >'" + c("io/o") + "' 2>'" + c("io/e") + "' </dev/null";
        const int raw = std::system(cmd.c_str());
        EXPECT_EQ(WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, row.status) << row.arguments;
        const auto records = decodeAll(readHostFile(c("io/t")));
        const Streams s = split(records);
        EXPECT_EQ(s.out, row.out) << row.arguments;
        EXPECT_EQ(s.err, row.err) << row.arguments;
        EXPECT_EQ(s.events, row.events) << row.arguments;
        // Still shown where the runner's own output goes.
        EXPECT_EQ(readHostFile(c("io/o")), row.out) << row.arguments;
        EXPECT_EQ(readHostFile(c("io/e")), row.err) << row.arguments;
    }
}
