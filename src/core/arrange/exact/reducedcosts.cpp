#include "assignmentmip.h"

#include <OsiSolverInterface.hpp>

#include <algorithm>

namespace rasp::arrange::exact {

namespace {

// Prices and reduced costs this small are taken for zero (their terms are left out, which only
// loosens what a day must satisfy).
constexpr double kTiny = 1e-9;

} // namespace

// For any row prices y the reduced costs d = c - yA split every day's objective exactly:
// c x = D + sum_j (d_j x_j - min(0, d_j)) + sum_i (y_i (Ax)_i - min(y_i lo_i, y_i up_i)), where
// D = sum_j min(0, d_j) + sum_i min(y_i lo_i, y_i up_i) and every bracket is at least zero for
// 0 <= x <= 1 and lo <= Ax <= up. A day of at most T moves therefore pays at most T - D in those
// brackets: each one heavier than that is closed, the rest share the room. The reduced costs
// are computed here from the prices, so the split holds whatever prices CLP returns.
void AssignmentMip::costTermsOf(const OsiSolverInterface &lp, Relaxation &out) const
{
    const double *prices = lp.getRowPrice();
    std::vector<double> reduced = m_objective;
    double bound = 0;
    for (std::size_t r = 0; r < m_rowColumns.size(); ++r) {
        const double y = prices[r];
        for (std::size_t n = 0; n < m_rowColumns[r].size(); ++n)
            reduced[std::size_t(m_rowColumns[r][n])] -= y * m_rowCoefs[r][n];
        bound += std::min(y * m_rowLower[r], y * m_rowUpper[r]);
    }
    out.terms.clear();
    for (std::size_t c = 0; c < reduced.size(); ++c) {
        const double d = reduced[c];
        bound += std::min(0.0, d);
        if (d > kTiny)
            out.terms.push_back({{int(c)}, false, d});
        else if (d < -kTiny)
            out.terms.push_back({{int(c)}, true, -d});
    }
    // Rows with a range are the teachers' rows: 0..1 over columns of coefficient 1. A negative
    // price is paid while the row stays empty, a positive one while it holds a lesson.
    for (std::size_t r = 0; r < m_rowColumns.size(); ++r) {
        const double y = prices[r];
        if (m_rowLower[r] == m_rowUpper[r] || std::abs(y) <= kTiny)
            continue;
        const bool packing = m_rowLower[r] == 0 && m_rowUpper[r] == 1
                             && std::all_of(m_rowCoefs[r].begin(), m_rowCoefs[r].end(), [](double a) { return a == 1; });
        if (packing)
            out.terms.push_back({m_rowColumns[r], y < 0, std::abs(y)});
    }
    out.dualBound = m_movable + bound;
}

} // namespace rasp::arrange::exact
