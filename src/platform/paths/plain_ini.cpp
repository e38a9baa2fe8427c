#include "platform/paths/plain_ini.h"

#include <cctype>

#include "platform/host/files.h"

namespace {

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

bool isHex(char c)
{
    return std::isxdigit(static_cast<unsigned char>(c)) != 0;
}

bool holdsPercentEscape(const std::string& name)
{
    for (std::size_t i = 0; i + 2 < name.size(); ++i)
        if (name[i] == '%' && isHex(name[i + 1]) && isHex(name[i + 2]))
            return true;
    return false;
}

// Walks the "Name=Value" lines of the [General] data: the name as written (blanks around it
// dropped) and the raw value after the first "=".
template <typename Visit>
void walkGeneral(const std::string& bytes, Visit visit)
{
    bool general = true;
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
        visit(trimBlanks(line.substr(0, eq)), std::move(value));
    }
}

}  // namespace

IniForm iniFormOf(const std::string& bytes)
{
    bool blank = false;
    bool escaped = false;
    walkGeneral(bytes, [&](const std::string& name, const std::string&) {
        blank = blank || name.find(' ') != std::string::npos;
        escaped = escaped || holdsPercentEscape(name);
    });
    return escaped && !blank ? IniForm::QtEscaped : IniForm::Plain;
}

IniEntries parsePlainIni(const std::string& bytes)
{
    IniEntries entries;
    walkGeneral(bytes, [&](std::string name, std::string value) {
        entries.emplace_back(std::move(name), std::move(value));
    });
    return entries;
}

std::string formatPlainIni(const IniEntries& entries)
{
    std::size_t size = 10;
    for (const auto& [name, value] : entries)
        size += name.size() + value.size() + 2;
    std::string out;
    out.reserve(size);
    out += "[General]\n";
    for (const auto& [name, value] : entries) {
        out += name;
        out += '=';
        out += value;
        out += '\n';
    }
    return out;
}

bool holdsText(const std::string& bytes)
{
    for (const char c : bytes)
        if (c != ' ' && c != '\t' && c != '\r' && c != '\n')
            return true;
    return false;
}

bool holdsMoreThanSettings(const std::string& bytes)
{
    if (bytes.find('\0') != std::string::npos)
        return true;
    for (const std::string& line : splitLines(bytes)) {
        const std::string trimmed = trimBlanks(line);
        const bool section = !trimmed.empty() && trimmed.front() == '[' && trimmed.back() == ']';
        if (!trimmed.empty() && !section && trimmed.find('=') == std::string::npos)
            return true;
    }
    return false;
}
