#pragma once

#include <QString>

namespace rasp::day {

// Hint of a cell's subject field, lock picture and caption: "row;column".
QString CellHint(int row, int column);

// Reads a "row;column" hint; false when the text is not such an address.
bool ParseCellHint(QStringView hint, int *row, int *column);

// Numeric tag of a cell's subject and room fields: (row + 100) * 1000 + 100 + column.
constexpr int CellTag(int row, int column) { return (row + 100) * 1000 + 100 + column; }

// Row of a cell tag: tag div 1000 - 100.
constexpr int TagRow(int tag) { return tag / 1000 - 100; }

// Column of a cell tag: tag mod 1000 - 100.
constexpr int TagColumn(int tag) { return tag % 1000 - 100; }

} // namespace rasp::day
