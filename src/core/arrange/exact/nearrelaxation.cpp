#include "assignmentmip.h"
#include "cbcquiet.h"

#include <CbcHeuristic.hpp>
#include <CbcModel.hpp>
#include <CglClique.hpp>
#include <CglProbing.hpp>
#include <OsiSolverInterface.hpp>

#include <QElapsedTimer>

#include <cmath>
#include <memory>
#include <set>

namespace rasp::arrange::exact {

namespace {

// Whether a relaxation's value is whole.
bool whole(double v)
{
    return v < 1e-6 || v > 1 - 1e-6;
}

} // namespace

int AssignmentMip::searchNearRelaxation(const OsiSolverInterface &relaxed, int below, int lowerBound, double seconds,
                                        const MipHooks &hooks, Placement &day) const
{
    QElapsedTimer clock;
    clock.start();
    const int columns = int(m_columns.size());
    const double *values = relaxed.getColSolution();

    // Searches the program with every column outside `open` fixed at its (whole) value in `at`.
    int best = -1;
    const auto searchWith = [&](const double *at, const std::vector<char> &open, double limit) {
        std::unique_ptr<OsiSolverInterface> sub(relaxed.clone());
        for (int c = 0; c < columns; ++c)
            if (!open[std::size_t(c)]) {
                const double v = std::round(at[c]);
                sub->setColBounds(c, v, v);
            }
        SilentHandler silent;
        CbcModel cbc(*sub);
        cbc.passInMessageHandler(&silent);
        cbc.solver()->passInMessageHandler(&silent);
        cbc.setLogLevel(0);
        cbc.setUseElapsedTime(true);
        cbc.setMaximumSeconds(limit);
        cbc.setNumberThreads(0);
        // The relaxation is nearly whole here: strong branching costs more than it saves.
        cbc.setNumberStrong(0);
        cbc.setNumberBeforeTrust(0);
        cbc.setCutoffIncrement(0.999);
        cbc.setAllowableGap(0.999);
        cbc.setCutoff(double((best >= 0 ? best : below) - m_movable) - 0.5);
        CglProbing probing;
        probing.setUsingObjective(1);
        probing.setMaxPass(1);
        CglClique clique;
        clique.setStarCliqueReport(false);
        clique.setRowCliqueReport(false);
        cbc.addCutGenerator(&probing, -1, "probing");
        cbc.addCutGenerator(&clique, -1, "clique");
        CbcRounding rounding(cbc);
        cbc.addHeuristic(&rounding);
        StopHandler stopper(&hooks.stop, &cbc);
        cbc.passInEventHandler(&stopper);
        cbc.branchAndBound();
        if (!cbc.bestSolution())
            return;
        const int moved = m_movable + int(std::lround(cbc.getMinimizationObjValue()));
        Placement p = placementOf(cbc.bestSolution());
        if ((best < 0 || moved < best) && moved < below && (!hooks.onDay || hooks.onDay(p, moved))) {
            best = moved;
            day = std::move(p);
        }
    };
    const auto timeLeft = [&]() { return seconds - double(clock.elapsed()) / 1000.0; };
    const auto goOn = [&]() {
        return (best < 0 || best > lowerBound) && timeLeft() > 0.05 && !(hooks.stop && hooks.stop());
    };
    std::vector<char> open(std::size_t(columns), 0);
    for (int c = 0; c < columns; ++c)
        open[std::size_t(c)] = whole(values[c]) ? 0 : 1;

    // 1. The relaxation's whole columns fixed.
    searchWith(values, open, timeLeft());

    // 2. Per class, every lesson kind and row that holds a fractional column opened wholly.
    if (goOn()) {
        std::set<std::pair<int, int>> kinds, rows;
        for (int c = 0; c < columns; ++c)
            if (open[std::size_t(c)] && m_columns[std::size_t(c)].kind >= 0) {
                kinds.insert({m_columns[std::size_t(c)].klass, m_columns[std::size_t(c)].kind});
                rows.insert({m_columns[std::size_t(c)].klass, m_columns[std::size_t(c)].row});
            }
        for (int c = 0; c < columns; ++c) {
            const Column &col = m_columns[std::size_t(c)];
            if (kinds.count({col.klass, col.kind}) || rows.count({col.klass, col.row}))
                open[std::size_t(c)] = 1;
        }
        searchWith(values, open, timeLeft() / 3);
    }
    return best;
}

} // namespace rasp::arrange::exact
