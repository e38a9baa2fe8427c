#pragma once
// The switches of icc78300, one field each.
#include <string>
#include <vector>

#include "common/arg_reader.h"

namespace standin
{

struct CompilerOptions {
    std::string source;
    std::string commandLine;     // the switches as given, for the listing and the object
    bool doubles64 = false;      // -2
    std::string asmFile;         // -A<file> / -a <file>
    bool makeLibrary = false;    // -b
    bool nestedComments = false; // -C
    bool signedChar = false;     // -c
    bool allOnStack = false;     // -d
    bool extensions = false;     // -e
    bool strict = false;         // -g
    bool syntaxOnly = false;     // -gO
    bool ansi = false;           // -gA
    std::string moduleName;      // -H <name>
    std::string listFile;        // -L<file> / -l <file>
    bool formFeed = false;       // -F
    bool listIncludes = false;   // -i
    bool activeOnly = false;     // -T
    int tabWidth = 0;            // -t<n>
    bool crossRef = false;       // -x[DFT2]
    std::string crossRefFlags;
    int linesPerPage = 0;             // -p<n>
    bool mnemonics = false;           // -q
    bool banked = false;              // -mb
    std::string objectFile;           // -O<file> / -o <file>
    bool prom = false;                // -P
    std::string codeSegment = "CODE"; // -R<name>
    bool debugInfo = false;           // -r[digit][i][n]
    std::string debugFlags;
    bool silent = false;        // -S
    char optimise = 0;          // 's' (-s) or 'z' (-z)
    int processor = 2;          // -v0 .. -v4
    bool warningsOff = false;   // -w
    bool stringsInData = false; // -y

    std::string processorName() const;
};

// Reads the arguments (and the contents of -f command files); false with the reason in error.
bool parseCompilerArgs(ArgReader& args, CompilerOptions& options, std::string& error);

} // namespace standin
