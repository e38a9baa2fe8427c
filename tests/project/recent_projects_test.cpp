#include "platform/fake/fake_host.h"
#include "project/project_fixture.h"
#include "project/recent_projects.h"

using namespace projecttest;

namespace {

using Paths = std::vector<std::string>;

TEST(RecentProjectList, NewestFirstOnceEachAndEightAtMost)
{
    struct Row {
        const char* what;
        Paths added;
        Paths listed;
    };
    const Row rows[] = {
        {"newest first", {"C:\\a.prj", "C:\\b.prj", "C:\\c.prj"}, {"C:\\c.prj", "C:\\b.prj", "C:\\a.prj"}},
        {"opened again moves up", {"C:\\a.prj", "C:\\b.prj", "C:\\a.prj"}, {"C:\\a.prj", "C:\\b.prj"}},
        // Windows paths name one file whatever their case; the latest spelling stays.
        {"case", {"C:\\Work\\A.prj", "C:\\b.prj", "c:\\work\\a.PRJ"}, {"c:\\work\\a.PRJ", "C:\\b.prj"}},
        {"blank names are no projects", {"", "  ", "C:\\a.prj"}, {"C:\\a.prj"}},
        {"the ninth pushes the first out",
         {"C:\\1.prj", "C:\\2.prj", "C:\\3.prj", "C:\\4.prj", "C:\\5.prj", "C:\\6.prj", "C:\\7.prj", "C:\\8.prj",
          "C:\\9.prj"},
         {"C:\\9.prj", "C:\\8.prj", "C:\\7.prj", "C:\\6.prj", "C:\\5.prj", "C:\\4.prj", "C:\\3.prj", "C:\\2.prj"}},
    };
    for (const Row& r : rows) {
        RecentProjects list;
        for (const std::string& p : r.added)
            list.add(p);
        EXPECT_EQ(list.paths(), r.listed) << r.what;
    }
}

TEST(RecentProjectList, StoredUnderOwnNamesAndReadBackWithoutGapsOrRepeats)
{
    FakeSettingsStore store;
    RecentProjects list;
    for (const char* p : {"C:\\a.prj", "C:\\b.prj", "C:\\c.prj"})
        list.add(p);
    list.write(store);
    // All eight, so a list that shrank leaves no old entry to come back.
    ASSERT_EQ(store.writeOrder.size(), 8u);
    EXPECT_EQ(store.writeOrder.front(), "Recent Project 1");
    EXPECT_EQ(store.writeOrder.back(), "Recent Project 8");
    EXPECT_EQ(store.values["recent project 1"], "C:\\c.prj");
    EXPECT_EQ(store.values["recent project 4"], "");

    RecentProjects again;
    again.read(store);
    EXPECT_EQ(again.paths(), list.paths());

    // A hand-edited store: gaps, a repeat and a value past the eighth.
    FakeSettingsStore edited;
    edited.values = {{"recent project 2", "C:\\x.prj"}, {"recent project 5", "C:\\y.prj"},
                     {"recent project 6", "c:\\X.PRJ"}, {"recent project 9", "C:\\z.prj"}};
    RecentProjects read;
    read.read(edited);
    EXPECT_EQ(read.paths(), (Paths{"C:\\x.prj", "C:\\y.prj"}));
}

TEST(RecentProjectList, CaptionsNumberTheEntriesAndShowAnAmpersandAsItself)
{
    RecentProjects list;
    list.add("C:\\R&D\\b.prj");
    list.add("C:\\a.prj");
    EXPECT_EQ(list.captions(), (Paths{"&1 C:\\a.prj", "&2 C:\\R&&D\\b.prj"}));
}

class RecentProjectsTest : public ProjectFixture {
protected:
    RecentProjectsTest()
    {
        writeProject(kOther, {"D:\\work\\main.c"});
        fake().dialogs.calls.clear();
    }
    Control& item() { return c()[RecentProjects::MenuItem]; }
    void choose(int index)
    {
        Sender s;
        s.kind = SenderKind::MenuItem;
        s.tag = index;
        item().activate(s);
    }
    // Closes the program and starts it again on the same machine.
    void restart()
    {
        app().FormClose();
        f.app.reset();
        f.start();
    }
    const std::string kOther = "D:\\work\\other.prj";
};

TEST_F(RecentProjectsTest, OpenedProjectsComeBackAfterARestartWithTheStartUpProjectFirst)
{
    EXPECT_FALSE(item().enabled());
    open(kProject);
    open(kOther);
    EXPECT_EQ(item().entries(), (Paths{"&1 " + kOther, "&2 " + kProject}));
    EXPECT_TRUE(item().enabled());

    // The other project is loaded again at start-up: still first.
    restart();
    EXPECT_EQ(currentProject(), kOther);
    EXPECT_EQ(app().settings().recentProjects.paths(), (Paths{kOther, kProject}));
    EXPECT_EQ(item().entries(), (Paths{"&1 " + kOther, "&2 " + kProject}));
    EXPECT_TRUE(item().enabled());
}

TEST_F(RecentProjectsTest, TheProjectLoadedAtStartUpGoesFirst)
{
    app().FormClose();
    f.app.reset();
    f.fake.settings.values["project"] = kProject;
    f.fake.settings.values["recent project 1"] = kOther;
    f.fake.settings.values["recent project 2"] = kProject;
    f.start();
    EXPECT_EQ(currentProject(), kProject);
    EXPECT_EQ(app().settings().recentProjects.paths(), (Paths{kProject, kOther}));
}

TEST_F(RecentProjectsTest, ChoosingOneOpensItAsOpenProjectWouldWithoutTheDialog)
{
    open(kProject);
    open(kOther);
    fake().dialogs.calls.clear();
    files().removeFile(kIdeBat);

    choose(1);
    EXPECT_TRUE(fake().dialogs.calls.empty()) << "no load dialog, no message";
    EXPECT_EQ(currentProject(), kProject);
    EXPECT_EQ(sources(), kSources);
    EXPECT_TRUE(files().fileExists(kIdeBat)) << "build files generated as after the dialog";
    EXPECT_EQ(app().settings().recentProjects.paths(), (Paths{kProject, kOther}));

    // Entries that are not there do nothing.
    for (int index : {-1, 2, 99})
        choose(index);
    EXPECT_EQ(currentProject(), kProject);
    EXPECT_TRUE(fake().dialogs.calls.empty());
}

TEST_F(RecentProjectsTest, AMissingProjectIsOfferedForRemovalAndNothingIsOpened)
{
    open(kProject);
    open(kOther);
    files().removeFile(kProject);
    fake().dialogs.calls.clear();

    fake().dialogs.answers = {MsgAnswer::No};
    choose(1);
    const std::string question = "The project " + kProject + " cannot be found.\rRemove it from the Recent Projects list?";
    ASSERT_EQ(fake().dialogs.calls.size(), 1u);
    EXPECT_EQ(fake().dialogs.calls[0].text, question);
    EXPECT_EQ(fake().dialogs.calls[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(app().settings().recentProjects.paths(), (Paths{kOther, kProject})) << "No keeps it";
    EXPECT_EQ(currentProject(), kOther);

    fake().dialogs.answers = {MsgAnswer::Yes};
    choose(1);
    EXPECT_EQ(app().settings().recentProjects.paths(), (Paths{kOther}));
    EXPECT_EQ(item().entries(), (Paths{"&1 " + kOther}));
    EXPECT_EQ(currentProject(), kOther);

    // The last one gone leaves the submenu disabled.
    files().removeFile(kOther);
    fake().dialogs.answers = {MsgAnswer::Yes};
    choose(0);
    EXPECT_TRUE(item().entries().empty());
    EXPECT_FALSE(item().enabled());
    // The shutdown writes the current project back, and the start-up that loads it lists it again.
    restart();
    EXPECT_EQ(app().settings().recentProjects.paths(), (Paths{kOther}));
}

TEST_F(RecentProjectsTest, AProjectThatFailsToLoadIsNotListed)
{
    files().put("D:\\work\\broken.prj", "not a project\r\n");
    open(kProject);
    open("D:\\work\\broken.prj");
    open("D:\\work\\absent.prj");
    EXPECT_EQ(app().settings().recentProjects.paths(), (Paths{kProject}));
}

}  // namespace
