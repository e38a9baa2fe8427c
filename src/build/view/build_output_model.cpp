#include "build/view/build_output_model.h"

#include <QAbstractItemView>
#include <QBrush>
#include <QColor>
#include <QFont>
#include <QScrollBar>
#include <algorithm>

#include "build/build_output.h"
#include "build/view/diagnostic_colours.h"
#include "platform/qt/qt_text.h"

BuildOutputModel::BuildOutputModel(const BuildOutput& output, QObject* parent)
    : BuildOutputModel(output.transcript(), parent)
{
    m_output = &output;
}

BuildOutputModel::BuildOutputModel(const BuildTranscript& transcript, QObject* parent)
    : QAbstractListModel(parent), m_transcript(transcript)
{
    reset();
}

int BuildOutputModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_end - m_first);
}

std::optional<int> BuildOutputModel::rowOf(std::size_t number) const
{
    if (number < m_first || number >= m_end)
        return std::nullopt;
    return static_cast<int>(number - m_first);
}

QString BuildOutputModel::displayText(const std::string& bytes, bool cut)
{
    QString out;
    out.reserve(static_cast<qsizetype>(bytes.size()) + 1);
    for (const char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == '\t') {
            do
                out += QLatin1Char(' ');
            while (out.size() % 8 != 0);
        } else if (c < 0x20) {
            out += QChar(0x2400 + c);
        } else if (c == 0x7f) {
            out += QChar(0x2421);
        } else {
            out += QChar(c);  // Latin-1, as every text of the system
        }
    }
    if (cut)
        out += QChar(0x2026);
    return out;
}

QVariant BuildOutputModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() < 0)
        return {};
    const std::size_t number = numberOf(index.row());
    const BuildTranscript& t = m_transcript;
    if (!t.holds(number))
        return {};
    const OutputLine& line = t.line(number);
    switch (role) {
    case Qt::DisplayRole: {
        QString shown = displayText(line.text, line.cut);
        if (line.hasDiagnostic && m_output)
            if (const std::string note = m_output->lineNote(number); !note.empty())
                shown += QStringLiteral("   ") + toQ(note);
        return shown;
    }
    case Qt::ForegroundRole:
        if (line.hasDiagnostic)
            return QBrush(diagnosticcolours::text(line.diagnostic.severity == DiagnosticSeverity::Error));
        if (line.stream == OutputStream::Errors)
            return QBrush(QColor(0x80, 0x30, 0x60));
        return {};
    case Qt::BackgroundRole:
        if (line.hasDiagnostic)
            return QBrush(diagnosticcolours::background(line.diagnostic.severity == DiagnosticSeverity::Error));
        return {};
    case Qt::FontRole:
        if (line.hasDiagnostic) {
            QFont f;
            f.setBold(true);
            return f;
        }
        return {};
    default:
        return {};
    }
}

void BuildOutputModel::syncKeepingEnd(QAbstractItemView& view)
{
    QScrollBar* bar = view.verticalScrollBar();
    const bool atEnd = bar->value() >= bar->maximum();
    sync();
    if (atEnd)
        view.scrollToBottom();
}

void BuildOutputModel::notesChanged()
{
    if (m_end > m_first)
        emit dataChanged(index(0), index(static_cast<int>(m_end - m_first) - 1), {Qt::DisplayRole});
}

void BuildOutputModel::reset()
{
    beginResetModel();
    m_first = m_transcript.firstNumber();
    m_end = m_transcript.endNumber();
    endResetModel();
}

void BuildOutputModel::sync()
{
    const BuildTranscript& t = m_transcript;
    const std::size_t first = t.firstNumber();
    const std::size_t end = t.endNumber();
    if (first < m_first || end < m_end) {
        reset();  // not the same build's lines any more
        return;
    }
    // The last row shown may have grown or been finished (and found a diagnostic).
    if (m_end > m_first && t.holds(m_end - 1)) {
        const QModelIndex last = index(static_cast<int>(m_end - 1 - m_first));
        emit dataChanged(last, last);
    }
    const std::size_t gone = std::min(first, m_end) - m_first;
    if (gone > 0) {
        beginRemoveRows({}, 0, static_cast<int>(gone) - 1);
        m_first += gone;
        endRemoveRows();
    }
    if (m_first == m_end && first > m_first)
        m_first = m_end = first;  // every row went, and some new lines with them
    const std::size_t from = std::max(m_end, first);
    if (end > from) {
        const int row = static_cast<int>(m_end - m_first);
        beginInsertRows({}, row, row + static_cast<int>(end - from) - 1);
        m_end = end;
        m_first = std::max(m_first, first);
        endInsertRows();
    }
}
