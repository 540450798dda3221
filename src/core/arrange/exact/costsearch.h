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
// well when `twoThreads` is set, so it must be safe to call from both. `best` gives the moved
// lessons of the best day so far; `takeDay` receives an encoding that holds a day (the caller
// checks and counts it); `onBound` receives each raised bound; `phases` are the literals each
// search for a day tries true first; `twoThreads` lets the days above the bound be searched on a
// second thread while the calling thread proves the bound.
struct CostSearchHooks {
    std::function<bool()> stop;
    std::function<int()> best;
    std::function<void(const Encoding &)> takeDay;
    std::function<void(int)> onBound;
    std::vector<int> phases;
    bool twoThreads = false;
};

// Days of at most T moves for T from the relaxation's bound up, on the SAT solver, with the
// relaxation's reduced costs as the guide and the proof: such a day pays at most T - dualBound
// in cost terms, so every heavier term is closed and the others are counted by weight. A
// narrow pass keeps open only the terms no heavier than the room at the relaxation's bound
// (quick, often enough for a day); a full pass every term within the room. No day with every
// term open proves the bound T + 1. Each pass runs on a solver of its own (what one learns under
// its closed terms is of no use to the next, and a fresh solver proved faster).
//
// With a second thread (`startDays`), the narrow passes run there from one above the bound up,
// while `prove` runs the full passes on the calling thread; a day the second thread finds waits
// until the calling thread hands it to `takeDay` (`takeWaitingDay`, also called from `prove`'s
// stop test). Without it, `prove` runs a narrow pass before each full pass above the
// relaxation's bound. The second thread is told to quit and joined by `prove`'s end and by the
// destructor.
class CostSearch
{
public:
    CostSearch(const DayModel &model, const AssignmentMip &mip, const Relaxation &lp, CostSearchHooks hooks);
    ~CostSearch();
    CostSearch(const CostSearch &) = delete;
    CostSearch &operator=(const CostSearch &) = delete;

    // Starts the narrow passes on a second thread (once; nothing when a day already meets one
    // above the relaxation's bound).
    void startDays();
    // Hands the day the second thread found, if one waits, to `takeDay`; on the calling thread.
    void takeWaitingDay();
    // Tells the second thread to quit, waits for it and takes the day it may have left.
    void stopDays();
    // The full passes from the relaxation's bound up until the bound meets the best day or the
    // stop test says so; returns the bound reached (at least the relaxation's).
    int prove();

private:
    // The second thread's loop.
    void searchDays();
    // Tells the second thread to quit and waits for it.
    void joinDays();

    const DayModel &m_model;
    const AssignmentMip &m_mip;
    const Relaxation m_lp; // a copy: the caller's may be gone before the second thread ends
    const CostSearchHooks m_hooks;
    std::atomic<int> m_proven;    // the bound proven so far
    std::atomic<int> m_bestKnown; // the best day's moves as the calling thread last saw them
    std::atomic<bool> m_quit{false};
    std::atomic<bool> m_daysRunning{false};
    std::atomic<bool> m_dayWaiting{false};
    std::mutex m_dayLock;
    std::unique_ptr<Encoding> m_waitingDay; // the second thread's day with its solver
    std::thread m_days;
};

// The search under reduced costs from start to end on the calling thread, with the narrow passes
// on a second thread when `hooks.twoThreads` is set; returns the bound reached.
int SearchUnderReducedCosts(const DayModel &model, const AssignmentMip &mip, const Relaxation &lp,
                            const CostSearchHooks &hooks);

} // namespace rasp::arrange::exact
