#include "editor/view/code_editor_widget.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <QTextCursor>

CodeEditorWidget::CodeEditorWidget(QWidget* parent) : QPlainTextEdit(parent)
{
    setObjectName("CodeEditor");
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // The selection keeps its colours while another window has the focus.
    QPalette p = palette();
    for (QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText})
        p.setColor(QPalette::Inactive, role, p.color(QPalette::Active, role));
    setPalette(p);
}

QString CodeEditorWidget::singleByte(const QString& text)
{
    QString out = text;
    for (QChar& c : out) {
        if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator)
            c = QLatin1Char('\n');
        else if (c.unicode() > 0xFF)
            c = QLatin1Char('?');
    }
    return out;
}

bool CodeEditorWidget::refuse(int count)
{
    if (!mayInsert || mayInsert(count))
        return false;
    QApplication::beep();
    return true;
}

void CodeEditorWidget::keyPressEvent(QKeyEvent* e)
{
    const QString text = e->text();
    if (!text.isEmpty() && onCharacterKey)
        onCharacterKey(static_cast<char>(text.at(0).unicode() > 0xFF ? '?' : text.at(0).unicode()));
    if (isReadOnly())
        return QPlainTextEdit::keyPressEvent(e);

    const bool isBreak = e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
    const bool inserts = isBreak || (!text.isEmpty() && (text.at(0).isPrint() || text.at(0) == QLatin1Char('\t')));
    if (inserts && !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        if (refuse(isBreak ? 2 : int(text.size()))) {
            e->accept();
            return;
        }
        // Shift+Return would put a line separator inside the line; a file knows only breaks.
        if (isBreak && (e->modifiers() & Qt::ShiftModifier)) {
            QKeyEvent plain(e->type(), e->key(), e->modifiers() & ~Qt::ShiftModifier, e->text());
            return QPlainTextEdit::keyPressEvent(&plain);
        }
        const QString stored = singleByte(text);
        if (stored != text) {
            textCursor().insertText(stored);
            e->accept();
            return;
        }
    }
    QPlainTextEdit::keyPressEvent(e);
}

bool CodeEditorWidget::canInsertFromMimeData(const QMimeData* source) const
{
    return source->hasText();
}

void CodeEditorWidget::insertFromMimeData(const QMimeData* source)
{
    if (isReadOnly() || !source->hasText())
        return;
    QString text = singleByte(source->text());
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    // Breaks are two characters in the saved text.
    if (refuse(int(text.size() + text.count(QLatin1Char('\n')))))
        return;
    textCursor().insertText(text);
    ensureCursorVisible();
}
