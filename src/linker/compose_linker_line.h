#pragma once
// The linker parameter text, the choice of the default command file and the two
// print-format switches, all computed from the linker controls.
#include <string>

class ControlSet;

// Indexed by 3 x memory base + print-format size; names without extension.
extern const char* const DefaultCommandFiles[6];

struct PrintFormatSwitches {
    std::string write;
    std::string read;
};

// Without "User" the default command file becomes the text of LinkerCmdfile; both
// switches are recomputed (empty unless UseFormats is on).
void ApplyPrintFormat(ControlSet& controls, PrintFormatSwitches& switches);

// Objects, one blank, options, one blank, libraries. Runs ApplyPrintFormat on the way, so
// a rewritten command file name reaches the line only at the next composition.
std::string ComposeLinkerLine(ControlSet& controls, PrintFormatSwitches& switches);
