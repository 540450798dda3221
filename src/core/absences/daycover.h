#pragma once

#include "absences/covermodel.h"

#include <vector>

namespace rasp::absences {

// The whole-day cover: one option per open lesson, together cheapest.
struct DayCover {
    std::vector<int> chosen; // per open lesson, the index of its option in the model
    long long total = 0;     // the total cost (static costs plus the convex fairness)
    bool optimal = false;    // proven cheapest in the model
    bool solved = false;     // a proposal was found (always, unless the solver failed)
    qint64 ms = 0;
    QString error; // Russian, when not solved
};

// The total cost of a choice of one option per open lesson: the options' static costs and, per
// teacher counted, the k-th cover of the month at marginal(k) for the covers the choice adds.
long long TotalCost(const CoverModel &model, const std::vector<int> &chosen);

// Whether a choice respects the model's rules: one teacher at most once in a row (names that
// clash by the grid's rule count as one), each other lesson moved at most once, and cancellations
// only of runs of open first or last lessons.
bool Feasible(const CoverModel &model, const std::vector<int> &chosen);

// Finds the cheapest choice exactly: a mixed-integer model (one binary per option, the teachers'
// rows, the moved lessons and the cancellation runs as constraints, the k-th cover of a teacher
// as a rising cost) solved by CBC, its own output silenced. Ties go to the options ranked first,
// so one open lesson alone gets its top candidate. `seconds` bounds the search; a proposal found
// in time but not proven cheapest has optimal false.
DayCover SolveDayCover(const CoverModel &model, double seconds = 20.0);

} // namespace rasp::absences
