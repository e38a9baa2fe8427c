#include "platform/paths/plain_ini.h"

#include <cctype>

#include "platform/host/files.h"

namespace {

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Qt writes a blank in a name as %20.
std::string decodeName(const std::string& raw)
{
    std::string out;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] == '%' && i + 2 < raw.size() && hexDigit(raw[i + 1]) >= 0 && hexDigit(raw[i + 2]) >= 0) {
            out += static_cast<char>(hexDigit(raw[i + 1]) * 16 + hexDigit(raw[i + 2]));
            i += 2;
        } else {
            out += raw[i];
        }
    }
    return out;
}

// A value holding a doubled backslash was escaped by Qt; a Windows path written by hand never
// holds one, so anything else is taken verbatim.
std::string decodeValue(const std::string& raw)
{
    if (raw.find("\\\\") == std::string::npos)
        return raw;
    std::string body = raw;
    if (body.size() >= 2 && body.front() == '"' && body.back() == '"')
        body = body.substr(1, body.size() - 2);
    std::string out;
    for (std::size_t i = 0; i < body.size(); ++i) {
        if (body[i] == '\\' && i + 1 < body.size() && (body[i + 1] == '\\' || body[i + 1] == '"'))
            ++i;
        out += body[i];
    }
    return out;
}

std::string trimBlanks(const std::string& s)
{
    std::size_t b = 0;
    std::size_t e = s.size();
    while (b < e && (s[b] == ' ' || s[b] == '\t'))
        ++b;
    while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t'))
        --e;
    return s.substr(b, e - b);
}

}  // namespace

IniEntries parsePlainIni(const std::string& bytes)
{
    IniEntries entries;
    bool general = true;  // lines before any section count as general
    for (const std::string& line : splitLines(bytes)) {
        const std::string trimmed = trimBlanks(line);
        if (trimmed.empty() || trimmed[0] == ';' || trimmed[0] == '#')
            continue;
        if (trimmed.front() == '[') {
            general = trimmed == "[General]" || trimmed == "[general]";
            continue;
        }
        const auto eq = line.find('=');
        if (!general || eq == std::string::npos)
            continue;
        std::string value = line.substr(eq + 1);
        // "Name = Value", as people write it by hand: the blanks around "=" are layout.
        if (eq > 0 && (line[eq - 1] == ' ' || line[eq - 1] == '\t')) {
            const auto first = value.find_first_not_of(" \t");
            value.erase(0, first == std::string::npos ? value.size() : first);
        }
        entries.emplace_back(decodeName(trimBlanks(line.substr(0, eq))), decodeValue(value));
    }
    return entries;
}

std::string formatPlainIni(const IniEntries& entries)
{
    std::string out = "[General]\n";
    for (const auto& [name, value] : entries)
        out += name + "=" + value + "\n";
    return out;
}
