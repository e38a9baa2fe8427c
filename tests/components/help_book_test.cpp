#include <gtest/gtest.h>

#include "components/help_book.h"
#include "components/help_html.h"
#include "platform/fake/fake_files.h"

namespace {

const char* const Chm = "C:\\Tarnel\\Docs\\Tarnel.chm";
const char* const Folder = "C:\\Tarnel\\Docs\\Tarnel\\";

struct HelpBookTest : ::testing::Test {
    FakeFiles files;
    HelpBook book{files, Chm};

    void put(const std::string& name, const std::string& html) { files.put(Folder + name, html); }
    void putContents()
    {
        put("contents.html", "<html><head><title>Tarnel Help</title></head><body><ul>"
                             "<li><a href=\"topic8.html\">Compiler page</a><ul>"
                             "<li><a href=\"topic4.html\">Memory page</a></li></ul></li>"
                             "<li><a href=\"topic26.html#add\">Libraries &amp; more</a></li>"
                             "<li><a href=\"https://www.orvane.example/\">Orvane</a></li>"
                             "</ul></body></html>");
    }
};

TEST_F(HelpBookTest, TheHelpFileNamesAFolderOfPagesOnePerTopic)
{
    EXPECT_EQ(book.folder(), "C:\\Tarnel\\Docs\\Tarnel");
    EXPECT_EQ(HelpBook::topicPage(26), "topic26.html");
    EXPECT_FALSE(book.exists());
    put("topic26.html", "<h1>Libraries</h1>");
    EXPECT_TRUE(book.exists());
    const auto page = book.topic(26);
    EXPECT_TRUE(page.found);
    EXPECT_FALSE(page.cut);
    EXPECT_EQ(page.html, "<h1>Libraries</h1>");
}

TEST_F(HelpBookTest, ATopicWithoutAPageSaysSoAndListsTheContents)
{
    putContents();
    const auto page = book.topic(99);
    EXPECT_FALSE(page.found);
    EXPECT_NE(page.html.find("No page for topic 99"), std::string::npos);
    EXPECT_NE(page.html.find("<a href=\"topic8.html\">Compiler page</a>"), std::string::npos);
    EXPECT_NE(page.html.find("<a href=\"topic26.html#add\">Libraries &amp; more</a>"), std::string::npos);
    EXPECT_EQ(page.html.find("orvane.example"), std::string::npos);

    HelpBook bare(files, "C:\\Elsewhere\\Tarnel.chm");
    const auto lonely = bare.topic(99);
    EXPECT_NE(lonely.html.find("contents page is missing as well"), std::string::npos);
}

TEST_F(HelpBookTest, LinksOpenTopicsPagesOrAPageThatSaysWhatIsMissing)
{
    putContents();
    put("topic26.html", "<h1>Libraries</h1>");
    put("tarnel.css", "h1 { color: navy; }");
    EXPECT_EQ(book.show("topic26.html#add").html, "<h1>Libraries</h1>");
    EXPECT_EQ(book.show("TOPIC26.HTML").html, "<h1>Libraries</h1>");
    EXPECT_NE(book.show("topic5.html").html.find("No page for topic 5"), std::string::npos);
    EXPECT_NE(book.show("contents.html").html.find("Tarnel Help"), std::string::npos);
    const auto missing = book.show("nothing.html");
    EXPECT_FALSE(missing.found);
    EXPECT_NE(missing.html.find("no page named nothing.html"), std::string::npos);
    EXPECT_EQ(book.resource("tarnel.css").value_or(""), "h1 { color: navy; }");
}

TEST_F(HelpBookTest, PagesCannotReachOutsideTheHelpFolder)
{
    files.put("C:\\Tarnel\\Docs\\secret.html", "secret");
    files.put("C:\\Tarnel\\Docs\\Tarnel\\sub\\x.html", "sub");
    for (const char* name : {"..\\secret.html", "../secret.html", "C:\\Tarnel\\Docs\\secret.html", "sub\\x.html", ""}) {
        EXPECT_FALSE(book.page(name).found) << name;
        EXPECT_FALSE(book.resource(name)) << name;
    }
}

TEST_F(HelpBookTest, AHugeOrDamagedPageIsShownCutAfterATag)
{
    std::string huge = "<html><body>";
    while (huge.size() < 10 * 1024 * 1024)
        huge += "<p>garbage \x01\x02 <b unclosed <i>\0x</i></p>";
    huge.push_back('\0');
    put("topic27.html", huge);
    const auto page = book.topic(27);
    EXPECT_TRUE(page.found);
    EXPECT_TRUE(page.cut);
    EXPECT_LT(page.html.size(), HelpBook::PageLimit + 200);
    EXPECT_EQ(page.html.rfind("<p><b>This page is 10.0 MB long; Tarnel shows its first 512 KB.</b></p>", 0), 0u);
    EXPECT_EQ(page.html.back(), '>');
    EXPECT_EQ(page.html.find('\0'), std::string::npos);
}

TEST_F(HelpBookTest, ContentsAndIndexAreTheirPagesLinksWithTheirListLevels)
{
    putContents();
    put("index.html", "<ul><li><a href=\"topic8.html#enc\">-C switch</a></li><li>ANSI<ul>"
                      "<li><a href=\"topic8.html#ansi\">Allow ANSI</a></li></ul></li><li><a href=\"\">empty</a>"
                      "</li><li><a href='topic26.html'>libraries</a></li></ul>");
    const auto contents = book.contents();
    ASSERT_EQ(contents.size(), 3u);
    EXPECT_EQ(contents[0].title, "Compiler page");
    EXPECT_EQ(contents[0].level, 0);
    EXPECT_EQ(contents[1].target, "topic4.html");
    EXPECT_EQ(contents[1].level, 1);
    EXPECT_EQ(contents[2].title, "Libraries & more");
    const auto index = book.index();
    ASSERT_EQ(index.size(), 3u);
    EXPECT_EQ(index[0].title, "-C switch");
    EXPECT_EQ(index[1].title, "Allow ANSI");
    EXPECT_EQ(index[1].level, 1);
    EXPECT_EQ(index[2].target, "topic26.html");
}

TEST_F(HelpBookTest, SearchFindsThePagesHoldingEveryWordMostHitsFirst)
{
    put("topic8.html", "<title>Compiler page</title><p>The -C switch enables nested comments. Nested!</p>");
    put("topic3.html", "<title>List File page</title><p>Nested includes are listed.</p><script>nested</script>");
    put("topic4.html", "<title>Memory page</title><p>Banked memory model.</p>");
    put("index.html", "<a href=\"topic8.html\">nested comments</a>");
    const auto hits = book.search("  NESTED ");
    ASSERT_EQ(hits.size(), 2u);
    EXPECT_EQ(hits[0].title, "Compiler page");
    EXPECT_EQ(hits[0].target, "topic8.html");
    EXPECT_EQ(hits[1].title, "List File page");
    ASSERT_EQ(book.search("nested comments").size(), 1u);
    EXPECT_TRUE(book.search("nested banked").empty());
    EXPECT_TRUE(book.search("   ").empty());
}

TEST_F(HelpBookTest, PopUpTextsComeFromTheTopicFile)
{
    put("CSHelp.txt", ".topic 26\r\nThe libraries the linker adds\r\nwith -C.\r\n\r\n.topic 14\r\nGeneral page.\r\n");
    EXPECT_EQ(book.popupText("CSHelp.txt", 26), "The libraries the linker adds with -C.");
    EXPECT_EQ(book.popupText("cshelp.txt", 14), "General page.");
    EXPECT_EQ(book.popupText("CSHelp.txt", 2), HelpBook::NoPopupText);
    EXPECT_EQ(book.popupText("Missing.txt", 26), HelpBook::NoPopupText);
    const auto [file, topics] = HelpBook::splitPopupSource(std::string(Chm) + "::/CSHelp.txt");
    EXPECT_EQ(file, Chm);
    EXPECT_EQ(topics, "CSHelp.txt");
}

TEST(HelpHtml, DamagedMarkupEndsTheScanInsteadOfHanging)
{
    const char* const damaged[] = {"<a href=\"x.html\">open", "<!-- never closed <a href=y>y</a>",
                                   "<script>var a = '<a href=z>';", "<a href=", "<<<>>>", "<a\thref = 'q.html' >q</a"};
    for (const char* html : damaged) {
        (void)helphtml::links(html);
        (void)helphtml::plainText(html);
        (void)helphtml::title(html);
    }
    const auto links = helphtml::links("<a\thref = 'q.html' >q</a>");
    ASSERT_EQ(links.size(), 1u);
    EXPECT_EQ(links[0].href, "q.html");
    EXPECT_EQ(helphtml::plainText("<title>T</title><style>p{}</style><p>a&lt;b&gt;&amp;&#65;&#x42;&nbsp;c</p>"),
              "a<b>&AB c");
    EXPECT_EQ(helphtml::title("<h1>First &amp; only</h1>"), "First & only");
    EXPECT_EQ(helphtml::decodeEntities("&bogus; & &#;"), "&bogus; & &#;");
}

}  // namespace
