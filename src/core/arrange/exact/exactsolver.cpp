#include "exactsolver.h"

#include "encoding.h"
#include "refutations.h"

#include <QElapsedTimer>

#include <algorithm>
#include <map>
#include <random>
#include <set>

using namespace Qt::Literals::StringLiterals;

namespace rasp::arrange::exact {

namespace {

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

    bool timedOut = false;
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

    // Every lesson's "stays" literal, with its class and the tokens of its teachers; lessons that
    // cannot stay always count as moved.
    std::vector<int> stays;
    std::vector<int> stayClass;
    std::vector<std::vector<int>> stayTokens;
    int alwaysMoved = 0;
    for (int ci = 0; ci < classCount; ++ci) {
        const ClassModel &c = model.classes()[std::size_t(ci)];
        std::size_t n = 0;
        for (const LessonKind &k : c.kinds)
            for (std::size_t m = 0; m < k.rows.size(); ++m, ++n) {
                const int s = enc.stayLiterals(ci)[n];
                if (s == 0) {
                    ++alwaysMoved;
                    continue;
                }
                stays.push_back(s);
                stayClass.push_back(ci);
                stayTokens.push_back(k.tokens);
            }
    }
    std::map<int, std::vector<int>> classesOfToken;
    for (std::size_t n = 0; n < stays.size(); ++n)
        for (const int t : stayTokens[n])
            classesOfToken[t].push_back(stayClass[n]);

    // A first day: free only what must change, widen by the solver's reasons while none exists.
    for (;;) {
        const int r = enc.solve(keepOthers(), stop);
        if (r == 10)
            break;
        if (r == 0)
            return finish(cancelled() ? Status::Cancelled : Status::Timeout);
        if (!widen()) {
            result.reason = u"Расстановки без совпадений учителей нет: ни одна перестановка уроков внутри классов не убирает все совпадения"_s;
            return finish(Status::Impossible);
        }
    }
    Placement best;
    std::vector<char> bestStays(stays.size(), 0);
    int upper = 0;
    // Takes the solver's current day when it moves fewer lessons than the best so far.
    const auto takeModel = [&](bool first) {
        int count = alwaysMoved;
        for (const int s : stays)
            count += enc.value(s) ? 0 : 1;
        if (!first && count >= upper)
            return;
        best = enc.placement();
        upper = count;
        for (std::size_t n = 0; n < stays.size(); ++n)
            bestStays[n] = enc.value(stays[n]) ? 1 : 0;
        progress.best = upper;
        report();
    };
    takeModel(true);
    progress.lowerBound = std::min(std::max(clashBound(model), alwaysMoved), upper);
    report();
    // From here on the solver tries "stays" first (before the first day it slows the search).
    enc.preferTrue(stays);

    // Lower bounds from cores: every lesson is asked to stay; a refutation names a set of them of
    // which one at least must move, so the bound grows by one, and those lessons are replaced by a
    // counter that allows one of them to move (then two, ...). A day found under these
    // assumptions moves exactly as many lessons as the bound: it is the fewest.
    std::vector<int> softs = stays;
    std::map<int, std::pair<std::size_t, std::size_t>> counterOf; // soft literal -> counter, output
    std::vector<std::vector<int>> counters;
    int coreBound = alwaysMoved;
    int coreConflicts = 1000;
    bool coresDone = false;
    // Day improvements: a moved lesson is asked back into its row while every lesson that stays
    // in the best day keeps staying, or, failing that, while only the classes that share a teacher
    // with it may change.
    std::vector<std::size_t> candidates;
    std::size_t cursor = 0;
    int sinceImprovement = 0;
    std::mt19937 shuffle(1);

    while (upper > progress.lowerBound && !timedOut && !cancelled()) {
        if (!coresDone) {
            const int r = enc.solve(softs, stop, coreConflicts);
            if (r == 10) {
                takeModel(false);
                coresDone = true;
                if (upper <= coreBound)
                    progress.lowerBound = upper;
                report();
                continue;
            }
            if (r == 20) {
                std::vector<int> core;
                std::vector<int> rest;
                for (const int s : softs)
                    (enc.failed(s) ? core : rest).push_back(s);
                if (core.empty()) {
                    coresDone = true;
                    continue;
                }
                ++coreBound;
                if (coreBound > progress.lowerBound) {
                    progress.lowerBound = std::min(coreBound, upper);
                    report();
                }
                softs = std::move(rest);
                for (const int s : core) {
                    const auto it = counterOf.find(s);
                    if (it == counterOf.end())
                        continue;
                    const auto [counter, output] = it->second;
                    if (output + 1 < counters[counter].size()) {
                        const int next = -counters[counter][output + 1];
                        softs.push_back(next);
                        counterOf[next] = {counter, output + 1};
                    }
                }
                if (core.size() > 1) {
                    std::vector<int> violated;
                    for (const int s : core)
                        violated.push_back(-s);
                    counters.push_back(enc.addAtMostCounter(violated, int(core.size())));
                    const int next = -counters.back()[1];
                    softs.push_back(next);
                    counterOf[next] = {counters.size() - 1, 1};
                }
                continue;
            }
            if (timedOut || cancelled())
                break;
            coreConflicts *= 2;
        }

        // A few improvement tries between two core steps.
        for (int tries = 0; tries < 20 && !timedOut && !cancelled() && upper > progress.lowerBound; ++tries) {
            if (cursor >= candidates.size()) {
                candidates.clear();
                for (std::size_t n = 0; n < stays.size(); ++n)
                    if (!bestStays[n])
                        candidates.push_back(n);
                std::shuffle(candidates.begin(), candidates.end(), shuffle);
                cursor = 0;
                if (candidates.empty())
                    break;
            }
            const std::size_t cand = candidates[cursor++];
            if (bestStays[cand])
                continue;
            std::vector<int> assumptions;
            for (std::size_t n = 0; n < stays.size(); ++n)
                if (bestStays[n])
                    assumptions.push_back(stays[n]);
            assumptions.push_back(stays[cand]);
            int r = enc.solve(assumptions, stop, 300);
            if (r != 10 && !timedOut && !cancelled()) {
                std::set<int> near;
                for (const int t : stayTokens[cand])
                    for (const int ci : classesOfToken[t])
                        near.insert(ci);
                assumptions.clear();
                for (std::size_t n = 0; n < stays.size(); ++n)
                    if (bestStays[n] && !near.count(stayClass[n]))
                        assumptions.push_back(stays[n]);
                assumptions.push_back(stays[cand]);
                r = enc.solve(assumptions, stop, 300);
            }
            if (r == 10) {
                const int before = upper;
                takeModel(false);
                sinceImprovement = upper < before ? 0 : sinceImprovement + 1;
            } else {
                ++sinceImprovement;
            }
        }
        if (coresDone && sinceImprovement > int(stays.size()) * 2)
            break; // nothing more to gain by asking lessons back one at a time
    }
    if (cancelled())
        return finish(Status::Cancelled);

    ApplyPlacement(model, best, rasp);
    result.moved = MovedLessons(model, best);
    result.movedCount = upper;
    result.lowerBound = progress.lowerBound;
    result.optimal = upper == progress.lowerBound;
    return finish(Status::Solved);
}

} // namespace rasp::arrange::exact
