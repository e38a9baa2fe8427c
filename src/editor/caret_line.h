#pragma once
// What the caret's line says: the source name quoted at its start and the line number after
// it, as the compiler's error lines carry them ("main.c",42  Error...).
#include <string>

struct CaretLine {
    std::string name;
    int jump = 0;
};

CaretLine parseCaretLine(const std::string& line);
// "Line: %3d   Col: %3d" with the 1-based line and column.
std::string caretPositionText(int line, int column);
