#include "linker/segment_grid.h"

#include <algorithm>

#include "platform/paths/win_path.h"

namespace {

const std::string kNone;

}  // namespace

SegmentGrid::SegmentGrid() : m_rows(2) {}

void SegmentGrid::setRowCount(int rows)
{
    m_rows.resize(static_cast<std::size_t>(std::max(rows, 2)));
    m_row = std::min(m_row, lastRow());
    changed();
}

const std::string& SegmentGrid::cell(int column, int row) const
{
    if (column < 0 || column > 1 || row < 0 || row >= rowCount())
        return kNone;
    return m_rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

void SegmentGrid::setCell(int column, int row, const std::string& text)
{
    if (column < 0 || column > 1 || row < 0 || row >= rowCount())
        return;
    std::string& c = m_rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
    if (c == text)
        return;
    c = text;
    changed();
}

bool SegmentGrid::rowBlank(int row) const
{
    return winpath::trim(cell(NameColumn, row)).empty() && winpath::trim(cell(IncreaseColumn, row)).empty();
}

void SegmentGrid::swapRows(int a, int b)
{
    if (a < 0 || b < 0 || a >= rowCount() || b >= rowCount() || a == b)
        return;
    std::swap(m_rows[static_cast<std::size_t>(a)], m_rows[static_cast<std::size_t>(b)]);
    changed();
}

void SegmentGrid::removeRow(int row)
{
    if (row < 1 || row >= rowCount())
        return;
    m_rows.erase(m_rows.begin() + row);
    if (rowCount() < 2)
        m_rows.emplace_back();
    m_row = std::min(m_row, lastRow());
    changed();
}

void SegmentGrid::clearSegments()
{
    m_rows.resize(1);
    m_rows.emplace_back();
    m_row = 1;
    changed();
}

void SegmentGrid::setRow(int row)
{
    row = std::clamp(row, 1, lastRow());
    if (row == m_row)
        return;
    m_row = row;
    changed();
}

void SegmentGrid::setEditing(bool on)
{
    if (on == m_editing)
        return;
    m_editing = on;
    changed();
}

bool SegmentGrid::cellEditable(int column, int row) const
{
    return m_editing && column >= 0 && column <= 1 && row >= 1 && row < lastRow();
}

int SegmentGrid::countName(const std::string& text) const
{
    if (winpath::trim(text).empty())
        return 0;
    const std::string wanted = winpath::upper(text);
    return static_cast<int>(std::count_if(m_rows.begin(), m_rows.end(), [&](const auto& r) {
        return winpath::upper(r[NameColumn]) == wanted;
    }));
}

void SegmentGrid::changed()
{
    if (m_onChange)
        m_onChange();
}
