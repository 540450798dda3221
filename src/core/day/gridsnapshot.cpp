#include "gridsnapshot.h"

#include "state.h"

#include <algorithm>

namespace rasp::day {

namespace {

// Rows and classes a snapshot of the grid covers: the lesson rows and the classes in use.
int snapshotRows(const State &state)
{
    return std::clamp(state.max_ur, 0, std::min(state.grid.lastRow(), kMaxRows));
}

int snapshotColumns(const State &state)
{
    return std::clamp(state.klassvis, 0, std::max(state.grid.columnCount() - 1, 0));
}

CellContent contentOf(const Cell &cell)
{
    return CellContent{cell.subject, cell.room, cell.caption, cell.style, cell.cover};
}

// Writes a cell's content back; the subject field shows exactly when the cell is free.
void putContent(Cell &cell, const CellContent &content)
{
    cell.subject = content.subject;
    cell.room = content.room;
    cell.caption = content.caption;
    cell.style = content.style;
    cell.cover = content.cover;
}

} // namespace

GridSnapshot TakeGridSnapshot(const State &state)
{
    GridSnapshot s;
    s.rows = snapshotRows(state);
    s.columns = snapshotColumns(state);
    s.cells.reserve(std::size_t(s.rows) * std::size_t(s.columns));
    for (int i = 1; i <= s.rows; ++i)
        for (int j = 1; j <= s.columns; ++j)
            s.cells.push_back(contentOf(state.grid.cell(i, j)));
    for (int i = 0; i <= kMaxRows && i <= state.grid.lastRow(); ++i)
        s.frozen[std::size_t(i)] = state.grid.frozen(i);
    s.note = state.note;
    s.pins.reserve(state.pins.size());
    for (const PinEntry &pin : state.pins)
        s.pins.push_back(pin.checked);
    s.absences = state.companion.absences;
    s.looseCovers = state.companion.covers;
    return s;
}

GridChange Difference(const GridSnapshot &before, const GridSnapshot &after)
{
    GridChange change;
    change.rows = before.rows;
    change.columns = before.columns;
    if (before.rows != after.rows || before.columns != after.columns)
        return change;
    for (int i = 1; i <= before.rows; ++i)
        for (int j = 1; j <= before.columns; ++j) {
            const CellContent &a = before.at(i, j);
            const CellContent &b = after.at(i, j);
            if (!(a == b))
                change.cells.push_back(CellChange{i, j, a, b});
        }
    if (before.frozen != after.frozen) {
        change.frozenChanged = true;
        change.frozenBefore = before.frozen;
        change.frozenAfter = after.frozen;
    }
    if (before.note != after.note) {
        change.noteChanged = true;
        change.noteBefore = before.note;
        change.noteAfter = after.note;
    }
    if (before.pins != after.pins && before.pins.size() == after.pins.size()) {
        change.pinsChanged = true;
        change.pinsBefore = before.pins;
        change.pinsAfter = after.pins;
    }
    if (before.absences != after.absences) {
        change.absencesChanged = true;
        change.absencesBefore = before.absences;
        change.absencesAfter = after.absences;
    }
    if (before.looseCovers != after.looseCovers) {
        change.looseCoversChanged = true;
        change.looseCoversBefore = before.looseCovers;
        change.looseCoversAfter = after.looseCovers;
    }
    return change;
}

bool ApplyGridChange(State &state, const GridChange &change, bool after, int templateDay)
{
    if (snapshotRows(state) != change.rows || snapshotColumns(state) != change.columns)
        return false;
    if (change.pinsChanged && change.pinsBefore.size() != state.pins.size())
        return false;
    tmpl::TSetkaMas *day = nullptr;
    if (templateDay >= 1 && templateDay <= 7) {
        day = &state.Setka[std::size_t(templateDay)];
        day->grow(state.max_ur, state.klassvis_mas);
    }
    for (const CellChange &c : change.cells) {
        const CellContent &content = after ? c.after : c.before;
        putContent(state.grid.cell(c.row, c.column), content);
        if (day) {
            day->SetkaMasUr[std::size_t(c.row)][std::size_t(c.column)] = content.subject;
            day->SetkaMasKab[std::size_t(c.row)][std::size_t(c.column)] = content.room;
        }
    }
    if (change.frozenChanged) {
        const auto &frozen = after ? change.frozenAfter : change.frozenBefore;
        for (int i = 0; i <= kMaxRows && i <= state.grid.lastRow(); ++i)
            state.grid.setFrozen(i, frozen[std::size_t(i)]);
    }
    if (change.noteChanged)
        state.note = after ? change.noteAfter : change.noteBefore;
    if (change.pinsChanged) {
        const auto &pins = after ? change.pinsAfter : change.pinsBefore;
        for (std::size_t k = 0; k < pins.size(); ++k)
            state.pins[k].checked = pins[k];
    }
    if (change.absencesChanged)
        state.companion.absences = after ? change.absencesAfter : change.absencesBefore;
    if (change.looseCoversChanged)
        state.companion.covers = after ? change.looseCoversAfter : change.looseCoversBefore;
    return true;
}

} // namespace rasp::day
