#pragma once
// The segment grid of the command file editor: two columns (name, increase), a heading row 0
// and one row per segment, always ending in an empty entry row that "Add" fills.
#include <array>
#include <functional>
#include <string>
#include <vector>

class SegmentGrid {
public:
    static constexpr int NameColumn = 0;
    static constexpr int IncreaseColumn = 1;

    SegmentGrid();

    int rowCount() const { return static_cast<int>(m_rows.size()); }
    // Never fewer than the heading and the entry row; new rows are empty.
    void setRowCount(int rows);
    int lastRow() const { return rowCount() - 1; }

    // "" outside the grid.
    const std::string& cell(int column, int row) const;
    void setCell(int column, int row, const std::string& text);
    // Both cells empty after trimming.
    bool rowBlank(int row) const;
    void swapRows(int a, int b);
    // Every row below moves up one; the grid keeps at least two rows.
    void removeRow(int row);
    // Empties every row below the heading and cuts the grid back to heading and entry row.
    void clearSegments();

    // Top row of the selection; the heading cannot be selected.
    int row() const { return m_row; }
    void setRow(int row);

    // In-place editing reaches segment rows only: the heading is fixed, and the entry row is
    // filled by "Add" so that it stays the empty last row.
    bool editing() const { return m_editing; }
    void setEditing(bool on);
    bool cellEditable(int column, int row) const;

    // 0 for a blank text; otherwise the rows, heading included, whose name in upper case
    // equals the text in upper case.
    int countName(const std::string& text) const;

    // Runs after every change of cells, rows, selection or editing.
    void onChange(std::function<void()> fn) { m_onChange = std::move(fn); }

private:
    void changed();

    std::vector<std::array<std::string, 2>> m_rows;
    int m_row = 1;
    bool m_editing = false;
    std::function<void()> m_onChange;
};
