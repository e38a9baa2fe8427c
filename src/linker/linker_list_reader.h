#pragma once
// What a link left behind, read back: the segment and symbol tables and the problems of the
// linker's list file, and the address ranges (-Z lines) of a command file. Lines that are not
// known are passed over; a list file that cannot be trusted whole is refused with the reason.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct ListedSegment {
    std::string name;
    std::string type; // as the -Z line gave it; "-" when untyped
    bool placed = false;
    int start = 0;
    int end = -1; // -1: empty or not placed
    int size = 0;
};

struct ListedSymbol {
    std::string module;
    std::string name;
    std::string segment;
    int address = -1; // -1: its segment has no place
    int size = 0;
};

struct LinkerList {
    std::string output;
    std::vector<std::string> commandFiles; // as the linker names them, in the order read
    std::vector<ListedSegment> segments;
    std::vector<ListedSymbol> symbols;
    std::vector<std::string> problems; // the linker's own lines, errors and warnings
};

struct LinkerListRead {
    std::optional<LinkerList> list;
    std::string reason; // why there is none
};

LinkerListRead readLinkerList(std::string_view text);

// One -Z line: "-Z(CODE)RCODE,CODE=0040-7FFF", "-ZDATA#FD00-FEFF" (placed downwards).
struct AddressRange {
    std::string type; // upper case; empty when untyped
    std::vector<std::string> segments;
    int start = 0;
    int end = 0xFFFF; // the linker's bound when the line gives none
};

// The -Z switches of a command file's lines; "//" starts a comment line.
std::vector<AddressRange> readAddressRanges(const std::vector<std::string>& lines);
std::optional<AddressRange> parseAddressRange(std::string_view word);
