// What "Build Changed" must redo, decided over the fake file system's times and the record of
// the last build: sources, headers reached through nested and angle includes, options, the file
// list, the link and the copies in the compile directory.
#include <gtest/gtest.h>

#include <functional>

#include "build/changed_build.h"
#include "build/include_scan.h"
#include "platform/fake/fake_files.h"

namespace {

const std::string kDir = "C:\\Tarnel\\Source";
const std::string kTarget = "C:\\Tarnel\\Source\\aout.a25";
const std::string kLibrary = "C:\\Tarnel\\Source\\CL7832S.r25";

struct Scene {
    FakeFiles files;
    ChangedInputs in;
    BuildRecord record;

    Scene()
    {
        // main.c -> "util.h" -> "defs.h" (in another project folder); util.c -> <io.h>.
        files.put("D:\\work\\main.c", "#include \"util.h\"\nint main(void) { return 0; }\n", 50);
        files.put("D:\\work\\util.c", "#include <io.h>\nint util(void) { return 1; }\n", 50);
        files.put("D:\\work\\util.h", "/* shared */\n#include \"defs.h\"\n", 50);
        files.put("D:\\inc\\defs.h", "#define ONE 1\n", 50);
        files.put("C:\\Nec\\C\\INCLUDE\\io.h", "\n", 50);
        for (const char* copy : {"main.c", "util.c", "util.h", "defs.h"})
            files.put(kDir + "\\" + copy, "", 60);
        files.put(kDir + "\\main.R25", "obj", 100);
        files.put(kDir + "\\util.R25", "obj", 100);
        files.put(kLibrary, "lib", 10);
        files.put(kTarget, "S0", 200);
        in.entries = {"D:\\work\\main.c", "D:\\work\\util.c", "D:\\work\\util.h", "D:\\inc\\defs.h"};
        in.compiles = {{"D:\\work\\main.c", "icc78300 main.c -C"}, {"D:\\work\\util.c", "icc78300 util.c -C"}};
        in.link = "xlink main.R25 util.R25 -f LK";
        in.linkInputs = {kLibrary};
        in.target = kTarget;
        in.compileDir = kDir;
        in.necInclude = "C:\\Nec\\C\\INCLUDE";
        in.originals = {"C:\\Nec\\C\\INCLUDE", "C:\\Nec\\C\\LIB"};
        record.fileList = in.entries;
        record.objects["main.r25"] = {"icc78300 main.c -C", std::nullopt};
        record.objects["util.r25"] = {"icc78300 util.c -C", std::nullopt};
        record.link = BuildRecord::Made{in.link, std::nullopt};
    }
};

TEST(ChangedBuild, DecidesWhatIsOutOfDateAndWhy)
{
    struct Case {
        const char* what;
        std::function<void(Scene&)> change;
        std::vector<std::string> compiled;  // file names, in project order
        std::string firstReason;            // of the first compile, or of the link when none
        bool link;
        std::vector<std::string> copies;
    };
    const Case cases[] = {
        {"nothing changed", [](auto&) {}, {}, "", false, {}},
        {"source edited", [](auto& t) { t.files.setModified("D:\\work\\util.c", 150); }, {"util.c"},
         "util.c is newer than util.R25", true, {"D:\\work\\util.c"}},
        {"header reached through a header", [](auto& t) { t.files.setModified("D:\\inc\\defs.h", 150); },
         {"main.c"}, "defs.h is newer than main.R25", true, {"D:\\inc\\defs.h"}},
        {"angle include in the NEC folder", [](auto& t) { t.files.setModified("C:\\Nec\\C\\INCLUDE\\io.h", 150); },
         {"util.c"}, "io.h is newer than util.R25", true, {}},
        {"header only in the compile directory",
         [](auto& t) {
             t.files.put("D:\\work\\util.c", "#include \"local.h\"\n", 50);
             t.files.put(kDir + "\\local.h", "", 150);
         },
         {"util.c"}, "local.h is newer than util.R25", true, {}},
        {"include that cannot be found", [](auto& t) { t.files.put("D:\\work\\util.c", "#include \"gone.h\"\n", 50); },
         {"util.c"}, "the include gone.h cannot be found", true, {}},
        {"object missing", [](auto& t) { t.files.removeFile(kDir + "\\main.R25"); }, {"main.c"}, "main.R25 is missing",
         true, {}},
        {"object not rewritten by its last compile",
         [](auto& t) { t.record.objects["main.r25"].prior = 100; }, {"main.c"},
         "its last compile did not write main.R25", true, {}},
        {"compiler options changed", [](auto& t) { t.in.compiles[1].line = "icc78300 util.c -C -s"; }, {"util.c"},
         "its compiler options changed", true, {}},
        {"file list changed", [](auto& t) { t.record.fileList.pop_back(); }, {"main.c", "util.c"},
         "the project's file list changed since the last build", true, {}},
        {"no record", [](auto& t) { t.record = {}; }, {"main.c", "util.c"},
         "the project's file list changed since the last build", true, {}},
        {"target missing", [](auto& t) { t.files.removeFile(kTarget); }, {}, "aout.a25 is missing", true, {}},
        {"target older than an object", [](auto& t) { t.files.setModified(kTarget, 90); }, {},
         "main.R25 is newer than aout.a25", true, {}},
        {"library newer than the target", [](auto& t) { t.files.setModified(kLibrary, 300); }, {},
         "CL7832S.r25 is newer than aout.a25", true, {}},
        {"linker options changed", [](auto& t) { t.in.link += " -x"; }, {}, "the linker options changed", true, {}},
        {"target not rewritten by its last link", [](auto& t) { t.record.link->prior = 200; }, {},
         "the last link did not write aout.a25", true, {}},
        {"toolchain files the start-up copied afresh",
         [](auto& t) {
             t.files.put("D:\\work\\util.c", "#include \"io2.h\"\n", 50);
             t.files.put("C:\\Nec\\C\\INCLUDE\\io2.h", "", 50);
             t.files.put(kDir + "\\io2.h", "", 400);
             t.files.put("C:\\Nec\\C\\LIB\\CL7832S.r25", "lib", 10);
             t.files.setModified(kLibrary, 400);
         },
         {}, "", false, {}},
        {"copy missing", [](auto& t) { t.files.removeFile(kDir + "\\util.h"); }, {}, "", false, {"D:\\work\\util.h"}},
    };
    for (const Case& c : cases) {
        Scene t;
        c.change(t);
        const ChangedPlan plan = decideChanged(t.files, t.in, t.record);
        std::vector<std::string> compiled;
        for (const auto& s : plan.compile)
            compiled.push_back(s.entry.substr(s.entry.rfind('\\') + 1));
        EXPECT_EQ(compiled, c.compiled) << c.what;
        EXPECT_EQ(plan.link, c.link) << c.what;
        const std::string reason = plan.compile.empty() ? plan.linkReason : plan.compile.front().reason;
        EXPECT_EQ(reason, c.firstReason) << c.what;
        EXPECT_EQ(plan.copies, c.copies) << c.what;
    }
}

TEST(ChangedBuild, AMissingIncludeIsNamedWithItsSource)
{
    Scene s;
    auto& files = s.files;
    auto& in = s.in;
    auto& record = s.record;
    files.put("D:\\work\\util.h", "#include \"defs.h\"\n#include <nowhere.h>\n", 50);
    const ChangedPlan plan = decideChanged(files, in, record);
    ASSERT_EQ(plan.missingIncludes.size(), 1u);
    EXPECT_EQ(plan.missingIncludes[0], (std::pair<std::string, std::string>{"main.c", "nowhere.h"}));
    ASSERT_EQ(plan.compile.size(), 1u);
    EXPECT_EQ(plan.compile[0].entry, "D:\\work\\main.c");
}

TEST(ChangedBuild, TheRecordOfABuildLeavesNothingToDoOnceItsFilesAreWritten)
{
    Scene s;
    auto& files = s.files;
    auto& in = s.in;
    auto& record = s.record;
    record = {};
    files.put("C:\\Nec\\C\\INCLUDE\\io.h", "\n", 150);
    const ChangedPlan plan = decideChanged(files, in, record);
    ASSERT_EQ(plan.compile.size(), 2u);
    ASSERT_TRUE(recordFor(files, in, plan.chosen, plan.link, record).write(files, kDir));
    // The build rewrites both objects and the target.
    files.setModified(kDir + "\\main.R25", 300);
    files.setModified(kDir + "\\util.R25", 300);
    files.setModified(kTarget, 310);
    EXPECT_TRUE(decideChanged(files, in, BuildRecord::read(files, kDir)).nothingToDo());
    // A compile that left its old object is still to be done.
    files.setModified(kDir + "\\util.R25", 100);
    ASSERT_TRUE(recordFor(files, in, {false, true}, true, BuildRecord::read(files, kDir)).write(files, kDir));
    const ChangedPlan again = decideChanged(files, in, BuildRecord::read(files, kDir));
    ASSERT_EQ(again.compile.size(), 1u);
    EXPECT_EQ(again.compile[0].reason, "its last compile did not write util.R25");
}

TEST(IncludeLines, FindsDirectivesOutsideComments)
{
    const std::string text = "#include \"a.h\"\n"
                             "  #  include <b.h>\r\n"
                             "/* #include \"c.h\"\n"
                             "   #include \"d.h\" */ #include \"e/f.h\"\n"
                             "// #include \"g.h\"\n"
                             "#include MACRO\n"
                             "#includex \"h.h\"\n"
                             "#include\t\"i.h\" // note\n";
    std::vector<std::string> found;
    for (const IncludeLine& l : includeLines(text))
        found.push_back((l.angle ? "<" : "\"") + l.name);
    EXPECT_EQ(found, (std::vector<std::string>{"\"a.h", "<b.h", "\"e\\f.h", "\"i.h"}));
}

}  // namespace
