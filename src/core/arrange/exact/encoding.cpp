#include "encoding.h"

#include <cadical.hpp>

#include <algorithm>
#include <map>

namespace rasp::arrange::exact {

namespace {

// Hands CaDiCaL the caller's stop test; it polls it while searching.
class StopTest : public CaDiCaL::Terminator
{
public:
    explicit StopTest(const std::function<bool()> &stop)
        : m_stop(stop)
    { }
    bool terminate() override { return m_stop && m_stop(); }

private:
    const std::function<bool()> &m_stop;
};

} // namespace

struct Encoding::Impl {
    // Quiet: CaDiCaL's own messages would otherwise reach stdout (the CLI's JSON goes there).
    Impl() { solver.set("quiet", 1); }
    CaDiCaL::Solver solver;
};

Encoding::Encoding(const DayModel &model, bool guarded)
    : m_impl(std::make_unique<Impl>())
    , m_model(model)
{
    const int R = model.lastRow();
    const auto &classes = model.classes();
    m_x.resize(classes.size());
    m_start.resize(classes.size());
    m_keep.assign(classes.size(), 0);
    m_stay.resize(classes.size());
    // Per (token, row) the variables of lessons that hold the token there; rows of locked lessons.
    std::map<std::pair<int, int>, std::vector<int>> byToken;
    std::map<std::pair<int, int>, bool> lockedToken;
    for (const ClassModel &c : classes)
        for (const LockedCell &l : c.locked)
            for (const int t : l.tokens)
                lockedToken[{t, l.row}] = true;

    if (guarded) {
        m_classGuard.resize(classes.size());
        for (int &g : m_classGuard)
            g = newVar();
        m_tokenGuard.resize(std::size_t(model.tokens().size()));
        for (int &g : m_tokenGuard)
            g = newVar();
    }
    for (std::size_t ci = 0; ci < classes.size(); ++ci) {
        const ClassModel &c = classes[ci];
        std::vector<int> starts;
        for (std::size_t n = 0; n < c.starts.size(); ++n)
            starts.push_back(newVar());
        m_start[ci] = starts;
        // A class out of its guard takes no run, so none of its lessons is placed.
        m_guard = guarded ? m_classGuard[ci] : 0;
        clause(starts);
        m_guard = 0;
        atMostOne(starts);
        // The starts whose run holds each row.
        std::vector<std::vector<int>> covering(std::size_t(R + 1));
        for (std::size_t n = 0; n < c.starts.size(); ++n)
            for (int r = c.starts[n]; r < c.starts[n] + c.runLength; ++r)
                covering[std::size_t(r)].push_back(starts[n]);

        auto &x = m_x[ci];
        x.assign(c.kinds.size(), std::vector<int>(std::size_t(R + 1), 0));
        for (int r = 1; r <= R; ++r) {
            if (covering[std::size_t(r)].empty() || model.lockedAt(c, r))
                continue;
            std::vector<int> here;
            for (std::size_t k = 0; k < c.kinds.size(); ++k) {
                const LessonKind &kind = c.kinds[k];
                const bool closed = std::any_of(kind.tokens.begin(), kind.tokens.end(),
                                                [&](int t) { return lockedToken.count({t, r}) != 0; });
                if (closed)
                    continue;
                const int v = newVar();
                x[k][std::size_t(r)] = v;
                here.push_back(v);
                // A kind stands only in a row of the chosen run.
                std::vector<int> cl{-v};
                cl.insert(cl.end(), covering[std::size_t(r)].begin(), covering[std::size_t(r)].end());
                clause(cl);
                for (const int t : kind.tokens)
                    byToken[{t, r}].push_back(v);
            }
            atMostOne(here);
            // Every row of the chosen run holds a lesson.
            for (const int s : covering[std::size_t(r)]) {
                std::vector<int> cl{-s};
                cl.insert(cl.end(), here.begin(), here.end());
                clause(cl);
            }
        }
        // Rows of a run not covered by any variable leave that start impossible (the clause above
        // is then the unit -s); each kind is used at most as often as the class has it, which
        // with every run row filled makes the counts exact.
        for (std::size_t k = 0; k < c.kinds.size(); ++k) {
            std::vector<int> rows;
            for (int r = 1; r <= R; ++r)
                if (x[k][std::size_t(r)] != 0)
                    rows.push_back(x[k][std::size_t(r)]);
            atMost(rows, int(c.kinds[k].rows.size()));
        }
        // Stay literals, and the selector that keeps every lesson where it is.
        auto &stay = m_stay[ci];
        for (std::size_t k = 0; k < c.kinds.size(); ++k)
            for (const int r : c.kinds[k].rows)
                stay.push_back(r <= R ? x[k][std::size_t(r)] : 0);
        // A class can be kept only when every lesson can stay (not one in a clash with a lock).
        if (c.currentValid && std::find(stay.begin(), stay.end(), 0) == stay.end()) {
            m_keep[ci] = newVar();
            for (const int s : stay)
                clause({-m_keep[ci], s});
        }
    }
    for (const auto &[key, vars] : byToken) {
        m_guard = guarded ? m_tokenGuard[std::size_t(key.first)] : 0;
        atMostOne(vars);
    }
    m_guard = 0;
}

Encoding::~Encoding() = default;

void Encoding::clause(std::initializer_list<int> lits)
{
    for (const int l : lits)
        m_impl->solver.add(l);
    if (m_guard)
        m_impl->solver.add(-m_guard);
    m_impl->solver.add(0);
}

void Encoding::clause(const std::vector<int> &lits)
{
    for (const int l : lits)
        m_impl->solver.add(l);
    if (m_guard)
        m_impl->solver.add(-m_guard);
    m_impl->solver.add(0);
}

void Encoding::atMostOne(const std::vector<int> &lits)
{
    if (lits.size() <= 6) {
        for (std::size_t a = 0; a < lits.size(); ++a)
            for (std::size_t b = a + 1; b < lits.size(); ++b)
                clause({-lits[a], -lits[b]});
        return;
    }
    atMost(lits, 1);
}

void Encoding::atMost(const std::vector<int> &lits, int k)
{
    const int n = int(lits.size());
    if (k >= n)
        return;
    if (k <= 0) {
        for (const int l : lits)
            clause({-l});
        return;
    }
    if (k == 1 && n <= 6) {
        atMostOne(lits);
        return;
    }
    // Sequential counter: s[i][j] is true when at least j + 1 of the first i + 1 literals are.
    std::vector<std::vector<int>> s(std::size_t(n - 1), std::vector<int>(std::size_t(k)));
    for (auto &row : s)
        for (int &v : row)
            v = newVar();
    clause({-lits[0], s[0][0]});
    for (int j = 1; j < k; ++j)
        clause({-s[0][std::size_t(j)]});
    for (int i = 1; i < n - 1; ++i) {
        clause({-lits[std::size_t(i)], s[std::size_t(i)][0]});
        clause({-s[std::size_t(i - 1)][0], s[std::size_t(i)][0]});
        for (int j = 1; j < k; ++j) {
            clause({-lits[std::size_t(i)], -s[std::size_t(i - 1)][std::size_t(j - 1)], s[std::size_t(i)][std::size_t(j)]});
            clause({-s[std::size_t(i - 1)][std::size_t(j)], s[std::size_t(i)][std::size_t(j)]});
        }
        clause({-lits[std::size_t(i)], -s[std::size_t(i - 1)][std::size_t(k - 1)]});
    }
    clause({-lits[std::size_t(n - 1)], -s[std::size_t(n - 2)][std::size_t(k - 1)]});
}

std::vector<int> Encoding::totalizer(const std::vector<int> &lits, std::size_t from, std::size_t to, int limit)
{
    if (to - from == 1)
        return {lits[from]};
    const std::size_t mid = from + (to - from) / 2;
    const std::vector<int> a = totalizer(lits, from, mid, limit);
    const std::vector<int> b = totalizer(lits, mid, to, limit);
    const int size = std::min<int>(limit, int(a.size() + b.size()));
    std::vector<int> out(static_cast<std::size_t>(size));
    for (int &v : out)
        v = newVar();
    // a_i and b_j true (i, j counted from 1; 0 meaning none needed) force out_{i+j}.
    for (int i = 0; i <= int(a.size()); ++i)
        for (int j = 0; j <= int(b.size()); ++j) {
            const int sum = i + j;
            if (sum == 0 || sum > size)
                continue;
            std::vector<int> cl;
            if (i > 0)
                cl.push_back(-a[std::size_t(i - 1)]);
            if (j > 0)
                cl.push_back(-b[std::size_t(j - 1)]);
            cl.push_back(out[std::size_t(sum - 1)]);
            clause(cl);
        }
    return out;
}

bool Encoding::addWeightedAtMost(const std::vector<std::pair<int, int>> &terms, int capacity,
                                 const std::function<bool()> &stop)
{
    // sum[j - 1] is true when the literals so far weigh at least j (j = 1..capacity); only the
    // sums the literals so far can reach get a variable.
    std::vector<int> sum;
    for (std::size_t n = 0; n < terms.size(); ++n) {
        if (n % 512 == 0 && stop && stop())
            return false;
        const auto [lit, weight] = terms[n];
        if (weight > capacity) {
            clause({-lit});
            continue;
        }
        // With this literal true, the sums so far would pass the capacity.
        if (capacity - weight < int(sum.size()))
            clause({-lit, -sum[std::size_t(capacity - weight)]});
        const int reach = std::min<int>(capacity, int(sum.size()) + weight);
        std::vector<int> next(static_cast<std::size_t>(reach));
        for (int j = 1; j <= reach; ++j) {
            const int v = newVar();
            next[std::size_t(j - 1)] = v;
            if (j <= int(sum.size()))
                clause({-sum[std::size_t(j - 1)], v});
            if (j <= weight)
                clause({-lit, v});
            else if (j - weight <= int(sum.size()))
                clause({-lit, -sum[std::size_t(j - weight - 1)], v});
        }
        sum = std::move(next);
    }
    return true;
}

std::vector<int> Encoding::addAtMostCounter(const std::vector<int> &moved, int limit)
{
    if (moved.empty() || limit <= 0)
        return {};
    return totalizer(moved, 0, moved.size(), limit);
}

int Encoding::solve(const std::vector<int> &assumptions, const std::function<bool()> &stop, int conflicts)
{
    StopTest test(stop);
    m_impl->solver.connect_terminator(&test);
    m_impl->solver.limit("conflicts", conflicts);
    for (const int a : assumptions)
        m_impl->solver.assume(a);
    const int result = m_impl->solver.solve();
    m_impl->solver.disconnect_terminator();
    return result;
}

bool Encoding::failed(int lit)
{
    return m_impl->solver.failed(lit);
}

void Encoding::preferTrue(const std::vector<int> &lits)
{
    for (const int l : lits)
        m_impl->solver.phase(l);
}

bool Encoding::value(int lit) const
{
    return m_impl->solver.val(lit) > 0;
}

Placement Encoding::placement() const
{
    const int R = m_model.lastRow();
    Placement p(m_x.size(), std::vector<int>(std::size_t(R + 1), -1));
    for (std::size_t ci = 0; ci < m_x.size(); ++ci)
        for (std::size_t k = 0; k < m_x[ci].size(); ++k)
            for (int r = 1; r <= R; ++r) {
                const int v = m_x[ci][k][std::size_t(r)];
                if (v != 0 && m_impl->solver.val(v) > 0)
                    p[ci][std::size_t(r)] = int(k);
            }
    return p;
}

} // namespace rasp::arrange::exact
