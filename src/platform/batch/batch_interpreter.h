#pragma once
// Runs a DOS batch file on POSIX: the subset of cmd that Tarnel's batch files use (@, REM, ECHO,
// SET, PATH, CD, CALL, pause, and programs with > and >> redirection).
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/batch/batch_environment.h"
#include "platform/batch/command_line.h"
#include "platform/batch/path_resolver.h"
#include "platform/batch/program_lookup.h"

struct BatchStreams {
    int in = 0;
    int out = 1;
    int err = 2;
};

class BatchInterpreter {
public:
    // `environment` is the host's: its PATH (host form) is kept for child programs and is given
    // to the batch in Windows form.
    BatchInterpreter(DriveMap map, BatchEnvironment environment, std::string currentFolder);
    BatchInterpreter(const BatchInterpreter&) = delete;
    BatchInterpreter& operator=(const BatchInterpreter&) = delete;

    // Runs a batch file (host path); params[0] is %0. Returns the error level at its end.
    int run(const std::string& file, const std::vector<std::string>& params, BatchStreams streams = {});

    BatchEnvironment& environment() { return m_env; }
    const std::string& currentFolder() const { return m_cwd; }
    int errorLevel() const { return m_errorLevel; }
    bool echo() const { return m_echo; }
    void setEcho(bool on) { m_echo = on; }

    // The PATH value a child program gets: the batch's PATH folders, then the host's own.
    std::string childPath() const;

    // Hears of each program the batch runs (or cannot find or start): just before it starts,
    // with its arguments, and after its end, with the level it left.
    std::function<void(const std::string& command)> onProgramStart;
    std::function<void(const std::string& program, int level)> onProgramEnd;

private:
    struct Frame {
        std::vector<std::string> params;
        BatchStreams streams;
        int depth = 0;
        // Set when the line ran a batch file without CALL: it replaces the running one.
        std::optional<std::string> chainFile;
        std::vector<std::string> chainParams;
        BatchStreams chainStreams;
        std::vector<int> chainFds;
    };

    void runBatch(std::string file, std::vector<std::string> params, BatchStreams streams, int depth);
    void executeLine(const std::string& line, Frame& frame);
    void executeCommand(const std::string& text, Frame& frame);
    void dispatch(const std::string& text, const BatchStreams& streams, Frame& frame, bool viaCall);
    void runProgram(const CommandWord& word, const BatchStreams& streams, Frame& frame, bool viaCall);
    std::optional<BatchStreams> openRedirections(const std::vector<Redirection>& redirections,
                                                 BatchStreams streams, std::vector<int>& opened,
                                                 const BatchStreams& messages);

    void echoCommand(const CommandWord& word, const BatchStreams& streams);
    void setCommand(const std::string& rest, const BatchStreams& streams);
    void pathCommand(const std::string& rest, const BatchStreams& streams);
    void cdCommand(const std::string& rest, const BatchStreams& streams);
    void pauseCommand(const BatchStreams& streams);

    std::vector<std::string> childEnvironment() const;
    std::string prompt() const;
    void fail(const BatchStreams& streams, const std::string& message, int level);

    PathResolver m_resolver;
    ProgramLookup m_lookup;
    BatchEnvironment m_env;
    std::string m_hostPath;
    std::string m_cwd;
    int m_errorLevel = 0;
    bool m_echo = true;
    bool m_abort = false;
};
