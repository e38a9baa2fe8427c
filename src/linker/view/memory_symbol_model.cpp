#include "linker/view/memory_symbol_model.h"

#include "platform/qt/qt_text.h"

void MemorySymbolModel::setSymbols(std::vector<ListedSymbol> symbols)
{
    beginResetModel();
    m_symbols = std::move(symbols);
    endResetModel();
}

const ListedSymbol* MemorySymbolModel::symbolAt(int row) const
{
    return row >= 0 && row < rowCount() ? &m_symbols[static_cast<std::size_t>(row)] : nullptr;
}

int MemorySymbolModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_symbols.size());
}

int MemorySymbolModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : Columns;
}

QVariant MemorySymbolModel::data(const QModelIndex& index, int role) const
{
    const ListedSymbol* s = symbolAt(index.row());
    if (!s)
        return {};
    const int column = index.column();
    if (role == Qt::TextAlignmentRole)
        return column >= AddressCol ? QVariant(int(Qt::AlignRight | Qt::AlignVCenter)) : QVariant();
    if (role == Qt::UserRole && column == AddressCol)
        return s->address;
    if (role == Qt::UserRole && column == SizeCol)
        return s->size;
    if (role != Qt::DisplayRole && role != Qt::UserRole && role != Qt::ToolTipRole)
        return {};
    switch (column) {
    case SymbolCol:
        return toQ(s->name);
    case ModuleCol:
        return toQ(s->module);
    case SegmentCol:
        return toQ(s->segment);
    case AddressCol:
        return s->address >= 0 ? QString("%1").arg(s->address, 4, 16, QChar('0')).toUpper() : QString("----");
    case SizeCol:
        return s->size;
    }
    return {};
}

QVariant MemorySymbolModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    static const char* const Titles[Columns] = {"Symbol", "Module", "Segment", "Address", "Size"};
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < Columns)
        return QString(Titles[section]);
    return QAbstractTableModel::headerData(section, orientation, role);
}
