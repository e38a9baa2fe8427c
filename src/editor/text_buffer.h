#pragma once
// The editing control as the editor's core sees it. Every position counts characters of the
// whole text in which each line break is CR LF, so selection positions and positions found
// in text() agree.
#include <functional>
#include <string>
#include <vector>

// One change of the text as the control made it: removed characters at from replaced by added
// ones, in the positions of the text before it.
struct TextEdit {
    enum class Kind { Edit, Undo, Redo };
    int from = 0;
    int removed = 0;
    int added = 0;
    bool addsBreak = false;
    bool removesBreak = false;
    bool atLineStart = false;  // from is where a line begins
    Kind kind = Kind::Edit;
    int step = 0;  // the control's undo steps once it is made
};

class TextBuffer {
public:
    virtual ~TextBuffer() = default;

    // Told of every change the user or a command makes, not of a whole new text.
    std::function<void(const TextEdit&)> onEdit;
    virtual int undoSteps() const { return 0; }

    virtual int selStart() const = 0;
    virtual int selLength() const = 0;
    // Selects from start for length characters and scrolls the selection into view.
    virtual void setSelection(int start, int length) = 0;

    virtual int length() const = 0;
    // Lines of the control: an empty text and a text ending in a break end in an empty line.
    virtual int lineCount() const = 0;
    virtual int lineOfPosition(int pos) const = 0;
    virtual int lineStart(int line) const = 0;
    // The line without its break; empty beyond the last line.
    virtual std::string lineText(int line) const = 0;
    virtual std::string text() const = 0;
    // The text as it is now, read when the function is called, on any thread: the costly part
    // of taking a large text need not hold up the editing control's thread.
    virtual std::function<std::string()> snapshot() const
    {
        return [t = text()] { return t; };
    }
    // Replaces the whole content; the text's breaks are CR LF only.
    virtual void setText(const std::string& text) = 0;
    virtual void replaceSelection(const std::string& text) = 0;
    // Replaces length characters at each position (ascending, apart) with text as one edit,
    // which one undo takes back; the caret ends after the last. False while no edit is possible.
    virtual bool replaceEach(const std::vector<std::size_t>& positions, std::size_t length,
                             const std::string& text) = 0;

    virtual bool modified() const = 0;
    virtual void setModified(bool on) = 0;

    virtual void cut() = 0;
    virtual void copy() = 0;
    virtual void paste() = 0;
    virtual void deleteSelection() = 0;
};

// CR LF, a lone CR and a lone LF each become CR LF.
std::string toCrLf(const std::string& bytes);
// Lines as a file reader counts them: a final break adds none.
int countLines(const std::string& crlfText);
