#pragma once

#include "reports/exportlayout.h"

#include <QString>

namespace rasp {
struct State;
}

namespace rasp::day {
struct Cell;
}

// Cell readers and cell makers shared by the day and the template export layouts.
namespace rasp::reports::detail {

// Number of first-shift classes, limited to the school's classes.
int firstShiftClasses(const State &state);
// Number of first-shift rows, limited to the school's rows.
int firstShiftRows(const State &state);
// Number of classes the export reads, limited to the grid.
int classes(const State &state);
// The grid cell at (row, column); null outside the grid.
const day::Cell *gridCell(const State &state, int row, int column);
// The class name of a column (row 0); empty outside the grid.
QString className(const State &state, int column);
// Subject + CR LF + room of a lesson cell.
QString lessonText(const State &state, int row, int column);

// A bold text cell of the given font size (0 = the sheet's or table's own).
LayoutCell boldText(const QString &text, int size = 0);
// A bold whole-number cell.
LayoutCell boldNumber(int n);
// A plain text cell.
LayoutCell plain(const QString &text);
// The weekday name of a template block: bold and running upward.
LayoutCell weekdayName(int k, int size);

} // namespace rasp::reports::detail
