#pragma once
// The symbols of a link as a table: symbol, module, segment, address, size. The sort key of a
// cell is under Qt::UserRole: numbers for the address and the size, so that they sort as numbers.
#include <QAbstractTableModel>
#include <vector>

#include "linker/linker_list_reader.h"

class MemorySymbolModel : public QAbstractTableModel
{
public:
    enum Column { SymbolCol, ModuleCol, SegmentCol, AddressCol, SizeCol, Columns };

    using QAbstractTableModel::QAbstractTableModel;

    void setSymbols(std::vector<ListedSymbol> symbols);
    const ListedSymbol* symbolAt(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::vector<ListedSymbol> m_symbols;
};
