#include "xlink/segment_ranges.h"

#include <cctype>

#include "common/object_file.h"
#include "platform/paths/win_path.h"

namespace standin
{

namespace
{

const char* const kTypes[] = {"NONE", "CODE", "DATA", "UNTYPED", "XDATA", "IDATA", "BIT"};

bool isHexDigit(char c)
{
    return std::isxdigit(static_cast<unsigned char>(c)) != 0;
}

bool validName(const std::string& name)
{
    if (name.empty())
        return false;
    for (char c : name)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_' && c != '?')
            return false;
    return true;
}

} // namespace

bool SegmentRange::holdsData() const
{
    return type == "DATA" || type == "XDATA" || type == "IDATA" || type == "BIT";
}

std::optional<SegmentRange> parseSegmentRange(const std::string& text, std::string& error)
{
    SegmentRange range;
    std::size_t pos = 2; // after "-Z"
    if (pos < text.size() && text[pos] == '(') {
        const std::size_t close = text.find(')', pos);
        if (close == std::string::npos) {
            error = "segment type has no ')'";
            return std::nullopt;
        }
        const std::string type = winpath::upper(winpath::trim(text.substr(pos + 1, close - pos - 1)));
        bool known = false;
        for (const char* t : kTypes)
            known = known || type == t;
        if (!known) {
            error = "unknown segment type '" + text.substr(pos + 1, close - pos - 1) + "'";
            return std::nullopt;
        }
        range.type = type == "NONE" ? "" : type;
        pos = close + 1;
    }
    const std::size_t alloc = text.find_first_of("=#", pos);
    if (alloc == std::string::npos) {
        error = "segment line needs '=' or '#' and a start address";
        return std::nullopt;
    }
    range.downwards = text[alloc] == '#';
    std::string list = text.substr(pos, alloc - pos);
    std::size_t from = 0;
    while (true) {
        const std::size_t comma = list.find(',', from);
        std::string name = list.substr(from, comma == std::string::npos ? std::string::npos : comma - from);
        RangeSegment seg;
        if (name.size() > 4) {
            const std::string tail = name.substr(name.size() - 4);
            if (isHexDigit(tail[0]) && isHexDigit(tail[1]) && isHexDigit(tail[2]) && isHexDigit(tail[3])) {
                parseHex(tail, seg.gap);
                name.resize(name.size() - 4);
            }
        }
        if (!validName(name)) {
            error = "bad segment name '" + name + "'";
            return std::nullopt;
        }
        seg.name = name;
        range.segments.push_back(seg);
        if (comma == std::string::npos)
            break;
        from = comma + 1;
    }
    // start[-end][.dump]
    const std::string rest = text.substr(alloc + 1);
    const std::size_t dash = rest.find('-');
    const std::size_t dot = rest.find('.');
    const std::string start = rest.substr(0, std::min(dash, dot));
    std::string end;
    std::string dump;
    if (dash != std::string::npos)
        end = rest.substr(dash + 1,
                          dot == std::string::npos || dot < dash ? std::string::npos : dot - dash - 1);
    if (dot != std::string::npos)
        dump = rest.substr(dot + 1);
    if (!parseHex(start, range.start) ||
        (dash != std::string::npos && (dot < dash || !parseHex(end, range.end))) ||
        (dot != std::string::npos && !parseHex(dump, range.dump))) {
        error = "bad address in '" + rest + "'";
        return std::nullopt;
    }
    if (range.end >= 0 && range.end < range.start) {
        error = "range end lies below its start";
        return std::nullopt;
    }
    return range;
}

} // namespace standin
