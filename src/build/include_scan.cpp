#include "build/include_scan.h"

#include <algorithm>
#include <set>

#include "platform/host/files.h"
#include "platform/paths/win_path.h"

namespace {

bool blank(char c)
{
    return c == ' ' || c == '\t';
}

// The rest of a line after "#include", or nothing when the line is no include line.
std::optional<IncludeLine> includeOf(std::string_view line)
{
    std::size_t i = 0;
    while (i < line.size() && blank(line[i]))
        ++i;
    if (i == line.size() || line[i] != '#')
        return std::nullopt;
    ++i;
    while (i < line.size() && blank(line[i]))
        ++i;
    if (line.substr(i, 7) != "include")
        return std::nullopt;
    i += 7;
    while (i < line.size() && blank(line[i]))
        ++i;
    if (i == line.size() || (line[i] != '"' && line[i] != '<'))
        return std::nullopt;
    const bool angle = line[i] == '<';
    const std::size_t end = line.find(angle ? '>' : '"', i + 1);
    if (end == std::string_view::npos || end == i + 1)
        return std::nullopt;
    std::string name(line.substr(i + 1, end - i - 1));
    std::replace(name.begin(), name.end(), '/', '\\');
    return IncludeLine{name, angle};
}

}  // namespace

std::vector<IncludeLine> includeLines(std::string_view text)
{
    std::vector<IncludeLine> out;
    bool inComment = false;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(start, end - start);
        // A directive may follow the end of a comment; anything inside one is no directive.
        std::string visible;
        for (std::size_t i = 0; i < line.size(); ++i) {
            if (inComment) {
                if (line.substr(i, 2) == "*/") {
                    inComment = false;
                    ++i;
                    visible += ' ';
                }
            } else if (line.substr(i, 2) == "/*") {
                inComment = true;
                ++i;
            } else if (line.substr(i, 2) == "//") {
                break;
            } else {
                visible += line[i];
            }
        }
        if (auto inc = includeOf(visible))
            out.push_back(std::move(*inc));
        if (end == text.size())
            break;
        start = end + 1;
    }
    return out;
}

IncludeScan::IncludeScan(const Files& files, std::vector<std::string> quoted, std::vector<std::string> angle,
                         TimeOf timeOf)
    : m_files(files), m_quoted(std::move(quoted)), m_angle(std::move(angle)), m_timeOf(std::move(timeOf))
{
}

const IncludeScan::Header& IncludeScan::header(const std::string& path)
{
    const std::string key = winpath::lower(path);
    if (const auto it = m_headers.find(key); it != m_headers.end())
        return it->second;
    Header h;
    h.modified = m_timeOf ? m_timeOf(path) : m_files.modifiedMs(path);
    if (const auto bytes = m_files.readBytes(path))
        h.lines = includeLines(*bytes);
    return m_headers.emplace(key, std::move(h)).first->second;
}

std::string IncludeScan::find(const IncludeLine& line, const std::string& includerDir, const std::string& sourceDir)
{
    const std::string key = (line.angle ? "<" : "\"" + includerDir + "|" + sourceDir + "|") + winpath::lower(line.name);
    if (const auto it = m_found.find(key); it != m_found.end())
        return it->second;
    std::vector<std::string> places;
    if (line.name.starts_with('\\') || line.name.find(':') != std::string::npos) {
        places.push_back("");
    } else if (line.angle) {
        places = m_angle;
    } else {
        places = {includerDir, sourceDir};
        places.insert(places.end(), m_quoted.begin(), m_quoted.end());
    }
    std::string found;
    for (const std::string& dir : places) {
        const std::string path = dir.empty() ? line.name : winpath::join(dir, line.name);
        if (m_files.isOrdinaryFile(path)) {
            found = path;
            break;
        }
    }
    return m_found.emplace(key, found).first->second;
}

IncludeScan::Reach IncludeScan::scan(const std::string& source)
{
    Reach reach;
    const std::string sourceDir = winpath::dirPart(source);
    std::set<std::string> seen{winpath::lower(source)};
    std::vector<std::string> todo{source};
    while (!todo.empty()) {
        const std::string file = todo.back();
        todo.pop_back();
        const std::vector<IncludeLine> lines = header(file).lines;
        for (const IncludeLine& line : lines) {
            const std::string path = find(line, winpath::dirPart(file), sourceDir);
            if (path.empty()) {
                reach.missing.push_back({winpath::fileName(file), line.name});
                continue;
            }
            if (!seen.insert(winpath::lower(path)).second)
                continue;
            const Header& h = header(path);
            if (h.modified && (!reach.newest || *h.modified > *reach.newest)) {
                reach.newest = h.modified;
                reach.newestHeader = path;
            }
            todo.push_back(path);
        }
    }
    return reach;
}
