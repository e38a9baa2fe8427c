// Build output as lines: the diagnostics among them, lines split however the bytes arrive,
// the two streams kept apart, and the limits that keep a huge build's output bounded.
#include <gtest/gtest.h>

#include "build/build_diagnostic.h"
#include "build/build_transcript.h"

namespace {

using Sev = DiagnosticSeverity;

std::vector<std::string> texts(const BuildTranscript& t)
{
    std::vector<std::string> out;
    for (std::size_t n = t.firstNumber(); n < t.endNumber(); ++n)
        out.push_back(t.line(n).text);
    return out;
}

}  // namespace

TEST(BuildDiagnostic, ReadsTheToolsShapeAndTheMarkersOfTheErrorCheck)
{
    struct Row {
        const char* line;
        bool diagnostic;
        Sev severity;
        const char* file;
        int number;
    };
    const Row rows[] = {
        {"\"main.c\",17  Error[20]: ')' expected", true, Sev::Error, "main.c", 17},
        {"\"util.c\",3  Warning[5]: unused", true, Sev::Warning, "util.c", 3},
        {"\"util.c\",3  warning[5]: case is ignored", true, Sev::Warning, "util.c", 3},
        {"\"main.c\",7  Fatal error[1]: marker anywhere after the place", true, Sev::Error, "main.c", 7},
        {"  \"main.c\", 12345  Error[2]: blanks, and five digits", true, Sev::Error, "main.c", 12345},
        {"\"a_very_long_source_file_name.c\",9  Error[3]: x", true, Sev::Error, "a_very_long_source_file_name.c", 9},
        {"\"C:\\work\\main.c\",4  Error[3]: a path", true, Sev::Error, "C:\\work\\main.c", 4},
        {"\"main.c\",4  Error[1]: and Warning[2] in one line", true, Sev::Error, "main.c", 4},
        // The assembler's, as it prints them.
        {"\"boot.s25\",12  Error[14]: string is not closed", true, Sev::Error, "boot.s25", 12},
        {"\"boot.s25\",21  Warning[1]: no END directive", true, Sev::Warning, "boot.s25", 21},
        // A marker but no place: counted, opens nothing.
        {"Error[61]: cannot open object file 'main.r25'", true, Sev::Error, "", 0},
        {"Command line error[0]: unknown switch -q", true, Sev::Error, "", 0},
        {"main.c,17  Error[1]: no quotes", true, Sev::Error, "", 0},
        {"\"main.c\"17  Error[1]: no comma", true, Sev::Error, "", 0},
        {"\"main.c\",  Error[1]: no number", true, Sev::Error, "", 0},
        {"\"main.c\",1234567890  Error[1]: too many digits for a line", true, Sev::Error, "", 0},
        {"\"\",5  Error[1]: empty name", true, Sev::Error, "", 0},
        // A bracket inside the quoted name is no marker of its own.
        {"\"error[1].c\",5  compiled", false, Sev::Error, "", 0},
        {"Errors: none", false, Sev::Error, "", 0},
        {"error [1] with a blank", false, Sev::Error, "", 0},
        {"", false, Sev::Error, "", 0},
    };
    for (const Row& row : rows) {
        const auto d = readBuildDiagnostic(row.line);
        ASSERT_EQ(d.has_value(), row.diagnostic) << row.line;
        if (!d)
            continue;
        EXPECT_EQ(d->severity, row.severity) << row.line;
        EXPECT_EQ(d->file, row.file) << row.line;
        EXPECT_EQ(d->line, row.number) << row.line;
        EXPECT_EQ(d->located(), *row.file != 0) << row.line;
    }
}

TEST(BuildTranscript, SplitsLinesHoweverTheBytesArrive)
{
    const std::string output = "first\r\nsecond\n\nfourth\rstill fourth\r\nlast without end";
    const std::vector<std::string> expected = {"first", "second", "", "fourth\rstill fourth", "last without end"};
    for (std::size_t piece : {1u, 2u, 3u, 5u, 64u}) {
        BuildTranscript t;
        for (std::size_t at = 0; at < output.size(); at += piece)
            t.add(std::string_view(output).substr(at, piece), OutputStream::Output);
        t.close();
        EXPECT_EQ(texts(t), expected) << "pieces of " << piece;
    }
}

