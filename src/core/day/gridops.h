#pragma once

namespace rasp {
struct State;
}

namespace rasp::day {

// Appends one class column to the grid (column 0 on the first call), with its class-name field
// and an empty subject field per teacher in the load, and counts it in klassvis.
// The caller fills the class name and recomputes what depends on the classes.
int KlassCreate(State &state);

// Empties the day: every lesson cell free, empty and neutral, every row unfrozen.
// The second-shift locking that follows a clear is applied by the caller.
void RaspClear(State &state);

// Moves the selection frame to cell (row, column).
void RamkaKoord(State &state, int row, int column);

// Whether the subject field of (row, column) is shown: free lesson cells and the class headers.
bool SubjectVisible(const State &state, int row, int column);

} // namespace rasp::day
