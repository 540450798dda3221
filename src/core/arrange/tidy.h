#pragma once

#include "arrange/analysis.h"
#include "arrange/tpodbor.h"

#include <QString>

namespace rasp::arrange {

// The three tidying operations change the working copy (itog_*) of the snapshot in place; the
// run's snapshot is large, so it is not copied in and out. Locked cells stay where they are and
// are jumped over; a cell is empty when its subject text equals `pust`.

// Moves the lesson of class c from row s to row t; row s is left empty with the free style.
void MoveLesson(TPodbor &rasp, const QString &pust, int c, int s, int t);

// Packs every class whose day is unacceptable upward over all lesson rows 1..max_ur.
void RaspUp(const Options &options, TPodbor &rasp, const QString &pust);

// Packs class jj upward within rows 1..R.
void RaspKlassUp(const Options &options, TPodbor &rasp, const QString &pust, int jj);

// Packs class jj against row R, then pulls its lessons up so that they start at row P + 1.
void RaspKlassDown(const Options &options, TPodbor &rasp, const QString &pust, int jj);

} // namespace rasp::arrange
