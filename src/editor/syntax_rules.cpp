#include "editor/syntax_rules.h"

#include <algorithm>
#include <array>

#include "platform/paths/win_path.h"

namespace {

// Sorted, for a binary search.
constexpr std::array<std::string_view, 44> kCKeywords = {
    "_Alignas", "_Alignof", "_Atomic", "_Generic", "_Noreturn", "_Static_assert", "_Thread_local",
    "__asm", "__interrupt", "asm", "auto", "banked", "break", "case", "const", "continue", "default",
    "do", "else", "enum", "extern", "far", "for", "goto", "if", "inline", "interrupt", "monitor",
    "near", "no_init", "register", "restrict", "return", "saddr", "sfr", "sfrp", "sizeof", "static",
    "struct", "switch", "typedef", "union", "volatile", "while",
};
constexpr std::array<std::string_view, 30> kCTypes = {
    "BOOL", "FILE", "_Bool", "_Complex", "bit", "bool", "char", "double", "float", "int", "int16_t",
    "int32_t", "int64_t", "int8_t", "intptr_t", "long", "ptrdiff_t", "short", "signed", "size_t", "ssize_t",
    "uint16_t", "uint32_t", "uint64_t", "uint8_t", "uintptr_t", "unsigned", "va_list", "void", "wchar_t",
};
// Upper case; assembler words are compared without regard to case.
constexpr std::array<std::string_view, 42> kDirectives = {
    "ALIGN", "ASEG", "BSEG", "COL", "CSEG", "DB", "DD", "DEFB", "DEFINE", "DEFS", "DEFW", "DS", "DSEG",
    "DW", "ELSE", "END", "ENDIF", "ENDM", "ENDMAC", "ENDMOD", "EQU", "EVEN", "EXITM", "EXTERN", "EXTRN",
    "IF", "IFDEF", "IFNDEF", "INCLUDE", "LIBRARY", "LOCAL", "LSTOUT", "MACRO", "MODULE", "NAME", "ORG",
    "PAGE", "PUBLIC", "REPT", "RSEG", "SET", "TITLE",
};

static_assert(std::is_sorted(kCKeywords.begin(), kCKeywords.end()));
static_assert(std::is_sorted(kCTypes.begin(), kCTypes.end()));
static_assert(std::is_sorted(kDirectives.begin(), kDirectives.end()));

template <std::size_t N>
bool listed(const std::array<std::string_view, N>& sorted, std::string_view word)
{
    return std::binary_search(sorted.begin(), sorted.end(), word);
}

template <class Ch>
bool isDigit(Ch c)
{
    return c >= '0' && c <= '9';
}

template <class Ch>
bool isIdentStart(Ch c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}

template <class Ch>
bool isIdentChar(Ch c)
{
    return isIdentStart(c) || isDigit(c);
}

template <class Ch>
bool isBlank(Ch c)
{
    return c == ' ' || c == '\t' || c == '\f' || c == '\v';
}

// A word of the line as plain bytes for the word lists; words longer than any listed one
// come back empty, and so match nothing.
template <class Ch>
std::string_view asWord(std::basic_string_view<Ch> s, int from, int to, char (&buffer)[16], bool upper)
{
    if (to - from >= static_cast<int>(sizeof buffer))
        return {};
    for (int i = from; i < to; ++i) {
        char c = static_cast<char>(s[static_cast<std::size_t>(i)]);
        if (upper && c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
        buffer[i - from] = c;
    }
    return {buffer, static_cast<std::size_t>(to - from)};
}

template <class Ch>
class LineScanner {
public:
    LineScanner(std::basic_string_view<Ch> line, std::vector<SyntaxToken>& out)
        : s(line), n(static_cast<int>(line.size())), m_out(out)
    {
    }

    int c(int state);
    int assembler();

private:
    Ch at(int i) const { return i < n ? s[static_cast<std::size_t>(i)] : Ch(0); }
    void add(int from, int to, TokenKind kind)
    {
        if (to > from)
            m_out.push_back({from, to - from, kind});
    }
    bool endsInBackslash() const { return n > 0 && at(n - 1) == '\\'; }
    int skipBlanks(int i) const
    {
        while (i < n && isBlank(at(i)))
            ++i;
        return i;
    }
    int identEnd(int i) const
    {
        while (i < n && isIdentChar(at(i)))
            ++i;
        return i;
    }
    // Position just past "*/" from i on, or -1.
    int commentEnd(int i) const
    {
        for (; i + 1 < n; ++i)
            if (at(i) == '*' && at(i + 1) == '/')
                return i + 2;
        return -1;
    }
    struct Quoted {
        int end;
        bool continued;  // unclosed, its line ending in an escaped break
    };
    // A C string or character body from i on (after the opening quote).
    Quoted quoted(int i, Ch quote) const
    {
        while (i < n) {
            const Ch ch = at(i);
            if (ch == '\\') {
                if (i + 1 >= n)
                    return {n, true};
                i += 2;
            } else if (ch == quote) {
                return {i + 1, false};
            } else {
                ++i;
            }
        }
        return {n, false};
    }
    // A preprocessing number: digits, letters, dots and the sign of an exponent.
    int cNumberEnd(int i) const
    {
        while (i < n) {
            const Ch ch = at(i);
            if ((ch == '+' || ch == '-') && (at(i - 1) == 'e' || at(i - 1) == 'E' || at(i - 1) == 'p' || at(i - 1) == 'P'))
                ++i;
            else if (isIdentChar(ch) || ch == '.')
                ++i;
            else
                break;
        }
        return i;
    }

    std::basic_string_view<Ch> s;
    int n;
    std::vector<SyntaxToken>& m_out;
};

template <class Ch>
int LineScanner<Ch>::c(int state)
{
    int i = 0;
    switch (state) {
    case linestate::BlockComment: {
        const int end = commentEnd(0);
        if (end < 0) {
            add(0, n, TokenKind::Comment);
            return linestate::BlockComment;
        }
        add(0, end, TokenKind::Comment);
        i = end;
        break;
    }
    case linestate::LineComment:
        add(0, n, TokenKind::Comment);
        return endsInBackslash() ? linestate::LineComment : linestate::Normal;
    case linestate::String: {
        const Quoted q = quoted(0, Ch('"'));
        add(0, q.end, TokenKind::String);
        if (q.continued)
            return linestate::String;
        i = q.end;
        break;
    }
    default:
        break;
    }

    bool headerName = false;
    if (state == linestate::Normal) {
        const int hash = skipBlanks(0);
        if (at(hash) == '#') {
            const int word = skipBlanks(hash + 1);
            const int end = identEnd(word);
            add(hash, end, TokenKind::Preprocessor);
            char buffer[16];
            headerName = asWord(s, word, end, buffer, false) == "include";
            i = end;
        }
    }

    while (i < n) {
        const Ch ch = at(i);
        const Ch next = at(i + 1);
        if (ch == '/' && next == '*') {
            const int end = commentEnd(i + 2);
            if (end < 0) {
                add(i, n, TokenKind::Comment);
                return linestate::BlockComment;
            }
            add(i, end, TokenKind::Comment);
            i = end;
        } else if (ch == '/' && next == '/') {
            add(i, n, TokenKind::Comment);
            return endsInBackslash() ? linestate::LineComment : linestate::Normal;
        } else if (ch == '"' || ch == '\'') {
            const Quoted q = quoted(i + 1, ch);
            add(i, q.end, ch == '"' ? TokenKind::String : TokenKind::Character);
            if (q.continued && ch == '"')
                return linestate::String;
            i = q.end;
        } else if (headerName && ch == '<') {
            int end = i + 1;
            while (end < n && at(end) != '>')
                ++end;
            end = std::min(end + 1, n);
            add(i, end, TokenKind::String);
            i = end;
        } else if (isDigit(ch) || (ch == '.' && isDigit(next))) {
            const int end = cNumberEnd(i + 1);
            add(i, end, TokenKind::Number);
            i = end;
        } else if (isIdentStart(ch)) {
            const int end = identEnd(i + 1);
            char buffer[16];
            const std::string_view word = asWord(s, i, end, buffer, false);
            if (listed(kCTypes, word))
                add(i, end, TokenKind::Type);
            else if (listed(kCKeywords, word))
                add(i, end, TokenKind::Keyword);
            i = end;
        } else {
            ++i;
        }
        // Only the first thing after "#include" can be a header name.
        if (!isBlank(ch))
            headerName = false;
    }
    return linestate::Normal;
}

template <class Ch>
int LineScanner<Ch>::assembler()
{
    char buffer[16];
    int i = 0;
    if (isIdentStart(at(0)) || at(0) == '?' || at(0) == '@') {
        // A name in the first column labels the line, unless it is an operation written there.
        const int end = identEnd(1);
        if (at(end) == ':') {
            add(0, end + 1, TokenKind::Label);
            i = end + 1;
        } else if (!listed(kDirectives, asWord(s, 0, end, buffer, true))) {
            add(0, end, TokenKind::Label);
            i = end;
        }
    } else if (at(0) == '$' && isIdentStart(at(1))) {
        // Assembler controls ($INCLUDE, $LIST...) stand in the first column.
        const int end = identEnd(1);
        add(0, end, TokenKind::Directive);
        i = end;
    } else {
        const int from = skipBlanks(0);
        const int end = isIdentStart(at(from)) ? identEnd(from) : from;
        if (end > from && at(end) == ':') {
            add(from, end + 1, TokenKind::Label);
            i = end + 1;
        }
    }

    int words = 0;  // words of the statement so far; a directive is its first or second
    while (i < n) {
        const Ch ch = at(i);
        if (ch == ';') {
            add(i, n, TokenKind::Comment);
            break;
        }
        if (ch == '\'' || ch == '"') {
            // A quote is written twice inside its string.
            int end = i + 1;
            while (end < n && !(at(end) == ch && at(end + 1) != ch))
                end += at(end) == ch ? 2 : 1;
            end = std::min(end + 1, n);
            add(i, end, TokenKind::String);
            i = end;
            ++words;
        } else if (isDigit(ch)) {
            const int end = identEnd(i + 1);
            add(i, end, TokenKind::Number);
            i = end;
            ++words;
        } else if (ch == '#' && words == 0 && isIdentStart(at(i + 1))) {
            const int end = identEnd(i + 1);
            add(i, end, TokenKind::Directive);
            i = end;
            ++words;
        } else if (isIdentStart(ch)) {
            const int end = identEnd(i + 1);
            if (words < 2 && listed(kDirectives, asWord(s, i, end, buffer, true)))
                add(i, end, TokenKind::Directive);
            i = end;
            ++words;
        } else {
            ++i;
        }
    }
    return linestate::Normal;
}

template <class Ch>
int highlight(SyntaxLanguage language, std::basic_string_view<Ch> line, int state, std::vector<SyntaxToken>& out)
{
    LineScanner<Ch> scanner(line, out);
    switch (language) {
    case SyntaxLanguage::C:
        return scanner.c(state);
    case SyntaxLanguage::Assembler:
        return scanner.assembler();
    case SyntaxLanguage::None:
        break;
    }
    return linestate::Normal;
}

}  // namespace

SyntaxLanguage syntaxLanguageFor(const std::string& fileName)
{
    const std::string ext = winpath::lower(winpath::extension(fileName));
    if (ext == ".c" || ext == ".h")
        return SyntaxLanguage::C;
    if (ext == ".s25" || ext == ".msa")
        return SyntaxLanguage::Assembler;
    return SyntaxLanguage::None;
}

int highlightLine(SyntaxLanguage language, std::string_view line, int state, std::vector<SyntaxToken>& out)
{
    return highlight(language, line, state, out);
}

int highlightLine(SyntaxLanguage language, std::u16string_view line, int state, std::vector<SyntaxToken>& out)
{
    return highlight(language, line, state, out);
}
