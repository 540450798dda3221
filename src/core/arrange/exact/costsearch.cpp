#include "costsearch.h"

#include <algorithm>
#include <climits>
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
// stopped. With `lightFirst` the counter takes the terms from the lightest up: on the hardest
// generated day the narrow pass found its day in 1.5-1.8 s instead of 5.6 s that way, while the
// refutation at the relaxation's bound was faster in the program's own order (1.0 s against 1.8 s).
int searchOnce(const DayModel &model, Encoding &enc, const AssignmentMip &mip, const Relaxation &lp, int target,
               double heaviest, const std::function<bool()> &stop, bool lightFirst)
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
    if (lightFirst)
        std::stable_sort(terms.begin(), terms.end(), [](const auto &a, const auto &b) { return a.second < b.second; });
    if (!enc.addWeightedAtMost(terms, capacity, stop))
        return 0;
    return enc.solve({}, stop);
}

} // namespace

CostSearch::CostSearch(const DayModel &model, const AssignmentMip &mip, const Relaxation &lp, CostSearchHooks hooks)
    : m_model(model)
    , m_mip(mip)
    , m_lp(lp)
    , m_hooks(std::move(hooks))
    , m_proven(lp.lowerBound)
    , m_bestKnown(m_hooks.best())
{ }

CostSearch::~CostSearch()
{
    joinDays();
}

void CostSearch::joinDays()
{
    m_quit = true;
    if (m_days.joinable())
        m_days.join();
}

void CostSearch::startDays()
{
    if (m_days.joinable() || m_lp.lowerBound + 1 >= m_bestKnown.load())
        return;
    m_daysRunning = true;
    m_days = std::thread([this]() {
        searchDays();
        m_daysRunning = false;
    });
}

void CostSearch::searchDays()
{
    const double narrow = double(m_lp.lowerBound) - m_lp.dualBound;
    int ceiling = INT_MAX; // a day of at most this many moves was found
    int target = m_lp.lowerBound + 1;
    const auto stopped = [&]() { return m_quit.load() || (m_hooks.stop && m_hooks.stop()); };
    for (;;) {
        target = std::max(target, m_proven.load());
        if (stopped() || target >= std::min(ceiling, m_bestKnown.load()))
            return;
        const std::function<bool()> stopHere = [&]() {
            return m_proven.load() > target || m_bestKnown.load() <= target || stopped();
        };
        auto enc = std::make_unique<Encoding>(m_model);
        enc->preferTrue(m_hooks.phases);
        const int r = searchOnce(m_model, *enc, m_mip, m_lp, target, narrow, stopHere, true);
        if (r == 10) {
            const std::lock_guard<std::mutex> guard(m_dayLock);
            m_waitingDay = std::move(enc);
            m_dayWaiting = true;
            ceiling = target;
            target = m_lp.lowerBound + 1;
        } else if (r == 20) {
            ++target;
        } else if (stopped()) {
            return;
        }
        // Otherwise stopped because the bound passed the target or a day met it: the loop's
        // first lines move on or end.
    }
}

void CostSearch::takeWaitingDay()
{
    if (!m_dayWaiting.load())
        return;
    std::unique_ptr<Encoding> day;
    {
        const std::lock_guard<std::mutex> guard(m_dayLock);
        day = std::move(m_waitingDay);
        m_dayWaiting = false;
    }
    if (day)
        m_hooks.takeDay(*day);
    m_bestKnown = m_hooks.best();
}

int CostSearch::prove()
{
    const auto stopped = [&]() { return m_hooks.stop && m_hooks.stop(); };
    const double narrow = double(m_lp.lowerBound) - m_lp.dualBound;
    int bound = std::max(m_lp.lowerBound, m_proven.load());
    while (!stopped()) {
        takeWaitingDay();
        m_bestKnown = m_hooks.best();
        if (bound >= m_hooks.best())
            break;
        const int target = bound;
        const double room = double(target) - m_lp.dualBound;
        std::vector<double> passes;
        if (!m_daysRunning.load() && narrow < room - kSlack)
            passes.push_back(narrow);
        passes.push_back(room);
        // A pass for `target` is moot once the second thread holds a day that meets it; its day
        // is taken while the pass runs, so the progress shows it at once.
        const std::function<bool()> stopHere = [&]() {
            takeWaitingDay();
            return m_hooks.best() <= target || stopped();
        };
        int r = 20;
        for (const double heaviest : passes) {
            Encoding enc(m_model);
            // At the relaxation's own bound a day is rare and the search mostly a refutation,
            // which the relaxation's values as phases only slow; above it they lead to a day.
            if (target > m_lp.lowerBound)
                enc.preferTrue(m_hooks.phases);
            r = searchOnce(m_model, enc, m_mip, m_lp, target, heaviest, stopHere, heaviest < room - kSlack);
            if (r == 10) {
                m_hooks.takeDay(enc);
                m_bestKnown = m_hooks.best();
            }
            if (r != 20)
                break;
        }
        if (r != 20) {
            // A day, or a stop: from the caller, or because the second thread met the target.
            if (m_hooks.best() <= target)
                continue;
            break;
        }
        // No day of `target` moves even with every term within the room open.
        bound = target + 1;
        m_proven = bound;
        if (m_hooks.onBound)
            m_hooks.onBound(bound);
    }
    stopDays();
    return bound;
}

void CostSearch::stopDays()
{
    joinDays();
    takeWaitingDay();
}

int SearchUnderReducedCosts(const DayModel &model, const AssignmentMip &mip, const Relaxation &lp,
                            const CostSearchHooks &hooks)
{
    CostSearch search(model, mip, lp, hooks);
    if (hooks.twoThreads)
        search.startDays();
    return search.prove();
}

} // namespace rasp::arrange::exact
