#pragma once

#include "arrange/analysis.h"
#include "arrange/exact/daymodel.h"
#include "arrange/tpodbor.h"

#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>
#include <vector>

namespace rasp::arrange::exact {

// How an exact arrangement ended.
enum class Status {
    Solved,     // a clash-free day with acceptable classes was found (`optimal` says if proven fewest)
    Impossible, // no such day exists; `reason` says why
    Timeout,    // the time ran out before a day was found or its absence was proven
    Cancelled,  // the caller asked it to stop; nothing was changed
};

// What the search has reached so far, reported after every better day and every new bound.
struct Progress {
    qint64 ms = 0;      // time since the start
    int best = -1;      // fewest moved lessons of a day found so far; -1 before the first
    int lowerBound = 0; // no day moves fewer lessons than this
};

// The limits of one search: wall time, a flag another thread sets to stop it, and a callback
// that is called on the searching thread with each progress report.
struct Limits {
    qint64 timeLimitMs = 10000;
    const std::atomic<bool> *cancel = nullptr;
    std::function<void(const Progress &)> progress;
};

struct Result {
    Status status = Status::Timeout;
    bool optimal = false; // the count of moved lessons is proven to be the fewest possible
    int movedCount = -1;  // lessons whose row changed; -1 without a day
    int lowerBound = 0;
    QString reason; // Russian text for Impossible
    std::vector<MovedLesson> moved;
    qint64 ms = 0;
    bool stopped = false; // Solved although the caller asked to stop: the best day found so far
};

// The exact arrangement of a snapshot's working copy (itog_*): a day on which no two lessons of
// one teacher share a row in 1..R and every class's lessons form one acceptable run, with the
// fewest lessons moved from their rows. Lessons move only within their class and whole; locked
// cells neither move nor receive a lesson; no lesson is left or placed below row R. Cheap proofs
// of impossibility come first; then the day goes to a SAT solver, first with every class kept as
// it stands except those in a clash or of a bad shape, widening the freed classes by the
// solver's reasons while no day is found; then the assignment program's relaxation gives a bound,
// its reduced costs raise it by proof on the SAT solver and find a day that meets it, and branch
// and cut, started from the best day, lowers the moved lessons and raises the bound until they meet. Every day taken
// is checked, the final one against the run's own finish test. A stop asked for after the first
// day returns the best day so far (Solved, `stopped`); before it, Cancelled. On Solved the
// working copy holds the new day; otherwise it is left as it was.
Result SolveExact(TPodbor &rasp, const Options &options, const QStringList &classNames, const Limits &limits);

} // namespace rasp::arrange::exact
