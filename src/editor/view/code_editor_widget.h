#pragma once
// The editing control: plain single-byte text, lines wrapped at the window edge, the
// selection shown without focus. Typing and pasting ask first whether the text may grow.
#include <QPlainTextEdit>
#include <functional>

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

protected:
    void keyPressEvent(QKeyEvent* e) override;
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    bool refuse(int count);
};
