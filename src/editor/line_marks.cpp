#include "editor/line_marks.h"

#include <algorithm>

MarkPlace movePlace(MarkPlace m, const TextEdit& e)
{
    const int p = e.from;
    const int q = e.from + e.removed;
    const int delta = e.added - e.removed;
    const int after = p + e.added;  // where the text that followed the change begins now
    if (m.removed) {
        if (m.start >= q)
            m.start += delta;
        else if (m.start > p)
            m.start = after;
        m.end = m.start;
        return m;
    }
    if (p == q) {
        // Lines inserted at its start push it down; typing there, as anywhere in it, is its text.
        if (p < m.start || (p == m.start && e.addsBreak)) {
            m.start += e.added;
            m.end += e.added;
        } else if (p < m.end || (p == m.end && !e.addsBreak)) {
            m.end += e.added;
        }
        return m;
    }
    // Gone: all its text with a break beside it. A line owns the break that ends it: lines
    // deleted from a line's start up to this one's start take their own breaks, not this line.
    if (p <= m.start && q >= m.end && (q > m.end || (p < m.start && !e.atLineStart)))
        return {after, after, true};
    const int start = q <= m.start ? m.start + delta : (p < m.start ? after : m.start);
    const int end = q <= m.end ? m.end + delta : (p <= m.end ? after : m.end);
    return {start, std::max(start, end), false};
}

void LineMarks::set(std::vector<LineMark> marks, const TextBuffer& text)
{
    clear();
    std::stable_sort(marks.begin(), marks.end(), [](const LineMark& a, const LineMark& b) { return a.line < b.line; });
    const int lines = text.lineCount();
    m_places.reserve(marks.size());
    for (LineMark& m : marks) {
        m.line = std::clamp(m.line, 0, std::max(0, lines - 1));
        const int start = std::max(0, text.lineStart(m.line));
        const int end = m.line + 1 < lines ? text.lineStart(m.line + 1) - 2 : text.length();
        m_places.push_back({start, std::max(start, end), false});
    }
    m_marks = std::move(marks);
    m_byKey.reserve(m_marks.size());
    for (std::size_t i = 0; i < m_marks.size(); ++i)
        m_byKey.emplace(m_marks[i].key, i);
    m_step = text.undoSteps();
}

void LineMarks::clear()
{
    m_marks.clear();
    m_places.clear();
    m_byKey.clear();
    m_steps.clear();
}

std::optional<std::size_t> LineMarks::find(std::size_t key) const
{
    const auto it = m_byKey.find(key);
    if (it == m_byKey.end())
        return std::nullopt;
    return it->second;
}

int LineMarks::line(std::size_t i, const TextBuffer& text) const
{
    return text.lineOfPosition(m_places[i].start);
}

std::pair<std::size_t, std::size_t> LineMarks::within(int from, int to) const
{
    const auto byStart = [](const MarkPlace& a, int pos) { return a.start < pos; };
    const auto first = std::lower_bound(m_places.begin(), m_places.end(), from, byStart);
    const auto last = std::lower_bound(first, m_places.end(), to + 1, byStart);
    return {static_cast<std::size_t>(first - m_places.begin()), static_cast<std::size_t>(last - m_places.begin())};
}

void LineMarks::keepStep(int step)
{
    m_steps[step] = m_places;
    while (m_steps.size() > 1 && m_steps.size() * m_places.size() > MaxKeptPlaces)
        m_steps.erase(m_steps.begin());
}

bool LineMarks::edit(const TextEdit& e)
{
    if (m_marks.empty())
        return false;
    if (e.kind != TextEdit::Kind::Edit) {
        // The text is again what it was at that step, and so are the places.
        keepStep(m_step);
        m_step = e.step;
        const auto it = m_steps.find(e.step);
        if (it != m_steps.end() && it->second.size() == m_places.size()) {
            m_places = it->second;
            return true;
        }
        return follow(e);
    }
    // A new edit ends every step that a redo could have brought back.
    m_steps.erase(m_steps.upper_bound(m_step), m_steps.end());
    if (e.step != m_step) {
        keepStep(m_step);
        m_step = e.step;
    }
    return follow(e);
}

bool LineMarks::follow(const TextEdit& e)
{
    bool moved = false;
    const bool linesChange = e.addsBreak || e.removesBreak;
    // Marks ending before the change keep their places; ends keep their order as starts do.
    const auto first = std::lower_bound(m_places.begin(), m_places.end(), e.from,
                                        [](const MarkPlace& m, int pos) { return m.end < pos; });
    for (auto it = first; it != m_places.end(); ++it) {
        MarkPlace& m = *it;
        const MarkPlace before = m;
        m = movePlace(m, e);
        moved = moved || (linesChange && m.start != before.start) || m.removed != before.removed;
    }
    return moved;
}
