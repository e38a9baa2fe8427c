#include <gtest/gtest.h>

#include "editor/syntax_rules.h"

namespace {

// Tokens as "K{text}" with one letter per kind, in line order.
std::string shown(std::string_view line, const std::vector<SyntaxToken>& tokens)
{
    static const char letters[] = "KTCSHNPLD";
    std::string out;
    for (const SyntaxToken& t : tokens) {
        if (!out.empty())
            out += ' ';
        out += letters[static_cast<int>(t.kind)];
        out += '{';
        out += line.substr(static_cast<std::size_t>(t.start), static_cast<std::size_t>(t.length));
        out += '}';
    }
    return out;
}

struct Row {
    std::string line;
    int stateIn;
    std::string tokens;
    int stateOut;
};

// Runs each row through both the byte and the 16-bit form of the rules.
void check(SyntaxLanguage language, const std::vector<Row>& rows)
{
    for (const Row& r : rows) {
        std::vector<SyntaxToken> bytes;
        const int out = highlightLine(language, r.line, r.stateIn, bytes);
        EXPECT_EQ(shown(r.line, bytes), r.tokens) << r.line;
        EXPECT_EQ(out, r.stateOut) << r.line;

        const std::u16string wide(r.line.begin(), r.line.end());
        std::vector<SyntaxToken> chars;
        EXPECT_EQ(highlightLine(language, wide, r.stateIn, chars), out) << r.line;
        EXPECT_EQ(chars, bytes) << r.line;
    }
}

using namespace linestate;

TEST(SyntaxRules, C)
{
    check(SyntaxLanguage::C, {
        {"unsigned int blinks;", Normal, "T{unsigned} T{int}", Normal},
        {"    for (;;) {", Normal, "K{for}", Normal},
        {"static volatile size_t n;", Normal, "K{static} K{volatile} T{size_t}", Normal},
        {"interrupt void tick(void)", Normal, "K{interrupt} T{void} T{void}", Normal},
        {"whileloop = iffy + int8 + unsigned_long_name_here;", Normal, "", Normal},
        {"value2 = x1;", Normal, "", Normal},
        {"x = 1.5e-3f + .5 + 07 + 0x1Fu - 10;", Normal, "N{1.5e-3f} N{.5} N{07} N{0x1Fu} N{10}", Normal},
        // Comments, one line and many.
        {"/* one */ x = 1;", Normal, "C{/* one */} N{1}", Normal},
        {"/* a */ /* b", Normal, "C{/* a */} C{/* b}", BlockComment},
        {"  still inside, int for", BlockComment, "C{  still inside, int for}", BlockComment},
        {"", BlockComment, "", BlockComment},
        {"ends */ return 0;", BlockComment, "C{ends */} K{return} N{0}", Normal},
        {"*/ #define X", BlockComment, "C{*/}", Normal},
        {"x = y / z; // half of it", Normal, "C{// half of it}", Normal},
        {"// goes on \\", Normal, "C{// goes on \\}", LineComment},
        {"still the comment", LineComment, "C{still the comment}", Normal},
        {"x = \"/* no comment */\";", Normal, "S{\"/* no comment */\"}", Normal},
        // Strings and character constants.
        {"s = \"a \\\"quoted\\\" word\";", Normal, "S{\"a \\\"quoted\\\" word\"}", Normal},
        {"c = '\\''; d = '\"'; e = \"'\";", Normal, "H{'\\''} H{'\"'} S{\"'\"}", Normal},
        {"p = \"never closed", Normal, "S{\"never closed}", Normal},
        {"p = \"goes on \\", Normal, "S{\"goes on \\}", String},
        {"and ends\" + 1;", String, "S{and ends\"} N{1}", Normal},
        {"s = \"ends in a backslash\\\\\";", Normal, "S{\"ends in a backslash\\\\\"}", Normal},
        // Preprocessor lines.
        {"#include \"io78320.h\"", Normal, "P{#include} S{\"io78320.h\"}", Normal},
        {"#include <stdio.h> // x < y", Normal, "P{#include} S{<stdio.h>} C{// x < y}", Normal},
        {"#include <never closed", Normal, "P{#include} S{<never closed}", Normal},
        {"  #  define LED_BIT 0x01   /* bit 0 */", Normal, "P{#  define} N{0x01} C{/* bit 0 */}", Normal},
        {"#if A < B", Normal, "P{#if}", Normal},
        {"#", Normal, "P{#}", Normal},
        {"if (a < b && c > d) x = 1; #x", Normal, "K{if} N{1}", Normal},
        {"#define LONG \\", Normal, "P{#define}", Normal},
        // A state the rules do not know starts the line afresh.
        {"int x;", 42, "T{int}", Normal},
        {"", Normal, "", Normal},
    });
}

TEST(SyntaxRules, Assembler)
{
    check(SyntaxLanguage::Assembler, {
        {"; boot.s25 - reset entry", Normal, "C{; boot.s25 - reset entry}", Normal},
        {"        NAME    boot", Normal, "D{NAME}", Normal},
        {"NAME boot", Normal, "D{NAME}", Normal},
        {"        rseg    code", Normal, "D{rseg}", Normal},
        {"        PUBLIC  reset_entry, spin", Normal, "D{PUBLIC}", Normal},
        {"reset_entry:", Normal, "L{reset_entry:}", Normal},
        {"  indented:  NOP", Normal, "L{indented:}", Normal},
        {"spin:   DBNZ    B,$spin", Normal, "L{spin:}", Normal},
        {"        MOVW    SP,#0FEFFH          ; stack", Normal, "N{0FEFFH} C{; stack}", Normal},
        {"banner: DB      'Tarnel blink demo',0", Normal, "L{banner:} D{DB} S{'Tarnel blink demo'} N{0}", Normal},
        {"        DB      'it''s',0", Normal, "D{DB} S{'it''s'} N{0}", Normal},
        {"        DB      ';'   ; a semicolon", Normal, "D{DB} S{';'} C{; a semicolon}", Normal},
        {"        DB      'never closed", Normal, "D{DB} S{'never closed}", Normal},
        {"COUNT   EQU     10", Normal, "L{COUNT} D{EQU} N{10}", Normal},
        {"        MOV     A,END", Normal, "", Normal},
        {"$INCLUDE(io.inc)", Normal, "D{$INCLUDE}", Normal},
        {"        #include \"x.inc\"", Normal, "D{#include} S{\"x.inc\"}", Normal},
        {"        END", BlockComment, "D{END}", Normal},
        {"", Normal, "", Normal},
    });
}

TEST(SyntaxRules, NoLanguageColoursNothing)
{
    check(SyntaxLanguage::None, {{"int x; /* c", Normal, "", Normal}, {"x", BlockComment, "", Normal}});
}

TEST(SyntaxRules, LanguageFollowsTheExtensionWithoutRegardToCase)
{
    const std::pair<const char*, SyntaxLanguage> rows[] = {
        {"C:\\Tarnel\\Sample\\main.c", SyntaxLanguage::C},
        {"C:\\Tarnel\\Sample\\UTIL.H", SyntaxLanguage::C},
        {"boot.s25", SyntaxLanguage::Assembler},
        {"C:\\X\\BOOT.S25", SyntaxLanguage::Assembler},
        {"vectors.Msa", SyntaxLanguage::Assembler},
        {"C:\\Tarnel\\Source\\LK7832SL.xcl", SyntaxLanguage::None},
        {"C:\\Tarnel\\Source\\main.lst", SyntaxLanguage::None},
        {"C:\\Tarnel\\Source\\main.cpp", SyntaxLanguage::None},
        {"C:\\old.c\\notes", SyntaxLanguage::None},
        {"", SyntaxLanguage::None},
    };
    for (const auto& [name, language] : rows)
        EXPECT_EQ(syntaxLanguageFor(name), language) << name;
}

// Characters beyond single bytes (none of the rules' own) stay inside whatever holds them.
TEST(SyntaxRules, WideCharactersStayInsideTheirToken)
{
    const std::u16string line = u"x = \"\u20ac\u00e9\"; /* \u2603 */ int";
    std::vector<SyntaxToken> tokens;
    highlightLine(SyntaxLanguage::C, line, Normal, tokens);
    const std::vector<SyntaxToken> expected = {
        {4, 4, TokenKind::String}, {10, 7, TokenKind::Comment}, {18, 3, TokenKind::Type}};
    EXPECT_EQ(tokens, expected);
}

}  // namespace
