#include "gridops.h"

#include "load/loadmodel.h"
#include "state.h"

namespace rasp::day {

int KlassCreate(State &state)
{
    DayGrid &grid = state.grid;
    if (state.klassvis_mas == 0)
        grid.setLastRow(state.max_ur);
    const int c = grid.appendColumn();
    state.klassvis_mas = c + 1;
    state.klassvis += 1;
    load::GrowClassColumns(state);
    for (int i = 0; i <= state.max_ur; ++i)
        grid.cell(i, c).roomVisible = state.klassvis > 0 && i > 0;
    if (state.klassvis >= 1 && c == 1) {
        grid.ramkaRow = 1;
        grid.ramkaColumn = 1;
    }
    return c;
}

void RaspClear(State &state)
{
    DayGrid &grid = state.grid;
    for (int i = 1; i <= state.max_ur; ++i)
        grid.setFrozen(i, false);
    for (int j = 1; j <= state.klassvis; ++j) {
        for (int i = 1; i <= state.max_ur; ++i) {
            Cell &c = grid.cell(i, j);
            c.subject.clear();
            c.textColour = kBlack;
            c.style = kStyleFree;
            c.background = kWhite;
            c.room.clear();
            c.teachers.clear();
            c.cover = Cover();
        }
    }
}

void RamkaKoord(State &state, int row, int column)
{
    state.grid.ramkaRow = row;
    state.grid.ramkaColumn = column;
}

bool SubjectVisible(const State &state, int row, int column)
{
    if (column < 1 || column > state.klassvis)
        return false;
    return row == 0 || !state.grid.cell(row, column).locked();
}

} // namespace rasp::day
