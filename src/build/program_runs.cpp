#include "build/program_runs.h"

#include "build/build_transcript.h"

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

// The word starting at or after from, quotes grouping blanks and removed; from moves past it.
std::string nextWord(const std::string& text, std::size_t& from)
{
    while (from < text.size() && isBlank(text[from]))
        ++from;
    std::string word;
    bool quoted = false;
    for (; from < text.size() && (quoted || !isBlank(text[from])); ++from) {
        if (text[from] == '"')
            quoted = !quoted;
        else
            word += text[from];
    }
    return word;
}

}  // namespace

std::string ProgramRun::program() const
{
    std::size_t at = 0;
    return nextWord(command, at);
}

std::string ProgramRun::firstArgument() const
{
    std::size_t at = 0;
    nextWord(command, at);
    return nextWord(command, at);
}

std::vector<std::string> ProgramRun::words() const
{
    std::vector<std::string> out;
    for (std::size_t at = 0; at < command.size();) {
        std::string word = nextWord(command, at);
        if (!word.empty())
            out.push_back(std::move(word));
    }
    return out;
}

void ProgramRuns::started(std::string command, const BuildTranscript& transcript)
{
    if (m_open)
        close(m_runs.back(), transcript);
    if (m_runs.size() >= MaxRuns)
        return;
    while (!command.empty() && isBlank(command.back()))
        command.pop_back();
    ProgramRun run;
    run.command = std::move(command);
    run.firstLine = transcript.endNumber();
    run.firstDiagnostic = transcript.diagnostics().size();
    m_runs.push_back(std::move(run));
    m_open = true;
}

void ProgramRuns::ended(int status, const BuildTranscript& transcript)
{
    if (!m_open)
        return;
    m_runs.back().ended = true;
    m_runs.back().status = status;
    close(m_runs.back(), transcript);
}

void ProgramRuns::buildEnded(const BuildTranscript& transcript)
{
    if (m_open)
        close(m_runs.back(), transcript);
}

void ProgramRuns::close(ProgramRun& run, const BuildTranscript& transcript)
{
    m_open = false;
    run.endLine = transcript.endNumber();
    run.endDiagnostic = transcript.diagnostics().size();
    // The first line that is not blank; a tool names itself before anything else.
    for (std::size_t n = run.firstLine; n < run.endLine && transcript.holds(n); ++n) {
        const OutputLine& line = transcript.line(n);
        if (line.text.find_first_not_of(" \t\r") == std::string::npos)
            continue;
        if (!line.hasDiagnostic)
            run.banner = line.text;
        break;
    }
}
