#include "platform/host/dialogs.h"
#include "platform/host/files.h"

#include <cstdio>

void Dialogs::notice(const std::string& line)
{
    std::fprintf(stderr, "Tarnel: %s\n", line.c_str());
    std::fflush(stderr);
}

std::vector<std::string> splitLines(const std::string& bytes)
{
    std::vector<std::string> lines;
    std::string cur;
    bool pending = false;  // a line has started or a break was just seen
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(cur);
            cur.clear();
            pending = false;
            if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
                ++i;
        } else {
            cur += c;
            pending = true;
        }
    }
    if (pending)
        lines.push_back(cur);
    return lines;
}

std::string joinLines(const std::vector<std::string>& lines)
{
    std::string out;
    for (const auto& l : lines) {
        out += l;
        out += "\r\n";
    }
    return out;
}

std::optional<std::vector<std::string>> Files::readLines(const std::string& path) const
{
    auto bytes = readBytes(path);
    if (!bytes)
        return std::nullopt;
    return splitLines(*bytes);
}

bool Files::writeLines(const std::string& path, const std::vector<std::string>& lines)
{
    return writeBytes(path, joinLines(lines));
}

std::vector<FileFilter> parseFilterList(const std::string& filter)
{
    std::vector<FileFilter> out;
    std::vector<std::string> parts;
    std::string cur;
    for (char c : filter) {
        if (c == '|') {
            parts.push_back(cur);
            cur.clear();
        } else {
            cur += c;
        }
    }
    parts.push_back(cur);
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2)
        out.push_back({parts[i], parts[i + 1]});
    if (parts.size() == 1 && !parts[0].empty())
        out.push_back({parts[0], parts[0]});
    return out;
}
