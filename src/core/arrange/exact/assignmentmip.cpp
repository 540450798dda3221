#include "assignmentmip.h"

#include "cbclock.h"
#include "cbcquiet.h"

#include <CbcEventHandler.hpp>
#include <CbcHeuristic.hpp>
#include <CbcHeuristicLocal.hpp>
#include <CbcHeuristicRINS.hpp>
#include <CbcModel.hpp>
#include <CglClique.hpp>
#include <CglKnapsackCover.hpp>
#include <CglMixedIntegerRounding2.hpp>
#include <CglProbing.hpp>
#include <CglZeroHalf.hpp>
#include <ClpEventHandler.hpp>
#include <ClpSimplex.hpp>
#include <CoinMessageHandler.hpp>
#include <CoinPackedMatrix.hpp>
#include <OsiClpSolverInterface.hpp>

#include <QElapsedTimer>

#include <cmath>
#include <map>

namespace rasp::arrange::exact {

namespace {

// Stops CLP's simplex between iterations when the search is to stop.
class ClpStop : public ClpEventHandler
{
public:
    explicit ClpStop(const std::function<bool()> *stop)
        : m_stop(stop)
    { }
    ClpEventHandler *clone() const override { return new ClpStop(*this); }
    int event(Event whichEvent) override
    {
        if (whichEvent == endOfIteration && *m_stop && (*m_stop)())
            return 0;
        return -1;
    }

private:
    const std::function<bool()> *m_stop;
};

// What the search's event handler and the caller share: the main model (heuristics run smaller
// models of their own, whose solutions and bounds mean nothing here), the hooks, the best
// objective seen and whether the search was stopped from outside.
struct Watch {
    CbcModel *main = nullptr;
    const MipHooks *hooks = nullptr;
    std::function<void(const double *, double)> takeDay;
    std::function<void(double)> takeBound;
    double bestSeen = 1e100;
    bool stopped = false;
    int knownBound = 0;                 // no day moves fewer lessons (proven outside the search)
    std::function<int(double)> movedOf; // the moved lessons of an objective value
    bool metBound = false;              // the search stopped at a day that meets `knownBound`
};

// Polls the stop test at every event of any model of the search, and hands on the main model's
// better days and bounds.
class WatchHandler : public CbcEventHandler
{
public:
    explicit WatchHandler(Watch *watch)
        : m_watch(watch)
    { }
    CbcEventHandler *clone() const override { return new WatchHandler(*this); }

