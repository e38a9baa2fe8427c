#include "platform/batch/command_line.h"

#include <cctype>

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

static bool isRedirectChar(char c)
{
    return c == '>' || c == '<';
}

CommandLine CommandLine::parse(std::string_view line)
{
    CommandLine out;
    bool quoted = false;
    std::size_t i = 0;
    while (i < line.size()) {
        const char c = line[i];
        if (c == '"')
            quoted = !quoted;
        if (quoted || !isRedirectChar(c)) {
            out.text += c;
            ++i;
            continue;
        }
        Redirection r;
        r.handle = c == '<' ? 0 : 1;
        const std::size_t n = out.text.size();
        if (n >= 1 && std::isdigit(static_cast<unsigned char>(out.text[n - 1])) &&
            (n == 1 || isBlank(out.text[n - 2]))) {
            r.handle = out.text[n - 1] - '0';
            out.text.pop_back();
        }
        ++i;
        if (c == '>' && i < line.size() && line[i] == '>') {
            r.append = true;
            ++i;
        }
        if (i < line.size() && line[i] == '&') {
            r.target += '&';
            ++i;
        }
        while (i < line.size() && isBlank(line[i]))
            ++i;
        bool targetQuoted = false;
        while (i < line.size()) {
            const char t = line[i];
            if (t == '"') {
                targetQuoted = !targetQuoted;
                ++i;
                continue;
            }
            if (!targetQuoted && (isBlank(t) || isRedirectChar(t)))
                break;
            r.target += t;
            ++i;
        }
        out.redirections.push_back(r);
    }
    return out;
}

CommandWord splitCommandWord(std::string_view text)
{
    static constexpr std::string_view delimiters = ".:/\\(=+,;";
    CommandWord out;
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    const std::size_t start = i;
    bool quoted = false;
    std::size_t nameEnd = std::string_view::npos;
    while (i < text.size() && (quoted || !isBlank(text[i]))) {
        if (text[i] == '"')
            quoted = !quoted;
        else if (nameEnd == std::string_view::npos && delimiters.find(text[i]) != std::string_view::npos)
            nameEnd = i;
        ++i;
    }
    if (nameEnd == std::string_view::npos)
        nameEnd = i;
    for (char c : text.substr(start, i - start))
        if (c != '"')
            out.word += c;
    out.name = std::string(text.substr(start, nameEnd - start));
    out.rest = std::string(text.substr(nameEnd));
    out.tail = std::string(text.substr(i));
    return out;
}

std::vector<std::string> splitArguments(std::string_view text)
{
    std::vector<std::string> args;
    std::string cur;
    bool inArg = false;
    bool quoted = false;
    for (char c : text) {
        if (c == '"') {
            quoted = !quoted;
            inArg = true;
        } else if (!quoted && isBlank(c)) {
            if (inArg)
                args.push_back(cur);
            cur.clear();
            inArg = false;
        } else {
            cur += c;
            inArg = true;
        }
    }
    if (inArg)
        args.push_back(cur);
    return args;
}
