#include "icc78300/c_scanner.h"

#include <cctype>

#include "platform/host/files.h"

namespace standin
{

namespace
{

bool identStart(char c)
{
    return std::isalpha(static_cast<unsigned char>(c)) || c == '_';
}

bool identChar(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

class Scanner
{
public:
    Scanner(ScannedFile& out, const std::string& text, const ScanOptions& options, DiagnosticLog& log)
        : m_out(out), m_s(text), m_options(options), m_log(log)
    {
    }

    void run()
    {
        bool lineStart = true;
        while (m_i < m_s.size()) {
            const char c = m_s[m_i];
            if (c == '\n') {
                ++m_line;
                ++m_i;
                lineStart = true;
                m_inDirective = false;
            } else if (c == '\\' && peek(1) == '\n') {
                m_i += 2;
                ++m_line;
            } else if (c == '/' && peek(1) == '*') {
                blockComment();
            } else if (c == '/' && peek(1) == '/') {
                if (!m_options.extensions)
                    m_log.warning(WarnLineComment, "'//' comment is an extension (use -e)", m_out.name,
                                  m_line);
                while (m_i < m_s.size() && m_s[m_i] != '\n')
                    ++m_i;
            } else if (c == ' ' || c == '\t' || c == '\f' || c == '\v') {
                ++m_i;
            } else if (lineStart && c == '#') {
                m_out.directives.push_back({m_line, {}});
                m_inDirective = true;
                lineStart = false;
                ++m_i;
            } else {
                lineStart = false;
                token();
            }
        }
        if (!m_s.empty() && m_s.back() != '\n')
            m_log.warning(WarnNoFinalNewline, "no newline at end of file", m_out.name, m_line);
    }

private:
    char peek(std::size_t ahead) const { return m_i + ahead < m_s.size() ? m_s[m_i + ahead] : '\0'; }

    void emit(Token::Kind kind, std::size_t from, int line)
    {
        Token t{kind, m_s.substr(from, m_i - from), line};
        (m_inDirective ? m_out.directives.back().tokens : m_out.tokens).push_back(std::move(t));
    }

    void blockComment()
    {
        const int startLine = m_line;
        int depth = 1;
        bool warned = false;
        m_i += 2;
        while (m_i < m_s.size()) {
            if (m_s[m_i] == '\n') {
                ++m_line;
            } else if (m_s[m_i] == '/' && peek(1) == '*') {
                if (m_options.nestedComments) {
                    ++depth;
                } else if (!warned) {
                    m_log.warning(WarnNestedComment, "'/*' inside a comment (use -C for nested comments)",
                                  m_out.name, m_line);
                    warned = true;
                }
                m_i += 2;
                continue;
            } else if (m_s[m_i] == '*' && peek(1) == '/') {
                m_i += 2;
                if (--depth == 0)
                    return;
                continue;
            }
            ++m_i;
        }
        m_log.error(ErrUnterminatedComment, "comment is not closed", m_out.name, startLine);
    }

    // A string literal or character constant; a line end before the closing quote ends it.
    void quoted(char quote)
    {
        const std::size_t from = m_i;
        const int line = m_line;
        ++m_i;
        while (m_i < m_s.size() && m_s[m_i] != quote && m_s[m_i] != '\n') {
            if (m_s[m_i] == '\\' && m_i + 1 < m_s.size()) {
                if (m_s[m_i + 1] == '\n')
                    ++m_line;
                ++m_i;
            }
            ++m_i;
        }
        if (m_i >= m_s.size() || m_s[m_i] != quote) {
            if (quote == '"')
                m_log.error(ErrUnterminatedString, "string literal is not closed", m_out.name, line);
            else
                m_log.error(ErrUnterminatedChar, "character constant is not closed", m_out.name, line);
            return;
        }
        ++m_i;
        if (quote == '\'' && m_i - from == 2)
            m_log.error(ErrEmptyChar, "empty character constant", m_out.name, line);
        emit(quote == '"' ? Token::String : Token::Char, from, line);
    }

    void token()
    {
        const char c = m_s[m_i];
        const std::size_t from = m_i;
        if (c == '"' || c == '\'') {
            quoted(c);
        } else if (identStart(c)) {
            while (m_i < m_s.size() && identChar(m_s[m_i]))
                ++m_i;
            emit(Token::Ident, from, m_line);
        } else if (std::isdigit(static_cast<unsigned char>(c))) {
            while (m_i < m_s.size() && (identChar(m_s[m_i]) || m_s[m_i] == '.'))
                ++m_i;
            emit(Token::Number, from, m_line);
        } else {
            ++m_i;
            emit(Token::Punct, from, m_line);
        }
    }

    ScannedFile& m_out;
    const std::string& m_s;
    const ScanOptions& m_options;
    DiagnosticLog& m_log;
    std::size_t m_i = 0;
    int m_line = 1;
    bool m_inDirective = false;
};

// CR LF and lone CR both end a line.
std::string normalised(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            out += '\n';
            if (i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

} // namespace

ScannedFile scanC(const std::string& name, const std::string& text, const ScanOptions& options,
                  DiagnosticLog& log)
{
    ScannedFile out;
    out.name = name;
    const std::string s = normalised(text);
    out.lines = splitLines(s);
    Scanner(out, s, options, log).run();
    return out;
}

} // namespace standin
