#include "editor/string_buffer.h"

#include <algorithm>

void StringBuffer::setSelection(int start, int length)
{
    const int size = static_cast<int>(m_text.size());
    m_selStart = std::clamp(start, 0, size);
    m_selLength = std::clamp(length, 0, size - m_selStart);
}

const std::vector<int>& StringBuffer::starts() const
{
    if (!m_startsValid) {
        m_starts.assign(1, 0);
        for (std::size_t p = m_text.find("\r\n"); p != std::string::npos; p = m_text.find("\r\n", p + 2))
            m_starts.push_back(static_cast<int>(p + 2));
        m_startsValid = true;
    }
    return m_starts;
}

int StringBuffer::lineCount() const
{
    return static_cast<int>(starts().size());
}

int StringBuffer::lineOfPosition(int pos) const
{
    const auto& s = starts();
    return static_cast<int>(std::upper_bound(s.begin(), s.end(), pos) - s.begin()) - 1;
}

int StringBuffer::lineStart(int line) const
{
    const auto& s = starts();
    if (line < 0 || line >= static_cast<int>(s.size()))
        return -1;
    return s[static_cast<std::size_t>(line)];
}

std::string StringBuffer::lineText(int line) const
{
    const int start = lineStart(line);
    if (start < 0)
        return {};
    const std::size_t end = m_text.find("\r\n", static_cast<std::size_t>(start));
    return m_text.substr(static_cast<std::size_t>(start),
                         (end == std::string::npos ? m_text.size() : end) - static_cast<std::size_t>(start));
}

void StringBuffer::setText(const std::string& text)
{
    m_text = text;
    m_startsValid = false;
    m_selStart = m_selLength = 0;
}

void StringBuffer::report(int from, int removed, bool removesBreak, const std::string& added)
{
    ++m_steps;
    if (onEdit)
        onEdit({from, removed, static_cast<int>(added.size()), added.find('\n') != std::string::npos, removesBreak,
                from == 0 || m_text[static_cast<std::size_t>(from) - 1] == '\n', TextEdit::Kind::Edit, m_steps});
}

void StringBuffer::replaceSelection(const std::string& text)
{
    const auto at = static_cast<std::size_t>(m_selStart);
    const auto count = static_cast<std::size_t>(m_selLength);
    const bool removesBreak = m_text.find('\n', at) < at + count;
    m_text.replace(at, count, text);
    report(m_selStart, m_selLength, removesBreak, text);
    m_startsValid = false;
    m_selStart += static_cast<int>(text.size());
    m_selLength = 0;
    m_modified = true;
}

bool StringBuffer::replaceEach(const std::vector<std::size_t>& positions, std::size_t length,
                               const std::string& text)
{
    // Every occurrence is the same text: the first tells whether they hold a break.
    const bool breaks = !positions.empty() && m_text.find('\n', positions.front()) < positions.front() + length;
    std::string out;
    std::size_t from = 0;
    for (const std::size_t p : positions) {
        out.append(m_text, from, p - from);
        out += text;
        from = p + length;
    }
    const std::size_t caret = out.size();
    out.append(m_text, std::min(from, m_text.size()));
    m_text = std::move(out);
    // Last to first, so each one's position still holds when it is told.
    for (auto it = positions.rbegin(); it != positions.rend(); ++it)
        report(static_cast<int>(*it), static_cast<int>(length), breaks, text);
    m_startsValid = false;
    m_selStart = static_cast<int>(caret);
    m_selLength = 0;
    m_modified = true;
    return true;
}

void StringBuffer::cut()
{
    copy();
    deleteSelection();
}

void StringBuffer::copy()
{
    if (m_selLength > 0)
        clipboard = m_text.substr(static_cast<std::size_t>(m_selStart), static_cast<std::size_t>(m_selLength));
}

void StringBuffer::paste()
{
    replaceSelection(clipboard);
}

void StringBuffer::deleteSelection()
{
    if (m_selLength > 0)
        replaceSelection("");
}

void StringBuffer::type(const std::string& text)
{
    replaceSelection(text);
}
