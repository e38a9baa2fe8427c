// Marks on lines follow the edits of the text: one table of edits around a marked line, and
// an undo and redo that bring a removed line back.
#include <gtest/gtest.h>

#include "editor/line_marks.h"
#include "editor/string_buffer.h"

namespace {

struct Marked {
    StringBuffer text;
    LineMarks marks;

    explicit Marked(const std::string& t, int line)
    {
        text.setText(t);
        text.onEdit = [this](const TextEdit& e) { marks.edit(e); };
        marks.set({{7, MarkKind::Error, "e", line}}, text);
    }
    // Replaces from (line, column) to (line, column) with the text.
    void replace(int l1, int c1, int l2, int c2, const std::string& with)
    {
        const int from = text.lineStart(l1) + c1;
        text.setSelection(from, text.lineStart(l2) + c2 - from);
        text.type(with);
    }
    int line() const { return marks.line(0, text); }
    bool removed() const { return marks.place(0).removed; }
};

}  // namespace

TEST(LineMarksTest, AMarkFollowsEachEditOfTheText)
{
    struct Row {
        const char* edit;
        std::string text;
        int l1, c1, l2, c2;
        const char* with;
        int line;
        bool removed;
    };
    const std::string five = "line 0\r\nline 1\r\nmarked 2\r\nline 3\r\nline 4";
    const std::string empty = "line 0\r\nline 1\r\n\r\nline 3\r\nline 4";
    const Row rows[] = {
        {"a line inserted above", five, 1, 0, 1, 0, "new\r\n", 3, false},
        {"a line inserted at the marked line's start", five, 2, 0, 2, 0, "new\r\n", 3, false},
        {"a line inserted below", five, 3, 0, 3, 0, "new\r\n", 2, false},
        {"two lines pasted above", five, 0, 0, 0, 0, "x\r\ny\r\n", 4, false},
        {"a line deleted above", five, 1, 0, 2, 0, "", 1, false},
        {"a line deleted below", five, 3, 0, 4, 0, "", 2, false},
        {"typing inside the line", five, 2, 3, 2, 3, "abc", 2, false},
        {"typing at the line's start", five, 2, 0, 2, 0, "abc", 2, false},
        {"a break at the line's end", five, 2, 8, 2, 8, "\r\n", 2, false},
        {"the line's text emptied", five, 2, 0, 2, 8, "", 2, false},
        {"joined onto the line above", five, 1, 6, 2, 0, "", 1, false},
        {"the line below joined onto it", five, 2, 8, 3, 0, "", 2, false},
        {"the marked line deleted", five, 2, 0, 3, 0, "", 2, true},
        {"the marked line deleted from the end of the one above", five, 1, 6, 2, 8, "", 1, true},
        {"the marked line with the lines around it", five, 1, 0, 4, 0, "", 1, true},
        {"the marked line pasted over", five, 2, 0, 3, 0, "other\r\n", 3, true},
        {"the line above an empty marked line deleted", empty, 1, 0, 2, 0, "", 1, false},
        {"an empty marked line joined onto the one above", empty, 1, 6, 2, 0, "", 1, true},
        {"lines from above through the marked line's text", five, 1, 0, 2, 8, "", 1, false},
    };
    for (const Row& r : rows) {
        Marked m(r.text, 2);
        m.replace(r.l1, r.c1, r.l2, r.c2, r.with);
        EXPECT_EQ(m.line(), r.line) << r.edit;
        EXPECT_EQ(m.removed(), r.removed) << r.edit;
    }
}

TEST(LineMarksTest, ARemovedMarkMovesWithTheTextAroundIt)
{
    Marked m("a\r\nb\r\nc\r\nd", 2);
    m.replace(2, 0, 3, 0, "");
    m.replace(0, 0, 0, 0, "new\r\n");
    EXPECT_EQ(m.line(), 3);
    EXPECT_TRUE(m.removed());
    m.replace(0, 0, 2, 0, "");
    EXPECT_EQ(m.line(), 1);
}

TEST(LineMarksTest, TextTypedIntoAnEmptyMarkedLineIsItsOwn)
{
    Marked m("a\r\n\r\nc", 1);
    m.replace(1, 0, 1, 0, "typed");
    m.replace(1, 5, 2, 1, "");  // the line below, from this line's end
    EXPECT_EQ(m.line(), 1);
    EXPECT_FALSE(m.removed());
}

TEST(LineMarksTest, UndoAndRedoPutTheMarksBackWhereTheyWereAtThatStep)
{
    StringBuffer text;
    text.setText("a\r\nb\r\nc\r\nd");
    LineMarks marks;
    marks.set({{1, MarkKind::Error, "", 1}, {2, MarkKind::Warning, "", 2}}, text);
    using K = TextEdit::Kind;
    // Step 1 deletes line 1 ("b\r\n"); the undo puts it back, the redo deletes it again.
    marks.edit({3, 3, 0, false, true, true, K::Edit, 1});
    EXPECT_TRUE(marks.place(0).removed);
    marks.edit({3, 0, 3, true, false, true, K::Undo, 0});
    EXPECT_EQ(marks.place(0), (MarkPlace{3, 4, false}));
    EXPECT_EQ(marks.place(1), (MarkPlace{6, 7, false}));
    marks.edit({3, 3, 0, false, true, true, K::Redo, 1});
    EXPECT_TRUE(marks.place(0).removed);
    EXPECT_EQ(marks.place(1), (MarkPlace{3, 4, false}));
    // A new step after an undo: the step it replaced is never brought back.
    marks.edit({3, 0, 3, true, false, true, K::Undo, 0});
    marks.edit({0, 0, 3, true, false, true, K::Edit, 1});
    EXPECT_EQ(marks.place(0), (MarkPlace{6, 7, false}));
}
