#pragma once

#include "absences/companion.h"

namespace rasp {
struct State;
}

namespace rasp::absences {

// The grid column of a class name (the first column of that name), or 0 when none has it.
int ColumnOfClass(const State &state, const QString &className);

// Puts a companion onto the shown day: its absences into state.companion, each cover into the
// cell of its row and class (a cover whose lesson is not on the grid, or whose cell is empty,
// stays in state.companion).
void ApplyCompanion(State &state, const Companion &companion);

// The companion of the shown day: its absences, the covers of the cells in row then column order,
// then the covers with no cell and the sections kept from the file.
Companion CompanionOfDay(const State &state);

// Reads the companion file of the day file at `dayPath` onto the grid the day was just read into
// (after day::RaspLoad). A missing file means no absences; one that cannot be read or understood
// leaves the day without absences, is remembered (State::unreadableCompanions) so a save leaves
// it alone, and returns false with its Russian error.
bool LoadCompanion(State &state, const QString &dayPath, QString *error = nullptr);

// Forgets the shown day's absences and covers (a day without companion, a template on the grid).
void ClearCompanion(State &state);

// Writes the companion file of the day file at `dayPath` (after day::RaspSave). A companion
// file that could not be read is never replaced: false with a message naming it. A day with no
// absences, covers or kept sections has no file (an existing one is removed).
bool SaveCompanion(State &state, const QString &dayPath, QString *error = nullptr);

} // namespace rasp::absences
