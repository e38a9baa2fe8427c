// "Build Changed" on the real file system with the stand-in tools: the sample built, one source
// changed gives one compile and one link, again gives nothing to do, a header gives the source
// that includes it; and randomized trials on a generated project, where after every trial the
// objects and the target are byte for byte those of a clean "Build All".
#include <gtest/gtest.h>

#include "build/build_output.h"
#include "support/changed_build_rig.h"
#include "support/temp_prefix.h"

using namespace changedrig;

namespace {

std::vector<std::string> lines(const std::string& hostFile)
{
    std::vector<std::string> out;
    std::istringstream in(readFile(hostFile));
    for (std::string l; std::getline(in, l);)
        out.push_back(l.ends_with('\r') ? l.substr(0, l.size() - 1) : l);
    return out;
}

void append(const std::string& hostFile, const std::string& text)
{
    writeFile(hostFile, readFile(hostFile) + text);
}

}  // namespace

TEST(BuildChanged, CompilesWhatChangedAndThenNothing)
{
    TempPrefix prefix;
    Rig rig(prefix.path());
    ASSERT_TRUE(rig.installed);
    rig.start();
    rig.run("BuildAll1");
    ASSERT_EQ(rig.app.statusBar().panel(5).text, std::string("Created ") + Rig::Target);

    ASSERT_TRUE(rig.settle());
    append(rig.host("C:\\Tarnel\\Sample\\util.c"), "/* changed */\n");
    const std::string out = rig.run(BuildChanged::MenuItem);
    const std::vector<std::string> batch = lines(rig.host("C:\\Tarnel\\Source\\idechg.bat"));
    ASSERT_EQ(batch.size(), 2u) << out;
    EXPECT_TRUE(batch[0].starts_with("icc78300 util.c ")) << batch[0];
    EXPECT_TRUE(batch[1].starts_with("xlink main.R25 util.R25 ")) << batch[1];
    EXPECT_EQ(count(out, "Tarnel stand-in icc78300"), 1) << out;
    EXPECT_EQ(count(out, "Tarnel stand-in xlink"), 1) << out;
    EXPECT_TRUE(rig.app.buildOutput().end().target == BuildOutput::Target::Updated);
    EXPECT_EQ(lines(rig.host("C:\\Tarnel\\pathchg.bat")).back(), "CALL idechg");
    // The Parts' own batch file is as "Build All" left it.
    EXPECT_EQ(count(readFile(rig.host("C:\\Tarnel\\Source\\ide.bat")), "icc78300 "), 2);

    const std::size_t started = rig.shell.started.size();
    const std::string status = rig.app.statusBar().panel(5).text;
    EXPECT_EQ(rig.run(BuildChanged::ToolButton), "");
    EXPECT_EQ(rig.app.statusBar().panel(5).text, status);
    EXPECT_EQ(rig.shell.started.size(), started) << "nothing is started";
    EXPECT_EQ(rig.app.buildOutput().heading(), BuildChanged::NothingToDo);

    ASSERT_TRUE(rig.settle());
    append(rig.host("C:\\Tarnel\\Sample\\util.h"), "/* changed */\n");
    rig.run(BuildChanged::MenuItem);
    const std::vector<std::string> again = lines(rig.host("C:\\Tarnel\\Source\\idechg.bat"));
    ASSERT_FALSE(again.empty());
    EXPECT_TRUE(again[0].starts_with("icc78300 main.c ")) << again[0];
    EXPECT_TRUE(again.back().starts_with("xlink ")) << again.back();
}

// Seeded, so that a failure can be run again; the benchmark runs 200 trials of the same kind.
TEST(BuildChanged, NeverLeavesAStaleObjectInRandomTrials)
{
    TempPrefix prefix;
    Rig rig(prefix.path());
    ASSERT_TRUE(rig.installed);
    Generated project(rig, 22);
    project.writeProject();
    rig.start();
    rig.run("BuildAll1");
    ASSERT_EQ(rig.app.statusBar().panel(5).text, std::string("Created ") + Rig::Target);
    for (int trial = 0; trial < 20; ++trial) {
        ASSERT_TRUE(rig.settle());
        const std::string what = project.change();
        rig.run(BuildChanged::MenuItem);
        const auto changed = rig.results();
        ASSERT_EQ(changed.size(), static_cast<std::size_t>(Generated::Sources + 1)) << what;
        EXPECT_TRUE(changed == rig.cleanBuildAll()) << "trial " << trial << ": " << what;
    }
}
