#pragma once
// The linker command file as the command file editor writes it: the segment placement line
// made from the grid, and the whole file composed from the editor's choices.
#include <string>
#include <vector>

class SegmentGrid;

struct SegmentLineChoice {
    std::string segmentType;  // "NONE" (blanks around it allowed) writes no type
    bool downwards = false;
    std::string lower;
    std::string upper;  // "0000": no upper bound
    std::string dump;   // "0000": no dump address
};

// "-Z", "(type)", the grid's segments with their increases, "=" or "#" and the start, then
// "-end" and ".dump" when given; the texts are taken as they stand, upper-cased.
std::string segmentLine(const SegmentLineChoice& choice, const SegmentGrid& grid);

// An upper bound that is not above the lower one, compared as the texts that the fields show
// (four upper-case digits each, so in numeric order); "0000" means no upper bound.
bool memoryRangeRefused(const std::string& lower, const std::string& upper);

struct CommandFileChoice {
    std::string cpu;
    std::vector<std::string> segmentLines;
    std::string writeFormat;
    std::string readFormat;
    std::vector<std::string> libraries;
};

// Processor, segment lines, write format, read format, libraries; in this order.
std::vector<std::string> composeCommandFile(const CommandFileChoice& choice);

// A command file's name as the settings keep it: without ".xcl" (any case), as the default
// command files are; the linker adds it, and so does every command that proposes the file.
std::string commandFileStem(const std::string& name);
