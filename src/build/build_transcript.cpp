#include "build/build_transcript.h"

#include <algorithm>

BuildTranscript::BuildTranscript(std::size_t maxLines, std::size_t maxLineLength)
    : m_maxLines(std::max<std::size_t>(maxLines, 2)), m_maxLineLength(std::max<std::size_t>(maxLineLength, 1))
{
}

void BuildTranscript::clear()
{
    m_lines.clear();
    m_dropped = 0;
    m_open = {};
    m_errors = 0;
    m_warnings = 0;
    m_diagnostics.clear();
}

void BuildTranscript::appendTo(OutputLine& line, std::string_view text) const
{
    if (line.cut)
        return;
    const std::size_t room = m_maxLineLength - line.text.size();
    if (text.size() > room) {
        line.text.append(text.substr(0, room));
        line.cut = true;
        return;
    }
    line.text.append(text);
}

bool BuildTranscript::finishLast()
{
    if (!m_open.open)
        return false;
    m_open = {};
    OutputLine& line = m_lines.back();
    if (auto d = readBuildDiagnostic(line.text)) {
        line.hasDiagnostic = true;
        line.diagnostic = *d;
        (d->severity == DiagnosticSeverity::Error ? m_errors : m_warnings) += 1;
        if (m_diagnostics.size() < MaxDiagnostics)
            m_diagnostics.push_back({endNumber() - 1, std::move(*d), line.text.substr(0, MaxDiagnosticText)});
    }
    return true;
}

BuildTranscript::Change BuildTranscript::add(std::string_view bytes, OutputStream stream)
{
    Change change;
    // The other stream's unfinished line ends where this stream speaks.
    if (m_open.open && m_open.stream != stream)
        change.lastChanged = finishLast();
    bool continuing = m_open.open;
    std::size_t at = 0;
    while (at < bytes.size()) {
        const std::size_t nl = bytes.find('\n', at);
        const bool ended = nl != std::string_view::npos;
        std::string_view piece = bytes.substr(at, ended ? nl - at : std::string_view::npos);
        at = ended ? nl + 1 : bytes.size();
        if (!m_open.open) {
            m_lines.push_back({});
            m_lines.back().stream = stream;
            m_open.open = true;
            m_open.stream = stream;
            ++change.appended;
        } else if (continuing) {
            change.lastChanged = true;
        }
        continuing = false;
        OutputLine& line = m_lines.back();
        // A CR that ended the bytes before belongs to the line unless a break follows it.
        if (m_open.pendingCr && !piece.empty())
            appendTo(line, "\r");
        m_open.pendingCr = false;
        if (!piece.empty() && piece.back() == '\r') {
            piece.remove_suffix(1);
            m_open.pendingCr = !ended;
        }
        appendTo(line, piece);
        if (ended)
            finishLast();
    }
    trim(change);
    return change;
}

BuildTranscript::Change BuildTranscript::close()
{
    Change change;
    change.lastChanged = finishLast();
    return change;
}

void BuildTranscript::trim(Change& change)
{
    while (m_lines.size() > m_maxLines) {
        m_lines.pop_front();
        ++m_dropped;
        ++change.dropped;
    }
}

std::string BuildTranscript::countsText() const
{
    auto count = [](int n, const char* one) {
        return std::to_string(n) + " " + one + (n == 1 ? "" : "s");
    };
    return count(m_errors, "error") + ", " + count(m_warnings, "warning");
}
