#include "exactsolver.h"

#include "encoding.h"
#include "refutations.h"

#include <QElapsedTimer>

#include <algorithm>
#include <map>
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

// The lessons a placement moves, counted the way the result reports them.
int movedCount(const DayModel &model, const Placement &p)
{
    return int(MovedLessons(model, p).size());
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
    Placement best = enc.placement();
    int upper = movedCount(model, best);
    progress.best = upper;
    progress.lowerBound = std::min(clashBound(model), upper);
    report();

    // Fewer moves: a counter over the moved lessons of the freed classes, its bound tightened by
    // an assumption after every better day; a refutation that needed no kept class proves the
    // bound for the whole day.
    std::vector<int> outputs;
    int fixedMoves = 0; // lessons of the freed classes that cannot stay, so always move
    bool rebuild = true;
    while (upper > progress.lowerBound && !timedOut && !cancelled()) {
        if (rebuild) {
            std::vector<int> moved;
            fixedMoves = 0;
            for (const int ci : freed)
                for (const int s : enc.stayLiterals(ci)) {
                    if (s == 0)
                        ++fixedMoves;
                    else
                        moved.push_back(-s);
                }
            outputs = enc.addAtMostCounter(moved, upper - fixedMoves);
            rebuild = false;
        }
        const int allowed = upper - 1 - fixedMoves; // moves the counter may still allow
        if (allowed < 0) {
            progress.lowerBound = upper;
            break;
        }
        std::vector<int> assumptions = keepOthers();
        if (allowed < int(outputs.size()))
            assumptions.push_back(-outputs[std::size_t(allowed)]);
        const int r = enc.solve(assumptions, stop);
        if (r == 0)
            break;
        if (r == 10) {
            Placement p = enc.placement();
            const int count = movedCount(model, p);
            if (count < upper) {
                best = std::move(p);
                upper = count;
                progress.best = upper;
                report();
            }
            continue;
        }
        if (!widen()) {
            progress.lowerBound = upper;
            report();
            break;
        }
        rebuild = true;
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
