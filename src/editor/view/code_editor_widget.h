#pragma once
// The editing control: plain single-byte text, lines wrapped at the window edge, the
// selection shown without focus. Typing and pasting ask first whether the text may grow.
// Decorated, it has a line-number gutter and marks the caret's line, and shows the lines a
// build's diagnostics mark (an icon in the gutter, a tint behind the line, the text on hover);
// none of it touches the text.
#include <QPlainTextEdit>
#include <functional>
#include <optional>

#include "editor/line_marks.h"

class CodeHighlighter;

class CodeEditorWidget : public QPlainTextEdit {
public:
    explicit CodeEditorWidget(QWidget* parent = nullptr);

    // Told of every character key before it takes effect.
    std::function<void(char)> onCharacterKey;
    // Whether count characters (a break counting two) may replace the selection.
    std::function<bool(int)> mayInsert;

    // Text as the file holds it: characters the single-byte files cannot hold become '?',
    // and every kind of line break a plain break.
    static QString singleByte(const QString& text);

    // Shows doc, which the control owns from now on, in place of the document it had; the
    // old one is gone once the call returns or soon after, so nobody may keep it.
    void takeDocument(QTextDocument* doc);

    void setDecorated(bool on);
    bool decorated() const { return m_decorated; }
    QWidget* gutter() const { return m_gutter; }
    // Colours the lines as they are shown.
    CodeHighlighter* highlighter() const { return m_highlighter; }

    // The marks to show, kept by the editor window; none: nothing shown.
    void setMarks(const LineMarks* marks);
    void marksChanged();
    // The strongest mark on a line and the marks' texts, one a line.
    std::optional<MarkKind> markOn(const QTextBlock& block) const;
    QString markText(const QTextBlock& block) const;
    // The line shown at that height of the viewport; invalid below the last.
    QTextBlock blockAt(int y) const;

protected:
    void keyPressEvent(QKeyEvent* e) override;
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void changeEvent(QEvent* e) override;
    bool viewportEvent(QEvent* e) override;

private:
    friend class CodeEditorGutter;
    bool refuse(int count);
    int gutterWidth() const;
    int markSize() const;
    std::pair<std::size_t, std::size_t> marksOn(const QTextBlock& block) const;
    bool showTip(const QPoint& at, const QPoint& global, QWidget* over);
    void fitGutter();
    void paintGutter(QPaintEvent* e);
    void caretMoved();

    QWidget* m_gutter = nullptr;
    CodeHighlighter* m_highlighter = nullptr;
    bool m_decorated = false;
    const LineMarks* m_marks = nullptr;
    int m_caretBlock = -1;
};
