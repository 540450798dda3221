#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace rasp {
struct State;
}

namespace rasp::load {

inline constexpr int kMaxTeachers = 1000; // teacher rows the reader builds at most
inline constexpr int kPaletteSize = 18;   // colour numbers run 1..18

// The subject index: for every subject taught anywhere, the teachers who teach it.
// predmet[k] is a subject as written in the load; uchitel[k] the names of its teachers, each
// followed by "," (two teachers A and B give "A,B,"), in the order the reader met them.
struct TUchPredm {
    QStringList uchitel;
    QStringList predmet;
    int Count = 0;
};

// One teacher row of the load: the name field's text and its hint, the colour number 1..18.
struct PedFioField {
    QString name;
    int colour = 0;
};

// Subject lines of one teacher in one class: one subject per line, empty lines carry nothing.
using PredmetLines = QStringList;

// Appends one teacher row (empty name, the next colour number of the collor cycle, an empty
// subject field per class column) and counts it in pedvis; returns its number.
int PedCreate(State &state);

// Grows the class side of the load to the grid's columns: a class-name field and, for every
// teacher row, an empty subject field per new column. Called when a class column is built.
void GrowClassColumns(State &state);

// With "RaspUrPredm", empties the subject index and every teacher's subject fields; any other
// value does nothing. (The window empties its two subject lists alongside.)
void masClear(State &state, QStringView tipp);

// The index's subjects in list order (text::ListTextLess, equal ones in index order).
QStringList SortedSubjects(const TUchPredm &index);

} // namespace rasp::load
