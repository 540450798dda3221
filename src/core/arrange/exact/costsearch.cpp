#include "costsearch.h"

#include <algorithm>
#include <cmath>

namespace rasp::arrange::exact {

namespace {

// Slack on the room and on whole weights: the prices come from floating point.
constexpr double kSlack = 1e-7;
// The largest denominator tried for weights that are whole multiples of one unit.
constexpr int kLargestDenominator = 1000;
// Units the room is cut into when the weights share no small denominator.
constexpr int kUnits = 64;

// The SAT literal of a column of the program: a kind in a row, or a run start.
int literalOf(const DayModel &model, const Encoding &enc, const AssignmentMip &mip, int column)
{
    const AssignmentMip::Column &c = mip.columnAt(column);
    if (c.kind >= 0)
        return enc.kindVar(c.klass, c.kind, c.row);
    const auto &starts = model.classes()[std::size_t(c.klass)].starts;
    const auto at = std::find(starts.begin(), starts.end(), c.row);
    return at == starts.end() ? 0 : enc.startVar(c.klass, int(at - starts.begin()));
}

// Whole weights for `weights` against `room`: the least denominator q that makes every weight a
// whole multiple of 1/q (the prices of such programs are usually such fractions), the weights
// then exact and the capacity the room's whole units; otherwise `kUnits` units of the room with
// every weight rounded down. Either way a set of terms within the room stays within the
// capacity, so nothing a day can pay is cut off.
std::pair<std::vector<int>, int> wholeWeights(const std::vector<double> &weights, double room)
{
    std::vector<int> out(weights.size());
    for (int q = 1; q <= kLargestDenominator; ++q) {
        bool whole = true;
        for (std::size_t n = 0; n < weights.size() && whole; ++n)
            whole = std::abs(weights[n] * q - std::round(weights[n] * q)) <= kSlack;
        if (!whole)
            continue;
        for (std::size_t n = 0; n < weights.size(); ++n)
            out[n] = int(std::lround(weights[n] * q));
        return {out, int(std::floor(room * q + double(weights.size()) * kSlack * q + kSlack))};
    }
    for (std::size_t n = 0; n < weights.size(); ++n)
        out[n] = int(std::floor(weights[n] / room * kUnits));
    return {out, kUnits};
}

// One search for a day of at most `target` moves that pays no term heavier than `heaviest`, its
// clauses added to `enc` for good: 10 with a day in the encoding, 20 when there is none, 0 when
// stopped.
int searchOnce(const DayModel &model, Encoding &enc, const AssignmentMip &mip, const Relaxation &lp, int target,
               double heaviest, const std::function<bool()> &stop)
{
    const double room = double(target) - lp.dualBound + kSlack;
    if (room < 0)
        return 20;
    std::vector<int> payLits;
    std::vector<double> payWeights;
    double alwaysPaid = 0;
    for (const CostTerm &t : lp.terms) {
        std::vector<int> lits;
        for (const int c : t.columns)
            if (const int v = literalOf(model, enc, mip, c))
                lits.push_back(v);
        if (t.weight > heaviest + kSlack || t.weight > room) {
            // Closed: a term paid when a column is 1 keeps them all 0, one paid when all are 0
            // keeps one of them 1.
            if (t.whenEmpty)
                enc.addClause(lits);
            else
                for (const int v : lits)
                    enc.addClause({-v});
            continue;
        }
        if (lits.empty()) {
            alwaysPaid += t.whenEmpty ? t.weight : 0;
            continue;
        }
        int pays = 0;
        if (lits.size() == 1) {
            pays = t.whenEmpty ? -lits[0] : lits[0];
        } else {
            pays = enc.freshVar();
            if (t.whenEmpty) {
                std::vector<int> cl = lits;
                cl.push_back(pays);
                enc.addClause(cl);
            } else {
                for (const int v : lits)
                    enc.addClause({-v, pays});
            }
        }
        payLits.push_back(pays);
        payWeights.push_back(t.weight);
    }
    if (alwaysPaid > room)
        return 20;
    const auto [weights, capacity] = wholeWeights(payWeights, room - alwaysPaid);
    std::vector<std::pair<int, int>> terms;
    for (std::size_t n = 0; n < payLits.size(); ++n)
        if (weights[n] > 0)
            terms.push_back({payLits[n], weights[n]});
    if (!enc.addWeightedAtMost(terms, capacity, stop))
        return 0;
    return enc.solve({}, stop);
}

} // namespace

int SearchUnderReducedCosts(const DayModel &model, const AssignmentMip &mip, const Relaxation &lp,
                            const CostSearchHooks &hooks)
{
    int bound = lp.lowerBound;
    const double narrow = double(lp.lowerBound) - lp.dualBound;
    while (bound < hooks.best() && !(hooks.stop && hooks.stop())) {
        const int target = bound;
        const double room = double(target) - lp.dualBound;
        std::vector<double> passes;
        if (narrow < room - kSlack)
            passes.push_back(narrow);
        passes.push_back(room);
        for (const double heaviest : passes) {
            Encoding enc(model);
            // At the relaxation's own bound a day is rare and the search mostly a refutation,
            // which the relaxation's values as phases only slow; above it they lead to a day.
            if (target > lp.lowerBound)
                enc.preferTrue(hooks.phases);
            const int r = searchOnce(model, enc, mip, lp, target, heaviest, hooks.stop);
            if (r == 10)
                hooks.takeDay(enc);
            if (r != 20)
                return bound;
        }
        // No day of `target` moves even with every term within the room open.
        bound = target + 1;
        if (hooks.onBound)
            hooks.onBound(bound);
    }
    return bound;
}

} // namespace rasp::arrange::exact
