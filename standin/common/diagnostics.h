#pragma once
// Diagnostics of the stand-in tools, in the one shape Tarnel's error check reads:
//   "main.c",7  Error[21]: '{' is not closed
// and without a place for faults that belong to no source line:
//   Error[61]: cannot open object file 'main.r25'
#include <string>
#include <vector>

namespace standin
{

enum class Severity { Warning, Error };

struct Diagnostic {
    std::string file; // empty: not tied to a source line
    int line = 0;
    Severity severity = Severity::Error;
    int number = 0;
    std::string text;

    std::string format() const;
};

class DiagnosticLog
{
public:
    // Warnings are dropped when disabled (-w); errors never are.
    void setWarningsEnabled(bool on) { m_warningsEnabled = on; }

    void error(int number, std::string text, std::string file = {}, int line = 0);
    void warning(int number, std::string text, std::string file = {}, int line = 0);

    int errorCount() const { return m_errors; }
    int warningCount() const { return m_warnings; }
    const std::vector<Diagnostic>& all() const { return m_list; }

    // Diagnostics reported against one line of one file, in the order reported.
    std::vector<const Diagnostic*> at(const std::string& file, int line) const;

    // "Errors: 1" / "Errors: none" and "Warnings: ..." for the end of a listing or run.
    std::vector<std::string> summary() const;

private:
    void add(Diagnostic d);

    std::vector<Diagnostic> m_list;
    int m_errors = 0;
    int m_warnings = 0;
    bool m_warningsEnabled = true;
};

// A fault of the command line itself; shaped so that a scan for "error[" still finds it.
std::string commandLineError(const std::string& text);

// One-line banner of a tool: "Tarnel stand-in icc78300 1.0".
std::string banner(const std::string& tool);

} // namespace standin
