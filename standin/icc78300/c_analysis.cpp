#include "icc78300/c_analysis.h"

#include <algorithm>

namespace standin
{

namespace
{

const std::set<std::string> kKeywords = {
    "auto", "break", "case", "char", "const", "continue", "default", "do", "double", "else", "enum", "extern",
    "float", "for", "goto", "if", "int", "long", "register", "return", "short", "signed", "sizeof", "static",
    "struct", "switch", "typedef", "union", "unsigned", "void", "volatile", "while",
    // extensions of the 78K/III compiler
    "interrupt", "monitor", "no_init", "sfr", "sfrp", "near", "far", "banked", "bit", "saddr"};

bool isPunct(const Token& t, char c)
{
    return t.kind == Token::Punct && t.text.size() == 1 && t.text[0] == c;
}

bool opener(const Token& t)
{
    return isPunct(t, '(') || isPunct(t, '[') || isPunct(t, '{');
}

bool closer(const Token& t)
{
    return isPunct(t, ')') || isPunct(t, ']') || isPunct(t, '}');
}

char partner(char c)
{
    switch (c) {
    case '(':
        return ')';
    case '[':
        return ']';
    case '{':
        return '}';
    case ')':
        return '(';
    case ']':
        return '[';
    default:
        return '{';
    }
}

// Index of the token that closes the opener at i (brackets are known to balance).
std::size_t matching(const std::vector<Token>& t, std::size_t i)
{
    int depth = 0;
    for (std::size_t j = i; j < t.size(); ++j) {
        if (opener(t[j]))
            ++depth;
        else if (closer(t[j]) && --depth == 0)
            return j;
    }
    return t.size() - 1;
}

class Analyser
{
public:
    Analyser(const ScannedFile& file, FileFacts& facts) : m_t(file.tokens), m_f(facts) {}

    void run()
    {
        std::size_t start = 0;
        std::size_t i = 0;
        while (i < m_t.size()) {
            if (isPunct(m_t[i], '{')) {
                const std::size_t end = matching(m_t, i);
                if (functionDefinition(start, i, end))
                    start = end + 1;
                else
                    blockInStatement(start, i, end);
                i = end + 1;
                continue;
            }
            if (isPunct(m_t[i], '(') || isPunct(m_t[i], '[')) {
                i = matching(m_t, i);
            } else if (isPunct(m_t[i], ';')) {
                declaration(start, i);
                start = i + 1;
            }
            ++i;
        }
    }

private:
    bool has(std::size_t from, std::size_t to, const char* word) const
    {
        for (std::size_t k = from; k < to; ++k)
            if (m_t[k].kind == Token::Ident && m_t[k].text == word)
                return true;
        return false;
    }

    // Index of the first top-level '(' before any '=', or `to` when there is none.
    std::size_t firstParen(std::size_t from, std::size_t to) const
    {
        for (std::size_t k = from; k < to; ++k) {
            if (isPunct(m_t[k], '('))
                return k;
            if (isPunct(m_t[k], '='))
                return to;
            if (isPunct(m_t[k], '[') || isPunct(m_t[k], '{'))
                k = matching(m_t, k);
        }
        return to;
    }

    bool namedBefore(std::size_t paren) const
    {
        return paren > 0 && m_t[paren - 1].kind == Token::Ident && !isKeyword(m_t[paren - 1].text);
    }

    bool functionDefinition(std::size_t from, std::size_t brace, std::size_t end)
    {
        const std::size_t paren = firstParen(from, brace);
        if (paren == brace || !namedBefore(paren) || !isPunct(m_t[brace - 1], ')'))
            return false;
        FunctionDef def{m_t[paren - 1].text, m_t[paren - 1].line, m_t[end].line, has(from, paren, "static"),
                        2};
        for (std::size_t k = brace + 1; k < end; ++k) {
            const Token& tok = m_t[k];
            ++def.size;
            if (tok.kind == Token::Ident && isPunct(m_t[k + 1], '(') && !isKeyword(tok.text))
                m_f.calls.push_back({tok.text, tok.line});
        }
        m_f.functions.push_back(def);
        return true;
    }

    // A struct, union or enum body, or an initializer: enum constants are noted, the rest of
    // the statement goes on after it.
    void blockInStatement(std::size_t from, std::size_t brace, std::size_t end)
    {
        const bool isEnum = has(from, brace, "enum");
        for (std::size_t k = brace + 1; k < end; ++k) {
            const Token& tok = m_t[k];
            if (tok.kind == Token::Ident && isEnum && (isPunct(m_t[k - 1], '{') || isPunct(m_t[k - 1], ',')))
                m_f.typeNames.push_back({tok.text, tok.line});
        }
    }

    void variable(const Token& name, bool isExtern, bool isStatic)
    {
        if (isExtern)
            m_f.externVariables.insert(name.text);
        else
            m_f.variables.push_back({name.text, name.line, isStatic});
    }

    static bool isTagKeyword(const Token& t)
    {
        return t.kind == Token::Ident && (t.text == "struct" || t.text == "union" || t.text == "enum");
    }

