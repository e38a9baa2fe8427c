#pragma once
// Random edit sequences over a marked text in the real editing control, for the test and the
// benchmark of marks: lines inserted and deleted above, below and on the marked lines, typing
// inside lines, undo and redo, each an undo step of its own. A model of the lines knows which
// line each mark was set on; after every step each mark must be on that line, or flagged
// removed while the line is gone.
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <fstream>
#include <iterator>
#include <numeric>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "editor/line_marks.h"
#include "editor/text_buffer.h"
#include "editor/view/code_editor_widget.h"
#include "editor/view/qt_text_buffer.h"

namespace marktest {

struct MarkedSource {
    std::string text;        // CR LF breaks
    std::vector<int> lines;  // the marked lines, from 0
};

// The demo's faulty project: main.c with its error on line 17.
inline MarkedSource faultyDemo()
{
    std::ifstream in(std::string(TARNEL_SOURCE_DIR) + "/demo/faulty/main.c", std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return {toCrLf(bytes), {16}};
}

// A source with ten diagnostics, some on lines whose text recurs ("}", "    count++;").
inline MarkedSource tenDiagnostics()
{
    std::string text;
    for (int i = 0; i < 60; ++i) {
        switch (i % 6) {
        case 0: text += "int f" + std::to_string(i) + "(int a)"; break;
        case 1: text += "{"; break;
        case 2: text += "    count++;"; break;
        case 3: text += "    return a + " + std::to_string(i) + ";"; break;
        case 4: text += "}"; break;
        default: break;
        }
        text += "\r\n";
    }
    return {text, {0, 2, 4, 8, 9, 22, 28, 40, 41, 59}};
}

class Sequences {
public:
    Sequences(CodeEditorWidget& editor, QtTextBuffer& buffer) : m_editor(editor), m_buffer(buffer)
    {
        m_buffer.onEdit = [this](const TextEdit& e) { m_marks.edit(e); };
    }
    ~Sequences() { m_buffer.onEdit = nullptr; }

    // Runs one sequence; empty when every mark was where it belongs after every step, else
    // what went wrong.
    std::string run(const MarkedSource& source, std::mt19937& rng, int steps)
    {
        m_buffer.setText(source.text);
        std::vector<LineMark> marks;
        for (std::size_t i = 0; i < source.lines.size(); ++i)
            marks.push_back({i, MarkKind::Error, "", source.lines[i]});
        m_marks.set(marks, m_buffer);
        m_source = source.lines;
        m_ids.resize(static_cast<std::size_t>(m_buffer.lineCount()));
        std::iota(m_ids.begin(), m_ids.end(), 0);
        m_undo.clear();
        m_redo.clear();
        std::string done;
        for (int s = 0; s < steps; ++s) {
            done += step(rng) + "; ";
            if (const std::string fault = check(); !fault.empty())
                return fault + ", after " + done;
        }
        return {};
    }

private:
    QTextDocument* doc() const { return m_editor.document(); }
    int lines() const { return static_cast<int>(m_ids.size()); }
    static int pick(std::mt19937& rng, int from, int to) { return std::uniform_int_distribution<int>(from, to)(rng); }

    std::string step(std::mt19937& rng)
    {
        const int op = pick(rng, 0, 9);
        if (op == 8 && !m_undo.empty()) {
            m_editor.undo();
            m_redo.push_back(m_ids);
            m_ids = m_undo.back();
            m_undo.pop_back();
            return "undo";
        }
        if (op == 9 && !m_redo.empty()) {
            m_editor.redo();
            m_undo.push_back(m_ids);
            m_ids = m_redo.back();
            m_redo.pop_back();
            return "redo";
        }
        m_undo.push_back(m_ids);
        m_redo.clear();
        QTextCursor c(doc());
        c.beginEditBlock();
        std::ostringstream what;
        if (op <= 3 || lines() < 2) {
            // Near a marked line half of the time: above it, on it, below it.
            int at = pick(rng, 0, lines());
            if (pick(rng, 0, 1)) {
                const int mark = m_source[static_cast<std::size_t>(pick(rng, 0, int(m_source.size()) - 1))];
                const auto it = std::find(m_ids.begin(), m_ids.end(), mark);
                if (it != m_ids.end())
                    at = std::clamp(int(it - m_ids.begin()) + pick(rng, -1, 1), 0, lines());
            }
            const int count = pick(rng, 1, 3);
            QString text;
            for (int i = 0; i < count; ++i)
                text += QStringLiteral("inserted %1\n").arg(pick(rng, 0, 999));
            if (at < lines()) {
                c.setPosition(doc()->findBlockByNumber(at).position());
            } else {
                c.movePosition(QTextCursor::End);
                text = QLatin1Char('\n') + text.chopped(1);
            }
            c.insertText(text);
            m_ids.insert(m_ids.begin() + at, static_cast<std::size_t>(count), -1);
            what << "insert " << count << " at " << at;
        } else if (op <= 5) {
            int at = pick(rng, 0, lines() - 1);
            if (pick(rng, 0, 1)) {
                const int mark = m_source[static_cast<std::size_t>(pick(rng, 0, int(m_source.size()) - 1))];
                const auto it = std::find(m_ids.begin(), m_ids.end(), mark);
                if (it != m_ids.end())
                    at = std::clamp(int(it - m_ids.begin()) + pick(rng, -1, 1), 0, lines() - 1);
            }
            int count = std::min(pick(rng, 1, 3), lines() - at);
            if (count == lines())
                --count;
            if (count == 0) {
                at = 1;
                count = 1;
            }
            int gone = at;
            if (at + count < lines()) {
                c.setPosition(doc()->findBlockByNumber(at).position());
                c.setPosition(doc()->findBlockByNumber(at + count).position(), QTextCursor::KeepAnchor);
            } else {
                const QTextBlock before = doc()->findBlockByNumber(at - 1);
                c.setPosition(before.position() + before.length() - 1);
                c.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
                // From an empty line's start to the end, the lines taken are that one and those
                // after it with their own breaks: the last line stays, emptied.
                if (before.length() == 1)
                    gone = at - 1;
            }
            c.removeSelectedText();
            m_ids.erase(m_ids.begin() + gone, m_ids.begin() + gone + count);
            what << "delete " << count << " at " << at;
        } else {
            const QTextBlock block = doc()->findBlockByNumber(pick(rng, 0, lines() - 1));
            c.setPosition(block.position() + pick(rng, 0, block.length() - 1));
            QString typed;
            for (int i = pick(rng, 1, 4); i > 0; --i)
                typed += QChar(u'a' + pick(rng, 0, 25));
            c.insertText(typed);
            what << "type on " << block.blockNumber();
        }
        c.endEditBlock();
        return what.str();
    }

    std::string check() const
    {
        if (doc()->blockCount() != lines())
            return "the model has " + std::to_string(lines()) + " lines, the text " + std::to_string(doc()->blockCount());
        for (std::size_t k = 0; k < m_source.size(); ++k) {
            const std::size_t i = *m_marks.find(k);
            const auto it = std::find(m_ids.begin(), m_ids.end(), m_source[k]);
            const bool gone = it == m_ids.end();
            const int want = gone ? -1 : int(it - m_ids.begin());
            if (m_marks.place(i).removed != gone || (!gone && m_marks.line(i, m_buffer) != want))
                return "mark of line " + std::to_string(m_source[k]) + " is on " + std::to_string(m_marks.line(i, m_buffer)) +
                       (m_marks.place(i).removed ? " (removed)" : "") + ", wanted " +
                       (gone ? std::string("removed") : std::to_string(want));
        }
        return {};
    }

    CodeEditorWidget& m_editor;
    QtTextBuffer& m_buffer;
    LineMarks m_marks;
    std::vector<int> m_source;
    std::vector<int> m_ids;  // the line each line of the text was set on; -1 for an inserted one
    std::vector<std::vector<int>> m_undo;
    std::vector<std::vector<int>> m_redo;
};

}  // namespace marktest
