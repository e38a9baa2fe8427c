#include "editor/view/code_editor_widget.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QPointer>
#include <QTextBlock>
#include <QTextCursor>
#include <QToolTip>

#include "build/view/diagnostic_colours.h"
#include "editor/view/code_highlighter.h"
#include "editor/view/mark_icons.h"

namespace {

const QColor CaretLine(0xe9, 0xf0, 0xf8);
const QColor GutterBack(0xf4, 0xf5, 0xf7);
const QColor GutterEdge(0xdd, 0xe1, 0xe6);
const QColor Number(0x9a, 0xa3, 0xae);
const QColor CaretNumber(0x3b, 0x46, 0x54);
constexpr int GutterPad = 8;
constexpr int MarkPad = 2;

}  // namespace

class CodeEditorGutter : public QWidget {
public:
    explicit CodeEditorGutter(CodeEditorWidget* editor) : QWidget(editor), m_editor(editor)
    {
        setObjectName("LineNumbers");
    }

protected:
    void paintEvent(QPaintEvent* e) override { m_editor->paintGutter(e); }
    bool event(QEvent* e) override
    {
        if (e->type() == QEvent::ToolTip) {
            const auto* help = static_cast<QHelpEvent*>(e);
            return m_editor->showTip(help->pos(), help->globalPos(), this);
        }
        return QWidget::event(e);
    }

private:
    CodeEditorWidget* m_editor;
};

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

    m_highlighter = new CodeHighlighter(this);
    m_gutter = new CodeEditorGutter(this);
    m_gutter->hide();
    connect(this, &QPlainTextEdit::blockCountChanged, this, [this] { fitGutter(); });
    connect(this, &QPlainTextEdit::updateRequest, this, [this](const QRect& rect, int dy) {
        if (!m_decorated)
            return;
        if (dy)
            m_gutter->scroll(0, dy);
        else
            m_gutter->update(0, rect.y(), m_gutter->width(), rect.height());
    });
    connect(this, &QPlainTextEdit::cursorPositionChanged, this, [this] { caretMoved(); });
}

void CodeEditorWidget::takeDocument(QTextDocument* doc)
{
    // The control deletes the document it made itself as soon as another takes its place;
    // one handed to it earlier is ours and is deleted here, once the swap is done.
    const QPointer<QTextDocument> old = document();
    doc->setParent(this);
    setDocument(doc);
    if (old && old != doc)
        old->deleteLater();
    // A document that arrives whole tells no change of its line count.
    m_caretBlock = -1;
    fitGutter();
    m_gutter->update();
}

void CodeEditorWidget::setDecorated(bool on)
{
    if (on == m_decorated)
        return;
    m_decorated = on;
    m_gutter->setVisible(on);
    fitGutter();
    viewport()->update();
}

int CodeEditorWidget::markSize() const
{
    return std::min(16, fontMetrics().height());
}

int CodeEditorWidget::gutterWidth() const
{
    int digits = 1;
    for (int n = std::max(1, blockCount()); n >= 10; n /= 10)
        ++digits;
    // The marks' column stays, so the text does not shift when a build marks lines.
    return 2 * MarkPad + markSize() + GutterPad + fontMetrics().horizontalAdvance(QLatin1Char('9')) * std::max(3, digits);
}

void CodeEditorWidget::setMarks(const LineMarks* marks)
{
    m_marks = marks;
    marksChanged();
}

void CodeEditorWidget::marksChanged()
{
    if (!m_decorated)
        return;
    viewport()->update();
    m_gutter->update();
}

std::pair<std::size_t, std::size_t> CodeEditorWidget::marksOn(const QTextBlock& block) const
{
    if (!m_marks || m_marks->empty() || !block.isValid())
        return {0, 0};
    // The marks count each break as CR LF.
    const int start = block.position() + block.blockNumber();
    return m_marks->within(start, start + block.length() - 1);
}

std::optional<MarkKind> CodeEditorWidget::markOn(const QTextBlock& block) const
{
    std::optional<MarkKind> out;
    const auto [first, last] = marksOn(block);
    for (std::size_t i = first; i < last; ++i) {
        if (m_marks->place(i).removed)
            continue;
        if (m_marks->mark(i).kind == MarkKind::Error)
            return MarkKind::Error;
        out = MarkKind::Warning;
    }
    return out;
}

QString CodeEditorWidget::markText(const QTextBlock& block) const
{
    QStringList texts;
    const auto [first, last] = marksOn(block);
    for (std::size_t i = first; i < last; ++i)
        if (!m_marks->place(i).removed)
            texts << QString::fromLatin1(m_marks->mark(i).text.data(), qsizetype(m_marks->mark(i).text.size()));
    return texts.join(QLatin1Char('\n'));
}

QTextBlock CodeEditorWidget::blockAt(int y) const
{
    QTextBlock block = firstVisibleBlock();
    qreal top = blockBoundingGeometry(block).translated(contentOffset()).top();
    while (block.isValid()) {
        const qreal bottom = top + blockBoundingRect(block).height();
        if (y >= top && y < bottom)
            return block;
        if (top > y)
            break;
        block = block.next();
        top = bottom;
    }
    return {};
}

