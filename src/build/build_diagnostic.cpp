#include "build/build_diagnostic.h"

#include "build/error_check.h"

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The quoted file name, the comma and the line number at the start of the line; the position
// after the number, or npos when the line does not begin so.
std::size_t readPlace(const std::string& line, BuildDiagnostic& d)
{
    std::size_t i = 0;
    while (i < line.size() && isBlank(line[i]))
        ++i;
    if (i >= line.size() || line[i] != '"')
        return std::string::npos;
    const std::size_t close = line.find('"', i + 1);
    if (close == std::string::npos || close == i + 1 || close + 1 >= line.size() || line[close + 1] != ',')
        return std::string::npos;
    std::size_t j = close + 2;
    while (j < line.size() && isBlank(line[j]))
        ++j;
    long long number = 0;
    const std::size_t digits = j;
    // Nine digits hold any line a source can have without overflowing an int.
    while (j < line.size() && isDigit(line[j]) && j - digits < 9)
        number = number * 10 + (line[j++] - '0');
    if (j == digits || (j < line.size() && isDigit(line[j])))
        return std::string::npos;
    d.file = line.substr(i + 1, close - i - 1);
    d.line = static_cast<int>(number);
    return j;
}

// The text between the brackets of the marker found at markerAt.
std::string readRule(const std::string& line, std::size_t markerAt)
{
    const std::size_t open = line.find('[', markerAt);
    const std::size_t close = open == std::string::npos ? open : line.find(']', open + 1);
    if (close == std::string::npos)
        return {};
    return line.substr(open + 1, close - open - 1);
}

// The first marker after from, and the severity it stands for.
std::size_t findAnyMarker(const std::string& line, std::size_t from, DiagnosticSeverity& severity)
{
    std::size_t at = findMarker(line, from, "error[");
    severity = DiagnosticSeverity::Error;
    if (at == std::string::npos) {
        at = findMarker(line, from, "Warning[");
        severity = DiagnosticSeverity::Warning;
    }
    return at;
}

}  // namespace

std::optional<BuildDiagnostic> readBuildDiagnostic(const std::string& line)
{
    BuildDiagnostic d;
    std::size_t from = readPlace(line, d);
    // The marker must follow the place; a bracket inside the quoted name is no marker.
    if (from == std::string::npos) {
        d = {};
        from = 0;
    }
    const std::size_t at = findAnyMarker(line, from, d.severity);
    if (at == std::string::npos)
        return std::nullopt;
    d.rule = readRule(line, at);
    return d;
}

std::string diagnosticMessage(const std::string& line)
{
    BuildDiagnostic d;
    std::size_t from = readPlace(line, d);
    if (from == std::string::npos)
        from = 0;
    DiagnosticSeverity severity;
    const std::size_t at = findAnyMarker(line, from, severity);
    const std::size_t close = at == std::string::npos ? at : line.find(']', at);
    if (close == std::string::npos)
        return line;
    std::size_t i = close + 1;
    if (i < line.size() && line[i] == ':')
        ++i;
    while (i < line.size() && isBlank(line[i]))
        ++i;
    return i < line.size() ? line.substr(i) : line;
}
