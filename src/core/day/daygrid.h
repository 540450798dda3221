#pragma once

#include "cell.h"

#include <array>
#include <vector>

namespace rasp::day {

inline constexpr int kMaxRows = 16;     // hard upper bound of lesson rows (row toggles exist for 0..16)
inline constexpr int kMaxClasses = 200; // the arrangement snapshots hold at most 200 classes

// The cells of the day grid, rows 0..max_ur by columns 0..klassvis_mas-1, with the row freeze
// toggles and the selection frame. Stored column by column so adding or removing a class
// moves no other class's cells.
class DayGrid
{
public:
    // Empties the grid and fixes its row count (rows 0..lastRow).
    void setLastRow(int lastRow);
    int lastRow() const { return m_lastRow; }
    int columnCount() const { return m_columns; }

    Cell &cell(int row, int column) { return m_cells[index(row, column)]; }
    const Cell &cell(int row, int column) const { return m_cells[index(row, column)]; }

    // Appends one column of fresh cells; returns its index.
    int appendColumn();
    // Removes column `column`; later columns move one to the left.
    void removeColumn(int column);

    // Freeze toggle of a row: its hint is "1" while frozen and "0" otherwise.
    bool frozen(int row) const { return m_frozen[row]; }
    void setFrozen(int row, bool frozen) { m_frozen[row] = frozen; }
    QString snegHint(int row) const;

    // Selection frame `Ramka`: the cell it encloses and whether it is shown.
    int ramkaRow = 1;
    int ramkaColumn = 1;
    bool ramkaVisible = false;

private:
    qsizetype index(int row, int column) const { return qsizetype(column) * (m_lastRow + 1) + row; }

    int m_lastRow = 0;
    int m_columns = 0;
    std::vector<Cell> m_cells;
    std::array<bool, kMaxRows + 1> m_frozen{};
};

} // namespace rasp::day
