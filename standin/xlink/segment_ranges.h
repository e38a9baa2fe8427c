#pragma once
// Segment placement lines of linker command files, written by Tarnel's command file editor:
//   -Z(CODE)RCODE,CODE=0000-7FFF      segments placed upwards from 0000, none past 7FFF
//   -ZRCODE0010,CODE#0000-7FFF.FF00   untyped; RCODE after a gap of 10h; placed downwards from
//                                     the top of the range; dump address FF00
// A trailing group of four hex digits on a segment name is the gap before that segment.
#include <optional>
#include <string>
#include <vector>

namespace standin
{

struct RangeSegment {
    std::string name;
    int gap = 0;
};

struct SegmentRange {
    std::string type; // CODE, DATA, ... or empty when untyped
    std::vector<RangeSegment> segments;
    bool downwards = false;
    int start = 0;
    int end = -1;     // -1: no upper bound
    int dump = -1;    // -1: none
    std::string file; // where the line came from, for diagnostics
    int line = 0;

    // Segments of this type hold no bytes of the image.
    bool holdsData() const;
};

// Parses one "-Z" line (blanks around it already removed); nullopt with the reason on a fault.
std::optional<SegmentRange> parseSegmentRange(const std::string& text, std::string& error);

} // namespace standin
