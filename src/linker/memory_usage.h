#pragma once
// How full ROM and RAM are after a link: each address range of the command file in use with the
// segments the linker placed in it, the ROM and RAM totals, the symbols and the linker's
// problems, and the change of each figure since the project's previous build.
#include <optional>
#include <string>
#include <vector>

#include "linker/linker_list_reader.h"

class Files;

enum class MemoryKind { Rom, Ram, Mixed, Other };

// "ROM", "RAM", "ROM+RAM", "other".
const char* memoryKindName(MemoryKind kind);
// CODE and CONST hold ROM, DATA and the stack RAM; an untyped segment is judged by its name.
MemoryKind segmentKind(const std::string& type, const std::string& name);

struct RangeUsage {
    int start = 0;
    int end = 0;
    MemoryKind kind = MemoryKind::Other;
    long size = 0;
    long used = 0; // bytes of the segments placed here; gaps are free
    std::vector<ListedSegment> segments;
    std::optional<long> change;

    long freeBytes() const { return used < size ? size - used : 0; }
};

struct RegionTotal {
    long size = 0;
    long used = 0;
    std::optional<long> change;
};

struct MemoryUsage {
    bool available = false;
    std::string reason; // why not, when not
    std::string target;
    std::string commandFile;
    std::vector<RangeUsage> ranges;
    RegionTotal rom;
    RegionTotal ram;
    std::vector<ListedSymbol> symbols;
    std::vector<std::string> problems;
};

// -Z lines with one start and end share one range; a segment belongs to the first line naming it,
// as the linker places it there.
MemoryUsage accountMemory(const LinkerList& list, const std::vector<AddressRange>& ranges);

// The list file of a link in the compile directory and the command files it names.
MemoryUsage readMemoryUsage(const Files& files, const std::string& compileDir, const std::string& listFile);

// The file of ours that keeps the project's previous figures, beside its build files.
std::string previousFiguresPath(const std::string& compileDir, const std::string& project);
// Sets each figure's change from the kept figures, then keeps this build's in their place.
void compareWithPrevious(MemoryUsage& usage, Files& files, const std::string& path);

// Fill in percent of a size; 0 for an empty one.
double fillPercent(long used, long size);
// "+56", "-12", "+0".
std::string signedBytes(long change);