TEST(BuildTranscript, AnUnfinishedLineShowsAndGrowsUntilTheOtherStreamSpeaks)
{
    BuildTranscript t;
    auto c = t.add("Press any key", OutputStream::Output);
    EXPECT_EQ(c.appended, 1u);
    EXPECT_EQ(texts(t), std::vector<std::string>{"Press any key"});
    c = t.add(" to continue\n", OutputStream::Output);
    EXPECT_EQ(c.appended, 0u);
    EXPECT_TRUE(c.lastChanged);
    t.add("half", OutputStream::Output);
    c = t.add("problem\n", OutputStream::Errors);
    EXPECT_TRUE(c.lastChanged) << "the half line was finished";
    t.add(" more\n", OutputStream::Output);
    EXPECT_EQ(texts(t), (std::vector<std::string>{"Press any key to continue", "half", "problem", " more"}));
    EXPECT_EQ(t.line(2).stream, OutputStream::Errors);
    EXPECT_EQ(t.line(3).stream, OutputStream::Output);
}

TEST(BuildTranscript, CountsDiagnosticsOnceTheirLineIsComplete)
{
    BuildTranscript t;
    t.add("\"main.c\",17  Err", OutputStream::Output);
    EXPECT_EQ(t.errors(), 0);
    t.add("or[20]: x\n\"main.c\",20  Warning[1]: y\n\"util.c\",2  Error[4]: z\nlinking\n", OutputStream::Output);
    EXPECT_EQ(t.errors(), 2);
    EXPECT_EQ(t.warnings(), 1);
    EXPECT_EQ(t.countsText(), "2 errors, 1 warning");
    ASSERT_EQ(t.diagnostics().size(), 3u);
    EXPECT_EQ(t.diagnostics()[1].number, 1u);
    EXPECT_EQ(t.diagnostics()[1].diagnostic.severity, DiagnosticSeverity::Warning);
    EXPECT_TRUE(t.line(2).hasDiagnostic);
    EXPECT_FALSE(t.line(3).hasDiagnostic);
    t.clear();
    EXPECT_EQ(t.countsText(), "0 errors, 0 warnings");
    t.add("\"a.c\",1  Warning[1]: w\n", OutputStream::Output);
    EXPECT_EQ(t.countsText(), "0 errors, 1 warning");
}

TEST(BuildTranscript, LetsTheOldestLinesGoButKeepsTheirDiagnostics)
{
    BuildTranscript t(100, 4096);
    t.add("\"main.c\",3  Error[1]: early\n", OutputStream::Output);
    std::string bulk;
    for (int i = 1; i < 1000; ++i)
        bulk += "line " + std::to_string(i) + "\n";
    const auto c = t.add(bulk, OutputStream::Output);
    EXPECT_EQ(t.size(), 100u);
    EXPECT_EQ(t.droppedLines(), 900u);
    EXPECT_EQ(c.dropped, 900u);
    EXPECT_EQ(t.firstNumber(), 900u);
    EXPECT_EQ(t.line(999).text, "line 999");
    EXPECT_FALSE(t.holds(0));
    // Nothing of the count is lost with the line.
    EXPECT_EQ(t.errors(), 1);
    ASSERT_EQ(t.diagnostics().size(), 1u);
    EXPECT_EQ(t.diagnostics()[0].diagnostic.line, 3);
}

TEST(BuildTranscript, CutsVeryLongLinesAndKeepsAnyBytes)
{
    BuildTranscript t(100, 10);
    t.add(std::string(5, 'a'), OutputStream::Output);
    t.add(std::string(1'000'000, 'b') + "\nshort\n", OutputStream::Output);
    t.add(std::string("\0\xff\x1b[31m\n", 8), OutputStream::Output);
    ASSERT_EQ(t.size(), 3u);
    EXPECT_EQ(t.line(0).text, "aaaaabbbbb");
    EXPECT_TRUE(t.line(0).cut);
    EXPECT_EQ(t.line(1).text, "short");
    EXPECT_FALSE(t.line(1).cut);
    EXPECT_EQ(t.line(2).text, std::string("\0\xff\x1b[31m", 7));
}
