// Runs the built stand-in tools (icc78300, xlink, A78300, prog78k) in a temporary compile directory.
#include "standin_fixture.h"

namespace fs = std::filesystem;

using namespace standin_test;

namespace
{

const char* const kCleanSource = "int counter;\n\nvoid tick(void)\n{\n    counter++;\n}\n";

TEST_F(StandinTest, CompilerAcceptsEverySwitchTarnelWrites)
{
    struct Row {
        Args args;
        std::string output; // a file the switch must produce besides the object
        bool object;
    };
    const Row rows[] = {
        {kDefaults, "", true},
        {{"-2", "-b", "-c", "-d", "-P", "-S", "-s", "-w", "-y", "-mb"}, "", true},
        {{"-z", "-v0", "-gA", "-r"}, "", true},
        {{"-v4", "-r2in", "-RMYCODE"}, "", true},
        {{"-AC:\\Tarnel\\Source\\m.s25"}, "m.s25", true},
        {{"-a", "m2.s25"}, "m2.s25", true},
        {{"-f", "opts"}, "", true},
        {{"-H", "BLINK", "-o", "blink"}, "blink.r25", false},
        {{"-l", "main"}, "main.lst", true},
        {{"-LC:\\Tarnel\\Source\\Comp.lst1"}, "Comp.lst1", true},
        {{"-l", "main", "-F", "-i", "-T", "-t8", "-xDFT2", "-p60", "-q"}, "main.lst", true},
        {{"-OC:\\Tarnel\\Source\\other.r25"}, "other.r25", false},
        {{"-o", "x"}, "x.r25", false},
        {{"-gOA"}, "", false}, // syntax check only
    };
    put("opts.xcl", "// compiler switches\n-C -e\n");
    for (const Row& row : rows) {
        put("main.c", kCleanSource);
        fs::remove(m_dir + "/main.r25");
        const ToolRun r = run("icc78300", Args{"main.c"} + row.args);
        SCOPED_TRACE(r.out);
        EXPECT_EQ(r.exitCode, 0);
        EXPECT_EQ(exists("main.r25"), row.object);
        if (!row.output.empty()) {
            EXPECT_TRUE(exists(row.output)) << row.output;
        }
    }
    EXPECT_NE(read("x.r25").find("R25 1 main PROGRAM"), std::string::npos);
    EXPECT_NE(read("blink.r25").find("R25 1 BLINK PROGRAM"), std::string::npos);
}

TEST_F(StandinTest, CompilerSwitchesShapeTheOutputs)
{
    struct Row {
        Args args;
        const char* file;
        const char* text;
        bool present;
    };
    const Row rows[] = {
        {{"-v0"}, "u.r25", "CPU 78310\r\n", true},
        {{"-v1"}, "u.r25", "CPU 78310A\r\n", true},
        {{"-2"}, "u.r25", "DOUBLE 64", true},
        {{"-mb"}, "u.r25", "MODEL banked", true},
        {{"-b"}, "u.r25", "R25 1 u LIBRARY", true},
        {{"-RMYCODE"}, "u.r25", "PUBLIC tick MYCODE 0000", true},
        {{}, "u.r25", "SEGMENT CONST", true},
        {{"-y"}, "u.r25", "SEGMENT CONST", false},
        {{"-l", "u", "-xD"}, "u.lst", "Unreferenced #defines\r\n    UNUSED", true},
        {{"-l", "u", "-xF"}, "u.lst", "Unreferenced function declarations\r\n    spare", true},
        {{"-l", "u", "-x"}, "u.lst", "Unreferenced", false},
        {{"-l", "u", "-i"}, "u.lst", "---- u.h ----", true},
        {{"-l", "u"}, "u.lst", "---- u.h ----", false},
        {{"-l", "u", "-q"}, "u.lst", "; tick: ", true},
        {{"-l", "u", "-F"}, "u.lst", "}\r\n\f\r\n", true},
        {{"-l", "u", "-p8"}, "u.lst", "Page 2", true},
        {{"-l", "u", "-t8"}, "u.lst", "    8          counter++;", true},
        {{"-l", "u"}, "u.lst", "\tcounter++;", true},
    };
    put("u.h", "void spare(void);\n");
    put("u.c",
        "#include \"u.h\"\n#define UNUSED 1\nint counter;\nconst char* name = \"u\";\n\nvoid tick(void)\n{\n"
        "\tcounter++;\n}\n\nvoid spare(void);\n");
    for (const Row& row : rows) {
        const ToolRun r = run("icc78300", Args{"u.c", "-e"} + row.args);
        ASSERT_EQ(r.exitCode, 0) << r.out;
        const std::string text = read(row.file);
        EXPECT_EQ(text.find(row.text) != std::string::npos, row.present) << row.text << "\n" << text;
    }
}

TEST_F(StandinTest, IncludesComeFromTheSourceFolderOrC_INCLUDE)
{
    fs::create_directories(m_prefix.driveC() + "/NEC/C/INCLUDE");
    fs::create_directories(m_prefix.driveC() + "/work");
    std::ofstream(m_prefix.driveC() + "/NEC/C/INCLUDE/io78320.h")
        << "#define P4 (*(unsigned char *)0xFF04)\n";
    std::ofstream(m_prefix.driveC() + "/work/Blink.c") << "#include <io78320.h>\n#include \"defs.h\"\n"
                                                          "void f(void)\n{\n    P4 = ON;\n}\n";
    std::ofstream(m_prefix.driveC() + "/work/defs.h") << "#define ON 1\n";
    const Args args{"C:\\WORK\\blink.c", "-e", "-g"};
    EXPECT_NE(run("icc78300", args).out.find("cannot open include file 'io78320.h'"), std::string::npos);
    setenv("C_INCLUDE", "D:\\none;C:\\NEC\\C\\INCLUDE", 1);
    const ToolRun r = run("icc78300", args);
    unsetenv("C_INCLUDE");
    EXPECT_EQ(r.exitCode, 0) << r.out;
    EXPECT_TRUE(exists("blink.r25")); // named after the source, written in the current folder
}

TEST_F(StandinTest, CompilerRefusesUnknownAndMalformedSwitches)
{
    const Args rows[] = {{"-k"},  {"-v5"}, {"-t"}, {"-tx"},      {"-xQ"},           {"-m"},
                         {"-gX"}, {"-r3"}, {"-o"}, {"-H", "-P"}, {"-f", "nothere"}, {"other.c"}};
    put("main.c", kCleanSource);
    for (const Args& args : rows) {
        const ToolRun r = run("icc78300", Args{"main.c"} + args);
        SCOPED_TRACE(args[0]);
        EXPECT_NE(r.exitCode, 0);
        EXPECT_NE(r.out.find("error["), std::string::npos) << r.out;
        EXPECT_FALSE(exists("main.r25"));
    }
    EXPECT_NE(run("icc78300", kDefaults).exitCode, 0); // no source at all
}

TEST_F(StandinTest, EachFaultIsReportedOnceAtItsLine)
{
    struct Row {
        const char* source;
        Args extra;
        int line;
        const char* text;
    };
    const Row rows[] = {
        {"void f(void)\n{\n    int a;\n\nvoid g(void)\n{\n}\n", {}, 2, "'{' has no matching '}'"},
        {"void f(void)\n{\n    g(1;\n}\n", {}, 3, "'(' has no matching ')'"},
        {"int a;\nint b];\n", {}, 2, "']' has no matching '['"},
        {"void f(void)\n{\n}\n}\n", {}, 4, "'}' has no matching '{'"},
        {"int x[4;\nint y;\n", {}, 1, "'[' has no matching ']'"},
        {"char *s = \"abc;\nint x;\n", {}, 1, "string literal is not closed"},
        {"int a;\nint c = 'a;\n", {}, 2, "character constant is not closed"},
        {"int c = '';\n", {}, 1, "empty character constant"},
        {"int a;\n/* open\nint b;\n", {}, 2, "comment is not closed"},
        {"/* a /* b */\nint x;\n", {"-C"}, 1, "comment is not closed"},
        {"int a;\n#include \"nothere.h\"\n", {}, 2, "cannot open include file 'nothere.h'"},
    };
    for (const Row& row : rows) {
        put("t.c", row.source);
        put("t.r25", "stale");
        const ToolRun r = run("icc78300", Args{"t.c", "-e", "-l", "t"} + row.extra);
        SCOPED_TRACE(row.source);
        EXPECT_EQ(r.exitCode, 1);
        const std::string diag = "\"t.c\"," + std::to_string(row.line) + "  Error[";
        EXPECT_EQ(count(r.out, "Error["), 1) << r.out;
        EXPECT_NE(r.out.find(diag), std::string::npos) << r.out;
        EXPECT_NE(r.out.find(row.text), std::string::npos) << r.out;
        EXPECT_FALSE(exists("t.r25")); // a stale object is removed too
        // In the listing the diagnostic follows the numbered source line it concerns.
        const std::string listing = read("t.lst");
        const std::size_t numbered = listing.find(
            "\n" + std::string(5 - std::to_string(row.line).size(), ' ') + std::to_string(row.line) + "  ");
        const std::size_t found = listing.find(diag);
        EXPECT_NE(found, std::string::npos);
        EXPECT_LT(numbered, found);
        EXPECT_NE(listing.find("Errors: 1\r\nWarnings: none"), std::string::npos) << listing;
    }
}

TEST_F(StandinTest, WarningsKeepTheObjectAndYieldToDashW)
{
    struct Row {
        const char* source;
        Args args;
        int warnings;
        const char* diag;
    };
    const Row rows[] = {
        {"int a; /* x /* y */\n", {"-e"}, 1, "\"t.c\",1  Warning[1]:"},
        {"int a;\n/* x /* y */ */\n", {"-e", "-C"}, 0, ""},
        {"void f(void)\n{\n    g();\n}\n",
         {"-e", "-g"},
         1,
         "\"t.c\",3  Warning[4]: function 'g' called without a prototype"},
        {"void f(void)\n{\n    g();\n}\n", {"-e"}, 0, ""},
        {"int a; // note\n", {}, 1, "\"t.c\",1  Warning[2]:"},
        {"int a;", {"-e"}, 1, "\"t.c\",1  Warning[3]: no newline at end of file"},
        {"int a; /* x /* y */\nint b;", {"-e", "-w"}, 0, ""},
    };
    for (const Row& row : rows) {
        put("t.c", row.source);
        const ToolRun r = run("icc78300", Args{"t.c"} + row.args);
        SCOPED_TRACE(row.source);
        EXPECT_EQ(r.exitCode, 0);
        EXPECT_TRUE(exists("t.r25"));
        EXPECT_EQ(count(r.out, "Warning["), row.warnings) << r.out;
        EXPECT_NE(r.out.find(row.diag), std::string::npos) << r.out;
    }
}

TEST_F(StandinTest, ObjectNamesPublicsAndExternals)
{
    copySampleAndLibrary();
    ASSERT_EQ(run("icc78300", Args{"util.c"} + kDefaults + Args{"-2"}).exitCode, 0);
    const std::string object = read("util.r25");
    for (const char* line : {"R25 1 util PROGRAM", "CPU 78320", "DOUBLE 64", "PUBLIC led_init CODE 0000",
                             "PUBLIC delay_ms CODE", "EXTERN watchdog_kick\r\n", "END"})
        EXPECT_NE(object.find(line), std::string::npos) << line << "\n" << object;
    EXPECT_EQ(object.find("EXTERN led_"), std::string::npos); // defined here, not needed
}

TEST_F(StandinTest, SampleBuildsEndToEnd)
{
    copySampleAndLibrary();
    compileSample();
    const ToolRun r = run("xlink", kLinkLine);
    ASSERT_EQ(r.exitCode, 0) << r.out;
    const std::string image = read("aout.a25");
    EXPECT_EQ(image.rfind("S0", 0), 0u);
    EXPECT_NE(image.find("\r\nS9"), std::string::npos);
    const std::string map = read("out.map");
    for (const char* text : {"main.R25", "util.R25", "cstartup.r25", "watchdog.r25", "CL7832S.r25",
                             "Command file  : LK7832SL.xcl", "Errors: none"})
        EXPECT_NE(map.find(text), std::string::npos) << text << "\n" << map;
    // Of the library only the module that start-up needs comes in.
    EXPECT_EQ(count(map, "library module"), 1) << map;
    EXPECT_EQ(map.find("printf"), std::string::npos);
}

TEST_F(StandinTest, LinkerTakesTheLinesTheCommandFileEditorWrites)
{
    copySampleAndLibrary();
    compileSample();
    put("mine.xcl", " -c78300\r\n-Z(CODE)INTVEC=0000-003F\r\n-ZRCODE0010,CODE,CONST=0040-7FFF\r\n"
                    "-Z(DATA)DATA,CSTACK#FD00-FEFF.FF00\r\n -e_small_write=_formatted_write\r\n"
                    "-C CL7832S\r\n-unknown\r\n");
    const ToolRun r = run("xlink", {"main.R25",     "util.R25",  "cstartup.r25",
                                    "watchdog.r25", "-f",        "mine.xcl",
                                    "-o",           "blink.hex", "-FINTEL-STANDARD",
                                    "-l",           "blink.map", "-xsme",
                                    "-S",           "-G",        "-R",
                                    "-n",           "-z",        "-m",
                                    "-B",           "-K",        "-e_small_read=_formatted_read"});
    ASSERT_EQ(r.exitCode, 0) << r.out;
    EXPECT_NE(r.out.find("\"mine.xcl\",7  Warning["), std::string::npos) << r.out;
    EXPECT_EQ(read("blink.hex").rfind(":", 0), 0u);
    const std::string map = read("blink.map");
    EXPECT_NE(map.find("RCODE        -        0050"), std::string::npos) << map; // after the 10h gap
    EXPECT_NE(map.find("FEFF"), std::string::npos) << map; // CSTACK packed at the top of its range
}

TEST_F(StandinTest, SegmentLinesPlaceOrRefuse)
{
    struct Row {
        const char* line;
        const char* expected; // in the list file
    };
    const Row rows[] = {
        {"-Z(CODE)CODE=1000-1FFF", "CODE         CODE     1000   1068   0069"},
        {"-Z(CODE)CODE0100=1000", "CODE         CODE     1100   1168   0069"},
        {"-ZCODE#1000-1FFF", "CODE         -        1F97   1FFF   0069"},
        {"-Z(code)CODE=1000-1FFF.FF00", "CODE         CODE     1000"},
        {"-Z(CODE)CODE=1000-1040",
         "\"t.xcl\",1  Error[30]: segment 'CODE' (105 bytes) does not fit in 1000-1040"},
        {"-Z(ROM)CODE=1000", "\"t.xcl\",1  Error[5]: unknown segment type 'ROM'"},
        {"-Z(CODE)CODE", "\"t.xcl\",1  Error[5]:"},
        {"-Z(CODE)CODE=1000-0FFF", "\"t.xcl\",1  Error[5]: range end lies below its start"},
        {"-Z(CODE)CODE=XYZ", "\"t.xcl\",1  Error[5]: bad address"},
        {"-Z(CODE)CODE=0000-7FFF", "overlap"},
    };
    copySampleAndLibrary();
    compileSample();
    for (const Row& row : rows) {
        put("t.xcl",
            std::string(row.line) + "\n-Z(CODE)INTVEC,RCODE=0000-00FF\n-Z(DATA)DATA,CSTACK=FD00-FEFF\n");
        run("xlink", {"main.R25", "util.R25", "cstartup.r25", "watchdog.r25", "-f", "t", "-l", "t.map", "-C",
                      "CL7832S"});
        const std::string map = read("t.map");
        EXPECT_NE(map.find(row.expected), std::string::npos) << row.line << "\n" << map;
    }
}

TEST_F(StandinTest, PrintFormatAliasPicksTheFormatterModule)
{
    copySampleAndLibrary();
    put("hello.c", "int printf(const char *format, ...);\n\nvoid main(void)\n{\n    printf(\"hi\");\n}\n");
    ASSERT_EQ(run("icc78300", Args{"hello.c"} + kDefaults).exitCode, 0);
    const Args line{"hello.r25", "cstartup.r25", "-c78300", "-f", "LK7832SL",
                    "-l",        "out.map",      "-xm",     "-C", "CL7832S"};
    ASSERT_EQ(run("xlink", line).exitCode, 0);
    EXPECT_NE(read("out.map").find("  formwr "), std::string::npos);
    ASSERT_EQ(run("xlink", line + Args{"-e_small_write=_formatted_write"}).exitCode, 0);
    EXPECT_NE(read("out.map").find("  smallwr "), std::string::npos);
    EXPECT_EQ(read("out.map").find("  formwr "), std::string::npos);
    // The command file editor's capitalised sizes name the same formatters.
    put("fmt.xcl", " -e_Medium_write=_formatted_write\r\n");
    ASSERT_EQ(run("xlink", line + Args{"-f", "fmt.xcl"}).exitCode, 0);
    EXPECT_NE(read("out.map").find("  mediumwr "), std::string::npos) << read("out.map");
    const ToolRun clash =
        run("xlink", line + Args{"-e_small_write=_formatted_write", "-e_large_write=_formatted_write"});
    EXPECT_NE(clash.out.find("already served by '_small_write'"), std::string::npos) << clash.out;
}

TEST_F(StandinTest, ForceDumpAndNoCodeDecideTheImage)
{
    copySampleAndLibrary();
    compileSample();
    const Args unresolved{"main.R25", "cstartup.r25", "watchdog.r25", "-f", "LK7832SL", "-C", "CL7832S"};
    EXPECT_EQ(run("xlink", unresolved + Args{"-B"}).exitCode, 1);
    EXPECT_TRUE(exists("aout.a25")); // -B keeps the image of a faulty link
    fs::remove(m_dir + "/aout.a25");
    EXPECT_EQ(run("xlink", kLinkLine + Args{"-d"}).exitCode, 0);
    EXPECT_FALSE(exists("aout.a25"));
    EXPECT_TRUE(exists("out.map"));
}

TEST_F(StandinTest, LinkerRefusesWhatCannotBeLinked)
{
    struct Row {
        Args args;
        const char* text;
    };
    const Row rows[] = {
        {{"main.R25", "nothere.r25", "-f", "LK7832SL", "-C", "CL7832S"},
         "cannot open object file 'nothere.r25'"},
        {{"main.R25", "util.R25", "cstartup.r25", "watchdog.r25", "-f", "LK7832SL", "-C", "CL9999"},
         "cannot open library 'CL9999.r25'"},
        {{"main.R25", "cstartup.r25", "watchdog.r25", "-f", "LK7832SL", "-C", "CL7832S"},
         "undefined external 'led_init'"},
        {{"main.R25", "util.R25", "cstartup.r25", "watchdog.r25", "-f", "twice", "-C", "CL7832S"},
         "'CL7832S.r25' is given twice"},
        {{"main.R25", "util.R25", "main.r25", "cstartup.r25", "watchdog.r25", "-f", "LK7832SL", "-C",
          "CL7832S"},
         "is given twice"},
        {{"main.R25", "util.R25", "cstartup.r25", "watchdog.r25", "-C", "CL7832S"}, "has no place"},
        {{"main.R25", "util.R25", "cstartup.r25", "watchdog.r25", "-f", "LK7832SL", "-C", "CL7832SD"},
         "-bit doubles"},
        {{"main.R25", "util.R25", "cstartup.r25", "watchdog.r25", "-cz80", "-f", "LK7832SL", "-C", "CL7832S"},
         "not for CPU 'z80'"},
        {{"main.R25", "util.R25", "cstartup.r25", "watchdog.r25", "-f", "tiny", "-C", "CL7832S"},
         "does not fit"},
        {{"main.R25", "-Q"}, "unknown switch '-Q'"},
        {{"main.R25", "-FNOSUCH"}, "unknown output format"},
        {{"main.R25", "util.c", "-f", "LK7832SL"}, "'util.c' is not a valid object file (line 1"},
    };
    copySampleAndLibrary();
    compileSample();
    put("twice.xcl",
        "-Z(CODE)INTVEC,RCODE,CODE,CONST=0000-7FFF\n-Z(DATA)DATA,CSTACK=FD00-FEFF\n-C CL7832S\n");
    put("tiny.xcl", "-Z(CODE)INTVEC,RCODE,CODE,CONST=0000-003F\n-Z(DATA)DATA,CSTACK=FD00-FEFF\n");
    for (const Row& row : rows) {
        put("aout.a25", "image of an earlier link");
        const ToolRun r = run("xlink", row.args + Args{"-l", "out.map"});
        SCOPED_TRACE(row.text);
        EXPECT_NE(r.exitCode, 0);
        EXPECT_NE(r.out.find(row.text), std::string::npos) << r.out;
        EXPECT_NE(r.out.find("rror["), std::string::npos) << r.out;
        EXPECT_FALSE(exists("aout.a25"));
    }
    // The list file of a failed link holds its faults.
    EXPECT_NE(read("out.map").find("rror["), std::string::npos);
}

TEST_F(StandinTest, AssemblerReadsTheCompilersAssemblerOutput)
{
    copySampleAndLibrary();
    ASSERT_EQ(run("icc78300", Args{"util.c", "-a", "util"} + kDefaults).exitCode, 0);
    const ToolRun r = run("A78300", {"C:\\Tarnel\\Source\\util.s25", "util"});
    ASSERT_EQ(r.exitCode, 0) << r.out;
    EXPECT_NE(read("util.r25").find("PUBLIC delay_ms CODE 0014"), std::string::npos) << read("util.r25");
    EXPECT_NE(read("util.lst").find("Errors: none"), std::string::npos);

    put("bad.s25", "        NAME    bad\n        PUBLIC  go\ngo:     LD A,(B\n        END\n");
    const ToolRun broken = run("A78300", {"bad.s25", ""});
    EXPECT_EQ(broken.exitCode, 1);
    EXPECT_NE(broken.out.find("\"bad.s25\",3  Error["), std::string::npos) << broken.out;
    EXPECT_FALSE(exists("bad.r25"));
    EXPECT_NE(run("A78300", {"missing.s25"}).exitCode, 0);
}

TEST_F(StandinTest, AssemblesTheDemosAssemblerSource)
{
    copyDemo("sample/boot.s25");
    const ToolRun r = run("A78300", {"boot.s25", "boot"});
    ASSERT_EQ(r.exitCode, 0) << r.out;
    for (const char* line :
         {"PUBLIC reset_entry CODE 0000", "PUBLIC spin CODE 0006", "EXTERN main", "SEGMENT INTVEC 0002"})
        EXPECT_NE(read("boot.r25").find(line), std::string::npos) << line << "\n" << read("boot.r25");
    EXPECT_NE(r.out.find("Listing : boot.lst"), std::string::npos) << r.out;
}

TEST_F(StandinTest, ProgrammerReportsWhatItWasAskedToLoad)
{
    put("good.hex", ":0400100001020304E2\n:00000001FF\n");
    put("bad.hex", ":0400100001020304E3\n");
    put("notes.txt", "not a target file\n");
    const struct {
        Args args;
        int exitCode;
        const char* text;
    } rows[] = {
        {{"good.hex"}, 0, "Image          : 4 bytes at 0010-0013H"},
        {{"bad.hex"}, 1, "line 1: bad checksum"},
        {{"notes.txt"}, 1, "holds neither S-records nor Intel hex"},
        {{"C:\\Tarnel\\Source\\gone.a25"}, 1, "Cannot open C:\\Tarnel\\Source\\gone.a25"},
        {{}, 1, "Nothing to load"},
    };
    for (const auto& row : rows) {
        const ToolRun r = run("prog78k", row.args);
        EXPECT_EQ(r.exitCode, row.exitCode) << r.out;
        EXPECT_NE(r.out.find(row.text), std::string::npos) << r.out;
    }

    // The linked sample, named by the ini file beside the programmer as the demo installs it.
    copySampleAndLibrary();
    compileSample();
    ASSERT_EQ(run("xlink", kLinkLine).exitCode, 0);
    put("prog78k.ini", "; comment\r\nLoad=C:\\Tarnel\\Source\\aout.a25\r\n");
    const ToolRun r = run("prog78k", {});
    EXPECT_EQ(r.exitCode, 0) << r.out;
    for (const char* text :
         {"Parameters     : (none)", "(from prog78k.ini)", "Motorola S-records", "Verifying ...... done"})
        EXPECT_NE(r.out.find(text), std::string::npos) << text << "\n" << r.out;
}

TEST_F(StandinTest, FaultyDemoGivesOneErrorAtLine17)
{
    copyDemo("faulty/main.c");
    copyDemo("nec/C/INCLUDE/io78320.h");
    const ToolRun r = run("icc78300", Args{"main.c"} + kDefaults + Args{"-l", "main"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(count(r.out, "rror["), 1) << r.out;
    EXPECT_NE(r.out.find("\"main.c\",17  Error["), std::string::npos) << r.out;
    EXPECT_NE(read("main.lst").find("\"main.c\",17  Error["), std::string::npos);
}

} // namespace
