#pragma once
// tarnel-batch --run: one program (not a batch file) run to its end with the runner's handles,
// so that a tool Tarnel starts leaves the same transcript as a build: its start, what it
// prints, its exit status.
#include <functional>
#include <string>
#include <vector>

#include "platform/batch/batch_interpreter.h"

struct SingleRun {
    std::vector<std::string> argv;        // the program, then its arguments
    std::vector<std::string> environment; // "NAME=VALUE" entries; PATH finds a bare name
    std::string folder;                   // host path
    std::function<void(const std::string& command)> onStart;
    std::function<void(const std::string& program, int status)> onEnd;

    // The program's exit status, 128 + signal when it was killed, 127 when it cannot be
    // started (said on the error handle).
    int run(const BatchStreams& streams) const;

    // The command as one line: arguments holding blanks or nothing are quoted.
    static std::string commandText(const std::vector<std::string>& argv);
};