bool CodeEditorWidget::showTip(const QPoint& at, const QPoint& global, QWidget* over)
{
    const QString text = m_decorated ? markText(blockAt(at.y())) : QString();
    if (text.isEmpty()) {
        QToolTip::hideText();
        return false;
    }
    QToolTip::showText(global, text, over);
    return true;
}

bool CodeEditorWidget::viewportEvent(QEvent* e)
{
    if (e->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(e);
        if (showTip(help->pos(), help->globalPos(), viewport()))
            return true;
    }
    return QPlainTextEdit::viewportEvent(e);
}

void CodeEditorWidget::fitGutter()
{
    const int width = m_decorated ? gutterWidth() : 0;
    if (viewportMargins().left() != width)
        setViewportMargins(width, 0, 0, 0);
    if (m_decorated) {
        const QRect r = contentsRect();
        m_gutter->setGeometry(r.left(), r.top(), width, r.height());
    }
}

void CodeEditorWidget::resizeEvent(QResizeEvent* e)
{
    QPlainTextEdit::resizeEvent(e);
    fitGutter();
}

void CodeEditorWidget::changeEvent(QEvent* e)
{
    QPlainTextEdit::changeEvent(e);
    if (e->type() == QEvent::FontChange)
        fitGutter();
}

void CodeEditorWidget::caretMoved()
{
    const int block = textCursor().blockNumber();
    if (!m_decorated || block == m_caretBlock)
        return;
    m_caretBlock = block;
    viewport()->update();
    m_gutter->update();
}

void CodeEditorWidget::paintEvent(QPaintEvent* e)
{
    if (m_highlighter->language() != SyntaxLanguage::None) {
        const QTextBlock first = firstVisibleBlock();
        QTextBlock last = first;
        qreal top = blockBoundingGeometry(first).translated(contentOffset()).top();
        for (QTextBlock b = first; b.isValid() && top <= viewport()->height(); b = b.next()) {
            last = b;
            top += blockBoundingRect(b).height();
        }
        m_highlighter->colour(first, last);
    }
    if (m_decorated) {
        QPainter p(viewport());
        QRectF band = blockBoundingGeometry(textCursor().block()).translated(contentOffset());
        band.setLeft(0);
        band.setRight(viewport()->width());
        if (band.intersects(e->rect()))
            p.fillRect(band, CaretLine);
        if (m_marks && !m_marks->empty()) {
            QTextBlock block = firstVisibleBlock();
            qreal top = blockBoundingGeometry(block).translated(contentOffset()).top();
            while (block.isValid() && top <= e->rect().bottom()) {
                const qreal height = blockBoundingRect(block).height();
                if (const auto kind = markOn(block); kind && top + height >= e->rect().top())
                    p.fillRect(QRectF(0, top, viewport()->width(), height),
                               diagnosticcolours::background(*kind == MarkKind::Error));
                top += height;
                block = block.next();
            }
        }
    }
    QPlainTextEdit::paintEvent(e);
}

void CodeEditorWidget::paintGutter(QPaintEvent* e)
{
    QPainter p(m_gutter);
    p.fillRect(e->rect(), GutterBack);
    p.setPen(GutterEdge);
    p.drawLine(m_gutter->width() - 1, e->rect().top(), m_gutter->width() - 1, e->rect().bottom());
    p.setFont(font());
    const int caret = textCursor().blockNumber();
    const int lineHeight = fontMetrics().height();
    const int right = m_gutter->width() - GutterPad;
    const int icon = markSize();
    QTextBlock block = firstVisibleBlock();
    qreal top = blockBoundingGeometry(block).translated(contentOffset()).top();
    while (block.isValid() && top <= e->rect().bottom()) {
        const qreal bottom = top + blockBoundingRect(block).height();
        if (block.isVisible() && bottom >= e->rect().top()) {
            const int n = block.blockNumber();
            p.setPen(n == caret ? CaretNumber : Number);
            p.drawText(QRectF(0, top, right, lineHeight), Qt::AlignRight | Qt::AlignVCenter, QString::number(n + 1));
            if (const auto kind = markOn(block))
                p.drawPixmap(MarkPad, int(top) + (lineHeight - icon) / 2, markicons::pixmap(*kind, icon));
        }
        block = block.next();
        top = bottom;
    }
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
    // A key with Alt or Ctrl held is a command (a menu's letter, a shortcut), never text: what
    // the control does not know as a command goes on to the window. Both together is AltGr on
    // Windows, where it types the braces of some keyboards.
    const Qt::KeyboardModifiers held = e->modifiers() & (Qt::ControlModifier | Qt::AltModifier);
    if (held && held != (Qt::ControlModifier | Qt::AltModifier)) {
        QKeyEvent command(e->type(), e->key(), e->modifiers(), QString(), e->isAutoRepeat(), ushort(e->count()));
        QPlainTextEdit::keyPressEvent(&command);
        e->setAccepted(command.isAccepted());
        return;
    }
    const QString text = e->text();
    if (!text.isEmpty() && onCharacterKey)
        onCharacterKey(static_cast<char>(text.at(0).unicode() > 0xFF ? '?' : text.at(0).unicode()));
    if (isReadOnly())
        return QPlainTextEdit::keyPressEvent(e);

    const bool isBreak = e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
    const bool inserts = isBreak || (!text.isEmpty() && (text.at(0).isPrint() || text.at(0) == QLatin1Char('\t')));
    if (inserts) {
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
