#pragma once

#include "arrange/analysis.h"
#include "arrange/tpodbor.h"
#include "daymodel.h"

#include <QString>

namespace rasp::arrange::exact {

// What is wrong with a placement as a day of the model; empty when nothing is: every class's
// lessons, with its locked lessons of rows 1..R, one unbroken run that starts at one of its
// possible rows; every kind placed exactly as often as the class has it; no lesson on a locked
// row; no two lessons (locked ones included) of one teacher token in a row. Cheap enough to run
// on every day a search offers.
QString CheckPlacement(const DayModel &model, const Placement &placement);

// What is wrong with `after` (a working copy) as an arrangement of `before`; empty when nothing
// is. The run's own finish test (Sootv over rows 1..R, SootvKlassa for every class), every
// class's lessons kept whole (the multiset of subject, room, teachers and style), locked cells
// untouched and no lesson below row R.
QString CheckDay(const TPodbor &before, const TPodbor &after, const Options &options);

} // namespace rasp::arrange::exact
