#pragma once
// What a build printed, as lines: split as they arrive, the diagnostics among them found and
// counted, and the oldest lines let go past a limit so that a build of any length keeps the
// panel's memory and work bounded. Lines keep their number in the build's whole output.
#include <cstddef>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "build/build_diagnostic.h"

enum class OutputStream { Output, Errors };

struct OutputLine {
    std::string text;
    OutputStream stream = OutputStream::Output;
    bool hasDiagnostic = false;
    BuildDiagnostic diagnostic;
    bool cut = false;  // longer than the limit; the rest is not kept
};

// A diagnostic by the number of its line; it outlives its line when that is let go.
struct NumberedDiagnostic {
    std::size_t number;
    BuildDiagnostic diagnostic;
    std::string text;  // the line, up to MaxDiagnosticText bytes
};

class BuildTranscript {
public:
    static constexpr std::size_t DefaultMaxLines = 50000;
    static constexpr std::size_t DefaultMaxLineLength = 4096;
    static constexpr std::size_t MaxDiagnostics = 100000;
    static constexpr std::size_t MaxDiagnosticText = 1024;

    explicit BuildTranscript(std::size_t maxLines = DefaultMaxLines,
                             std::size_t maxLineLength = DefaultMaxLineLength);

    // What one call changed, for a view that mirrors the lines.
    struct Change {
        std::size_t dropped = 0;   // lines let go from the top
        std::size_t appended = 0;  // lines added at the end
        bool lastChanged = false;  // the last line that was there grew
    };

    void clear();
    // Bytes the build printed on one stream. A line without its end yet is shown as it is and
    // grows with the next bytes of that stream, unless the other stream prints in between.
    Change add(std::string_view bytes, OutputStream stream);
    // The build ended: an unfinished line is finished as it is.
    Change close();

    // Lines still held, numbered from firstNumber().
    std::size_t size() const { return m_lines.size(); }
    std::size_t firstNumber() const { return m_dropped; }
    std::size_t endNumber() const { return m_dropped + m_lines.size(); }
    bool holds(std::size_t number) const { return number >= m_dropped && number < endNumber(); }
    const OutputLine& line(std::size_t number) const { return m_lines[number - m_dropped]; }
    std::size_t droppedLines() const { return m_dropped; }

    int errors() const { return m_errors; }
    int warnings() const { return m_warnings; }
    const std::vector<NumberedDiagnostic>& diagnostics() const { return m_diagnostics; }
    // "2 errors, 1 warning".
    std::string countsText() const;

private:
    struct Open {
        bool open = false;
        OutputStream stream = OutputStream::Output;
        bool pendingCr = false;  // a CR ended the bytes so far: a break, or part of the line
    };
    void appendTo(OutputLine& line, std::string_view text) const;
    // Ends the open line: from now on it is what it is, and a diagnostic is counted.
    bool finishLast();
    void trim(Change& change);

    std::size_t m_maxLines;
    std::size_t m_maxLineLength;
    std::deque<OutputLine> m_lines;
    std::size_t m_dropped = 0;
    Open m_open;
    int m_errors = 0;
    int m_warnings = 0;
    std::vector<NumberedDiagnostic> m_diagnostics;
};
