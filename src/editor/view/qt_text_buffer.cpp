#include "editor/view/qt_text_buffer.h"

#include <QPlainTextDocumentLayout>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>
#include <algorithm>
#include <utility>

#include "editor/view/code_editor_widget.h"

namespace {

qsizetype s_sliceLoadingFrom = 4 * 1024 * 1024;
constexpr std::size_t SliceBytes = 512 * 1024;

QString fromBytes(const std::string& bytes, std::size_t from = 0, std::size_t count = std::string::npos)
{
    count = std::min(count, bytes.size() - from);
    return QString::fromLatin1(bytes.data() + from, static_cast<qsizetype>(count));
}

// Wrapping at word boundaries costs time in the square of a line's length when the line
// holds a long run without blanks (a binary file, a minified one): such a text wraps anywhere.
bool hasLongUnbrokenRun(const std::string& text)
{
    constexpr std::size_t LongRun = 2000;
    std::size_t run = 0;
    for (const char c : text) {
        if (static_cast<unsigned char>(c) <= ' ') {
            run = 0;
        } else if (++run > LongRun) {
            return true;
        }
    }
    return false;
}

// The control's raw text as single bytes, each paragraph break as CR LF.
void crLfBytes(const QString& raw, std::string& out)
{
    const char16_t* in = reinterpret_cast<const char16_t*>(raw.constData());
    const char16_t* end = in + raw.size();
    const qsizetype breaks = raw.count(QChar::ParagraphSeparator) + raw.count(QChar::LineSeparator);
    out.resize(static_cast<std::size_t>(raw.size() + breaks));
    char* o = out.data();
    for (; in != end; ++in) {
        const char16_t u = *in;
        if (u <= 0xFF) {
            *o++ = static_cast<char>(u);
        } else if (u == QChar::ParagraphSeparator || u == QChar::LineSeparator) {
            *o++ = '\r';
            *o++ = '\n';
        } else {
            *o++ = '?';
        }
    }
    out.resize(static_cast<std::size_t>(o - out.data()));
}

}  // namespace

QtTextBuffer::QtTextBuffer(CodeEditorWidget* editor) : QObject(editor), m_editor(editor)
{
    connect(editor, &QPlainTextEdit::textChanged, this, [this] {
        if (!m_filling)
            m_textValid = false;
    });
    followDocument();
}

void QtTextBuffer::followDocument()
{
    disconnect(m_contents);
    disconnect(m_commands);
    QTextDocument* doc = m_editor->document();
    m_blocks = doc->blockCount();
    m_step = doc->availableUndoSteps();
    m_commandAdded = false;
    m_contents = connect(doc, &QTextDocument::contentsChange, this,
                         [this](int from, int removed, int added) { documentChanged(from, removed, added); });
    // Told before the change it belongs to; an undo or redo adds no step.
    m_commands = connect(doc, &QTextDocument::undoCommandAdded, this, [this] { m_commandAdded = true; });
}

void QtTextBuffer::documentChanged(int from, int removed, int added)
{
    const QTextDocument* doc = m_editor->document();
    const int blocks = doc->blockCount();
    const int step = doc->availableUndoSteps();
    const int blocksBefore = std::exchange(m_blocks, blocks);
    const int stepBefore = std::exchange(m_step, step);
    const bool newStep = std::exchange(m_commandAdded, false);
    if (m_filling || m_ownEdits || !onEdit)
        return;
    auto lineOf = [doc, blocks](int pos) {
        const QTextBlock b = doc->findBlock(pos);
        return b.isValid() ? b.blockNumber() : blocks - 1;
    };
    const int line = lineOf(from);
    const bool atLineStart = doc->findBlock(from).position() == from;
    const int breaksAdded = lineOf(from + added) - line;
    const int breaksRemoved = breaksAdded - (blocks - blocksBefore);
    TextEdit e;
    // Each break is two characters, CR LF, in the positions the editor counts.
    e.from = from + line;
    e.removed = removed + breaksRemoved;
    e.added = added + breaksAdded;
    e.addsBreak = breaksAdded > 0;
    e.removesBreak = breaksRemoved > 0;
    e.atLineStart = atLineStart;
    e.kind = step < stepBefore ? TextEdit::Kind::Undo
             : step > stepBefore && !newStep ? TextEdit::Kind::Redo
                                             : TextEdit::Kind::Edit;
    e.step = step;
    onEdit(e);
}

QtTextBuffer::~QtTextBuffer() = default;

void QtTextBuffer::setSliceLoadingFrom(qsizetype bytes)
{
    s_sliceLoadingFrom = bytes;
}

