#pragma once

#include "daymodel.h"

#include <functional>
#include <memory>
#include <vector>

namespace rasp::arrange::exact {

// The day as clauses on one incremental SAT solver (CaDiCaL): per class a one-hot choice of the
// row its run starts at, per class, lesson kind and row a variable "this kind stands in this
// row", every row of the run filled by exactly one kind, each kind used at most as often as the
// class has it, at most one lesson per teacher token and row (the rows of locked lessons closed
// to their tokens). Per class a selector literal that, assumed, keeps the class as it stands;
// per lesson a literal "it stays in its row"; and counters over the lessons that move, so that
// a bound on the moved lessons is one more assumption.
class Encoding
{
public:
    // With `guarded`, every class's choice of a run and every teacher token's "one lesson per
    // row" hold only under their guard literal, so a refutation names classes and teachers.
    explicit Encoding(const DayModel &model, bool guarded = false);
    ~Encoding();
    Encoding(const Encoding &) = delete;
    Encoding &operator=(const Encoding &) = delete;

    // The literal that keeps class `ci` (DayModel order) as it stands; 0 when its current day is
    // not an acceptable run, so it cannot be kept.
    int keepLiteral(int ci) const { return m_keep[std::size_t(ci)]; }
    // The "stays in its row" literals of the movable lessons of class `ci`; 0 for a lesson that
    // cannot stay (it stands below row R or outside every possible run).
    const std::vector<int> &stayLiterals(int ci) const { return m_stay[std::size_t(ci)]; }

    // The guard of class `ci` and of teacher token `t` (0 when not guarded or no such token row).
    int classGuard(int ci) const { return m_classGuard.empty() ? 0 : m_classGuard[std::size_t(ci)]; }
    int tokenGuard(int t) const { return m_tokenGuard.empty() ? 0 : m_tokenGuard[std::size_t(t)]; }

    // The variable "kind `k` of class `ci` stands in row `r`", or 0 when the kind cannot stand there.
    int kindVar(int ci, int k, int r) const { return m_x[std::size_t(ci)][std::size_t(k)][std::size_t(r)]; }

    // The variable "class `ci`'s run starts at its `n`-th possible start" (ClassModel::starts).
    int startVar(int ci, int n) const { return m_start[std::size_t(ci)][std::size_t(n)]; }

    // The highest variable number used so far.
    int maxVar() const { return m_vars; }

    // A new variable, for an auxiliary literal of the caller's clauses.
    int freshVar() { return newVar(); }
    // Adds the clause `lits` for good.
    void addClause(const std::vector<int> &lits) { clause(lits); }
    // Adds "the weights of the true literals of `terms` sum to at most `capacity`" for good (a
    // sequential weighted counter; weights are positive, a literal heavier than the capacity is
    // simply false). Stops early when `stop` says so and returns false: the solver is then of
    // no further use.
    bool addWeightedAtMost(const std::vector<std::pair<int, int>> &terms, int capacity,
                           const std::function<bool()> &stop);

    // Adds a counter over `moved` (literals true when a lesson moves) with outputs for 1..limit:
    // output n (index n - 1) is forced true when at least n of them are true, so assuming its
    // negation allows at most n - 1.
    std::vector<int> addAtMostCounter(const std::vector<int> &moved, int limit);

    // Solves under the assumptions: 10 satisfiable, 20 unsatisfiable, 0 stopped by `stop` or
    // after `conflicts` conflicts (a negative number: no such limit).
    int solve(const std::vector<int> &assumptions, const std::function<bool()> &stop, int conflicts = -1);
    // After 20: whether the assumption `lit` was part of the reason.
    bool failed(int lit);
    // After 10: the kind each class has in each row 1..R (-1 for none).
    Placement placement() const;
    // Makes the solver try these literals true first when it decides.
    void preferTrue(const std::vector<int> &lits);
    // After 10: whether literal `lit` is true.
    bool value(int lit) const;

private:
    int newVar() { return ++m_vars; }
    void clause(std::initializer_list<int> lits);
    void clause(const std::vector<int> &lits);
    void atMostOne(const std::vector<int> &lits);
    void atMost(const std::vector<int> &lits, int k);
    std::vector<int> totalizer(const std::vector<int> &lits, std::size_t from, std::size_t to, int limit);

    struct Impl;
    std::unique_ptr<Impl> m_impl;
    const DayModel &m_model;
    int m_vars = 0;
    std::vector<std::vector<std::vector<int>>> m_x; // [class][kind][row] -> variable or 0
    std::vector<std::vector<int>> m_start;          // [class][n] -> variable of its n-th start
    std::vector<int> m_keep;
    std::vector<std::vector<int>> m_stay;
    std::vector<int> m_classGuard;
    std::vector<int> m_tokenGuard;
    int m_guard = 0; // while nonzero, every clause added holds only under this literal
};

} // namespace rasp::arrange::exact
