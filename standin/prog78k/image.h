#pragma once
// What a programmer would load from a target file: S-records or Intel hex data bytes and the
// address range they cover.
#include <string>
#include <vector>

namespace standin
{

struct TargetImage {
    std::string format; // "Motorola S-records", "Intel hex" or "" when neither
    long bytes = 0;     // data bytes
    long records = 0;   // data records
    long low = -1;      // lowest and highest address written; -1 when none
    long high = -1;
    std::vector<std::string> problems; // "line 3: bad checksum"
};

TargetImage readImage(const std::vector<std::string>& lines);

} // namespace standin
