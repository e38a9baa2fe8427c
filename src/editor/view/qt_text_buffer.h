#pragma once
// The editor core's text buffer over the editing control. Positions count each line break as
// the two characters CR LF, as the saved text has them.
//
// A large text goes into a document of its own in slices on the event loop, so the window
// keeps painting while it loads; until the document takes over, the text, its lines and the
// selection are answered from the text itself, the control is read-only and edits wait.
#include <QObject>
#include <QString>
#include <functional>
#include <vector>

#include "editor/string_buffer.h"

class CodeEditorWidget;
class QTextDocument;
class QTimer;

class QtTextBuffer : public QObject, public TextBuffer {
public:
    explicit QtTextBuffer(CodeEditorWidget* editor);
    ~QtTextBuffer() override;

    int selStart() const override;
    int selLength() const override;
    void setSelection(int start, int length) override;
    int length() const override;
    int lineCount() const override;
    int lineOfPosition(int pos) const override;
    int lineStart(int line) const override;
    std::string lineText(int line) const override;
    std::string text() const override;
    std::function<std::string()> snapshot() const override;
    void setText(const std::string& text) override;
    void replaceSelection(const std::string& text) override;
    bool replaceEach(const std::vector<std::size_t>& positions, std::size_t length, const std::string& text) override;
    int undoSteps() const override;
    bool modified() const override;
    void setModified(bool on) override;
    void cut() override;
    void copy() override;
    void paste() override;
    void deleteSelection() override;

    bool loading() const { return m_loading; }
    // Texts from this many bytes on load in slices.
    static void setSliceLoadingFrom(qsizetype bytes);
    std::function<void()> onLoaded;

private:
    int toDocument(int pos) const;
    int fromDocument(int docPos) const;
    void fillSlice();
    void finishLoading();
    // Edits are told from the control's document, whichever it is now.
    void followDocument();
    void documentChanged(int from, int removed, int added);

    CodeEditorWidget* m_editor;
    mutable std::string m_text;  // the whole text with CR LF, while valid
    mutable bool m_textValid = true;
    bool m_filling = false;      // our own change of the control's text

    bool m_loading = false;
    StringBuffer m_shadow;       // answers while the document fills
    QTextDocument* m_document = nullptr;
    std::size_t m_filled = 0;
    QTimer* m_slicer = nullptr;

    QMetaObject::Connection m_contents;
    QMetaObject::Connection m_commands;
    int m_blocks = 1;           // the document's lines before the change being told
    int m_step = 0;             // its undo steps then
    bool m_commandAdded = false;  // the change comes with an undo step of its own
    bool m_ownEdits = false;    // replaceEach tells its edits one by one
};
