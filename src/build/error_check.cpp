#include "build/error_check.h"

#include <algorithm>
#include <cstring>

#include "app/file_messages.h"
#include "app/tembedded.h"
#include "editor/editor_windows.h"
#include "editor/open_dialog.h"
#include "editor/tcode_ed.h"
#include "editor/text_search.h"

namespace {

char fold(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
}

}  // namespace

// A marker that ends in a non-letter (both do: '[') is found by that byte with memchr, which a
// listing holds far more rarely than letters; the rest is compared at each candidate.
std::size_t findMarker(const std::string& text, std::size_t from, const std::string& marker)
{
    const std::size_t n = marker.size();
    const char last = marker.empty() ? 'A' : fold(marker.back());
    if (last >= 'A' && last <= 'Z')
        return findIgnoringCase(text, from, marker);
    if (from > text.size() || text.size() - from < n)
        return std::string::npos;
    const char* const base = text.data();
    const char* const end = base + text.size();
    for (const char* p = base + from + n - 1; p < end; ++p) {
        p = static_cast<const char*>(std::memchr(p, marker.back(), static_cast<std::size_t>(end - p)));
        if (!p)
            break;
        const char* start = p - (n - 1);
        std::size_t i = 0;
        while (i + 1 < n && fold(start[i]) == fold(marker[i]))
            ++i;
        if (i + 1 == n)
            return static_cast<std::size_t>(start - base);
    }
    return std::string::npos;
}

const std::string* projectEntryFor(const std::vector<std::string>& entries, const std::string& file)
{
    if (file.empty())
        return nullptr;
    for (const std::string& entry : entries)
        if (entry.find(file) != std::string::npos)
            return &entry;
    return nullptr;
}

ErrorCheck::ErrorCheck(TEmbedded& app) : m_app(app)
{
    app.controls()["ErrorcheckBtn"].onActivate([this](const Sender&) { ErrorcheckBtnClick(); });
}

void ErrorCheck::ErrorcheckBtnClick()
{
    ControlSet& c = m_app.controls();
    OpenDialog& dialog = m_app.openDialog();
    dialog.title = "Check List file for Errors";
    dialog.fileName = c["ListFile"].text();
    dialog.initialFolder = m_app.compileDir();
    dialog.filterIndex = 4;
    if (const auto path = dialog.Execute(m_app.host().dialogs)) {
        c["ListFile"].setText(*path);
        auto text = m_app.host().files.readBytes(*path);
        if (!text) {
            m_app.message(cannotOpenMessage(*path), MsgButtons::Ok, MsgIcon::Error);
            return;
        }
        m_listholder = std::move(*text);
    }

    std::vector<std::string> lines;
    const bool errors = CollectMarkedLines(lines, "error[");
    const bool warnings = CollectMarkedLines(lines, "Warning[");
    if (!errors && !warnings) {
        m_app.message("No Errors or Warnings found");
        return;
    }
    TErrorLog log(m_position);
    log.controls()["ErrorList"].setEntries(std::move(lines));
    if (m_app.host().dialogs.runDialog(log) == MsgAnswer::Ok)
        goToError();
}

bool ErrorCheck::CollectMarkedLines(std::vector<std::string>& lines, const std::string& marker) const
{
    const std::string& text = m_listholder;
    const auto isBreak = [&text](std::size_t i) { return text[i] == '\r' || text[i] == '\n'; };
    bool found = false;
    std::size_t from = 0;
    // The line of the previous hit: a later hit in it needs no second walk over a long line.
    std::size_t lineStart = 0;
    std::size_t lineEnd = 0;
    for (int round = 0; round < Rounds; ++round) {
        const std::size_t p = findMarker(text, from, marker);
        // Every later round would search the same rest and find nothing either.
        if (p == std::string::npos)
            break;
        found = true;
        if (p >= lineEnd) {
            lineStart = p;
            while (lineStart > lineEnd && !isBreak(lineStart - 1))
                --lineStart;
            lineEnd = p;
            while (lineEnd < text.size() && !isBreak(lineEnd))
                ++lineEnd;
        }
        lines.push_back(text.substr(lineStart, std::min(lineEnd - lineStart, MaxLineLength)));
        from = p + marker.size();
    }
    return found;
}

void ErrorCheck::goToError()
{
    EditorWindows& editors = m_app.editors();
    const ErrorPosition& at = m_position;
    editors.pendingJumpLine = at.ErrorLine;
    if (at.ErrorLine == -1 || at.ErrorFile.empty())
        return;
    const std::string* entry = projectEntryFor(m_app.controls()["ProjectListBox"].entries(), at.ErrorFile);
    if (entry && m_app.host().files.fileExists(*entry) && !editors.showOpen(*entry, at.ErrorLine))
        editors.create().OpenAtLine(*entry, at.ErrorLine);
}
