#pragma once

#include <QString>
#include <QtGlobal>

namespace rasp::day {

// Colours are opaque ARGB values throughout.
using Argb = quint32;
inline constexpr Argb kBlack = 0xFF000000u;
inline constexpr Argb kWhite = 0xFFFFFFFFu;
inline constexpr Argb kRed = 0xFFFF0000u;

// Font style byte of a subject field: bit 0 bold, bit 3 strike-out.
inline constexpr quint8 kStyleBold = 0x01;
inline constexpr quint8 kStyleStrike = 0x08;
inline constexpr quint8 kStyleFree = kStyleBold;                  // 1
inline constexpr quint8 kStyleLocked = kStyleBold | kStyleStrike; // 9

// A teacher taking this lesson for the day in place of an absent one (stored in the date's
// companion file); empty when the lesson has no cover. It belongs to the lesson and moves with it.
struct Cover {
    QString teacher; // who teaches the lesson today
    QString kind;    // "по предмету", "не по предмету" or "объединение"
    QString absent;  // the absent teacher it replaces
    QString subject; // the lesson's subject it was made for: another subject typed drops it

    bool empty() const { return teacher.isEmpty(); }
    bool operator==(const Cover &other) const = default;
};

// One cell of the day grid: the data its subject field, room field, background and caption carry.
struct Cell {
    QString subject;  // text of the subject field
    QString room;     // text of the room field
    QString teachers; // teacher list (hint of the room field)
    QString caption;  // locked-cell caption text
    Argb textColour = kBlack;
    Argb background = kWhite;
    Argb roomColour = kBlack;
    quint8 style = kStyleFree;
    bool roomVisible = false;
    Cover cover; // the day's cover of this lesson, if any

    // A cell is locked when its style carries strike-out; the subject field is shown only when free.
    bool locked() const { return (style & kStyleStrike) != 0; }
};

// One entry of the "Не перемещать" list: a subject and whether it is pinned.
struct PinEntry {
    QString text;
    bool checked = false;
};

// Locks a cell: bold + strike-out, the subject copied into the caption.
void LockCell(Cell &cell);

// Unlocks a cell: bold only; the caption keeps its text.
void UnlockCell(Cell &cell);

} // namespace rasp::day
