#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "components/help_book.h"
#include "components/help_html.h"
#include "platform/fake/fake_files.h"
#include "support/host_files.h"

namespace {

namespace fs = std::filesystem;

// Every help topic that a control of the program asks for.
const long Topics[] = {1, 2, 3, 4, 5, 8, 14, 23, 26, 27, 28, 29, 32, 33, 36, 40, 43, 48};

const fs::path Source = fs::path(TARNEL_SOURCE_DIR) / "docs" / "help";
const fs::path Installed = fs::path(TARNEL_BIN_DIR) / "Docs" / "Tarnel";

std::string page(const fs::path& folder, const std::string& name)
{
    return readHostFile((folder / name).string());
}

std::set<std::string> anchorsOf(const std::string& html)
{
    std::set<std::string> out;
    for (const char* attr : {"name=\"", "id=\""}) {
        const std::string a = attr;
        for (auto at = html.find(a); at != std::string::npos; at = html.find(a, at + 1)) {
            const auto end = html.find('"', at + a.size());
            out.insert(html.substr(at + a.size(), end - at - a.size()));
        }
    }
    return out;
}

TEST(HelpPages, ThereIsAPageForEveryTopicBesideTheProgram)
{
    for (const fs::path& folder : {Source, Installed}) {
        for (long topic : Topics) {
            const std::string html = page(folder, HelpBook::topicPage(topic));
            EXPECT_FALSE(html.empty()) << folder << " topic " << topic;
            EXPECT_FALSE(helphtml::title(html).empty()) << "topic " << topic;
            EXPECT_NE(html.find("Worked example"), std::string::npos) << "topic " << topic;
            EXPECT_NE(html.find("href=\"contents.html\""), std::string::npos) << "topic " << topic;
        }
        for (const char* other : {HelpBook::ContentsPage, HelpBook::IndexPage, "tarnel.css", "CSHelp.txt"})
            EXPECT_FALSE(page(folder, other).empty()) << folder << " " << other;
    }
}

TEST(HelpPages, TheContentsLeadToEveryTopic)
{
    std::set<std::string> linked;
    for (const auto& link : helphtml::links(page(Source, HelpBook::ContentsPage)))
        linked.insert(link.href.substr(0, link.href.find('#')));
    for (long topic : Topics)
        EXPECT_TRUE(linked.count(HelpBook::topicPage(topic))) << "topic " << topic;
}

TEST(HelpPages, EveryLinkOfEveryPageReachesAPageAndItsAnchor)
{
    std::vector<std::string> names = {HelpBook::ContentsPage, HelpBook::IndexPage};
    for (long topic : Topics)
        names.push_back(HelpBook::topicPage(topic));
    for (const std::string& name : names) {
        for (const auto& link : helphtml::links(page(Source, name))) {
            const std::string target = link.href.substr(0, link.href.find('#'));
            const std::string html = page(Source, target);
            ASSERT_FALSE(html.empty()) << name << " links to " << link.href;
            if (link.href.find('#') != std::string::npos) {
                const std::string anchor = link.href.substr(link.href.find('#') + 1);
                EXPECT_TRUE(anchorsOf(html).count(anchor)) << name << " links to " << link.href;
            }
        }
    }
}

TEST(HelpPages, OurPagesComeThroughTheRebuildWithEveryLinkAndAnchor)
{
    std::vector<std::string> names = {HelpBook::ContentsPage, HelpBook::IndexPage};
    for (long topic : Topics)
        names.push_back(HelpBook::topicPage(topic));
    for (const std::string& name : names) {
        const std::string html = page(Source, name);
        const std::string rebuilt = helphtml::sanitize(html);
        EXPECT_EQ(helphtml::links(rebuilt).size(), helphtml::links(html).size()) << name;
        EXPECT_EQ(anchorsOf(rebuilt), anchorsOf(html)) << name;
        EXPECT_EQ(helphtml::plainText(rebuilt), helphtml::plainText(html)) << name;
    }
}

TEST(HelpPages, EveryTopicHasAPopUpText)
{
    FakeFiles files;
    files.put("C:\\Docs\\Tarnel\\CSHelp.txt", page(Source, "CSHelp.txt"));
    const HelpBook book(files, "C:\\Docs\\Tarnel.chm");
    for (long topic : Topics)
        EXPECT_NE(book.popupText("CSHelp.txt", topic), HelpBook::NoPopupText) << topic;
}

}  // namespace
