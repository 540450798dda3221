#include "costsearch.h"

#include <algorithm>
#include <chrono>
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
// then exact and the capacity the room's whole units; otherwise, or when that capacity passes
// `mostUnits`, `kUnits` units of the room with every weight rounded down. Either way a set of
// terms within the room stays within the capacity, so nothing a day can pay is cut off.
std::pair<std::vector<int>, int> wholeWeights(const std::vector<double> &weights, double room, int mostUnits)
{
    std::vector<int> out(weights.size());
    for (int q = 1; q <= kLargestDenominator; ++q) {
        bool whole = true;
        for (std::size_t n = 0; n < weights.size() && whole; ++n)
            whole = std::abs(weights[n] * q - std::round(weights[n] * q)) <= kSlack;
        if (!whole)
            continue;
        const int capacity = int(std::floor(room * q + double(weights.size()) * kSlack * q + kSlack));
        if (capacity > mostUnits)
            break;
        for (std::size_t n = 0; n < weights.size(); ++n)
            out[n] = int(std::lround(weights[n] * q));
        return {out, capacity};
    }
    for (std::size_t n = 0; n < weights.size(); ++n)
        out[n] = int(std::floor(weights[n] / room * kUnits));
    return {out, kUnits};
}

// One search for a day of at most `target` moves that pays no term heavier than `heaviest`, its
// clauses added to `enc` for good: 10 with a day in the encoding, 20 when there is none, 0 when
// stopped. A `narrow` search (one that proves nothing) counts the terms from the lightest up and
// in at most `kUnits` units of the room, its day then possibly a little over the target (the
// caller counts every day): on the hardest generated day its day of 501 came in 1.1 s that way,
// against 1.5-2.3 s with the exact weights (98ths, capacity 132) in the same order and 5.6 s in
// the program's order; the refutation at the relaxation's bound was faster in the program's
// own order (1.0 s against 1.8 s).
int searchOnce(const DayModel &model, Encoding &enc, const AssignmentMip &mip, const Relaxation &lp, int target,
               double heaviest, const std::function<bool()> &stop, bool narrow)
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
    const auto [weights, capacity] = wholeWeights(payWeights, room - alwaysPaid, narrow ? kUnits : INT_MAX);
    std::vector<std::pair<int, int>> terms;
    for (std::size_t n = 0; n < payLits.size(); ++n)
        if (weights[n] > 0)
            terms.push_back({payLits[n], weights[n]});
    if (narrow)
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
    , m_dayCeiling(INT_MAX)
    , m_reported(lp.lowerBound)
{
}

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

void CostSearch::stopDays()
{
    joinDays();
    takeNews();
}

void CostSearch::waitDays()
{
    if (m_days.joinable())
        m_days.join();
    takeNews();
}

void CostSearch::startDays()
{
    if (m_days.joinable())
        return;
    {
        // The second thread opens with the narrow pass one above the relaxation's bound: a day
        // there is what the other searches miss most, and the full pass at the bound follows.
        const std::lock_guard<std::mutex> guard(m_lock);
        if (m_cursor == 0)
            m_narrowFirst = true;
    }
    m_daysRunning = true;
    m_days = std::thread([this]() {
        searchDays();
        m_daysRunning = false;
    });
}

bool CostSearch::moot(int target) const
{
    return target < m_proven.load() || target >= std::min(m_bestKnown.load(), m_dayCeiling.load());
}

CostSearch::Pass CostSearch::passAt(int index) const
{
    const int lb = m_lp.lowerBound;
    if (m_narrowFirst && index < 3)
        return index == 0 ? Pass{lb + 1, true} : Pass{lb + index - 1, false};
    if (index == 0)
        return {lb, false};
    return {lb + (index + 1) / 2, index % 2 == 1};
}

