#include "linker/memory_report.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "platform/paths/win_path.h"

namespace
{

std::string percent(long used, long size)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.1f%%", fillPercent(used, size));
    return buf;
}

std::string hex4(int v)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04X", static_cast<unsigned>(v));
    return buf;
}

std::string figure(const std::string& name, long used, long size, const std::optional<long>& change)
{
    std::string line = name + ": " + std::to_string(used) + " of " + std::to_string(size) + " bytes (" +
                       percent(used, size) + ")";
    if (change)
        line += ", " + signedBytes(*change) + " since the previous build";
    return line;
}

std::string quoted(const std::string& text)
{
    std::string out = "\"";
    for (char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (ch == '"' || ch == '\\') {
            out += '\\';
            out += ch;
        } else if (c < 0x20 || c >= 0x7F) {
            // Single-byte text of unknown code page: kept as the byte's own code point.
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", c);
            out += buf;
        } else {
            out += ch;
        }
    }
    return out + "\"";
}

std::string textOrNull(const std::string& text)
{
    return text.empty() || text == "-" ? "null" : quoted(text);
}

std::string region(const RegionTotal& r)
{
    return "{\"size\": " + std::to_string(r.size) + ", \"used\": " + std::to_string(r.used) +
           ", \"change\": " + (r.change ? std::to_string(*r.change) : "null") + "}";
}

} // namespace

std::vector<std::string> memorySummary(const MemoryUsage& usage)
{
    if (!usage.available)
        return {"Memory: no memory data (" + usage.reason + ")"};
    std::vector<std::string> lines;
    if (usage.rom.size > 0)
        lines.push_back(figure("ROM", usage.rom.used, usage.rom.size, usage.rom.change));
    if (usage.ram.size > 0)
        lines.push_back(figure("RAM", usage.ram.used, usage.ram.size, usage.ram.change));
    for (const RangeUsage& r : usage.ranges)
        if (r.kind == MemoryKind::Mixed || r.kind == MemoryKind::Other)
            lines.push_back(
                figure(std::string(memoryKindName(r.kind)) + " " + hex4(r.start) + "-" + hex4(r.end), r.used,
                       r.size, r.change));
    return lines;
}

std::string memoryReportJson(const MemoryUsage& usage)
{
    std::string out = "{\"target\": " + textOrNull(usage.target) +
                      ", \"command_file\": " + textOrNull(usage.commandFile) + ", \"ranges\": [";
    for (std::size_t i = 0; i < usage.ranges.size(); ++i) {
        const RangeUsage& r = usage.ranges[i];
        out += std::string(i ? "," : "") + "\n  {\"start\": \"" + hex4(r.start) + "\", \"end\": \"" +
               hex4(r.end) + "\", \"kind\": \"" + memoryKindName(r.kind) +
               "\", \"size\": " + std::to_string(r.size) + ", \"used\": " + std::to_string(r.used) +
               ", \"segments\": [";
        for (std::size_t j = 0; j < r.segments.size(); ++j) {
            const ListedSegment& s = r.segments[j];
            const bool shown = s.placed && s.size > 0;
            out += std::string(j ? ", " : "") + "{\"name\": " + quoted(s.name) +
                   ", \"type\": " + textOrNull(s.type) +
                   ", \"start\": " + (s.placed ? "\"" + hex4(s.start) + "\"" : "null") +
                   ", \"end\": " + (shown ? "\"" + hex4(s.end) + "\"" : "null") +
                   ", \"size\": " + std::to_string(s.size) + "}";
        }
        out += "]}";
    }
    out += "],\n \"rom\": " + region(usage.rom) + ",\n \"ram\": " + region(usage.ram) + ",\n \"symbols\": [";
    for (std::size_t i = 0; i < usage.symbols.size(); ++i) {
        const ListedSymbol& s = usage.symbols[i];
        out += std::string(i ? "," : "") + "\n  {\"module\": " + quoted(s.module) +
               ", \"name\": " + quoted(s.name) + ", \"segment\": " + quoted(s.segment) +
               ", \"address\": " + (s.address >= 0 ? "\"" + hex4(s.address) + "\"" : "null") +
               ", \"size\": " + std::to_string(s.size) + "}";
    }
    return out + "]}\n";
}

std::optional<std::vector<FillLimit>> parseFillLimits(const std::string& text, std::string& error)
{
    std::vector<FillLimit> limits;
    std::size_t from = 0;
    while (from <= text.size()) {
        const std::size_t comma = std::min(text.find(',', from), text.size());
        const std::string item = winpath::trim(text.substr(from, comma - from));
        from = comma + 1;
        const std::size_t eq = item.find('=');
        const std::string name = winpath::upper(winpath::trim(item.substr(0, eq)));
        const std::string number =
            eq == std::string::npos ? std::string() : winpath::trim(item.substr(eq + 1));
        char* end = nullptr;
        const double value = number.empty() ? -1 : std::strtod(number.c_str(), &end);
        if ((name != "ROM" && name != "RAM") || number.empty() || *end != '\0' ||
            !(value >= 0 && value <= 100)) {
            error = "'" + item + "' is not REGION=PERCENT (ROM or RAM, 0 to 100)";
            return std::nullopt;
        }
        limits.push_back({name, value});
    }
    return limits;
}

std::string fillExceeded(const MemoryUsage& usage, const std::vector<FillLimit>& limits)
{
    if (limits.empty())
        return {};
    if (!usage.available)
        return "the fill cannot be checked: no memory data (" + usage.reason + ")";
    for (const FillLimit& limit : limits) {
        const RegionTotal& r = limit.region == "ROM" ? usage.rom : usage.ram;
        if (r.size > 0 && fillPercent(r.used, r.size) > limit.percent) {
            char allowed[32];
            std::snprintf(allowed, sizeof allowed, "%g%%", limit.percent);
            return limit.region + " is " + percent(r.used, r.size) + " full (" + std::to_string(r.used) +
                   " of " + std::to_string(r.size) + " bytes), more than the " + allowed + " allowed";
        }
    }
    return {};
}
