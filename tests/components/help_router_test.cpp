#include <gtest/gtest.h>

#include <memory>

#include "components/t_help_router.h"
#include "support/fake_help_viewer.h"

namespace {

constexpr HelpWindowHandle AppWindow = 1;

struct RouterTest : ::testing::Test {
    std::string helpFile = "C:\\Program Files\\Tarnel\\Docs\\Tarnel.chm";
    HelpApplication app{helpFile};
    FakeHtmlHelpViewer html;
    FakeOldHelpViewer old;
    int defaults = 0;
    std::unique_ptr<THelpRouter> router;

    void SetUp() override
    {
        app.defaultHelp = [this](int, const HelpData&) {
            ++defaults;
            return false;
        };
        make();
    }
    void make(HelpForm owner = {AppWindow, {}})
    {
        router.reset();
        router = std::make_unique<THelpRouter>(app, owner);
        router->HelpType = THelpType::htHTMLhelp;
        router->setViewers(&html, &old);
    }
    bool ask(int command, const HelpData& data = {}) { return app.helpCommand(command, data); }
};

TEST_F(RouterTest, EveryCommandOfTheTableReachesTheHtmlViewerAsItSays)
{
    struct Row {
        const char* name;
        int command;
        HelpData data;
        const char* call;  // "" when nothing reaches the viewer
        long topic;
        const char* keyword;
        bool result;
    };
    const Row rows[] = {
        {"context", HelpCommand::Context, HelpData::topic(26), "topic", 26, "", true},
        {"quit", HelpCommand::Quit, {}, "close", 0, "", true},
        {"contents", HelpCommand::Contents, {}, "contents", 0, "", true},
        {"finder", HelpCommand::Finder, {}, "contents", 0, "", true},
        {"tab 0", HelpCommand::Tab, HelpData::topic(0), "contents", 0, "", true},
        {"tab 1", HelpCommand::Tab, HelpData::topic(1), "index", 0, "", true},
        {"keyword", HelpCommand::Key, HelpData::keyword("ENC"), "index", 0, "ENC", true},
        {"partial keyword", HelpCommand::PartialKey, HelpData::keyword("lib"), "index", 0, "lib", true},
        {"context pop-up", HelpCommand::ContextPopup, HelpData::topic(14), "popup", 14, "", true},
        {"pop-up position", HelpCommand::SetPopupPos, HelpData::at(5, 6), "", 0, "", false},
        {"help on help", 4, {}, "", 0, "", false},
        {"command 0", 0, {}, "", 0, "", false},
    };
    for (const Row& r : rows) {
        html.calls.clear();
        EXPECT_EQ(ask(r.command, r.data), r.result) << r.name;
        EXPECT_EQ(defaults, 0) << r.name;  // the router served it
        if (*r.call == '\0') {
            EXPECT_TRUE(html.calls.empty()) << r.name;
            continue;
        }
        ASSERT_EQ(html.calls.size(), 1u) << r.name;
        const auto& call = html.calls[0];
        EXPECT_EQ(call.what, r.call) << r.name;
        EXPECT_EQ(call.topic, r.topic) << r.name;
        EXPECT_EQ(call.keyword, r.keyword) << r.name;
    }
    EXPECT_TRUE(old.calls.empty());
}

TEST_F(RouterTest, TheResultIsWhetherTheViewerTookTheCallExceptForPopUps)
{
    html.accepts = false;
    EXPECT_FALSE(ask(HelpCommand::Context, HelpData::topic(26)));
    EXPECT_FALSE(ask(HelpCommand::Finder));
    EXPECT_TRUE(ask(HelpCommand::ContextPopup, HelpData::topic(26)));
}

TEST_F(RouterTest, HtmlHelpGetsTheFileWithChmAndTheOldViewerWithHlp)
{
    struct Row {
        const char* file;
        const char* chm;
        const char* hlp;
    };
    const Row rows[] = {
        {"C:\\Tarnel\\Tarnel.chm", "C:\\Tarnel\\Tarnel.chm", "C:\\Tarnel\\Tarnel.hlp"},
        {"C:\\Tarnel\\Tarnel.HLP", "C:\\Tarnel\\Tarnel.chm", "C:\\Tarnel\\Tarnel.hlp"},
        {"C:\\Tarnel\\Tarnel", "C:\\Tarnel\\Tarnel.chm", "C:\\Tarnel\\Tarnel.hlp"},
        {"C:\\my.dir\\help", "C:\\my.dir\\help.chm", "C:\\my.dir\\help.hlp"},
        {"C:\\a\\b.old.txt", "C:\\a\\b.old.chm", "C:\\a\\b.old.hlp"},
    };
    for (const Row& r : rows) {
        helpFile = r.file;
        html.calls.clear();
        old.calls.clear();
        router->HelpType = THelpType::htHTMLhelp;
        ask(HelpCommand::Context, HelpData::topic(26));
        ASSERT_EQ(html.calls.size(), 1u) << r.file;
        EXPECT_EQ(html.calls[0].file, r.chm);
        router->HelpType = THelpType::htWinhelp;
        ask(HelpCommand::Context, HelpData::topic(26));
        ASSERT_EQ(old.calls.size(), 1u) << r.file;
        EXPECT_EQ(old.calls[0].file, r.hlp);
        EXPECT_EQ(old.calls[0].command, HelpCommand::Context);
    }
}

TEST_F(RouterTest, OnHelpComesFirstAndMayServeTheRequestItself)
{
    std::vector<int> seen;
    router->OnHelp = [&](int command, const HelpData&, bool& callHelp) {
        seen.push_back(command);
        callHelp = command != HelpCommand::Context;
        return true;
    };
    EXPECT_TRUE(ask(HelpCommand::Context, HelpData::topic(26)));
    EXPECT_TRUE(html.calls.empty());
    // Leaving the flag set lets the router go on; the viewer's result replaces OnHelp's.
    html.accepts = false;
    EXPECT_FALSE(ask(HelpCommand::Finder));
    EXPECT_EQ(seen, (std::vector<int>{HelpCommand::Context, HelpCommand::Finder}));
    EXPECT_EQ(html.calls.size(), 1u);
}

TEST_F(RouterTest, TheHandlerThatWasThereBeforeTheRouterGetsItsTurnAfterOnHelp)
{
    std::vector<std::string> order;
    bool serve = true;
    router.reset();
    app.onHelp = [&](int, const HelpData&, bool& callHelp) {
        order.push_back("previous");
        callHelp = !serve;
        return true;
    };
    make();
    router->OnHelp = [&](int, const HelpData&, bool&) {
        order.push_back("OnHelp");
        return false;
    };
    EXPECT_TRUE(ask(HelpCommand::Context, HelpData::topic(1)));
    EXPECT_EQ(order, (std::vector<std::string>{"OnHelp", "previous"}));
    EXPECT_TRUE(html.calls.empty());
    serve = false;
    ask(HelpCommand::Context, HelpData::topic(1));
    EXPECT_EQ(html.calls.size(), 1u);
    // Gone, the router puts the previous handler back.
    router.reset();
    serve = true;
    order.clear();
    EXPECT_TRUE(ask(HelpCommand::Context, HelpData::topic(1)));
    EXPECT_EQ(order, (std::vector<std::string>{"previous"}));
}

TEST_F(RouterTest, MainShowTypeTurnsPopUpRequestsIntoTopics)
{
    router->ShowType = TShowType::stMain;
    EXPECT_TRUE(ask(HelpCommand::ContextPopup, HelpData::topic(28)));
    ASSERT_EQ(html.calls.size(), 1u);
    EXPECT_EQ(html.calls[0].what, "topic");
    EXPECT_EQ(html.calls[0].topic, 28);
    // The position command becomes command 0: HTML help has nothing for it.
    EXPECT_FALSE(ask(HelpCommand::SetPopupPos, HelpData::at(3, 4)));
    EXPECT_EQ(html.calls.size(), 1u);
    EXPECT_EQ(router->pendingPopupPosition(), HelpPoint{});
    // Old-style help takes command 0 as done.
    router->HelpType = THelpType::htWinhelp;
    EXPECT_TRUE(ask(HelpCommand::SetPopupPos, HelpData::at(3, 4)));
    EXPECT_TRUE(old.calls.empty());
}

TEST_F(RouterTest, MixedModeSendsPopUpsToTheOldViewerAndEverythingElseToHtmlHelp)
{
    router->HelpType = THelpType::htMixedMode;
    ask(HelpCommand::Context, HelpData::topic(26));
    ask(HelpCommand::Finder);
    ask(HelpCommand::ContextPopup, HelpData::topic(26));
    ask(HelpCommand::SetPopupPos, HelpData::at(1, 2));
    ASSERT_EQ(html.calls.size(), 2u);
    EXPECT_EQ(html.calls[0].what, "topic");
    EXPECT_EQ(html.calls[1].what, "contents");
    ASSERT_EQ(old.calls.size(), 2u);
    EXPECT_EQ(old.calls[0].command, HelpCommand::ContextPopup);
    EXPECT_EQ(old.calls[1].command, HelpCommand::SetPopupPos);
    EXPECT_EQ(old.calls[0].file, "C:\\Program Files\\Tarnel\\Docs\\Tarnel.hlp");
}

TEST_F(RouterTest, OldStyleHelpTakesCommandZeroAsDoneAndReportsTheViewersAnswer)
{
    router->HelpType = THelpType::htWinhelp;
    EXPECT_TRUE(ask(0));
    EXPECT_TRUE(old.calls.empty());
    old.accepts = false;
    EXPECT_FALSE(ask(HelpCommand::Context, HelpData::topic(2)));
    EXPECT_EQ(defaults, 0);  // served, though refused: no default handling
    router->setViewers(&html, nullptr);
    EXPECT_FALSE(ask(HelpCommand::Context, HelpData::topic(2)));
    EXPECT_EQ(defaults, 0);
}

TEST_F(RouterTest, TheHelpFileAndWindowComeFromTheApplicationAFormOrTheRoutersOwnFile)
{
    struct Row {
        const char* name;
        std::optional<HelpForm> active;
        HelpForm owner;
        const char* routerFile;
        const char* file;
        HelpWindowHandle window;
    };
    const std::string appChm = "C:\\Program Files\\Tarnel\\Docs\\Tarnel.chm";
    const Row rows[] = {
        {"application", std::nullopt, {AppWindow, {}}, "", appChm.c_str(), AppWindow},
        {"active form with its own file", HelpForm{7, "D:\\forms\\setup.chm"}, {AppWindow, {}}, "",
         "D:\\forms\\setup.chm", 7},
        {"active form without a file", HelpForm{7, {}}, {AppWindow, "D:\\owner.chm"}, "", appChm.c_str(), AppWindow},
        {"active form without a window", HelpForm{0, "D:\\forms\\x.chm"}, {AppWindow, {}}, "", appChm.c_str(),
         AppWindow},
        {"owner form when none is active", std::nullopt, {9, "D:\\owner.hlp"}, "", "D:\\owner.chm", 9},
        {"router's file over a form's", HelpForm{7, "D:\\forms\\setup.chm"}, {AppWindow, {}}, "E:\\own.chm",
         "E:\\own.chm", AppWindow},
    };
    for (const Row& r : rows) {
        make(r.owner);
        router->Helpfile = r.routerFile;
        app.activeForm = [&r] { return r.active; };
        html.calls.clear();
        ask(HelpCommand::Context, HelpData::topic(3));
        ASSERT_EQ(html.calls.size(), 1u) << r.name;
        EXPECT_EQ(html.calls[0].file, r.file) << r.name;
        EXPECT_EQ(html.calls[0].caller, r.window) << r.name;
    }
}

TEST_F(RouterTest, PopUpsWithoutAPendingPositionAppearAtThePointerEachTime)
{
    HelpPoint pointer{100, 200};
    app.pointer = [&pointer] { return pointer; };
    ask(HelpCommand::ContextPopup, HelpData::topic(26));
    pointer = {300, 50};
    ask(HelpCommand::ContextPopup, HelpData::topic(26));
    ASSERT_EQ(html.calls.size(), 2u);
    EXPECT_EQ(html.calls[0].popup.position, (HelpPoint{100, 200}));
    EXPECT_EQ(html.calls[1].popup.position, (HelpPoint{300, 50}));
}

TEST_F(RouterTest, APendingPositionServesTheNextPopUpOnly)
{
    app.pointer = [] { return HelpPoint{1, 1}; };
    EXPECT_FALSE(ask(HelpCommand::SetPopupPos, HelpData::at(40, 60)));
    EXPECT_EQ(router->pendingPopupPosition(), (HelpPoint{40, 60}));
    ask(HelpCommand::ContextPopup, HelpData::topic(26));
    ask(HelpCommand::ContextPopup, HelpData::topic(26));
    ASSERT_EQ(html.calls.size(), 2u);
    EXPECT_EQ(html.calls[0].popup.position, (HelpPoint{40, 60}));
    EXPECT_EQ(html.calls[1].popup.position, (HelpPoint{1, 1}));
    EXPECT_EQ(router->pendingPopupPosition(), HelpPoint{});
}

TEST_F(RouterTest, ATopicPopUpNamesTheTopicFileInsideTheHelpFile)
{
    ask(HelpCommand::ContextPopup, HelpData::topic(26));
    router->CHMPopupTopics = "";
    ask(HelpCommand::ContextPopup, HelpData::topic(26));
    router->CHMPopupTopics = "Pop.txt";
    ask(HelpCommand::ContextPopup, HelpData::topic(26));
    ASSERT_EQ(html.calls.size(), 3u);
    EXPECT_EQ(html.calls[0].file, "C:\\Program Files\\Tarnel\\Docs\\Tarnel.chm::/CSHelp.txt");
    EXPECT_EQ(html.calls[1].file, "C:\\Program Files\\Tarnel\\Docs\\Tarnel.chm::/CSHelp.txt");
    EXPECT_EQ(html.calls[2].file, "C:\\Program Files\\Tarnel\\Docs\\Tarnel.chm::/Pop.txt");
    EXPECT_EQ(html.calls[0].popup.topic, 26);
    EXPECT_EQ(html.calls[0].caller, AppWindow);
}

TEST_F(RouterTest, APlainTextPopUpNamesNoFileAndGoesToTheActiveFormsWindow)
{
    app.activeForm = [] { return std::optional<HelpForm>(HelpForm{12, {}}); };
    ask(HelpCommand::ContextPopup, HelpData::keyword("Blue wires only"));
    ASSERT_EQ(html.calls.size(), 1u);
    EXPECT_EQ(html.calls[0].file, "");
    EXPECT_EQ(html.calls[0].popup.text, "Blue wires only");
    EXPECT_EQ(html.calls[0].popup.topic, 0);
    EXPECT_EQ(html.calls[0].caller, 12);
}

TEST_F(RouterTest, AViewerThatCannotBeLoadedLeavesTheRequestToTheDefaultHandling)
{
    html.loadable = false;
    EXPECT_FALSE(ask(HelpCommand::Context, HelpData::topic(26)));
    EXPECT_EQ(defaults, 1);
    EXPECT_TRUE(html.calls.empty());
    // It is tried again at the next request; once loaded it stays loaded.
    html.loadable = true;
    ask(HelpCommand::Context, HelpData::topic(26));
    ask(HelpCommand::Finder);
    EXPECT_EQ(html.loads.size(), 2u);
    EXPECT_EQ(html.loads.back(), "C:\\Program Files\\Tarnel\\Docs\\Tarnel.chm");
    EXPECT_EQ(html.calls.size(), 2u);
    EXPECT_EQ(defaults, 1);
    // A viewer taken away after it was loaded: nothing left to load, the same.
    router->setViewers(nullptr, &old);
    ask(HelpCommand::Context, HelpData::topic(26));
    EXPECT_EQ(defaults, 2);
    // A new viewer is loaded on its first use.
    FakeHtmlHelpViewer other;
    router->setViewers(&other, &old);
    ask(HelpCommand::Context, HelpData::topic(26));
    EXPECT_EQ(other.loads.size(), 1u);
    EXPECT_EQ(other.calls.size(), 1u);
}

TEST_F(RouterTest, OnDestructionQuitIsSentOnlyByAnApplicationWithAWindowAndNoHelpFile)
{
    struct Row {
        const char* file;
        HelpWindowHandle window;
        bool quit;
    };
    const Row rows[] = {{"", AppWindow, true}, {"C:\\Tarnel\\Tarnel.chm", AppWindow, false}, {"", 0, false}};
    for (const Row& r : rows) {
        make();
        helpFile = r.file;
        app.window = r.window;
        html.calls.clear();
        router.reset();
        const bool closed = html.calls.size() == 1 && html.calls[0].what == "close";
        EXPECT_EQ(closed, r.quit) << r.file << " " << r.window;
        EXPECT_EQ(html.calls.size(), r.quit ? 1u : 0u);
    }
}

}  // namespace
