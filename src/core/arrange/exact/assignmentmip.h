#pragma once

#include "daymodel.h"

#include <functional>
#include <vector>

class CoinMessageHandler;
class OsiClpSolverInterface;
class OsiSolverInterface;

namespace rasp::arrange::exact {

// What a day pays above the relaxation's dual bound for one reduced cost: a column or a row of
// the program (its columns) that leaves the value the relaxation gives it. With `whenEmpty`
// the term is paid when none of `columns` is 1 (a column the relaxation has at 1, or a
// teacher's row it fills), otherwise when one of them is 1.
struct CostTerm {
    std::vector<int> columns;
    bool whenEmpty = false;
    double weight = 0; // the reduced cost or row price, positive
};

// The linear relaxation of the assignment program, solved by CLP.
struct Relaxation {
    bool solved = false;
    int lowerBound = 0;         // its value rounded up: no day moves fewer lessons (a caller may raise it)
    std::vector<double> values; // per column (see AssignmentMip::column)
    // The dual bound in moved lessons, and the terms of every day's moves above it: a day moves
    // exactly dualBound + the weights of the terms it pays (see AssignmentMip::costTermsOf).
    double dualBound = 0;
    std::vector<CostTerm> terms;
};

// What one branch-and-cut run ended with.
struct MipOutcome {
    bool proven = false; // the search finished: the best day is the fewest, or there is none
    int lowerBound = 0;  // no day moves fewer lessons (counting those that can never stay)
    bool hasDay = false;
    Placement day;  // the best day the search ended with
    int moved = -1; // its moved lessons
};

// The callbacks of a run, all called on the searching thread: `stop` is polled (cancel or the
// deadline); `beforeNearSearch` receives the solved linear relaxation before the days near it
// are searched; `onRelaxation` receives the solved linear relaxation and may return a better start
// than the one given (it stays the caller's) and raise its `lowerBound` by its own proof; `onDay` receives each better day the search finds
// (a placement and its moved lessons) and says whether it was accepted; `onBound` receives each
// better lower bound.
struct MipHooks {
    std::function<bool()> stop;
    std::function<void(const Relaxation &)> beforeNearSearch;
    std::function<const Placement *(Relaxation &)> onRelaxation;
    std::function<bool(const Placement &, int)> onDay;
    std::function<void(int)> onBound;
};

// The day as an integer program on COIN-OR CBC (branch and cut over CLP's relaxations): per class
// a binary per possible run start (exactly one), a binary per (kind, row) where the kind may
// stand, every unlocked row of the chosen run holding exactly one lesson, every kind used exactly
// as often as the class has it, at most one lesson per (teacher token, row), no kind where a
// locked lesson holds one of its tokens. The objective counts the lessons that do not stay in
// their row. Its linear relaxation is nearly exact on real days, so the root bound is strong and
// the search short. CBC's own output is silenced; one run at a time per process (CBC keeps a
// little global state), which `CbcLock` ensures.
class AssignmentMip
{
public:
    explicit AssignmentMip(const DayModel &model);

    // Solves the relaxation, then searches for the fewest moves within `seconds` of wall time,
    // starting from `start` (a valid day, may be null) or the day `onRelaxation` returns. Every
    // day reported or returned is one of the model's placements; the caller checks it.
    MipOutcome solve(const Placement *start, double seconds, const MipHooks &hooks) const;

    // The column of "kind `k` of class `ci` stands in row `r`", or -1 when there is none.
    int column(int ci, int k, int r) const { return m_x[std::size_t(ci)][std::size_t(k)][std::size_t(r)]; }

    // Which class, kind (-1 for a run start) and row (the start row for a run start) a column is.
    struct Column {
        int klass;
        int kind;
        int row;
    };
    const Column &columnAt(int c) const { return m_columns[std::size_t(c)]; }
    int columnCount() const { return int(m_columns.size()); }

    // The lessons that count as moved whatever the day: they stand below row R or in a row no
    // kind variable exists for.
    int alwaysMoved() const { return m_alwaysMoved; }

private:
    // The dual bound of the relaxation solved in `lp` and the terms a day pays above it, into
    // `out` (in moved lessons).
    void costTermsOf(const OsiSolverInterface &lp, Relaxation &out) const;

    // Days near the solved relaxation `relaxed`, by small branch and cut runs in which most
    // columns are fixed: (1) every column the relaxation has whole keeps its value (the
    // relaxation stays optimal under these bounds, so the run starts with no simplex work);
    // (2) when that finds none or misses the bound `lowerBound`, per class every lesson kind
    // and row that holds a fractional column is opened too. Only days moving fewer than `below`
    // lessons count; each goes through `hooks.onDay`. Returns the moved lessons of the best day
    // accepted (kept in `day`), or -1.
    int searchNearRelaxation(const OsiSolverInterface &relaxed, int below, int lowerBound, double seconds,
                             const MipHooks &hooks, Placement &day) const;

    // Loads the program into `lp`, every column binary, with CLP's messages sent to `silent`.
    void load(OsiClpSolverInterface &lp, CoinMessageHandler &silent) const;
    // The placement of an integral column vector.
    Placement placementOf(const double *values) const;
    // The column vector of a placement (its run start columns included).
    std::vector<double> valuesOf(const Placement &p) const;

    const DayModel &m_model;
    std::vector<Column> m_columns;
    std::vector<double> m_objective;
    // Rows of the program in compressed form: per row its columns and coefficients, and bounds.
    std::vector<std::vector<int>> m_rowColumns;
    std::vector<std::vector<double>> m_rowCoefs;
    std::vector<double> m_rowLower, m_rowUpper;
    std::vector<std::vector<std::vector<int>>> m_x; // [class][kind][row] -> column or -1
    std::vector<std::vector<int>> m_start;          // [class][n] -> column of starts[n]
    int m_movable = 0;
    int m_alwaysMoved = 0;
};

} // namespace rasp::arrange::exact
