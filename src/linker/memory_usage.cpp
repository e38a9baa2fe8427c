#include "linker/memory_usage.h"

#include <cstdint>
#include <cstdio>
#include <map>
#include <set>

#include "platform/host/files.h"
#include "platform/paths/win_path.h"

namespace
{

// A list file past this is no list file of a 64 KiB machine's link.
constexpr std::uint64_t MaxListBytes = 64u << 20;

bool has(const std::string& text, const char* part)
{
    return text.find(part) != std::string::npos;
}

std::string hex4(int v)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04X", static_cast<unsigned>(v));
    return buf;
}

std::string inFolder(const std::string& folder, const std::string& name)
{
    return winpath::hasDirectoryPart(name) ? name : winpath::join(folder, name);
}

MemoryUsage none(std::string reason)
{
    MemoryUsage u;
    u.reason = std::move(reason);
    return u;
}

} // namespace

const char* memoryKindName(MemoryKind kind)
{
    switch (kind) {
    case MemoryKind::Rom:
        return "ROM";
    case MemoryKind::Ram:
        return "RAM";
    case MemoryKind::Mixed:
        return "ROM+RAM";
    case MemoryKind::Other:
        break;
    }
    return "other";
}

MemoryKind segmentKind(const std::string& type, const std::string& name)
{
    const std::string t = winpath::upper(type);
    if (t == "CODE" || t == "CONST")
        return MemoryKind::Rom;
    if (t == "DATA" || t == "XDATA" || t == "IDATA" || t == "BIT" || t == "STACK")
        return MemoryKind::Ram;
    const std::string n = winpath::upper(name);
    if (has(n, "STACK") || has(n, "HEAP"))
        return MemoryKind::Ram;
    if (has(n, "CODE") || has(n, "CONST") || has(n, "INTVEC") || has(n, "CSTR"))
        return MemoryKind::Rom;
    if (has(n, "DATA") || has(n, "BSS") || has(n, "NO_INIT"))
        return MemoryKind::Ram;
    return MemoryKind::Other;
}

MemoryUsage accountMemory(const LinkerList& list, const std::vector<AddressRange>& ranges)
{
    MemoryUsage u;
    u.available = true;
    u.target = list.output;
    u.commandFile = list.commandFiles.empty() ? std::string() : list.commandFiles.front();
    u.symbols = list.symbols;
    u.problems = list.problems;
    std::map<std::string, const ListedSegment*> byName;
    for (const ListedSegment& s : list.segments)
        byName.emplace(s.name, &s);
    std::set<std::string> claimed;
    std::vector<std::set<MemoryKind>> kinds;
    for (const AddressRange& r : ranges) {
        std::size_t at = 0;
        while (at < u.ranges.size() && (u.ranges[at].start != r.start || u.ranges[at].end != r.end))
            ++at;
        if (at == u.ranges.size()) {
            RangeUsage added;
            added.start = r.start;
            added.end = r.end;
            added.size = static_cast<long>(r.end) - r.start + 1;
            u.ranges.push_back(std::move(added));
            kinds.emplace_back();
        }
        RangeUsage& range = u.ranges[at];
        for (const std::string& name : r.segments) {
            if (!claimed.insert(name).second)
                continue;
            const auto it = byName.find(name);
            ListedSegment s;
            if (it != byName.end())
                s = *it->second;
            else
                s.name = name;
            const std::string type = s.type == "-" || s.type.empty() ? r.type : s.type;
            kinds[at].insert(segmentKind(type, name));
            range.used += s.size;
            range.segments.push_back(std::move(s));
        }
    }
    for (std::size_t i = 0; i < u.ranges.size(); ++i) {
        const bool rom = kinds[i].count(MemoryKind::Rom) > 0;
        const bool ram = kinds[i].count(MemoryKind::Ram) > 0;
        RangeUsage& range = u.ranges[i];
        range.kind = rom && ram ? MemoryKind::Mixed
                     : rom      ? MemoryKind::Rom
                     : ram      ? MemoryKind::Ram
                                : MemoryKind::Other;
        RegionTotal* total = range.kind == MemoryKind::Rom   ? &u.rom
                             : range.kind == MemoryKind::Ram ? &u.ram
                                                             : nullptr;
        if (total) {
            total->size += range.size;
            total->used += range.used;
        }
    }
    return u;
}

MemoryUsage readMemoryUsage(const Files& files, const std::string& compileDir, const std::string& listFile)
{
    if (winpath::trim(listFile).empty())
        return none("the linker writes no list file");
    const std::string path = inFolder(compileDir, listFile);
    if (!files.fileExists(path))
        return none("there is no list file " + path);
    if (const auto size = files.fileSize(path); size && *size > MaxListBytes)
        return none("the list file " + path + " is too large to be a list file");
    const auto bytes = files.readBytes(path);
    if (!bytes)
        return none("cannot read the list file " + path);
    LinkerListRead read = readLinkerList(*bytes);
    if (!read.list)
        return none(read.reason);
    if (read.list->commandFiles.empty())
        return none("the list file names no command file, so no address ranges are known");
    std::vector<AddressRange> ranges;
    for (const std::string& name : read.list->commandFiles) {
        const std::string file = inFolder(compileDir, name);
        const auto lines = files.readLines(file);
        if (!lines)
            return none("cannot read the command file " + file);
        for (AddressRange& r : readAddressRanges(*lines))
            ranges.push_back(std::move(r));
    }
    if (ranges.empty())
        return none("the command file " + read.list->commandFiles.front() + " has no -Z lines");
    return accountMemory(*read.list, ranges);
}

std::string previousFiguresPath(const std::string& compileDir, const std::string& project)
{
    return winpath::join(compileDir, winpath::withoutExtension(winpath::fileName(project)) + ".memory");
}

void compareWithPrevious(MemoryUsage& usage, Files& files, const std::string& path)
{
    if (!usage.available)
        return;
    std::map<std::string, long> previous;
    if (const auto lines = files.readLines(path))
        for (const std::string& line : *lines) {
            const std::size_t blank = line.rfind(' ');
            long long value = 0;
            if (blank != std::string::npos && winpath::parseInt(line.substr(blank + 1), value))
                previous[line.substr(0, blank)] = static_cast<long>(value);
        }
    auto change = [&previous](const std::string& key, long now) -> std::optional<long> {
        const auto it = previous.find(key);
        if (it == previous.end())
            return std::nullopt;
        return now - it->second;
    };
    std::vector<std::string> kept{"; Tarnel: the memory figures of this project's last linked build"};
    auto keep = [&](const std::string& key, long used, std::optional<long>& into) {
        into = change(key, used);
        kept.push_back(key + " " + std::to_string(used));
    };
    if (usage.rom.size > 0)
        keep("ROM", usage.rom.used, usage.rom.change);
    if (usage.ram.size > 0)
        keep("RAM", usage.ram.used, usage.ram.change);
    for (RangeUsage& r : usage.ranges)
        keep("RANGE " + hex4(r.start) + "-" + hex4(r.end), r.used, r.change);
    files.writeLines(path, kept);
}

double fillPercent(long used, long size)
{
    return size > 0 ? 100.0 * static_cast<double>(used) / static_cast<double>(size) : 0.0;
}

std::string signedBytes(long change)
{
    return (change < 0 ? "" : "+") + std::to_string(change);
}
