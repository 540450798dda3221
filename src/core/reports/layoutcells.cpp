#include "reports/layoutcells.h"

#include "state.h"
#include "text/datewords.h"

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace rasp::reports::detail {

// Second-shift bounds limited to the school's classes and rows, so that no table reads a cell
// outside the grid whatever the settings file said.
int firstShiftClasses(const State &state)
{
    return std::clamp(state.vt_sm_x, 0, std::max(state.klassvis, 0));
}

// Number of first-shift rows, limited to the school's rows.
int firstShiftRows(const State &state)
{
    return std::clamp(state.vt_sm_y, 0, state.max_ur);
}

// Number of classes the export reads, limited to the grid.
int classes(const State &state)
{
    return std::min(std::max(state.klassvis, 0), state.grid.columnCount() - 1);
}

// The subject of a grid cell; empty outside the grid (a shifted lesson may point past the last row).
const day::Cell *gridCell(const State &state, int row, int column)
{
    if (row < 0 || row > state.max_ur || row > state.grid.lastRow() || column < 0
        || column >= state.grid.columnCount())
        return nullptr;
    return &state.grid.cell(row, column);
}

// The class name of a column (row 0); empty outside the grid.
QString className(const State &state, int column)
{
    const day::Cell *c = gridCell(state, 0, column);
    return c ? c->subject : QString();
}

// Subject + CR LF + room of a lesson cell.
QString lessonText(const State &state, int row, int column)
{
    const day::Cell *c = gridCell(state, row, column);
    return c ? c->subject + u"\r\n"_s + c->room : u"\r\n"_s;
}

// A bold text cell of the given font size.
LayoutCell boldText(const QString &text, int size)
{
    LayoutCell c;
    c.text = text;
    c.bold = true;
    c.size = size;
    return c;
}

// A bold whole-number cell.
LayoutCell boldNumber(int n)
{
    LayoutCell c = boldText(QString::number(n));
    c.number = true;
    return c;
}

// A plain text cell.
LayoutCell plain(const QString &text)
{
    LayoutCell c;
    c.text = text;
    return c;
}

// The weekday name of a template block: bold and running upward.
LayoutCell weekdayName(int k, int size)
{
    LayoutCell c = boldText(text::daySet(k), size);
    c.rotated = true;
    return c;
}

} // namespace rasp::reports::detail
