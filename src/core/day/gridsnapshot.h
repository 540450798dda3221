#pragma once

#include "absences/companion.h"
#include "daygrid.h"

#include <QString>

#include <array>
#include <vector>

namespace rasp {
struct State;
}

namespace rasp::day {

// What an edit of a lesson cell can change and an undo puts back: the texts and the lock state.
// Teacher lists and colours are derived and recomputed after a restore.
struct CellContent {
    QString subject;
    QString room;
    QString caption;
    quint8 style = kStyleFree;
    Cover cover; // the day's cover, which moves and is undone with its lesson

    bool operator==(const CellContent &other) const = default;
};

// The editable side of the day on the grid: every lesson cell (rows 1..rows, classes
// 1..columns), the row freeze toggles, the day's note and the checks of "Не перемещать".
struct GridSnapshot {
    int rows = 0;
    int columns = 0;
    std::vector<CellContent> cells; // row-major
    std::array<bool, kMaxRows + 1> frozen{};
    QString note;
    std::vector<bool> pins;
    std::vector<absences::Absence> absences;      // the day's absences
    std::vector<absences::CoverLine> looseCovers; // covers whose lesson is not on the grid (removed with their absence)

    const CellContent &at(int row, int column) const
    {
        return cells[std::size_t(row - 1) * std::size_t(columns) + std::size_t(column - 1)];
    }
};

// Takes the editable side of the grid as it stands.
GridSnapshot TakeGridSnapshot(const State &state);

// One lesson cell before and after an edit.
struct CellChange {
    int row = 0;
    int column = 0;
    CellContent before;
    CellContent after;
};

// What one edit changed: only the cells that differ, and the freeze toggles, the note and the
// pin checks only when they differ. Small enough to keep many of them in a history.
struct GridChange {
    int rows = 0;
    int columns = 0;
    std::vector<CellChange> cells;
    bool frozenChanged = false;
    std::array<bool, kMaxRows + 1> frozenBefore{};
    std::array<bool, kMaxRows + 1> frozenAfter{};
    bool noteChanged = false;
    QString noteBefore;
    QString noteAfter;
    bool pinsChanged = false;
    std::vector<bool> pinsBefore;
    std::vector<bool> pinsAfter;
    bool absencesChanged = false;
    std::vector<absences::Absence> absencesBefore;
    std::vector<absences::Absence> absencesAfter;
    bool looseCoversChanged = false;
    std::vector<absences::CoverLine> looseCoversBefore;
    std::vector<absences::CoverLine> looseCoversAfter;

    bool empty() const { return cells.empty() && !frozenChanged && !noteChanged && !pinsChanged && !absencesChanged && !looseCoversChanged; }
};

// The change from one snapshot to another of the same grid; a snapshot of another shape (rows or
// classes differ) gives an empty change.
GridChange Difference(const GridSnapshot &before, const GridSnapshot &after);

// Puts one side of a change into the grid (`after` false: the state before the edit, true: the
// state after it). When `templateDay` is 1..7 the subject and room texts are written through into
// that weekday of the template as well, as edits on the template page are. Returns false and
// changes nothing when the grid no longer has the change's shape.
bool ApplyGridChange(State &state, const GridChange &change, bool after, int templateDay = 0);

} // namespace rasp::day
