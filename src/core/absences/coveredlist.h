#pragma once

#include "day/cell.h"

#include <QString>
#include <QStringList>
#include <QStringView>

namespace rasp::absences {

// The teachers who really teach a covered lesson, from the teachers the load gives it: the absent
// teacher's place taken by the cover's teacher, or, for a merge (or when the cover's teacher
// already teaches the lesson), the absent teacher dropped. A lesson the load gives no teacher is
// taught by the cover's teacher; one whose teachers do not name the absent teacher keeps them.
QStringList CoveredTeachers(const QStringList &loadTeachers, const day::Cover &cover);

// Whether a teacher list (names joined by ", ") names `teacher`.
bool ListNames(QStringView list, QStringView teacher);

// The names of a teacher list (joined by ", ").
QStringList ListTeachers(const QString &list);

} // namespace rasp::absences
