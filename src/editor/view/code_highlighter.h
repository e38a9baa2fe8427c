#pragma once
// Colours the lines of the editing control's document with the editor's syntax rules. Only
// lines about to be shown are coloured, so opening a large file costs nothing extra; the
// state each line ends in (inside a comment...) is kept for the lines before them. The
// colours are the layout's own: the text, its positions and the undo history never change.
#include <QObject>
#include <QPointer>
#include <QTextCharFormat>
#include <array>
#include <vector>

#include "editor/syntax_rules.h"

class QTextBlock;
class QTextDocument;

class CodeHighlighter : public QObject {
public:
    explicit CodeHighlighter(QObject* parent = nullptr);

    SyntaxLanguage language() const { return m_language; }
    // None takes every colour away at once.
    void setLanguage(SyntaxLanguage language);
    // Colours the lines from first to last (inclusive) of the document they belong to.
    void colour(const QTextBlock& first, const QTextBlock& last);

    static QColor colour(TokenKind kind);

private:
    void follow(QTextDocument* document);
    void clear();
    int startState(const QTextBlock& block);

    SyntaxLanguage m_language = SyntaxLanguage::None;
    QPointer<QTextDocument> m_document;
    QMetaObject::Connection m_changes;
    // The state each line ends in, known for the lines before m_known.
    std::vector<int> m_endStates;
    int m_known = 0;
    std::array<QTextCharFormat, 9> m_formats;
    std::vector<SyntaxToken> m_tokens;
};