bool CostSearch::takePass(Pass &pass)
{
    const std::lock_guard<std::mutex> guard(m_lock);
    // From the third pass on the targets only rise, so once one is at or above the best day
    // every later one is too; a pass below the bound proven is skipped.
    const int cap = std::min(m_bestKnown.load(), m_dayCeiling.load());
    for (;; ++m_cursor) {
        const Pass next = passAt(m_cursor);
        if (!moot(next.target)) {
            pass = next;
            ++m_cursor;
            return true;
        }
        if (m_cursor >= 2 && next.target >= cap)
            return false;
    }
}

int CostSearch::runPass(const Pass &pass, Encoding &enc, const std::function<bool()> &stop) const
{
    const double room = double(pass.target) - m_lp.dualBound;
    const double narrow = double(m_lp.lowerBound) - m_lp.dualBound;
    // At the relaxation's own bound a day is rare and the search mostly a refutation, which the
    // relaxation's values as phases only slow; above it they lead to a day.
    if (pass.target > m_lp.lowerBound)
        enc.preferTrue(m_hooks.phases);
    return searchOnce(m_model, enc, m_mip, m_lp, pass.target, pass.narrow ? narrow : room, stop, pass.narrow);
}

void CostSearch::searchDays()
{
    const auto stopped = [&]() { return m_quit.load() || (m_hooks.stop && m_hooks.stop()); };
    Pass pass;
    while (!stopped() && takePass(pass)) {
        const std::function<bool()> stopHere = [&]() { return moot(pass.target) || stopped(); };
        auto enc = std::make_unique<Encoding>(m_model);
        const int r = runPass(pass, *enc, stopHere);
        if (r == 10) {
            // A narrow pass's day may be a little over its target: the ceiling is its own count.
            const int moves = movesOf(*enc);
            const std::lock_guard<std::mutex> guard(m_lock);
            m_waitingDay = std::move(enc);
            m_dayCeiling = moves;
        } else if (r == 20 && !pass.narrow) {
            raiseProven(pass.target + 1);
        }
    }
}

int CostSearch::movesOf(const Encoding &enc) const
{
    double moves = m_lp.dualBound;
    for (const CostTerm &t : m_lp.terms) {
        bool any = false;
        for (const int c : t.columns) {
            const int v = literalOf(m_model, enc, m_mip, c);
            any = any || (v != 0 && enc.value(v));
        }
        moves += any != t.whenEmpty ? t.weight : 0;
    }
    return int(std::lround(moves));
}

void CostSearch::raiseProven(int bound)
{
    int proven = m_proven.load();
    while (proven < bound && !m_proven.compare_exchange_weak(proven, bound)) { }
}

void CostSearch::takeNews()
{
    std::unique_ptr<Encoding> day;
    if (m_dayCeiling.load() != INT_MAX) {
        const std::lock_guard<std::mutex> guard(m_lock);
        day = std::move(m_waitingDay);
        m_dayCeiling = INT_MAX;
    }
    if (day)
        m_hooks.takeDay(*day);
    m_bestKnown = m_hooks.best();
    const int proven = m_proven.load();
    if (proven > m_reported) {
        m_reported = proven;
        if (m_hooks.onBound)
            m_hooks.onBound(proven);
    }
}

int CostSearch::prove()
{
    const auto stopped = [&]() { return m_hooks.stop && m_hooks.stop(); };
    for (;;) {
        takeNews();
        if (m_proven.load() >= m_hooks.best() || stopped())
            break;
        Pass pass;
        if (!takePass(pass)) {
            // Every pass still of use is the second thread's: wait for its news.
            if (!m_daysRunning.load())
                break;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
            continue;
        }
        // The second thread's news is taken while the pass runs, so the progress shows it at once.
        const std::function<bool()> stopHere = [&]() {
            takeNews();
            return moot(pass.target) || stopped();
        };
        Encoding enc(m_model);
        const int r = runPass(pass, enc, stopHere);
        if (r == 10) {
            m_hooks.takeDay(enc);
        } else if (r == 20 && !pass.narrow) {
            raiseProven(pass.target + 1);
        } else if (r == 0 && !moot(pass.target)) {
            break; // the caller's stop
        }
    }
    stopDays();
    return m_proven.load();
}

} // namespace rasp::arrange::exact