int QtTextBuffer::fromDocument(int docPos) const
{
    const QTextBlock block = m_editor->document()->findBlock(docPos);
    return docPos + (block.isValid() ? block.blockNumber() : m_editor->document()->blockCount() - 1);
}

int QtTextBuffer::toDocument(int pos) const
{
    // Block k starts at document position b + k in the CR LF text; find the last block that
    // starts at or before pos.
    const QTextDocument* doc = m_editor->document();
    int lo = 0;
    int hi = doc->blockCount() - 1;
    while (lo < hi) {
        const int mid = (lo + hi + 1) / 2;
        if (doc->findBlockByNumber(mid).position() + mid <= pos)
            lo = mid;
        else
            hi = mid - 1;
    }
    const QTextBlock block = doc->findBlockByNumber(lo);
    const int docPos = pos - lo;
    // A position inside a CR LF pair lies at the end of its line.
    return std::clamp(docPos, block.position(), block.position() + block.length() - 1);
}

int QtTextBuffer::selStart() const
{
    if (m_loading)
        return m_shadow.selStart();
    return fromDocument(m_editor->textCursor().selectionStart());
}

int QtTextBuffer::selLength() const
{
    if (m_loading)
        return m_shadow.selLength();
    const QTextCursor c = m_editor->textCursor();
    return fromDocument(c.selectionEnd()) - fromDocument(c.selectionStart());
}

void QtTextBuffer::setSelection(int start, int length)
{
    if (m_loading)
        return m_shadow.setSelection(start, length);
    const int total = this->length();
    start = std::clamp(start, 0, total);
    length = std::clamp(length, 0, total - start);
    QTextCursor c(m_editor->document());
    c.setPosition(toDocument(start));
    c.setPosition(toDocument(start + length), QTextCursor::KeepAnchor);
    // A selection brought from out of sight stands in the middle, with its context around it.
    const bool inSight = m_editor->viewport()->rect().contains(m_editor->cursorRect(c));
    m_editor->setTextCursor(c);
    if (inSight)
        m_editor->ensureCursorVisible();
    else
        m_editor->centerCursor();
}

int QtTextBuffer::length() const
{
    if (m_loading)
        return m_shadow.length();
    const QTextDocument* doc = m_editor->document();
    return doc->characterCount() - 1 + doc->blockCount() - 1;
}

int QtTextBuffer::lineCount() const
{
    return m_loading ? m_shadow.lineCount() : m_editor->document()->blockCount();
}

int QtTextBuffer::lineOfPosition(int pos) const
{
    if (m_loading)
        return m_shadow.lineOfPosition(pos);
    return m_editor->document()->findBlock(toDocument(pos)).blockNumber();
}

int QtTextBuffer::lineStart(int line) const
{
    if (m_loading)
        return m_shadow.lineStart(line);
    const QTextBlock block = m_editor->document()->findBlockByNumber(line);
    return block.isValid() ? block.position() + line : -1;
}

std::string QtTextBuffer::lineText(int line) const
{
    if (m_loading)
        return m_shadow.lineText(line);
    const QTextBlock block = m_editor->document()->findBlockByNumber(line);
    return block.isValid() ? block.text().toLatin1().toStdString() : std::string();
}

std::string QtTextBuffer::text() const
{
    if (m_loading)
        return m_shadow.text();
    if (!m_textValid) {
        crLfBytes(m_editor->document()->toRawText(), m_text);
        m_textValid = true;
    }
    return m_text;
}

std::function<std::string()> QtTextBuffer::snapshot() const
{
    if (m_loading || m_textValid)
        return TextBuffer::snapshot();
    // The raw text is a copy of its own; the conversion may run anywhere.
    return [raw = m_editor->document()->toRawText()] {
        std::string out;
        crLfBytes(raw, out);
        return out;
    };
}

void QtTextBuffer::setText(const std::string& text)
{
    if (m_slicer) {
        m_slicer->stop();
        delete m_slicer;
        m_slicer = nullptr;
    }
    delete m_document;
    m_document = nullptr;
    m_loading = false;
    m_editor->setWordWrapMode(hasLongUnbrokenRun(text) ? QTextOption::WrapAnywhere
                                                       : QTextOption::WrapAtWordBoundaryOrAnywhere);

    if (static_cast<qsizetype>(text.size()) < s_sliceLoadingFrom) {
        m_filling = true;
        m_editor->setPlainText(fromBytes(text));
        m_filling = false;
        m_text = text;
        m_textValid = true;
        return;
    }
    m_loading = true;
    m_shadow.setText(text);
    m_shadow.setModified(false);
    m_editor->setReadOnly(true);
    m_editor->setPlaceholderText(QStringLiteral("Loading..."));
    m_filling = true;
    m_editor->setPlainText(QString());
    m_filling = false;
    m_document = new QTextDocument(this);
    m_document->setUndoRedoEnabled(false);
    m_filled = 0;
    m_slicer = new QTimer(this);
    m_slicer->setInterval(0);
    connect(m_slicer, &QTimer::timeout, this, [this] { fillSlice(); });
    m_slicer->start();
}