    void declaration(std::size_t from, std::size_t semi)
    {
        if (from >= semi)
            return;
        if (has(from, semi, "typedef")) {
            if (m_t[semi - 1].kind == Token::Ident)
                m_f.typeNames.push_back({m_t[semi - 1].text, m_t[semi - 1].line});
            return;
        }
        const std::size_t paren = firstParen(from, semi);
        const bool isExtern = has(from, semi, "extern");
        const bool isStatic = has(from, semi, "static");
        if (paren != semi) {
            if (namedBefore(paren)) {
                m_f.prototypes.push_back({m_t[paren - 1].text, m_t[paren - 1].line});
            } else if (paren + 3 < semi && isPunct(m_t[paren + 1], '*') &&
                       m_t[paren + 2].kind == Token::Ident && isPunct(m_t[paren + 3], ')')) {
                variable(m_t[paren + 2], isExtern, isStatic); // pointer to function: (*name)(...)
            }
            return;
        }
        // Each declarator's name is its last identifier before '=' or the ',' or ';' ending it.
        const Token* name = nullptr;
        bool inInit = false;
        for (std::size_t k = from; k <= semi; ++k) {
            const Token& tok = m_t[k];
            if (isPunct(tok, '{') || isPunct(tok, '[') || isPunct(tok, '(')) {
                k = matching(m_t, k);
            } else if (isPunct(tok, '=')) {
                inInit = true;
            } else if (isPunct(tok, ',') || isPunct(tok, ';')) {
                if (name)
                    variable(*name, isExtern, isStatic);
                name = nullptr;
                inInit = false;
            } else if (!inInit && tok.kind == Token::Ident && !isKeyword(tok.text) &&
                       !(k > from && isTagKeyword(m_t[k - 1]))) {
                name = &tok;
            }
        }
    }

    const std::vector<Token>& m_t;
    FileFacts& m_f;
};

void readDirectives(const ScannedFile& file, FileFacts& facts, DiagnosticLog& log)
{
    for (const Directive& d : file.directives) {
        if (d.tokens.empty())
            continue;
        const std::string& name = d.tokens[0].text;
        for (const Token& t : d.tokens)
            if (t.kind == Token::Ident)
                ++facts.uses[t.text];
        if (name == "define" && d.tokens.size() > 1) {
            // A function-like macro has its '(' straight after the name, on the same line.
            const bool fn = d.tokens.size() > 2 && isPunct(d.tokens[2], '(');
            facts.macros.push_back({d.tokens[1].text, d.line, fn});
        } else if (name == "include") {
            std::string target;
            if (d.tokens.size() == 2 && d.tokens[1].kind == Token::String) {
                target = d.tokens[1].text.substr(1, d.tokens[1].text.size() - 2);
            } else if (d.tokens.size() > 2 && isPunct(d.tokens[1], '<') && isPunct(d.tokens.back(), '>')) {
                for (std::size_t k = 2; k + 1 < d.tokens.size(); ++k)
                    target += d.tokens[k].text;
            }
            if (target.empty())
                log.error(ErrIncludeSyntax, "#include expects \"FILE\" or <FILE>", file.name, d.line);
            else
                facts.includes.push_back({target, d.line});
        }
    }
}

} // namespace

bool isKeyword(const std::string& word)
{
    return kKeywords.count(word) != 0;
}

bool checkBrackets(const ScannedFile& file, DiagnosticLog& log)
{
    std::vector<const Token*> open;
    bool ok = true;
    auto unclosed = [&](const Token& t) {
        log.error(ErrUnclosedBracket,
                  "'" + t.text + "' has no matching '" + std::string(1, partner(t.text[0])) + "'", file.name,
                  t.line);
        ok = false;
    };
    for (const Token& t : file.tokens) {
        if (opener(t)) {
            open.push_back(&t);
            continue;
        }
        if (!closer(t))
            continue;
        const char want = partner(t.text[0]);
        auto it =
            std::find_if(open.rbegin(), open.rend(), [&](const Token* o) { return o->text[0] == want; });
        if (it == open.rend()) {
            log.error(ErrUnopenedBracket, "'" + t.text + "' has no matching '" + std::string(1, want) + "'",
                      file.name, t.line);
            ok = false;
            continue;
        }
        // Openers left between this closer and its partner were never closed.
        const std::size_t keep = static_cast<std::size_t>(open.rend() - it) - 1;
        for (std::size_t k = keep + 1; k < open.size(); ++k)
            unclosed(*open[k]);
        open.resize(keep);
    }
    for (const Token* o : open)
        unclosed(*o);
    return ok;
}

FileFacts analyse(const ScannedFile& file, bool balanced, DiagnosticLog& log)
{
    FileFacts facts;
    readDirectives(file, facts, log);
    for (const Token& t : file.tokens) {
        if (t.kind == Token::String)
            facts.stringBytes += static_cast<int>(t.text.size()) - 1; // quotes out, NUL in
        else if (t.kind == Token::Ident)
            ++facts.uses[t.text];
    }
    if (balanced)
        Analyser(file, facts).run();
    return facts;
}

} // namespace standin
