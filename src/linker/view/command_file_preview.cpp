#include "linker/view/command_file_preview.h"

#include <QFontDatabase>
#include <algorithm>

#include "platform/qt/qt_text.h"

CommandFilePreviewModel::CommandFilePreviewModel(const std::vector<std::string>& lines, QObject* parent)
    : QAbstractListModel(parent), m_lines(lines)
{
    reload();
}

void CommandFilePreviewModel::reload()
{
    beginResetModel();
    m_longest = 0;
    for (const std::string& line : m_lines)
        m_longest = std::max(m_longest, static_cast<int>(std::min<std::size_t>(line.size(), ShownCharacters + 1)));
    endResetModel();
}

int CommandFilePreviewModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_lines.size());
}

QString CommandFilePreviewModel::shownText(const std::string& line)
{
    const bool cut = line.size() > static_cast<std::size_t>(ShownCharacters);
    QString text = toQ(cut ? line.substr(0, ShownCharacters) : line);
    for (QChar& ch : text) {
        const char16_t u = ch.unicode();
        if (u < 0x20)
            ch = QChar(char16_t(0x2400 + u));
        else if (u == 0x7f)
            ch = QChar(char16_t(0x2421));
    }
    if (cut)
        text += QChar(0x2026);
    return text;
}

QVariant CommandFilePreviewModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= static_cast<int>(m_lines.size()))
        return {};
    if (role == Qt::DisplayRole)
        return shownText(m_lines[static_cast<std::size_t>(index.row())]);
    // All rows share the first row's size: make it as wide as the longest line, in the fixed font.
    if (role == Qt::SizeHintRole)
        return QSize((m_longest + 2) * m_characterSize.width(), m_characterSize.height() + 2);
    return {};
}

CommandFilePreview::CommandFilePreview(const std::vector<std::string>& lines, QWidget* parent)
    : QListView(parent), m_model(new CommandFilePreviewModel(lines, this))
{
    setObjectName("CommandFile");
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    setFont(fixed);
    const QFontMetrics metrics(fixed);
    m_model->setCharacterSize({metrics.horizontalAdvance('M'), metrics.height()});
    setUniformItemSizes(true);
    setEditTriggers(NoEditTriggers);
    setSelectionMode(SingleSelection);
    setModel(m_model);
}

void CommandFilePreview::reload()
{
    m_model->reload();
}
