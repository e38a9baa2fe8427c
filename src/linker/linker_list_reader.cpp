#include "linker/linker_list_reader.h"

#include <cctype>

#include "platform/paths/win_path.h"

namespace
{

std::vector<std::string_view> words(std::string_view line)
{
    std::vector<std::string_view> out;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
            ++i;
        const std::size_t from = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t')
            ++i;
        if (i > from)
            out.push_back(line.substr(from, i - from));
    }
    return out;
}

bool hexValue(std::string_view text, int& out)
{
    if (text.empty() || text.size() > 6)
        return false;
    int v = 0;
    for (char c : text) {
        if (!std::isxdigit(static_cast<unsigned char>(c)))
            return false;
        v = v * 16 + (std::isdigit(static_cast<unsigned char>(c)) ? c - '0' : (std::toupper(c) - 'A' + 10));
    }
    out = v;
    return true;
}

// "----" stands for no address.
bool addressValue(std::string_view text, int& out)
{
    if (text == "----") {
        out = -1;
        return true;
    }
    return hexValue(text, out);
}

bool isText(std::string_view text)
{
    std::size_t odd = 0;
    for (char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == 0)
            return false;
        if (c < 32 && c != '\r' && c != '\n' && c != '\t' && c != '\f')
            ++odd;
    }
    return odd * 100 <= text.size();
}

bool startsWith(std::string_view text, std::string_view head)
{
    return text.substr(0, head.size()) == head;
}

std::string_view afterColon(std::string_view line)
{
    const std::size_t colon = line.find(':');
    if (colon == std::string_view::npos)
        return {};
    std::string_view v = line.substr(colon + 1);
    while (!v.empty() && v.front() == ' ')
        v.remove_prefix(1);
    while (!v.empty() && (v.back() == ' ' || v.back() == '\r'))
        v.remove_suffix(1);
    return v;
}

bool isProblem(std::string_view line)
{
    return line.find("Error[") != std::string_view::npos || line.find("Warning[") != std::string_view::npos;
}

enum class Table { None, Segments, Symbols, Other };

} // namespace

LinkerListRead readLinkerList(std::string_view text)
{
    if (text.empty())
        return {std::nullopt, "the list file is empty"};
    if (!isText(text))
        return {std::nullopt, "the list file is not text"};
    LinkerList list;
    Table table = Table::None;
    bool segmentsSeen = false;
    bool ended = false;
    std::size_t lineNo = 0;
    std::size_t from = 0;
    auto damaged = [&lineNo](const char* what) {
        return LinkerListRead{std::nullopt, "line " + std::to_string(lineNo) +
                                                " of the list file is damaged (" + what + ")"};
    };
    while (from < text.size()) {
        std::size_t to = text.find('\n', from);
        if (to == std::string_view::npos)
            to = text.size();
        std::string_view line = text.substr(from, to - from);
        from = to + 1;
        ++lineNo;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        const auto w = words(line);
        if (w.empty()) {
            table = Table::None;
            continue;
        }
        if (line.front() != ' ') {
            table = Table::None;
            if (line == "SEGMENTS") {
                table = Table::Segments;
                segmentsSeen = true;
            } else if (line == "SYMBOLS") {
                table = Table::Symbols;
            } else if (startsWith(line, "Output file")) {
                list.output = std::string(afterColon(line));
            } else if (startsWith(line, "Command file")) {
                list.commandFiles.emplace_back(afterColon(line));
            } else if (isProblem(line)) {
                list.problems.emplace_back(line);
            } else if (startsWith(line, "Errors:")) {
                ended = true;
            } else if (w.size() == 1 && std::isupper(static_cast<unsigned char>(line.front()))) {
                table = Table::Other; // a table of its own we need not read
            }
            continue;
        }
        if (table == Table::Segments) {
            if (w[0] == "Name" && w.size() == 5 && w[1] == "Type")
                continue;
            if (w.size() == 3) // a module's part of the segment above (-xs)
                continue;
            ListedSegment s;
            if (w.size() != 5 || !addressValue(w[2], s.start) || !addressValue(w[3], s.end) ||
                !hexValue(w[4], s.size))
                return damaged("a segment row");
            s.name = std::string(w[0]);
            s.type = std::string(w[1]);
            s.placed = s.start >= 0;
            s.start = s.placed ? s.start : 0;
            list.segments.push_back(std::move(s));
        } else if (table == Table::Symbols) {
            if (w[0] == "Module" && w.size() == 5 && w[1] == "Symbol")
                continue;
            ListedSymbol s;
            if (w.size() != 5 || !addressValue(w[3], s.address) || !hexValue(w[4], s.size))
                return damaged("a symbol row");
            s.module = std::string(w[0]);
            s.name = std::string(w[1]);
            s.segment = std::string(w[2]);
            list.symbols.push_back(std::move(s));
        }
    }
    if (!segmentsSeen)
        return {std::nullopt, "the list file has no SEGMENTS table"};
    // The linker ends its list with the count of errors: without it the file was cut short.
    if (!ended)
        return {std::nullopt, "the list file ends early (no \"Errors:\" line)"};
    return {std::move(list), {}};
}

std::optional<AddressRange> parseAddressRange(std::string_view word)
{
    if (!startsWith(word, "-Z"))
        return std::nullopt;
    AddressRange r;
    std::size_t pos = 2;
    if (pos < word.size() && word[pos] == '(') {
        const std::size_t close = word.find(')', pos);
        if (close == std::string_view::npos)
            return std::nullopt;
        r.type = winpath::upper(winpath::trim(word.substr(pos + 1, close - pos - 1)));
        if (r.type == "NONE" || r.type == "UNTYPED")
            r.type.clear();
        pos = close + 1;
    }
    const std::size_t alloc = word.find_first_of("=#", pos);
    if (alloc == std::string_view::npos)
        return std::nullopt;
    std::string_view names = word.substr(pos, alloc - pos);
    while (true) {
        const std::size_t comma = names.find(',');
        std::string_view name = names.substr(0, comma);
        int gap = 0;
        // Four hex digits after a name are the gap before that segment, as the linker reads them.
        if (name.size() > 4 && hexValue(name.substr(name.size() - 4), gap))
            name.remove_suffix(4);
        if (name.empty())
            return std::nullopt;
        r.segments.emplace_back(name);
        if (comma == std::string_view::npos)
            break;
        names.remove_prefix(comma + 1);
    }
    std::string_view rest = word.substr(alloc + 1);
    rest = rest.substr(0, rest.find('.'));
    const std::size_t dash = rest.find('-');
    if (!hexValue(rest.substr(0, dash), r.start))
        return std::nullopt;
    if (dash != std::string_view::npos && !hexValue(rest.substr(dash + 1), r.end))
        return std::nullopt;
    if (r.end < r.start)
        return std::nullopt;
    return r;
}

std::vector<AddressRange> readAddressRanges(const std::vector<std::string>& lines)
{
    std::vector<AddressRange> out;
    for (const std::string& line : lines) {
        const std::string text = winpath::trim(line);
        if (startsWith(text, "//"))
            continue;
        for (std::string_view w : words(text))
            if (auto r = parseAddressRange(w))
                out.push_back(std::move(*r));
    }
    return out;
}
