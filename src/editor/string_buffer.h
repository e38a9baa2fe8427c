#pragma once
// A text buffer held in a string: the editor's own control until a view attaches one, and
// the control the core tests drive.
#include <vector>

#include "editor/text_buffer.h"

class StringBuffer : public TextBuffer {
public:
    int selStart() const override { return m_selStart; }
    int selLength() const override { return m_selLength; }
    void setSelection(int start, int length) override;

    int length() const override { return static_cast<int>(m_text.size()); }
    int lineCount() const override;
    int lineOfPosition(int pos) const override;
    int lineStart(int line) const override;
    std::string lineText(int line) const override;
    std::string text() const override { return m_text; }
    // The text without a copy, for a reader that takes it a piece at a time.
    const std::string& textRef() const { return m_text; }
    void setText(const std::string& text) override;
    void replaceSelection(const std::string& text) override;
    bool replaceEach(const std::vector<std::size_t>& positions, std::size_t length, const std::string& text) override;

    int undoSteps() const override { return m_steps; }
    bool modified() const override { return m_modified; }
    void setModified(bool on) override { m_modified = on; }

    void cut() override;
    void copy() override;
    void paste() override;
    void deleteSelection() override;

    // What the user would do by typing: replaces the selection and marks the text modified.
    void type(const std::string& text);
    std::string clipboard;

private:
    const std::vector<int>& starts() const;
    void report(int from, int removed, bool removesBreak, const std::string& added);

    std::string m_text;
    int m_selStart = 0;
    int m_selLength = 0;
    bool m_modified = false;
    int m_steps = 0;  // each edit is a step of its own: this control has no undo
    mutable std::vector<int> m_starts;
    mutable bool m_startsValid = false;
};
