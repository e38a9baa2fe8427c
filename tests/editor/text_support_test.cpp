#include <gtest/gtest.h>

#include "editor/caret_line.h"
#include "editor/string_buffer.h"
#include "editor/text_search.h"

namespace {

TEST(EditorText, EveryLineEndBecomesCrLfAndOtherBytesStay)
{
    struct Row {
        std::string in, out;
        int lines;
    };
    const Row rows[] = {
        {"", "", 0},
        {"a", "a", 1},
        {"a\r\nb\r\n", "a\r\nb\r\n", 2},
        {"a\nb", "a\r\nb", 2},
        {"a\rb\r", "a\r\nb\r\n", 2},
        {"a\n\r\n\rb", "a\r\n\r\n\r\nb", 4},
        {"\r\n", "\r\n", 1},
        {"tab\there \xE9\xFF\x01", "tab\there \xE9\xFF\x01", 1},
        {std::string("nul\0byte\n", 9), std::string("nul\0byte\r\n", 10), 1},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(toCrLf(r.in), r.out) << r.in;
        EXPECT_EQ(countLines(r.out), r.lines) << r.in;
    }
}

TEST(EditorText, SearchIgnoresTheCaseOfAToZOnly)
{
    struct Row {
        std::string text;
        std::size_t from;
        std::string what;
        std::size_t found;
    };
    const auto none = std::string::npos;
    const Row rows[] = {
        {"int main(void)", 0, "MAIN", 4},
        {"int MAIN(void)", 0, "main", 4},
        {"main main", 1, "main", 5},
        {"main", 1, "main", none},
        {"abc", 0, "", none},
        {"abc", 5, "a", none},
        {"caf\xE9", 0, "CAF\xC9", none},  // Latin-1 letters are not folded
        {"caf\xE9", 0, "CAF\xE9", 0},
        {"x[1]_y", 0, "[1]_Y", 1},
        {"aaab", 0, "AAB", 1},
        {std::string("a\0b", 3), 0, std::string("\0B", 2), 1},
    };
    for (const Row& r : rows)
        EXPECT_EQ(findIgnoringCase(r.text, r.from, r.what), r.found) << r.text << " / " << r.what;
}

TEST(EditorText, ReplaceSearchDistinguishesCase)
{
    EXPECT_EQ(findExact("Main main", "main"), 5u);
    EXPECT_EQ(findExact("Main", "main"), std::string::npos);
    EXPECT_EQ(findExact("abc", ""), std::string::npos);
}

TEST(EditorText, CaretLineGivesTheQuotedNameAndTheNumberAfterIt)
{
    struct Row {
        std::string line;
        std::string name;
        int jump;
    };
    const Row rows[] = {
        {"\"main.c\",42  Error[12]: missing ;", "main.c", 42},
        {"\"startup.c\",120 Warning[3]: unused", "startup.c", 120},
        // No quote in the first 20 characters: digits opening positions 3 to 7, when those
        // five characters hold a space.
        {"  17 x = 1;", "", 17},
        {"ab12 cd", "", 12},
        {"ab12345", "", 0},
        {"int x = 1;", "", 0},
        {"", "", 0},
        // A name of 20 characters or more leaves no name and reads from position 3.
        {"\"abcdefghijklmnopqrst.c\",5 E", "", 0},
        {"\"abcdefghijklmnopqrs\",7 E", "abcdefghijklmnopqrs", 7},
        {"\"ab3 c\",9 E", "ab3 c", 9},
        // Sign skipped, hexadecimal forms, nothing before the first space.
        {"\"m.c\",-5 E", "m.c", 5},
        {"\"m.c\",$1F E", "m.c", 31},
        {"\"m.c\",0x1A E", "m.c", 26},
        {"\"m.c\",x10 E", "m.c", 16},
        {"\"m.c\",42", "m.c", 0},
        {"\"\",3 E", "", 3},
        {"printf(\"%d\\n\", x);", "%d\\n", 0},
    };
    for (const Row& r : rows) {
        const CaretLine c = parseCaretLine(r.line);
        EXPECT_EQ(c.name, r.name) << r.line;
        EXPECT_EQ(c.jump, r.jump) << r.line;
    }
}

TEST(EditorText, CaretPositionText)
{
    EXPECT_EQ(caretPositionText(1, 1), "Line:   1   Col:   1");
    EXPECT_EQ(caretPositionText(60000, 12), "Line: 60000   Col:  12");
}

TEST(StringBuffer, LinesAndPositionsCountCrLfAsTwo)
{
    StringBuffer b;
    b.setText("ab\r\n\r\ncd\r\n");
    EXPECT_EQ(b.lineCount(), 4);
    EXPECT_EQ(b.lineStart(2), 6);
    EXPECT_EQ(b.lineText(2), "cd");
    EXPECT_EQ(b.lineText(3), "");
    EXPECT_EQ(b.lineText(9), "");
    EXPECT_EQ(b.lineOfPosition(0), 0);
    EXPECT_EQ(b.lineOfPosition(3), 0);
    EXPECT_EQ(b.lineOfPosition(4), 1);
    EXPECT_EQ(b.lineOfPosition(10), 3);
    b.setSelection(6, 2);
    b.replaceSelection("xyz");
    EXPECT_EQ(b.text(), "ab\r\n\r\nxyz\r\n");
    EXPECT_TRUE(b.modified());
}

}  // namespace
