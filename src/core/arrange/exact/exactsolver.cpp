#include "exactsolver.h"

#include "assignmentmip.h"
#include "corereason.h"
#include "costsearch.h"
#include "daycheck.h"
#include "encoding.h"
#include "refutations.h"

#include <QElapsedTimer>

#include <algorithm>
#include <map>
#include <random>
#include <set>
#include <thread>

using namespace Qt::Literals::StringLiterals;

namespace rasp::arrange::exact {

namespace {

// The start of the reason when a search produced a day that fails the checks (a fault of the
// search, never offered to the user).
const QString kFaultyDay = u"Найденное расписание не прошло проверку, оно не применено: "_s;

// Tries of the neighbourhood search in a row without a better day after which it gives way to
// branch and cut.
constexpr int kFruitlessNeighbourhoods = 30;

// A lesson of the day as it stands, by class index and row.
using Spot = std::pair<int, int>;

// The classes that cannot simply keep their day: a bad shape, or a lesson in a clash.
std::set<int> classesToFree(const DayModel &model)
{
    std::set<int> out;
    std::map<std::pair<int, int>, std::vector<int>> holders; // (token, row) -> class indexes
    const auto &classes = model.classes();
    for (int ci = 0; ci < int(classes.size()); ++ci) {
        const ClassModel &c = classes[std::size_t(ci)];
        if (!c.currentValid)
            out.insert(ci);
        for (const LockedCell &l : c.locked)
            for (const int t : l.tokens)
                holders[{t, l.row}].push_back(-1);
        for (const LessonKind &k : c.kinds)
            for (const int r : k.rows)
                for (const int t : k.tokens)
                    if (r <= model.lastRow())
                        holders[{t, r}].push_back(ci);
    }
    for (const auto &[key, list] : holders)
        if (list.size() > 1)
            for (const int ci : list)
                if (ci >= 0)
                    out.insert(ci);
    return out;
}

// A lower bound on the moved lessons: sets of lessons of which at least one must move, packed
// greedily so that no two share a lesson. The sets are: a lesson below row R; a lesson in a clash
// with a locked lesson; the two lessons of a clash; all lessons of a class whose day is not
// acceptable as it stands.
int clashBound(const DayModel &model)
{
    const int R = model.lastRow();
    const auto &classes = model.classes();
    std::set<Spot> used;
    int bound = 0;
    std::map<std::pair<int, int>, std::vector<int>> holders; // (token, row) -> class indexes, -1 locked
    for (int ci = 0; ci < int(classes.size()); ++ci) {
        const ClassModel &c = classes[std::size_t(ci)];
        for (const LockedCell &l : c.locked)
            for (const int t : l.tokens)
                holders[{t, l.row}].push_back(-1);
        for (const LessonKind &k : c.kinds)
            for (const int r : k.rows) {
                if (r > R) {
                    used.insert({ci, r});
                    ++bound;
                    continue;
                }
                for (const int t : k.tokens)
                    holders[{t, r}].push_back(ci);
            }
    }
    for (const auto &[key, list] : holders)
        if (std::count(list.begin(), list.end(), -1) > 0)
            for (const int ci : list)
                if (ci >= 0 && used.insert({ci, key.second}).second)
                    ++bound;
    for (const auto &[key, list] : holders) {
        std::vector<int> open;
        for (const int ci : list)
            if (ci >= 0 && !used.count({ci, key.second}))
                open.push_back(ci);
        for (std::size_t n = 0; n + 1 < open.size(); n += 2) {
            used.insert({open[n], key.second});
            used.insert({open[n + 1], key.second});
            ++bound;
        }
    }
    for (int ci = 0; ci < int(classes.size()); ++ci) {
        const ClassModel &c = classes[std::size_t(ci)];
        if (c.currentValid)
            continue;
        bool disjoint = true;
        for (const LessonKind &k : c.kinds)
            for (const int r : k.rows)
                disjoint = disjoint && !used.count({ci, r});
        if (disjoint && c.movable > 0) {
            for (const LessonKind &k : c.kinds)
                for (const int r : k.rows)
                    used.insert({ci, r});
            ++bound;
        }
    }
    return bound;
}

} // namespace

Result SolveExact(TPodbor &rasp, const Options &options, const QStringList &classNames, const Limits &limits)
{
    QElapsedTimer clock;
    clock.start();
    Result result;
    const DayModel model(rasp, options, classNames);
    const auto finish = [&](Status status) {
        result.status = status;
        result.ms = clock.elapsed();
        return result;
    };
    result.reason = Refute(model);
    if (!result.reason.isEmpty())
        return finish(Status::Impossible);

    // Atomic: the search under reduced costs polls `stop` from a second thread as well.
    std::atomic<bool> timedOut = false;
    const std::function<bool()> stop = [&]() {
        if (limits.cancel && limits.cancel->load())
            return true;
        if (clock.elapsed() > limits.timeLimitMs) {
            timedOut = true;
            return true;
        }
        return false;
    };
    const auto cancelled = [&]() { return limits.cancel && limits.cancel->load(); };
    Progress progress;
    const auto report = [&]() {
        progress.ms = clock.elapsed();
        if (limits.progress)
            limits.progress(progress);
    };

    Encoding enc(model);
    const int classCount = int(model.classes().size());
    std::set<int> freed = classesToFree(model);
    for (int ci = 0; ci < classCount; ++ci)
        if (enc.keepLiteral(ci) == 0)
            freed.insert(ci);
    // Assumptions that keep every class outside `freed`.
    const auto keepOthers = [&]() {
        std::vector<int> a;
        for (int ci = 0; ci < classCount; ++ci)
            if (!freed.count(ci))
                a.push_back(enc.keepLiteral(ci));
        return a;
    };
    // Frees the kept classes that the last refutation used; false when it used none of them.
    const auto widen = [&]() {
        bool grew = false;
        for (int ci = 0; ci < classCount; ++ci)
            if (!freed.count(ci) && enc.failed(enc.keepLiteral(ci))) {
                freed.insert(ci);
                grew = true;
            }
        return grew;
    };

    // Every lesson's "stays" literal; lessons that cannot stay always count as moved.
    std::vector<int> stays;
    int alwaysMoved = 0;
    for (int ci = 0; ci < classCount; ++ci)
        for (const int s : enc.stayLiterals(ci)) {
            if (s == 0)
                ++alwaysMoved;
            else
                stays.push_back(s);
        }

    // A first day: free only what must change, widen by the solver's reasons while none exists.
    for (;;) {
        const int r = enc.solve(keepOthers(), stop);
        if (r == 10)
            break;
        if (r == 0)
            return finish(cancelled() ? Status::Cancelled : Status::Timeout);
        if (!widen()) {
            result.reason = ExplainNoDay(model, stop);
            return finish(Status::Impossible);
        }
    }
    Placement best = enc.placement();
    int upper = alwaysMoved;
    for (const int s : stays)
        upper += enc.value(s) ? 0 : 1;
    if (const QString fault = CheckPlacement(model, best); !fault.isEmpty()) {
        result.reason = kFaultyDay + fault;
        return finish(Status::Timeout);
    }
    progress.best = upper;
    report();
    progress.lowerBound = std::min(std::max(clashBound(model), alwaysMoved), upper);
    report();

    // Takes a day of a SAT solver (the encoding `from`, numbered as `enc`) when it moves fewer
    // lessons than the best so far and passes the checks.
    const auto takeDayOf = [&](const Encoding &from) {
        int count = alwaysMoved;
        for (const int s : stays)
            count += from.value(s) ? 0 : 1;
        if (count >= upper)
            return;
        Placement p = from.placement();
        if (!CheckPlacement(model, p).isEmpty())
            return;
        best = std::move(p);
        upper = count;
        progress.best = upper;
        report();
    };
    const auto takeSatDay = [&]() { takeDayOf(enc); };

    // Then the assignment program on CBC. Its linear relaxation's value rounded up is a bound,
    // nearly always the fewest on real days. Its reduced costs then raise the bound by proof and
    // find a day that meets it (CostSearch); failing that, its (nearly integral) day
    // guides the SAT solver: its values become the solver's phases and the lessons it keeps in
    // their rows are assumed to stay, less those a refutation names, until a day is found, and
    // a neighbourhood search improves it. Branch and cut then goes on from
    // the best day, lowering the moved lessons and raising the bound until they meet. Every
    // better day is checked before it is taken; the bound only ever rises.
    if (upper > progress.lowerBound && !timedOut && !cancelled()) {
        const AssignmentMip mip(model);
        const int R = model.lastRow();
        MipHooks hooks;
        // A large-neighbourhood search on the SAT solver: a class whose best day moves a lesson
        // the relaxation keeps, with the classes sharing a teacher with it, is freed while every
        // other lesson that stays keeps staying, under a counter that asks for fewer moves among
        // the freed lessons. Up to a third of the remaining time, or until a run of tries brings
        // nothing; branch and cut gets the rest.
        std::vector<std::vector<int>> stayOfClass(static_cast<std::size_t>(classCount));
        for (int ci = 0; ci < classCount; ++ci)
            for (const int s : enc.stayLiterals(ci))
                if (s != 0)
                    stayOfClass[std::size_t(ci)].push_back(s);
        std::map<int, std::set<int>> classesOfToken;
        for (int ci = 0; ci < classCount; ++ci)
            for (const LessonKind &k : model.classes()[std::size_t(ci)].kinds)
                for (const int t : k.tokens)
                    classesOfToken[t].insert(ci);
        const auto improveByNeighbourhoods = [&](const Relaxation &lp) {
            const qint64 until = clock.elapsed() + (limits.timeLimitMs - clock.elapsed()) / 3;
            std::vector<char> bestStays(std::size_t(enc.maxVar() + 1), 0);
            // Which lessons stay in the best day, by their "stays" variable.
            const auto rememberBest = [&]() {
                for (int ci = 0; ci < classCount; ++ci) {
                    const ClassModel &c = model.classes()[std::size_t(ci)];
                    for (int k = 0; k < int(c.kinds.size()); ++k)
                        for (const int r : c.kinds[std::size_t(k)].rows)
                            if (r <= R && enc.kindVar(ci, k, r) != 0)
                                bestStays[std::size_t(enc.kindVar(ci, k, r))] = best[std::size_t(ci)][std::size_t(r)] == k ? 1 : 0;
                }
            };
            rememberBest();
            std::mt19937 pick(1);
            int sinceBetter = 0;
            while (upper > progress.lowerBound && !timedOut && !cancelled() && clock.elapsed() < until
                   && sinceBetter < kFruitlessNeighbourhoods) {
                // Seeds: classes with a moved lesson the relaxation keeps in its row.
                std::vector<int> seeds;
                for (int ci = 0; ci < classCount; ++ci) {
                    const ClassModel &c = model.classes()[std::size_t(ci)];
                    bool wanted = false;
                    for (int k = 0; k < int(c.kinds.size()) && !wanted; ++k)
                        for (const int r : c.kinds[std::size_t(k)].rows) {
                            const int v = r <= R ? enc.kindVar(ci, k, r) : 0;
                            const int col = r <= R ? mip.column(ci, k, r) : -1;
                            if (v != 0 && col >= 0 && !bestStays[std::size_t(v)] && lp.values[std::size_t(col)] > 0.5)
                                wanted = true;
                        }
                    if (wanted)
                        seeds.push_back(ci);
                }
                if (seeds.empty())
                    break;
                const int seed = seeds[pick() % seeds.size()];
                std::set<int> freed{seed};
                std::vector<int> near;
                for (const LessonKind &k : model.classes()[std::size_t(seed)].kinds)
                    for (const int t : k.tokens)
                        for (const int ci : classesOfToken[t])
                            if (ci != seed)
                                near.push_back(ci);
                std::shuffle(near.begin(), near.end(), pick);
                for (std::size_t n = 0; n < near.size() && freed.size() < 8; ++n)
                    freed.insert(near[n]);
                std::vector<int> movedLits, assumptions;
                int movedHere = 0;
                for (int ci = 0; ci < classCount; ++ci)
                    for (const int s : stayOfClass[std::size_t(ci)]) {
                        if (freed.count(ci)) {
                            movedLits.push_back(-s);
                            movedHere += bestStays[std::size_t(s)] ? 0 : 1;
                        } else if (bestStays[std::size_t(s)]) {
                            assumptions.push_back(s);
                        }
                    }
                if (movedHere == 0) {
                    ++sinceBetter;
                    continue;
                }
                const std::vector<int> counter = enc.addAtMostCounter(movedLits, movedHere);
                assumptions.push_back(-counter[std::size_t(movedHere - 1)]);
                const int before = upper;
                if (enc.solve(assumptions, stop, 3000) == 10) {
                    takeSatDay();
                    if (upper < before)
                        rememberBest();
                }
                sinceBetter = upper < before ? 0 : sinceBetter + 1;
            }
        };
        // The relaxation's values as the solver's phases, and the lessons it keeps in their rows.
        std::vector<int> phases, kept;
        // The search under the relaxation's reduced costs: its second thread proves bounds and
        // finds days while the days near the relaxation are searched here; this thread joins in
        // after them.
        std::atomic<qint64> costsUntil = limits.timeLimitMs;
        std::unique_ptr<CostSearch> costs;
        hooks.beforeNearSearch = [&](const Relaxation &lp) {
            for (int ci = 0; ci < classCount; ++ci) {
                const ClassModel &c = model.classes()[std::size_t(ci)];
                for (int k = 0; k < int(c.kinds.size()); ++k)
                    for (int r = 1; r <= R; ++r) {
                        const int v = enc.kindVar(ci, k, r);
                        const int col = mip.column(ci, k, r);
                        if (v == 0 || col < 0)
                            continue;
                        const double x = lp.values[std::size_t(col)];
                        phases.push_back(x > 0.5 ? v : -v);
                        const auto &rows = c.kinds[std::size_t(k)].rows;
                        if (x > 0.999 && std::binary_search(rows.begin(), rows.end(), r))
                            kept.push_back(v);
                    }
            }
            CostSearchHooks costHooks;
            costHooks.stop = [&]() { return stop() || clock.elapsed() > costsUntil.load(); };
            costHooks.best = [&]() { return upper; };
            costHooks.onBound = [&](int bound) {
                if (bound > progress.lowerBound) {
                    progress.lowerBound = std::min(bound, upper);
                    report();
                }
            };
            costHooks.takeDay = takeDayOf;
            costHooks.phases = phases;
            const bool twoThreads = std::thread::hardware_concurrency() >= 2;
            costs = std::make_unique<CostSearch>(model, mip, lp, std::move(costHooks));
            if (upper > lp.lowerBound && twoThreads)
                costs->startDays();
        };
        // What the second thread found is taken whenever the searches here poll their stop test;
        // they stop once the bound meets the best day.
        hooks.stop = [&]() {
            if (costs)
                costs->takeNews();
            return stop() || upper <= progress.lowerBound;
        };
        hooks.onRelaxation = [&](Relaxation &lp) -> const Placement * {
            if (!costs)
                return &best;
            if (upper <= lp.lowerBound) {
                costs->stopDays();
                return &best;
            }
            enc.preferTrue(phases);
            // The reduced costs' proofs: a bound raised and a day that meets it, within seven
            // eighths of the remaining time.
            costsUntil = clock.elapsed() + (limits.timeLimitMs - clock.elapsed()) * 7 / 8;
            lp.lowerBound = costs->prove();
            if (upper <= lp.lowerBound)
                return &best;
            for (int round = 0; round < 50 && !timedOut && !cancelled(); ++round) {
                const int r = enc.solve(kept, stop, 20000);
                if (r == 10) {
                    takeSatDay();
                    break;
                }
                if (r != 20)
                    break;
                std::vector<int> rest;
                for (const int a : kept)
                    if (!enc.failed(a))
                        rest.push_back(a);
                if (rest.size() == kept.size())
                    break;
                kept = std::move(rest);
            }
            improveByNeighbourhoods(lp);
            return &best;
        };
        hooks.onDay = [&](const Placement &p, int moved) {
            if (moved >= upper || !CheckPlacement(model, p).isEmpty())
                return false;
            best = p;
            upper = moved;
            progress.best = upper;
            progress.lowerBound = std::min(progress.lowerBound, upper);
            report();
            return true;
        };
        hooks.onBound = [&](int bound) {
            if (bound > progress.lowerBound) {
                progress.lowerBound = std::min(bound, upper);
                report();
            }
        };
        const double seconds = double(std::max<qint64>(limits.timeLimitMs - clock.elapsed(), 1)) / 1000.0;
        const MipOutcome outcome = mip.solve(&best, seconds, hooks);
        if (costs)
            costs->stopDays();
        if (outcome.proven && outcome.hasDay && outcome.moved == upper && !cancelled() && !timedOut) {
            progress.lowerBound = upper;
            report();
        }
    }

    // The day is offered only when it passes the run's own finish test on the working copy.
    TPodbor after = rasp;
    ApplyPlacement(model, best, after);
    if (const QString fault = CheckDay(rasp, after, options); !fault.isEmpty()) {
        result.reason = kFaultyDay + fault;
        return finish(Status::Timeout);
    }
    rasp = after;
    result.moved = MovedLessons(model, best);
    result.movedCount = upper;
    result.lowerBound = progress.lowerBound;
    result.optimal = upper == progress.lowerBound;
    result.stopped = cancelled();
    return finish(Status::Solved);
}

} // namespace rasp::arrange::exact