    CbcAction event(CbcEvent whichEvent) override
    {
        if (m_watch->hooks->stop && m_watch->hooks->stop()) {
            m_watch->stopped = true;
            m_watch->main->sayEventHappened();
            return stop;
        }
        if (model_ != m_watch->main)
            return noAction;
        const double best = model_->getMinimizationObjValue();
        if (model_->bestSolution() && best < m_watch->bestSeen - 0.5) {
            m_watch->bestSeen = best;
            m_watch->takeDay(model_->bestSolution(), best);
        }
        if (model_->bestSolution() && m_watch->movedOf(m_watch->bestSeen) <= m_watch->knownBound) {
            m_watch->metBound = true;
            return stop;
        }
        // Before the tree exists CBC reports its incumbent as the best possible value; only a
        // node event's figure below the incumbent is a bound.
        if (whichEvent == node || whichEvent == treeStatus) {
            const double possible = model_->getBestPossibleObjValue();
            if (std::isfinite(possible) && possible < best - 1e-6)
                m_watch->takeBound(possible);
        }
        return noAction;
    }

private:
    Watch *m_watch;
};

} // namespace

AssignmentMip::AssignmentMip(const DayModel &model)
    : m_model(model)
{
    const int R = model.lastRow();
    const auto &classes = model.classes();
    std::map<std::pair<int, int>, bool> lockedToken;
    for (const ClassModel &c : classes)
        for (const LockedCell &l : c.locked)
            for (const int t : l.tokens)
                lockedToken[{t, l.row}] = true;
    std::map<std::pair<int, int>, std::vector<int>> byToken; // (token, row) -> columns
    const auto addRow = [&](std::vector<int> cols, std::vector<double> coefs, double lo, double up) {
        m_rowColumns.push_back(std::move(cols));
        m_rowCoefs.push_back(std::move(coefs));
        m_rowLower.push_back(lo);
        m_rowUpper.push_back(up);
    };

    m_x.resize(classes.size());
    m_start.resize(classes.size());
    for (std::size_t ci = 0; ci < classes.size(); ++ci) {
        const ClassModel &c = classes[ci];
        m_movable += c.movable;
        std::vector<int> starts;
        for (const int s : c.starts) {
            starts.push_back(int(m_columns.size()));
            m_columns.push_back({int(ci), -1, s});
            m_objective.push_back(0);
        }
        m_start[ci] = starts;
        addRow(starts, std::vector<double>(starts.size(), 1.0), 1, 1);

        auto &x = m_x[ci];
        x.assign(c.kinds.size(), std::vector<int>(std::size_t(R + 1), -1));
        for (int r = 1; r <= R; ++r) {
            std::vector<int> covering;
            for (std::size_t n = 0; n < c.starts.size(); ++n)
                if (model.covers(c, c.starts[n], r))
                    covering.push_back(starts[n]);
            if (covering.empty() || model.lockedAt(c, r))
                continue;
            // Kinds in this row, less the starts that cover it: zero, so the row is filled
            // exactly when the chosen run holds it.
            std::vector<int> cols;
            std::vector<double> coefs;
            for (std::size_t k = 0; k < c.kinds.size(); ++k) {
                const LessonKind &kind = c.kinds[k];
                bool closed = false;
                for (const int t : kind.tokens)
                    closed = closed || lockedToken.count({t, r}) != 0;
                if (closed)
                    continue;
                const int col = int(m_columns.size());
                const bool stays = std::binary_search(kind.rows.begin(), kind.rows.end(), r);
                m_columns.push_back({int(ci), int(k), r});
                m_objective.push_back(stays ? -1.0 : 0.0);
                x[k][std::size_t(r)] = col;
                cols.push_back(col);
                coefs.push_back(1);
                for (const int t : kind.tokens)
                    byToken[{t, r}].push_back(col);
            }
            for (const int s : covering) {
                cols.push_back(s);
                coefs.push_back(-1);
            }
            addRow(cols, coefs, 0, 0);
        }
        for (std::size_t k = 0; k < c.kinds.size(); ++k) {
            std::vector<int> cols;
            for (int r = 1; r <= R; ++r)
                if (x[k][std::size_t(r)] >= 0)
                    cols.push_back(x[k][std::size_t(r)]);
            const double count = double(c.kinds[k].rows.size());
            addRow(cols, std::vector<double>(cols.size(), 1.0), count, count);
        }
        // Lessons without a column in their own row can never stay.
        for (std::size_t k = 0; k < c.kinds.size(); ++k)
            for (const int r : c.kinds[k].rows)
                if (r > R || x[k][std::size_t(r)] < 0)
                    ++m_alwaysMoved;
    }
    for (auto &[key, cols] : byToken)
        if (cols.size() > 1)
            addRow(cols, std::vector<double>(cols.size(), 1.0), 0, 1);
}

void AssignmentMip::load(OsiClpSolverInterface &lp, CoinMessageHandler &silent) const
{
    const int columns = int(m_columns.size());
    // Built in one piece: appending row by row copies the whole matrix each time.
    std::vector<CoinBigIndex> starts;
    std::vector<int> lengths, indices;
    std::vector<double> elements;
    for (std::size_t r = 0; r < m_rowColumns.size(); ++r) {
        starts.push_back(CoinBigIndex(indices.size()));
        lengths.push_back(int(m_rowColumns[r].size()));
        indices.insert(indices.end(), m_rowColumns[r].begin(), m_rowColumns[r].end());
        elements.insert(elements.end(), m_rowCoefs[r].begin(), m_rowCoefs[r].end());
    }
    starts.push_back(CoinBigIndex(indices.size()));
    const CoinPackedMatrix matrix(false, columns, int(m_rowColumns.size()), CoinBigIndex(indices.size()),
                                  elements.data(), indices.data(), starts.data(), lengths.data());
    const std::vector<double> lower(std::size_t(columns), 0.0), upper(std::size_t(columns), 1.0);
    lp.passInMessageHandler(&silent);
    lp.getModelPtr()->passInMessageHandler(&silent);
    lp.setHintParam(OsiDoReducePrint, true, OsiHintTry);
    lp.loadProblem(matrix, lower.data(), upper.data(), m_objective.data(), m_rowLower.data(), m_rowUpper.data());
    for (int c = 0; c < columns; ++c)
        lp.setInteger(c);
}

Placement AssignmentMip::placementOf(const double *values) const
{
    const int R = m_model.lastRow();
    Placement p(m_x.size(), std::vector<int>(std::size_t(R + 1), -1));
    for (std::size_t ci = 0; ci < m_x.size(); ++ci)
        for (std::size_t k = 0; k < m_x[ci].size(); ++k)
            for (int r = 1; r <= R; ++r) {
                const int col = m_x[ci][k][std::size_t(r)];
                if (col >= 0 && values[col] > 0.5)
                    p[ci][std::size_t(r)] = int(k);
            }
    return p;
}

std::vector<double> AssignmentMip::valuesOf(const Placement &p) const
{
    std::vector<double> values(m_columns.size(), 0.0);
    const auto &classes = m_model.classes();
    for (std::size_t ci = 0; ci < m_x.size(); ++ci) {
        const ClassModel &c = classes[ci];
        int first = m_model.lastRow() + 1;
        for (int r = 1; r <= m_model.lastRow(); ++r) {
            const int k = p[ci][std::size_t(r)];
            const bool lockedLesson = std::any_of(c.locked.begin(), c.locked.end(),
                                                  [r](const LockedCell &l) { return l.row == r && l.lesson; });
            if ((k >= 0 || lockedLesson) && first > r)
                first = r;
            if (k >= 0 && m_x[ci][std::size_t(k)][std::size_t(r)] >= 0)
                values[std::size_t(m_x[ci][std::size_t(k)][std::size_t(r)])] = 1;
        }
        for (std::size_t n = 0; n < c.starts.size(); ++n)
            if (c.starts[n] == first)
                values[std::size_t(m_start[ci][n])] = 1;
    }
    return values;
}

MipOutcome AssignmentMip::solve(const Placement *start, double seconds, const MipHooks &hooks) const
{
    const std::lock_guard<std::mutex> guard(CbcLock());
    QElapsedTimer clock;
    clock.start();
    const auto secondsLeft = [&]() { return std::max(seconds - double(clock.elapsed()) / 1000.0, 0.01); };
    MipOutcome out;
    out.lowerBound = m_alwaysMoved;
    const int columns = int(m_columns.size());
    // The moved lessons of an objective value, and the least whole count a bound allows.
    const auto movedOf = [&](double objective) { return m_movable + int(std::lround(objective)); };
    const auto boundOf = [&](double possible) { return m_movable + int(std::ceil(possible - 1e-6)); };

    SilentHandler silent;
    OsiClpSolverInterface lp;
    load(lp, silent);
    ClpStop clpStop(&hooks.stop);
    lp.getModelPtr()->passInEventHandler(&clpStop);

    CbcModel cbc(lp);
    cbc.passInMessageHandler(&silent);
    cbc.solver()->passInMessageHandler(&silent);
    cbc.setLogLevel(0);
    cbc.setUseElapsedTime(true);
    cbc.setMaximumSeconds(seconds);
    cbc.setNumberThreads(0);
    // Moved counts are whole numbers: a node that cannot beat the incumbent by one is dropped.
    cbc.setCutoffIncrement(0.999);
    cbc.setAllowableGap(0.999);

    CglProbing probing;
    probing.setUsingObjective(1);
    probing.setMaxPass(1);
    probing.setMaxLook(50);
    probing.setRowCuts(3);
    // No Gomory cuts: on 200 classes one pass over the relaxation's fractional rows took over
    // ten seconds, and nothing stops it midway.
    CglKnapsackCover knapsack;
    CglClique clique;
    clique.setStarCliqueReport(false);
    clique.setRowCliqueReport(false);
    CglMixedIntegerRounding2 mir;
    CglZeroHalf zeroHalf;
    cbc.addCutGenerator(&probing, -1, "probing");
    cbc.addCutGenerator(&knapsack, -1, "knapsack");
    cbc.addCutGenerator(&clique, -1, "clique");
    cbc.addCutGenerator(&mir, -1, "mir");
    cbc.addCutGenerator(&zeroHalf, -1, "zerohalf");
    // The search starts from a day, so no feasibility pump; rounding and neighbourhoods of the
    // incumbent improve it.
    CbcRounding rounding(cbc);
    CbcHeuristicRINS rins(cbc);
    CbcHeuristicLocal local(cbc);
    cbc.addHeuristic(&rounding);
    cbc.addHeuristic(&rins);
    cbc.addHeuristic(&local);

    Watch watch;
    watch.main = &cbc;
    watch.hooks = &hooks;
    watch.movedOf = movedOf;
    int bestMoved = -1;
    watch.takeDay = [&](const double *values, double objective) {
        const int moved = movedOf(objective);
        if (bestMoved >= 0 && moved >= bestMoved)
            return;
        Placement p = placementOf(values);
        if (hooks.onDay && !hooks.onDay(p, moved))
            return;
        bestMoved = moved;
        out.day = std::move(p);
        out.hasDay = true;
        out.moved = moved;
    };
    watch.takeBound = [&](double possible) {
        const int bound = boundOf(possible);
        if (bound > out.lowerBound) {
            out.lowerBound = bound;
            if (hooks.onBound)
                hooks.onBound(bound);
        }
    };
    WatchHandler handler(&watch);
    cbc.passInEventHandler(&handler);

    const auto stopped = [&]() { return watch.stopped || (hooks.stop && hooks.stop()); };

    // The relaxation first: its bound, and its day for the caller to turn into a better start.
    cbc.initialSolve();
    if (stopped())
        return out;
    if (cbc.solver()->isProvenPrimalInfeasible()) {
        out.proven = true;
        return out;
    }
    if (!cbc.solver()->isProvenOptimal())
        return out;
    watch.takeBound(cbc.solver()->getObjValue());
    // The relaxation is nearly whole: a day close to it is often the fewest outright.
    const auto objectiveOf = [&](const std::vector<double> &values) {
        double objective = 0;
        for (int c = 0; c < columns; ++c)
            objective += values[std::size_t(c)] * m_objective[std::size_t(c)];
        return objective;
    };
    Relaxation relaxation;
    relaxation.solved = true;
    relaxation.lowerBound = out.lowerBound;
    relaxation.values.assign(cbc.solver()->getColSolution(), cbc.solver()->getColSolution() + columns);
    costTermsOf(*cbc.solver(), relaxation);
    if (hooks.beforeNearSearch)
        hooks.beforeNearSearch(relaxation);
    Placement nearDay;
    const int startMoved = start ? movedOf(objectiveOf(valuesOf(*start))) : m_movable + 1;
    if (searchNearRelaxation(*cbc.solver(), startMoved, out.lowerBound, secondsLeft(), hooks, nearDay) >= 0)
        start = &nearDay;
    if (hooks.onRelaxation) {
        if (const Placement *better = hooks.onRelaxation(relaxation))
            start = better;
        // The caller's own proof of a higher bound: the branch and cut below stops at a day
        // that meets it.
        out.lowerBound = std::max(out.lowerBound, relaxation.lowerBound);
    }
    if (start) {
        const std::vector<double> values = valuesOf(*start);
        cbc.setBestSolution(values.data(), columns, objectiveOf(values), true);
        watch.bestSeen = cbc.getMinimizationObjValue();
        if (cbc.bestSolution()) {
            bestMoved = movedOf(watch.bestSeen);
            out.day = *start;
            out.hasDay = true;
            out.moved = bestMoved;
        }
    }
    if (stopped() || (out.hasDay && out.moved <= out.lowerBound)) {
        out.proven = out.hasDay && out.moved <= out.lowerBound;
        return out;
    }
    // CBC counts its limit from here.
    cbc.setMaximumSeconds(secondsLeft());
    watch.knownBound = out.lowerBound;
    cbc.branchAndBound();

    if (cbc.bestSolution() && cbc.getMinimizationObjValue() < watch.bestSeen - 0.5)
        watch.takeDay(cbc.bestSolution(), cbc.getMinimizationObjValue());
    // A search cut short (stop, deadline, an LP stopped between iterations) proves nothing.
    if (!stopped() && cbc.isProvenOptimal() && !cbc.maximumSecondsReached() && out.hasDay
        && movedOf(cbc.getMinimizationObjValue()) == out.moved) {
        out.proven = true;
        out.lowerBound = out.moved;
    }
    if (watch.metBound && out.hasDay && out.moved <= out.lowerBound)
        out.proven = true;
    return out;
}

} // namespace rasp::arrange::exact
