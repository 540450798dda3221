#pragma once

#include <QString>
#include <QStringList>

namespace rasp {
struct State;
}

namespace rasp::day {

// The room names of a room text: the first "\" counts as "/", the text is cut at the first "/"
// into at most two names, and empty names are dropped ("12/14" and "12\14" give 12 and 14).
QStringList RoomNames(const QString &text);

// ind 1: recolours every room text of the day, red where a room is used twice in its row
// (strok and kabinet unused). ind 2: returns 1 if room `kabinet` is already used in row
// `strok`, else 0.
int KabPoisk(State &state, int ind, int strok, const QString &kabinet);

// Whether room `kabinet` is already used in row `strok` (KabPoisk's ind 2).
bool RoomTaken(const State &state, int strok, const QString &kabinet);

// The school rooms the room list offers for row `row`, in the order of `rooms`: those that no
// class of the row has as its whole room text and that KabPoisk(2) does not find taken.
QStringList OfferedRooms(const State &state, int row, const QStringList &rooms);

// Height of the room list for n offered rooms: 20 when empty, 19n + 5 up to ten, 190 beyond.
int RoomListHeight(int n);

} // namespace rasp::day
