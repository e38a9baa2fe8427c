#include "common/diagnostics.h"

namespace standin
{

std::string Diagnostic::format() const
{
    std::string out;
    if (!file.empty())
        out = "\"" + file + "\"," + std::to_string(line) + "  ";
    out += severity == Severity::Error ? "Error[" : "Warning[";
    out += std::to_string(number) + "]: " + text;
    return out;
}

void DiagnosticLog::error(int number, std::string text, std::string file, int line)
{
    add({std::move(file), line, Severity::Error, number, std::move(text)});
}

void DiagnosticLog::warning(int number, std::string text, std::string file, int line)
{
    if (m_warningsEnabled)
        add({std::move(file), line, Severity::Warning, number, std::move(text)});
}

void DiagnosticLog::add(Diagnostic d)
{
    (d.severity == Severity::Error ? m_errors : m_warnings) += 1;
    m_list.push_back(std::move(d));
}

std::vector<const Diagnostic*> DiagnosticLog::at(const std::string& file, int line) const
{
    std::vector<const Diagnostic*> out;
    for (const Diagnostic& d : m_list)
        if (d.file == file && d.line == line)
            out.push_back(&d);
    return out;
}

static std::string count(int n)
{
    return n == 0 ? "none" : std::to_string(n);
}

std::vector<std::string> DiagnosticLog::summary() const
{
    return {"Errors: " + count(m_errors), "Warnings: " + count(m_warnings)};
}

std::string commandLineError(const std::string& text)
{
    return "Command line error[0]: " + text;
}

std::string banner(const std::string& tool)
{
    return "Tarnel stand-in " + tool + " " STANDIN_VERSION;
}

} // namespace standin
