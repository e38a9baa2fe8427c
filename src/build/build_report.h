#pragma once
// A build as a build server reads it: the programs that ran, each with its exit status, the
// line it named itself by and its diagnostics, every file a host path. The report writers
// (SARIF, JUnit) are pure functions of this.
#include <string>
#include <vector>

#include "build/build_diagnostic.h"

class BuildOutput;
class Files;

struct ReportDiagnostic {
    DiagnosticSeverity severity = DiagnosticSeverity::Error;
    std::string rule;     // "20" of "Error[20]"; may be empty
    std::string message;  // the words after the marker
    std::string text;     // the line as printed
    std::string file;     // host path; empty when the line names no place
    int line = 0;
};

enum class Tool { Compiler, Assembler, Linker, Other };

struct ToolRun {
    std::string program;  // as the batch named it
    std::string command;  // the program and its arguments
    std::string source;   // a compiler's source file name; empty for the others
    bool ended = false;
    int status = 0;
    std::string banner;   // the line the tool named itself and its version by; may be empty
    std::vector<ReportDiagnostic> diagnostics;

    Tool tool() const;
    bool failed() const;
};

struct BuildReport {
    std::string projectFile;    // host paths
    std::string projectFolder;
    std::string workingFolder;  // where the tools ran: the compile directory
    std::vector<std::string> sources;  // file names of the C sources the build compiles
    std::vector<ToolRun> runs;
};

// Which tool a program is, by its name less any extension, without regard to case.
Tool toolOf(const std::string& program);

// The report of the build the output followed. A diagnostic's bare file name is the project's
// source of that name, else a file of the compile directory, where the tools ran.
BuildReport buildReport(const BuildOutput& output, const std::vector<std::string>& projectEntries,
                        const std::string& projectFile, const std::string& compileDir, const Files& files);
