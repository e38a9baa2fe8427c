// What a build leaves for build servers and language servers: each program's share of the
// output, the SARIF log, the JUnit report, the compilation database, and the menu item that
// writes the database beside the project.
#include <gtest/gtest.h>

#include "build/build_fixture.h"
#include "build/build_output.h"
#include "build/build_report.h"
#include "build/ci_outputs.h"
#include "build/compile_commands.h"
#include "build/junit_report.h"
#include "build/report_text.h"
#include "build/sarif_log.h"

using namespace buildtest;
using Kind = TranscriptRecord::Kind;
using Sev = DiagnosticSeverity;

namespace {

TranscriptRecord out(const std::string& text)
{
    return {Kind::Output, text, 0, 0};
}

// Two sources compiled, the first with an error, then a link that fails without a place.
BuildReport sampleReport()
{
    BuildReport r;
    r.projectFile = "/work/demo.prj";
    r.projectFolder = "/work";
    r.workingFolder = "/work/Source";
    r.sources = {"main.c", "util.c", "never.c"};
    ToolRun main{"icc78300", "icc78300 main.c -v2", "main.c", true, 1, "Tarnel stand-in icc78300 1.0", {}};
    main.diagnostics = {
        {Sev::Error, "20", "')' expected", "\"main.c\",17  Error[20]: ')' expected", "/work/src/main.c", 17},
        {Sev::Warning, "5", "unused", "\"io.h\",3  Warning[5]: unused", "/opt/nec/inc lude/io.h", 3}};
    ToolRun util{"icc78300", "icc78300 util.c -v2", "util.c", true, 0, "Tarnel stand-in icc78300 1.0", {}};
    ToolRun link{"xlink", "xlink main.R25", "", true, 1, "Tarnel stand-in xlink 1.0", {}};
    link.diagnostics = {{Sev::Error, "61", "cannot open 'main.r25'", "Error[61]: cannot open 'main.r25'", "", 0}};
    r.runs = {main, util, link};
    return r;
}

std::size_t count(const std::string& text, const std::string& what)
{
    std::size_t n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

}  // namespace

TEST_F(BuildFixture, EachProgramsShareOfTheOutputMakesItsRunInTheReport)
{
    project({"D:\\work\\main.c", "D:\\work\\util.c"});
    c["BuildAll1"].activate();
    app.buildOutput().receive({
        {Kind::Started, "", 0, 1},
        out("\nC:\\Tarnel\\Source>icc78300 main.c -v2\n"),
        {Kind::ProgramStarted, "icc78300 main.c -v2 ", 0, 0},
        out("Tarnel stand-in icc78300 1.0\n\"main.c\",17  Error[20]: ')' expected\n"),
        {Kind::ProgramEnded, "icc78300", 1, 0},
        {Kind::ProgramStarted, "icc78300 util.c -v2", 0, 0},
        out("\"util.h\",3  Warning[5]: unused\n"),
        {Kind::ProgramEnded, "icc78300", 0, 0},
        {Kind::ProgramStarted, "xlink main.R25", 0, 0},
        out("Tarnel stand-in xlink 1.0\nError[61]: cannot open 'main.r25'"),
        {Kind::Ended, "", 1, 20},
    });
    const BuildReport r = buildReport(app.buildOutput(), c["ProjectListBox"].entries(), "D:\\work\\demo.prj",
                                      kCompileDir, fh.files);
    EXPECT_EQ(r.projectFolder, "/d/work");
    EXPECT_EQ(r.sources, (std::vector<std::string>{"main.c", "util.c"}));
    ASSERT_EQ(r.runs.size(), 3u);
    const ToolRun &main = r.runs[0], &util = r.runs[1], &link = r.runs[2];
    EXPECT_EQ(main.source, "main.c");
    EXPECT_EQ(main.command, "icc78300 main.c -v2");
    EXPECT_EQ(main.banner, "Tarnel stand-in icc78300 1.0");
    EXPECT_TRUE(main.ended && main.status == 1 && main.failed());
    ASSERT_EQ(main.diagnostics.size(), 1u);
    EXPECT_EQ(main.diagnostics[0].file, "/d/work/main.c") << "the project's own source, not its copy";
    EXPECT_EQ(main.diagnostics[0].line, 17);
    EXPECT_EQ(main.diagnostics[0].rule, "20");
    EXPECT_EQ(main.diagnostics[0].message, "')' expected");
    // A warning is no failure; a file outside the project is the compile directory's.
    EXPECT_EQ(util.banner, "") << "its first line was a diagnostic";
    EXPECT_FALSE(util.failed());
    ASSERT_EQ(util.diagnostics.size(), 1u);
    EXPECT_EQ(util.diagnostics[0].file, "/c/Tarnel/Source/util.h");
    // The build ended before the linker's end was heard.
    EXPECT_EQ(link.tool(), Tool::Linker);
    EXPECT_FALSE(link.ended);
    ASSERT_EQ(link.diagnostics.size(), 1u);
    EXPECT_EQ(link.diagnostics[0].file, "");
    EXPECT_EQ(link.diagnostics[0].text, "Error[61]: cannot open 'main.r25'");
}

TEST(SarifLog, ARunPerToolAndAResultWithALocationPerDiagnostic)
{
    const std::string log = sarifLog(sampleReport());
    EXPECT_EQ(count(log, "\"driver\""), 2u) << log;
    EXPECT_EQ(count(log, "\"commandLine\""), 3u) << log;
    const char* const expected[] = {
        "\"version\": \"2.1.0\"",
        "{\"name\": \"icc78300\", \"fullName\": \"Tarnel stand-in icc78300 1.0\", \"version\": \"1.0\"}",
        "\"originalUriBaseIds\": {\"%SRCROOT%\": {\"uri\": \"file:///work/\"}}",
        "\"executionSuccessful\": false, \"exitCode\": 1, \"workingDirectory\": {\"uri\": \"file:///work/Source/\"}",
        "\"executionSuccessful\": true, \"exitCode\": 0",
        // Inside the project's folder: relative to it.
        "{\"ruleId\": \"20\", \"level\": \"error\", \"message\": {\"text\": \"')' expected\"}, \"locations\": "
        "[{\"physicalLocation\": {\"artifactLocation\": {\"uri\": \"src/main.c\", \"uriBaseId\": \"%SRCROOT%\"}, "
        "\"region\": {\"startLine\": 17}}}]}",
        // Outside it: absolute.
        "\"level\": \"warning\"",
        "{\"uri\": \"file:///opt/nec/inc%20lude/io.h\"}, \"region\": {\"startLine\": 3}",
        // No place: the project file.
        "{\"ruleId\": \"61\", \"level\": \"error\", \"message\": {\"text\": \"cannot open 'main.r25'\"}, "
        "\"locations\": [{\"physicalLocation\": {\"artifactLocation\": {\"uri\": \"demo.prj\", \"uriBaseId\": "
        "\"%SRCROOT%\"}, \"region\": {\"startLine\": 1}}}]}",
    };
    for (const char* e : expected)
        EXPECT_NE(log.find(e), std::string::npos) << e << "\nin\n" << log;
}

TEST(JunitReport, ACasePerSourceAndTheLinkFailingWithWhatTheProgramSaid)
{
    const std::string xml = junitReport(sampleReport());
    EXPECT_NE(xml.find("<testsuite name=\"demo.prj\" tests=\"4\" failures=\"3\""), std::string::npos) << xml;
    const char* const expected[] = {
        "<testcase classname=\"demo\" name=\"main.c\">\n      <failure message=\"&quot;main.c&quot;,17  "
        "Error[20]: ')' expected&#10;&quot;io.h&quot;,3  Warning[5]: unused\" type=\"error\">",
        "<testcase classname=\"demo\" name=\"util.c\"/>",
        "name=\"never.c\">\n      <failure message=\"never.c was not compiled\" type=\"not run\">",
        "name=\"link\">\n      <failure message=\"Error[61]: cannot open 'main.r25'\" type=\"error\">xlink main.R25\n",
        "Exit status 1</failure>",
    };
    for (const char* e : expected)
        EXPECT_NE(xml.find(e), std::string::npos) << e << "\nin\n" << xml;
}

TEST(ReportText, BytesOfAnyKindBecomeTextTheFormatsCanHold)
{
    struct Row {
        std::string got, expected;
    };
    const Row rows[] = {
        {reporttext::utf8("caf\xe9 \xc3\xa9"), "caf\xc3\xa9 \xc3\xa9"},  // Latin-1 read as such; UTF-8 kept
        {reporttext::json("a\"b\\c\n\x01"), "\"a\\\"b\\\\c\\n\\u0001\""},
        {reporttext::xml("<a & \"b\"\n\x02>"), "&lt;a &amp; \"b\"\n?&gt;"},
        {reporttext::xml("\"x\"\n", true), "&quot;x&quot;&#10;"},
        {reporttext::uriPath("a b/c:d%"), "a%20b/c%3Ad%25"},
        {reporttext::fileUri("/x/y", true), "file:///x/y/"},
        {reporttext::fileUri("C:\\x y\\z.c"), "file:///C:/x%20y/z.c"},
    };
    for (const Row& r : rows)
        EXPECT_EQ(r.got, r.expected);
}

TEST_F(BuildFixture, TheCompilationDatabaseSaysTheOptionsInClangsWords)
{
    struct Row {
        const char* what;
        std::function<void()> set;
        std::vector<std::string> options;
    };
    const std::vector<std::string> base = {"-x", "c", "-ffreestanding", "-nostdlibinc"};
    auto with = [&](std::vector<std::string> more) {
        std::vector<std::string> all = base;
        all.insert(all.end(), more.begin(), more.end());
        return all;
    };
    const Row rows[] = {
        {"defaults", [] {}, with({"-funsigned-char", "-D__CPU_78320__", "-D__DOUBLE__=32"})},
        {"everything clang knows",
         [&] {
             for (const char* box : {"SC", "DW", "DBug", "D64", "ENC", "EE", "GLF", "prom"})
                 c[box].setChecked(true);
             c["Optomisation"].setItemIndex(2);
             c["MemoryModel"].setItemIndex(1);
             c["ProcType"].setItemIndex(1);
         },
         with({"-fsigned-char", "-w", "-g", "-Os", "-D__CPU_78310A__", "-D__BANKED_MODEL__", "-D__DOUBLE__=64"})},
    };
    for (const Row& r : rows) {
        app.compiler().DefaultsClick();
        r.set();
        EXPECT_EQ(clangOptions(c), r.options) << r.what;
    }

    app.compiler().DefaultsClick();
    project({"D:\\work\\main.c", "D:\\work\\inc\\util.h", "util.c"});
    const auto commands = compileCommands(c, "C:\\Nec\\", kCompileDir, fh.files);
    ASSERT_EQ(commands.size(), 2u) << "C sources only";
    EXPECT_EQ(commands[0].directory, "/c/Tarnel/Source");
    EXPECT_EQ(commands[0].file, "/d/work/main.c");
    EXPECT_EQ(commands[0].output, "/c/Tarnel/Source/main.r25");
    EXPECT_EQ(commands[1].file, "/c/Tarnel/Source/util.c") << "a bare name is a file of the compile directory";
    std::vector<std::string> expected = {"clang"};
    for (const std::string& o : clangOptions(c))
        expected.push_back(o);
    for (const char* i : {"-I/c/Nec/C/INCLUDE", "-I/d/work", "-I/d/work/inc", "-I/c/Tarnel/Source", "-c",
                          "/d/work/main.c", "-o", "/c/Tarnel/Source/main.r25"})
        expected.push_back(i);
    EXPECT_EQ(commands[0].arguments, expected);

    // A named object file is every source's output, as the compiler is told.
    c["NameObj"].setChecked(true);
    c["ObjectFile"].setText("all");
    EXPECT_EQ(compileCommands(c, "C:\\Nec", kCompileDir, fh.files)[1].output, "/c/Tarnel/Source/all.r25");
}

TEST_F(BuildFixture, ExportWritesTheDatabaseBesideTheProjectFile)
{
    project({"D:\\work\\main.c"});
    c[CompileCommandsExport::MenuItem].activate();
    const std::string json = fh.files.readBytes("D:\\work\\compile_commands.json").value_or("<none>");
    EXPECT_NE(json.find("\"file\": \"/d/work/main.c\""), std::string::npos) << json;
    EXPECT_EQ(messages().back(), "D:\\work\\compile_commands.json written: 1 C source.");

    fh.files.denyWrites("D:\\work\\compile_commands.json");
    EXPECT_FALSE(app.compileCommandsExport().ExportCompileCommandsClick());
    EXPECT_NE(messages().back().find("D:\\work\\compile_commands.json"), std::string::npos);

    app.settings().project = Settings::NoProject;
    EXPECT_FALSE(app.compileCommandsExport().ExportCompileCommandsClick());
    EXPECT_EQ(messages().back(), "There is no project loaded to export.");
}