void QtTextBuffer::fillSlice()
{
    const std::string& text = m_shadow.textRef();
    std::size_t end = std::min(text.size(), m_filled + SliceBytes);
    // End a slice after a line break, never between CR and LF.
    if (end < text.size()) {
        const std::size_t lf = text.find('\n', end);
        end = lf == std::string::npos ? text.size() : lf + 1;
    }
    QTextCursor c(m_document);
    c.movePosition(QTextCursor::End);
    c.insertText(fromBytes(text, m_filled, end - m_filled));
    m_filled = end;
    if (m_filled >= text.size())
        finishLoading();
}

void QtTextBuffer::finishLoading()
{
    m_slicer->stop();
    m_slicer->deleteLater();
    m_slicer = nullptr;
    QTextDocument* doc = m_document;
    m_document = nullptr;
    doc->setDefaultFont(m_editor->font());
    doc->setDocumentLayout(new QPlainTextDocumentLayout(doc));
    doc->setUndoRedoEnabled(true);
    doc->setModified(m_shadow.modified());
    m_filling = true;
    m_editor->takeDocument(doc);
    m_filling = false;
    followDocument();
    m_text = m_shadow.text();
    m_textValid = true;
    const int start = m_shadow.selStart();
    const int length = m_shadow.selLength();
    m_loading = false;
    m_shadow.setText("");
    m_editor->setReadOnly(false);
    m_editor->setPlaceholderText(QString());
    setSelection(start, length);
    if (onLoaded)
        onLoaded();
}

void QtTextBuffer::replaceSelection(const std::string& text)
{
    if (m_loading)
        return;
    QTextCursor c = m_editor->textCursor();
    c.insertText(fromBytes(text));
    m_editor->setTextCursor(c);
}

bool QtTextBuffer::replaceEach(const std::vector<std::size_t>& positions, std::size_t length,
                               const std::string& text)
{
    if (m_loading || m_editor->isReadOnly())
        return false;
    if (positions.empty())
        return true;
    const QString with = fromBytes(text);
    const bool removesBreak =
        lineOfPosition(static_cast<int>(positions.front())) != lineOfPosition(static_cast<int>(positions.front() + length));
    QTextCursor c(m_editor->document());
    // The document tells one change from the first to the last: the marks follow each one.
    m_ownEdits = true;
    c.beginEditBlock();
    // From the last one back, so the positions still to come keep their places.
    for (auto it = positions.rbegin(); it != positions.rend(); ++it) {
        const int at = static_cast<int>(*it);
        c.setPosition(toDocument(at));
        c.setPosition(toDocument(at + static_cast<int>(length)), QTextCursor::KeepAnchor);
        c.insertText(with);
    }
    c.endEditBlock();
    m_ownEdits = false;
    if (onEdit) {
        const int step = m_editor->document()->availableUndoSteps();
        for (auto it = positions.rbegin(); it != positions.rend(); ++it) {
            const int at = static_cast<int>(*it);
            onEdit({at, static_cast<int>(length), static_cast<int>(text.size()), text.find('\n') != std::string::npos,
                    removesBreak, lineStart(lineOfPosition(at)) == at, TextEdit::Kind::Edit, step});
        }
    }
    const long long grown = static_cast<long long>(text.size()) - static_cast<long long>(length);
    const long long last = static_cast<long long>(positions.back()) +
                           grown * static_cast<long long>(positions.size() - 1) + static_cast<long long>(text.size());
    setSelection(static_cast<int>(last), 0);
    return true;
}

int QtTextBuffer::undoSteps() const
{
    return m_loading ? 0 : m_editor->document()->availableUndoSteps();
}

bool QtTextBuffer::modified() const
{
    return m_loading ? m_shadow.modified() : m_editor->document()->isModified();
}

void QtTextBuffer::setModified(bool on)
{
    if (m_loading)
        m_shadow.setModified(on);
    else
        m_editor->document()->setModified(on);
}

void QtTextBuffer::cut()
{
    if (!m_loading)
        m_editor->cut();
}

void QtTextBuffer::copy()
{
    if (!m_loading)
        m_editor->copy();
}

void QtTextBuffer::paste()
{
    if (!m_loading)
        m_editor->paste();
}

void QtTextBuffer::deleteSelection()
{
    if (m_loading || m_editor->isReadOnly())
        return;
    QTextCursor c = m_editor->textCursor();
    c.removeSelectedText();
    m_editor->setTextCursor(c);
}
