#pragma once
// The switches of xlink, from its command line and from linker command files (-f).
#include <map>
#include <string>
#include <vector>

#include "common/arg_reader.h"
#include "common/diagnostics.h"
#include "xlink/segment_ranges.h"

namespace standin
{

struct LinkOptions {
    std::string commandLine;
    std::vector<std::string> objects;
    std::vector<std::string> libraries;
    std::vector<std::string> commandFiles;
    std::string output = "aout.a25";            // -o
    std::string listFile;                       // -l
    bool silent = false;                        // -S
    bool noTypeCheck = false;                   // -G
    bool warningsOff = false;                   // -w
    bool noRangeCheck = false;                  // -R
    bool noLocals = false;                      // -n
    bool noCode = false;                        // -d
    bool noOverlapCheck = false;                // -z
    bool fileBound = false;                     // -m
    bool forceDump = false;                     // -B
    bool noDefaultLibraries = false;            // -K
    std::string crossRef;                       // letters of -x[sme]; "-" for a bare -x
    std::string cpu;                            // -c<cpu>
    std::string format;                         // -F<format>
    std::map<std::string, std::string> aliases; // -eA=B: references to B are served by A
    std::vector<SegmentRange> ranges;           // -Z lines

    bool crossRefHas(char letter) const { return crossRef.find(letter) != std::string::npos; }
};

// Faults of the command line itself go to `error` (and make the result false); faults and
// warnings inside command files go to the log with the file name and line.
bool parseLinkArgs(ArgReader& args, LinkOptions& options, DiagnosticLog& log, std::string& error);

// Known -c and -F values.
const std::vector<std::string>& linkerCpus();
const std::vector<std::string>& outputFormats();

enum LinkerDiag {
    WarnUnknownCommandLine = 1,
    WarnMixedProcessors = 2,
    WarnRangeOverflow = 3,
    WarnTwicePlaced = 4,
    ErrCommandFileLine = 5,
    ErrCommandFileMissing = 6,
    ErrObjectMissing = 10,
    ErrNotObject = 11,
    ErrGivenTwice = 12,
    ErrLibraryMissing = 13,
    ErrModuleTwice = 14,
    ErrEntryTwice = 15,
    ErrUndefined = 16,
    ErrWrongCpu = 20,
    ErrDoubleSizes = 21,
    ErrRangeOverflow = 30,
    ErrNotPlaced = 31,
    ErrOverlap = 32,
    ErrWriteFailed = 40,
};

} // namespace standin
