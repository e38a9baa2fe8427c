#pragma once
// Marks on lines of an editor window's text that follow its edits: lines inserted or deleted
// above move a mark; when its own line is deleted the mark stays where the line was, flagged
// as removed; an undo or redo puts the marks back where they were at that step.
#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "editor/text_buffer.h"

enum class MarkKind { Error, Warning };

struct LineMark {
    std::size_t key = 0;  // whose mark it is
    MarkKind kind = MarkKind::Error;
    std::string text;
    int line = 0;  // from 0, in the text it is set on
};

// Where a marked line is: the positions of its first character and of its end (its break, or
// the end of the text). A removed line's mark keeps one position, where the line was.
struct MarkPlace {
    int start = 0;
    int end = 0;
    bool removed = false;
    bool operator==(const MarkPlace&) const = default;
};

// The rule by which one edit moves one mark.
MarkPlace movePlace(MarkPlace place, const TextEdit& edit);

class LineMarks {
public:
    // Kept undo steps hold this many places at most in all; older steps fall back to the rule.
    static constexpr std::size_t MaxKeptPlaces = 2'000'000;

    // Every mark anew, on the lines of the text as it is now.
    void set(std::vector<LineMark> marks, const TextBuffer& text);
    void clear();

    bool empty() const { return m_marks.empty(); }
    std::size_t size() const { return m_marks.size(); }
    // Marks are kept in the order of their places.
    const LineMark& mark(std::size_t i) const { return m_marks[i]; }
    const MarkPlace& place(std::size_t i) const { return m_places[i]; }
    std::optional<std::size_t> find(std::size_t key) const;
    // The line (from 0) the mark is on now.
    int line(std::size_t i, const TextBuffer& text) const;
    // The marks that start from..to (inclusive): [first, last).
    std::pair<std::size_t, std::size_t> within(int from, int to) const;

    // Follows a change of the text; true when a mark may have changed its line.
    bool edit(const TextEdit& e);

private:
    bool follow(const TextEdit& e);
    void keepStep(int step);

    std::vector<LineMark> m_marks;
    std::vector<MarkPlace> m_places;
    std::unordered_map<std::size_t, std::size_t> m_byKey;
    // The places at the control's undo steps, for an undo or redo back to one of them.
    std::map<int, std::vector<MarkPlace>> m_steps;
    int m_step = 0;
};
