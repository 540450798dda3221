#pragma once

// A bare grid for the core tests of the day: classes with names and empty lesson rows.
#include "day/gridops.h"
#include "state.h"

namespace baregrid {

// A bare grid of `classes` classes named "К1", "К2", ... and `maxUr` rows.
inline rasp::State grid(int classes, int maxUr = 6)
{
    rasp::State s;
    s.max_ur = maxUr;
    rasp::BuildPlaceholders(s);
    for (int j = 1; j <= classes; ++j) {
        rasp::day::KlassCreate(s);
        s.grid.cell(0, j).subject = QStringLiteral("К") + QString::number(j);
    }
    return s;
}

} // namespace baregrid
