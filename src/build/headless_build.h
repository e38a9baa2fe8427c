#pragma once
// A build with nobody in front of the screen, for build servers: the start-up sequence loads the
// project named on the command line from the user's settings, Build All writes the batch files
// and starts pathset.bat, the batch runs to its end, and the end check judges the target at
// that end rather than five seconds after the start. Every rule is the main window's own; this
// class only stands in for the user and the platform's windows.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "build/ci_outputs.h"
#include "linker/memory_usage.h"
#include "platform/host/files.h"
#include "platform/host/settings_store.h"
#include "platform/host/shell.h"
#include "platform/paths/transcript.h"

class HeadlessBuild {
public:
    enum Exit { Made = 0, NotMade = 1, BadInput = 2 };

    // Runs a batch file in a folder (both Windows paths) to its end, its output going straight
    // to the terminal; the records of its programs' ends and of its own end.
    using RunBatch = std::function<std::vector<TranscriptRecord>(const std::string& file, const std::string& folder)>;

    struct Platform {
        Files& files;
        Clock& clock;
        SettingsStore& settings;  // read only: nothing is written back
        std::string programFolder;
        std::string programFile;
        RunBatch runBatch;
        // A line for standard error, said as soon as it is known.
        std::function<void(const std::string&)> say;
    };

    struct Result {
        int exit = BadInput;
        // The end check's text ("Created ", "Updated " or "Compile failed " and the target);
        // empty when the build did not start.
        std::string outcome;
        // Why nothing was built, in one line, when exit is BadInput.
        std::string problem;
        // Result files asked for that could not be written.
        std::vector<std::string> unwritten;
        // How full the memory is, when the build ran the linker.
        std::optional<MemoryUsage> memory;
    };

    // project: a Windows path. The result files are written once the build ran, whatever its end.
    // changedOnly: "Build Changed" in place of "Build All"; with nothing to do, nothing runs.
    static Result run(Platform& platform, const std::string& project, const CiOutputs& outputs = {},
                      bool changedOnly = false);
};
