#pragma once
// What the editor colours in a line of C or of assembler source. A line is read with the state
// the previous line ended in (inside a block comment, a continued string...), so a document
// is coloured line by line as the editing control lays it out.
#include <string>
#include <string_view>
#include <vector>

enum class SyntaxLanguage { None, C, Assembler };

// By the file's extension, without regard to case: .c and .h are C, .s25 and .msa assembler.
SyntaxLanguage syntaxLanguageFor(const std::string& fileName);

enum class TokenKind : unsigned char {
    Keyword,
    Type,
    Comment,
    String,
    Character,
    Number,
    Preprocessor,
    Label,
    Directive,
};

struct SyntaxToken {
    int start = 0;
    int length = 0;
    TokenKind kind = TokenKind::Keyword;
    bool operator==(const SyntaxToken&) const = default;
};

// State carried from the end of one line to the start of the next.
namespace linestate {
constexpr int Normal = 0;
constexpr int BlockComment = 1;  // inside /* ... */
constexpr int LineComment = 2;   // a // comment whose line ended in a backslash
constexpr int String = 3;        // a string whose line ended in a backslash
}  // namespace linestate

// Appends the line's tokens (in order, not overlapping) to out and returns the state the line
// ends in. A state the language does not know reads as Normal. Works on the bytes of a file
// and on the 16-bit characters of the editing control alike.
int highlightLine(SyntaxLanguage language, std::string_view line, int state, std::vector<SyntaxToken>& out);
int highlightLine(SyntaxLanguage language, std::u16string_view line, int state, std::vector<SyntaxToken>& out);
