#pragma once

#include "assignmentmip.h"
#include "daymodel.h"
#include "encoding.h"

#include <functional>

namespace rasp::arrange::exact {

// The callbacks of the search under reduced costs, called on the searching thread, and the
// solver's phases: `stop` is polled; `best` gives the moved lessons of the best day so far;
// `takeDay` receives an encoding that holds a day (the caller checks and counts it); `onBound`
// receives each raised bound; `phases` are the literals each search tries true first.
struct CostSearchHooks {
    std::function<bool()> stop;
    std::function<int()> best;
    std::function<void(const Encoding &)> takeDay;
    std::function<void(int)> onBound;
    std::vector<int> phases;
};

// Days of at most T moves for T from the relaxation's bound up, on the SAT solver, with the
// relaxation's reduced costs as the guide and the proof: such a day pays at most T - dualBound
// in cost terms, so every heavier term is closed and the others are counted by weight. A
// narrow pass first keeps open only the terms no heavier than the room at the relaxation's
// bound (quick, often enough for a day); then every term within the room. No day with every
// term open proves the bound T + 1. Each pass runs on a solver of its own (what one learns under
// its closed terms is of no use to the next, and a fresh solver proved faster). Returns the bound
// reached (at least `lp.lowerBound`).
int SearchUnderReducedCosts(const DayModel &model, const AssignmentMip &mip, const Relaxation &lp,
                            const CostSearchHooks &hooks);

} // namespace rasp::arrange::exact
