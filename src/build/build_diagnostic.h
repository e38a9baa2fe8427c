#pragma once
// A line of build output read as a diagnostic: it holds the error or warning marker the error
// check looks for, and, when it has the shape the tools print, the source file and line:
//   "main.c",17  Error[20]: ...
// The file name may be of any length and the line number of any number of digits.
#include <optional>
#include <string>

enum class DiagnosticSeverity { Error, Warning };

struct BuildDiagnostic {
    DiagnosticSeverity severity = DiagnosticSeverity::Error;
    // Empty when the line names no place (a linker's or command line's complaint).
    std::string file;
    int line = 0;
    // What stands between the marker's brackets ("20" of "Error[20]"); may be empty.
    std::string rule;

    bool located() const { return !file.empty(); }
    bool operator==(const BuildDiagnostic&) const = default;
};

// The markers are those of the error check; a line with both counts as an error.
std::optional<BuildDiagnostic> readBuildDiagnostic(const std::string& line);
// The diagnostic's own words: what follows the marker's "]" and a colon; the whole line when
// nothing does.
std::string diagnosticMessage(const std::string& line);
