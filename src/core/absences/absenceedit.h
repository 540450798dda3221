#pragma once

#include "absences/covermodel.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace rasp {
struct State;
}

namespace rasp::absences {

// Records a teacher away for rows from..to with a reason, replacing an absence of the same
// teacher. An empty text, rows outside 1..max_ur or a field the file cannot hold give the Russian
// reason and change nothing.
QString MarkAbsent(State &state, const QString &teacher, int from, int to, const QString &reason);

// Removes a teacher's absence and every cover made for it; returns how many covers went, or -1
// when the teacher has no absence that day.
int RemoveAbsence(State &state, const QString &teacher);

// The covers that an absence's removal would take with it.
int CoversOfAbsent(const State &state, const QString &teacher);

// Does one option to its open lesson: a cover by a teacher, another subject (the cell's subject
// changes and the cover records its teacher), a move (the class's last lesson into the row, or a
// swap of the two lessons with their covers) or a cancellation (the cell emptied). Teacher lists
// are stale afterwards: the caller refreshes the day.
void ApplyOption(State &state, const OpenLesson &lesson, const Option &option);

// Does the chosen option of every open lesson (see ApplyOption); they touch different cells.
void ApplyChoice(State &state, const CoverModel &model, const std::vector<int> &chosen);

// Warnings for covers whose covering teacher is no longer in the load (the cover is kept).
QStringList CoverWarnings(const State &state);

} // namespace rasp::absences
