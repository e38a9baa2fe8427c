#include "editor/view/code_highlighter.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

namespace {

// A calm palette on the white page: ink-blue words of the language, teal types, grey-green
// comments, brick literals, dark-gold numbers, mulberry preprocessor lines and directives.
struct Look {
    QRgb colour;
    bool italic;
};
constexpr Look kLooks[] = {
    {0x1f4e8c, false},  // Keyword
    {0x0e6e6e, false},  // Type
    {0x617a61, true},   // Comment
    {0xa1462a, false},  // String
    {0xa1462a, false},  // Character
    {0x7a5c00, false},  // Number
    {0x8b3a6e, false},  // Preprocessor
    {0x1f4e8c, false},  // Label
    {0x8b3a6e, false},  // Directive
};
static_assert(std::size(kLooks) == static_cast<std::size_t>(TokenKind::Directive) + 1);

// Marks a line whose layout carries our colours, so they can be taken away again.
constexpr int Coloured = 1;

std::u16string_view view(const QString& text)
{
    return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())};
}

}  // namespace

CodeHighlighter::CodeHighlighter(QObject* parent) : QObject(parent)
{
    for (std::size_t k = 0; k < m_formats.size(); ++k) {
        m_formats[k].setForeground(QColor::fromRgb(kLooks[k].colour));
        if (kLooks[k].italic)
            m_formats[k].setFontItalic(true);
    }
}

QColor CodeHighlighter::colour(TokenKind kind)
{
    return QColor::fromRgb(kLooks[static_cast<std::size_t>(kind)].colour);
}

void CodeHighlighter::setLanguage(SyntaxLanguage language)
{
    if (language == m_language)
        return;
    m_language = language;
    m_known = 0;
    if (language == SyntaxLanguage::None)
        clear();
}

void CodeHighlighter::follow(QTextDocument* document)
{
    if (document == m_document)
        return;
    disconnect(m_changes);
    m_document = document;
    m_known = 0;
    m_endStates.clear();
    // An edit leaves the states of the lines before it as they were.
    m_changes = connect(document, &QTextDocument::contentsChange, this, [this](int from, int, int) {
        if (m_document)
            m_known = std::min(m_known, m_document->findBlock(from).blockNumber());
    });
}

void CodeHighlighter::clear()
{
    if (!m_document)
        return;
    for (QTextBlock b = m_document->begin(); b.isValid(); b = b.next()) {
        if (b.userState() != Coloured)
            continue;
        b.setUserState(-1);
        b.layout()->clearFormats();
        m_document->markContentsDirty(b.position(), b.length());
    }
}

int CodeHighlighter::startState(const QTextBlock& block)
{
    const int n = block.blockNumber();
    if (static_cast<int>(m_endStates.size()) < n)
        m_endStates.resize(static_cast<std::size_t>(n));
    if (m_known < n) {
        QTextBlock b = m_document->findBlockByNumber(m_known);
        for (; m_known < n && b.isValid(); ++m_known, b = b.next()) {
            const int before = m_known == 0 ? linestate::Normal : m_endStates[static_cast<std::size_t>(m_known - 1)];
            m_tokens.clear();
            m_endStates[static_cast<std::size_t>(m_known)] = highlightLine(m_language, view(b.text()), before, m_tokens);
        }
    }
    return n == 0 ? linestate::Normal : m_endStates[static_cast<std::size_t>(n - 1)];
}

void CodeHighlighter::colour(const QTextBlock& first, const QTextBlock& last)
{
    if (m_language == SyntaxLanguage::None || !first.isValid())
        return;
    follow(const_cast<QTextDocument*>(first.document()));
    QList<QTextLayout::FormatRange> ranges;
    const QTextBlock end = last.isValid() ? last.next() : QTextBlock();
    for (QTextBlock b = first; b.isValid() && b != end; b = b.next()) {
        const int state = startState(b);
        m_tokens.clear();
        const int after = highlightLine(m_language, view(b.text()), state, m_tokens);
        // This line's end state is known now too.
        const int n = b.blockNumber();
        if (m_known == n) {
            if (static_cast<int>(m_endStates.size()) <= n)
                m_endStates.resize(static_cast<std::size_t>(n) + 1);
            m_endStates[static_cast<std::size_t>(n)] = after;
            ++m_known;
        }
        ranges.clear();
        for (const SyntaxToken& t : m_tokens)
            ranges.append({t.start, t.length, m_formats[static_cast<std::size_t>(t.kind)]});
        QTextLayout* layout = b.layout();
        if (layout->formats() == ranges)
            continue;
        layout->setFormats(ranges);
        b.setUserState(ranges.isEmpty() ? -1 : Coloured);
        // The line is laid out again with its colours (an italic comment may wrap otherwise).
        m_document->markContentsDirty(b.position(), b.length());
    }
}
