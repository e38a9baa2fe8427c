#pragma once
// The stand-in object format (.r25), a line-based text of our own. A file holds one or more
// modules (a library holds many):
//
//   R25 1 main PROGRAM            module name; PROGRAM is always linked, LIBRARY only on demand
//   SOURCE main.c
//   CPU 78320                     a processor, or 78300 for the whole 78K/III family
//   MODEL standard                or banked
//   DOUBLE 32                     size of double; absent when the module does not care
//   OPTIONS -C -e -g -v2          the switches it was made with (for the reader only)
//   SEGMENT CODE 0032             segment part and its size in bytes (hex)
//   PUBLIC main CODE 0000         entry, its segment and offset in the part (hex)
//   EXTERN led_init               entry the module needs from elsewhere
//   END
//
// Lines starting with ';' are comments.
#include <optional>
#include <string>
#include <vector>

namespace standin
{

struct R25Segment {
    std::string name;
    int size = 0;
};

struct R25Public {
    std::string name;
    std::string segment;
    int offset = 0;
};

struct R25Module {
    std::string name;
    bool library = false;
    std::string source;
    std::string cpu = "78300";
    std::string model = "standard";
    std::string doubles;
    std::string options;
    std::vector<R25Segment> segments;
    std::vector<R25Public> publics;
    std::vector<std::string> externs;

    int segmentSize(const std::string& segment) const;
};

std::vector<std::string> formatModule(const R25Module& module);

struct R25ParseError {
    int line = 0; // 1-based
    std::string text;
};

// Modules of an object or library file; nullopt with the fault when the text is not one.
std::optional<std::vector<R25Module>> parseObject(const std::vector<std::string>& lines,
                                                  R25ParseError& error);

std::string hex4(int value);
// Hex digits only, at most six of them.
bool parseHex(const std::string& text, int& out);

} // namespace standin
