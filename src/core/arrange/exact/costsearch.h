#pragma once

#include "assignmentmip.h"
#include "daymodel.h"
#include "encoding.h"

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

namespace rasp::arrange::exact {

// The callbacks of the search under reduced costs and the solver's phases. `best`, `takeDay` and
// `onBound` are called on the calling thread only; `stop` is polled from the second thread as
// well when there is one, so it must be safe to call from both. `best` gives the moved lessons
// of the best day so far; `takeDay` receives an encoding that holds a day (the caller checks and
// counts it); `onBound` receives each raised bound; `phases` are the literals each search above
// the relaxation's bound tries true first.
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
// narrow pass keeps open only the terms no heavier than the room at the relaxation's bound
// (quick, often enough for a day); a full pass every term within the room. No day in a full pass
// proves the bound T + 1. The passes come in one sequence: the full pass at the relaxation's
// bound, then per target above it the narrow pass and the full pass. Each runs on a solver of
// its own (what one learns under its closed terms is of no use to the next, and a fresh solver
// proved faster); a pass is dropped, or stopped, once the bound has passed its target or a day
// meets it. When a second thread starts first, it opens with the narrow pass one above the
// bound (the day the other searches miss most), and the full pass at the bound comes next.
//
// One or two threads take the passes in turn: the calling thread in `prove`, and a second one
// from `startDays` on, which may start before the caller is ready to prove (while it searches
// days by other means). What the second thread finds (a day, a bound) waits until the calling
// thread hands it on (`takeNews`, also called from `prove`'s stop test), so every callback
// but `stop` runs on the calling thread. The second thread is told to quit and joined by
// `prove`'s end, `stopDays` and the destructor.
class CostSearch
{
public:
    CostSearch(const DayModel &model, const AssignmentMip &mip, const Relaxation &lp, CostSearchHooks hooks);
    ~CostSearch();
    CostSearch(const CostSearch &) = delete;
    CostSearch &operator=(const CostSearch &) = delete;

    // Starts the second thread (once).
    void startDays();
    // Hands the second thread's day, if one waits, to `takeDay` and a bound it raised to
    // `onBound`; on the calling thread.
    void takeNews();
    // Tells the second thread to quit, waits for it and takes what it left.
    void stopDays();
    // Waits until the second thread has no pass left to take, then takes what it left.
    void waitDays();
    // Takes passes on the calling thread until the bound meets the best day or the stop test
    // says so; returns the bound reached (at least the relaxation's).
    int prove();

private:
    // One pass of the sequence: its target and whether it is narrow.
    struct Pass {
        int target = 0;
        bool narrow = false;
    };
    // The pass at `index` of the sequence: the full pass at the relaxation's bound, then per
    // target above it the narrow and the full pass; with `m_narrowFirst` the narrow pass one
    // above the bound comes before the full pass at the bound.
    Pass passAt(int index) const;
    // The next pass of the sequence no thread has taken and still of use; false when none is.
    bool takePass(Pass &pass);
    // Whether a pass at `target` is of no more use: the bound passed it or a day meets it.
    bool moot(int target) const;
    // Runs `pass` on a solver of its own: 10 with a day in `enc`, 20 when there is none, 0 when
    // stopped.
    int runPass(const Pass &pass, Encoding &enc, const std::function<bool()> &stop) const;
    // The moves of the day in `enc`: the dual bound plus the weights of the terms it pays.
    int movesOf(const Encoding &enc) const;
    // Raises the bound proven to `bound` unless it is higher already (from either thread).
    void raiseProven(int bound);
    // The second thread's loop.
    void searchDays();
    // Tells the second thread to quit and waits for it.
    void joinDays();

    const DayModel &m_model;
    const AssignmentMip &m_mip;
    const Relaxation m_lp; // a copy: the caller's may be gone before the second thread ends
    const CostSearchHooks m_hooks;
    std::atomic<int> m_proven;     // the bound proven so far
    std::atomic<int> m_bestKnown;  // the best day's moves as the calling thread last saw them
    std::atomic<int> m_dayCeiling; // a day of at most this many moves waits to be taken
    int m_reported;                // the bound last passed to `onBound` (calling thread)
    std::atomic<bool> m_quit{false};
    std::atomic<bool> m_daysRunning{false};
    std::mutex m_lock;                      // guards the sequence's cursor and the waiting day
    int m_cursor = 0;                       // the index of the first pass not taken yet
    bool m_narrowFirst = false;             // the sequence opens with the narrow pass above the bound
    std::unique_ptr<Encoding> m_waitingDay; // the second thread's day with its solver
    std::thread m_days;
};

} // namespace rasp::arrange::exact
