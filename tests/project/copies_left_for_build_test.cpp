// A load that leaves the compile directory's copies for the build files that follow it ends
// with the same files and the same messages as one that clears them first.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "app/tembedded.h"
#include "build/build_files.h"
#include "platform/fake/fake_host.h"
#include "project/project_file.h"

namespace {

const std::string Project = "C:\\Projects\\demo.prj";
const std::string CompileDir = "C:\\Tarnel\\Source\\";

struct Outcome {
    std::map<std::string, std::string> files;
    std::vector<std::string> messages;
    bool generated = false;
};

struct Case {
    const char* name;
    std::vector<std::string> sources;
    std::function<void(FakeFiles&)> arrange;
};

Outcome startWith(const Case& test, ProjectFile::Copies copies)
{
    FakeHost fake;
    TEmbedded app(fake.host);
    fake.files.putFolder(CompileDir);
    for (const char* name : {"main.c", "util.c", "io.h", "own.c", "ide.bat", "other.c"})
        fake.files.put(CompileDir + name, std::string("old ") + name);
    for (const char* name : {"main.c", "util.c", "io.h"})
        fake.files.put(std::string("C:\\src\\") + name, std::string("new ") + name);
    app.controls()["ProjectListBox"].setEntries(test.sources);
    app.project().ComposeProject();
    fake.files.put(Project, joinLines(app.prolist()));
    app.controls()["ProjectListBox"].setEntries({});
    if (test.arrange)
        test.arrange(fake.files);

    Outcome out;
    out.generated = app.project().load(Project, copies) && app.buildFiles().GenerateBuildFiles(true);
    for (const std::string& path : fake.files.allFiles())
        if (path != Project)
            out.files[path] = fake.files.readBytes(path).value_or("<unreadable>");
    out.messages = fake.dialogs.messages();
    return out;
}

TEST(CopiesLeftForBuildTest, EndWithTheFilesAndMessagesOfAClearedStart)
{
    const std::vector<Case> cases = {
        {"all made again", {"C:\\src\\main.c", "C:\\src\\util.c", "C:\\src\\io.h"}, {}},
        {"a source missing midway",
         {"C:\\src\\main.c", "C:\\src\\util.c", "C:\\src\\io.h"},
         [](FakeFiles& f) { f.removeFile("C:\\src\\util.c"); }},
        {"a name the batch cannot hold", {"C:\\src\\main.c", "C:\\src\\my util.c"}, {}},
        {"one name twice", {"C:\\src\\main.c", "C:\\other\\main.c"},
         [](FakeFiles& f) { f.put("C:\\other\\main.c", "other"); }},
        {"ide.bat cannot be written", {"C:\\src\\main.c", "C:\\src\\io.h"},
         [](FakeFiles& f) { f.denyWrites(CompileDir + "ide.bat"); }},
        {"a source of the compile directory itself", {"C:\\Tarnel\\Source\\own.c", "own.c", "C:\\src\\main.c"}, {}},
        {"no sources", {}, {}},
    };
    for (const Case& test : cases) {
        const Outcome cleared = startWith(test, ProjectFile::Copies::Cleared);
        const Outcome left = startWith(test, ProjectFile::Copies::LeftForBuild);
        EXPECT_EQ(left.files, cleared.files) << test.name;
        EXPECT_EQ(left.messages, cleared.messages) << test.name;
        EXPECT_EQ(left.generated, cleared.generated) << test.name;
    }
}

}  // namespace
