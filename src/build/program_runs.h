#pragma once
// The programs a build ran, in order, each with its share of the build's output: the lines
// and diagnostics between its start and its end, and the first line it printed, which is
// where a tool names itself and its version.
#include <cstddef>
#include <string>
#include <vector>

class BuildTranscript;

struct ProgramRun {
    std::string command;  // as the batch ran it: the program, then its arguments
    bool ended = false;   // its end was heard; else the build ended or went silent first
    int status = 0;
    std::size_t firstLine = 0;
    std::size_t endLine = 0;
    std::size_t firstDiagnostic = 0;  // its diagnostics in the transcript's list
    std::size_t endDiagnostic = 0;
    std::string banner;  // empty when its first line was a diagnostic, blank or let go

    // The program as the batch named it ("icc78300").
    std::string program() const;
    // The first argument (the compiler's source file); empty when none.
    std::string firstArgument() const;
    // The program and every argument, quotes removed.
    std::vector<std::string> words() const;
};

class ProgramRuns {
public:
    // A batch that runs programs without end must not grow this without end either.
    static constexpr std::size_t MaxRuns = 100000;

    void clear() { m_runs.clear(); }
    // The transcript's open line is finished before either, so that no line is shared.
    void started(std::string command, const BuildTranscript& transcript);
    void ended(int status, const BuildTranscript& transcript);
    // The build ended: a program still running has no end.
    void buildEnded(const BuildTranscript& transcript);

    const std::vector<ProgramRun>& runs() const { return m_runs; }

private:
    void close(ProgramRun& run, const BuildTranscript& transcript);

    std::vector<ProgramRun> m_runs;
    bool m_open = false;
};
