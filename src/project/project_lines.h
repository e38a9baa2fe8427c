#pragma once
// The layout of a project file: one row per option line, naming the control that the line
// stores and how its value is written. The writer, the reader and the project list view all
// walk these tables, so a line is described exactly once.
#include <string_view>
#include <vector>

enum class LineKind {
    Flag,     // check box: "1"/"0"; read as true when the line holds a "1" anywhere
    Enabled,  // enabled state of a field, written like a flag
    Index,    // item index of a drop-down list, -1 for none
    Number,   // value of a numeric field or position of an up/down control
    Text,     // edit text, verbatim
    Count,    // number of entries of the file list named in the row
};

struct ProjectLine {
    int line;
    const char* control;
    LineKind kind;
};

// The file lists that follow the option lines, in file order, each with the option line that
// holds its count and the test an entry must pass to be taken over on reading.
struct FileSection {
    const char* list;
    int countLine;
    bool (*keep)(std::string_view entry);
};

namespace projectfile {

constexpr int OptionLines = 84;

const std::vector<ProjectLine>& lines();
const std::vector<FileSection>& sections();

// Drop-down lists that a read never leaves without a choice.
const std::vector<const char*>& alwaysChosen();

bool isSourceEntry(std::string_view entry);   // ".c", ".h", ".C" or ".H" anywhere
bool isLibraryEntry(std::string_view entry);  // ".r25" (lower case only), or a name without extension
bool isObjectEntry(std::string_view entry);   // anything but empty

}  // namespace projectfile
