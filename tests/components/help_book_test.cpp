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
                             "</ul><ol><li><a href=\"topic40.html\">A walk-through</a></li></ol></body></html>");
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
    EXPECT_LT(page.html.size(), 2 * HelpBook::PageLimit);
    EXPECT_EQ(page.html.rfind("<p><b>This page is 10.0 MB long; Tarnel shows its first 256 KB.</b></p>", 0), 0u);
    EXPECT_EQ(page.html.find('\0'), std::string::npos);
    EXPECT_EQ(page.html.find('\x01'), std::string::npos);
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
    ASSERT_EQ(index.size(), 4u);
    EXPECT_EQ(index[0].title, "-C switch");
    EXPECT_EQ(index[1].title, "ANSI");  // leads where its first sub-item leads
    EXPECT_EQ(index[1].target, "topic8.html#ansi");
    EXPECT_EQ(index[2].title, "Allow ANSI");
    EXPECT_EQ(index[2].level, 1);
    EXPECT_EQ(index[3].target, "topic26.html");
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

TEST(HelpHtml, SanitizingClosesEveryElementAndKeepsOnlyTheMarkupOfTheHelp)
{
    struct Row {
        const char* in;
        const char* out;
    };
    const Row rows[] = {
        {"<p>a<p>b", "<p>a</p><p>b</p>"},
        {"<ul><li>x<li>y</ul>", "<ul><li>x</li><li>y</li></ul>"},
        {"<table><tr><td>1<td>2<tr><th>3</table>", "<table><tr><td>1</td><td>2</td></tr><tr><th>3</th></tr></table>"},
        {"<b><i>x</b>y", "<b><i>x</i></b>y"},
        {"<p>one<h2>two</h2>", "<p>one</p><h2>two</h2>"},
        {"</i>stray", "stray"},
        {"<script>bad()</script><blink>t</blink><!-- c -->", "t"},
        {"<a href=\"x.html\" onclick=\"evil()\">l</a>", "<a href=\"x.html\">l</a>"},
        {"<A HREF='q.html#b'>Q</A>", "<a href=\"q.html#b\">Q</a>"},
        {"a < b && c &amp; d\x01", "a &lt; b &amp;&amp; c &amp; d "},
        {"<link rel=\"stylesheet\" href=\"tarnel.css\"><link rel=\"icon\" href=\"i.png\">",
         "<link href=\"tarnel.css\" rel=\"stylesheet\">"},
        {"<link rel=\"stylesheet\" type=\"text/css\" href=\"a.css\">", "<link href=\"a.css\" rel=\"stylesheet\" type=\"text/css\">"},
        {"<html><body><html>x</body>", "<html><body>x</body></html>"},
        {"<pre>  a\n  b</pre>", "<pre>  a\n  b</pre>"},
    };
    for (const Row& r : rows)
        EXPECT_EQ(helphtml::sanitize(r.in), r.out) << r.in;
}

TEST(HelpHtml, SanitizingBoundsTheNesting)
{
    std::string divs, tables;
    for (int i = 0; i < 200; ++i) {
        divs += "<div>";
        tables += "<table><tr><td>";
    }
    auto count = [](const std::string& text, const std::string& what) {
        std::size_t n = 0;
        for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
            ++n;
        return n;
    };
    const std::string d = helphtml::sanitize(divs);
    EXPECT_EQ(count(d, "<div>"), 32u);
    EXPECT_EQ(count(d, "</div>"), 32u);
    const std::string t = helphtml::sanitize(tables);
    EXPECT_EQ(count(t, "<table"), 3u);
    EXPECT_EQ(count(t, "</table>"), 3u);
}

}  // namespace
