#include "reports/exportlayout.h"
#include "reports/layoutcells.h"

#include "state.h"
#include "text/datewords.h"

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace rasp::reports {

using namespace detail;

namespace {

// The last row within a..b whose subject is not empty (searched from b down); 0 when none.
// With freeOnly a locked cell counts as empty, its subject field being hidden.
int lastRow(const State &state, int column, int a, int b, bool freeOnly)
{
    for (int r = b; r >= a; --r) {
        const day::Cell *c = gridCell(state, r, column);
        if (c && !c->subject.isEmpty() && !(freeOnly && c->locked()))
            return r;
    }
    return 0;
}

// Largest (last row within a..b, counted from a) over classes x1..x2.
int maxRows(const State &state, int x1, int x2, int a, int b, bool freeOnly)
{
    int m = 0;
    for (int i = x1; i <= x2; ++i) {
        const int r = lastRow(state, i, a, b, freeOnly);
        if (r > 0)
            m = std::max(m, r - a + 1);
    }
    return m;
}

bool validBlock(const Block &b)
{
    return b.top >= 1 && b.left >= 1 && b.bottom >= b.top && b.right >= b.left
           && (b.bottom > b.top || b.right > b.left);
}

} // namespace

void Sheet::merge(Block b)
{
    if (validBlock(b))
        merges.push_back(b);
}

void DocTable::merge(Block b)
{
    if (validBlock(b))
        merges.push_back(b);
}

ExportMode ExportModeOf(const State &state)
{
    if (!state.settings.secondShift || state.vt_sm_x <= 0 || state.vt_sm_y <= 0)
        return ExportMode::Single;
    return state.settings.twoTables ? ExportMode::TwoTables : ExportMode::OneTable;
}

RowCounts DayRowCounts(const State &state)
{
    RowCounts counts;
    const int n = classes(state);
    const int vx = firstShiftClasses(state);
    const int vy = firstShiftRows(state);
    switch (ExportModeOf(state)) {
    case ExportMode::Single:
        counts.max_strok = maxRows(state, 1, n, 1, state.max_ur, false);
        break;
    case ExportMode::OneTable:
        counts.max_strok2 = maxRows(state, vx + 1, n, vy + 1, state.max_ur, true);
        counts.max_strok = std::max(maxRows(state, 1, vx, 1, vy, false), counts.max_strok2);
        counts.dop = 1;
        break;
    case ExportMode::TwoTables:
        counts.max_strok = maxRows(state, 1, vx, 1, vy, false);
        counts.max_strok2 = maxRows(state, vx + 1, n, vy + 1, state.max_ur, false);
        break;
    }
    return counts;
}

QString MaxStrokRasp(const State &state)
{
    const RowCounts c = DayRowCounts(state);
    return u"%1;%2;%3;"_s.arg(c.max_strok).arg(c.max_strok2).arg(c.dop);
}

QString DayTitle(QDate date)
{
    return text::day(date) + u' ' + text::DataSlov(date);
}

QString DayExportPath(QDate date, const QString &suffix)
{
    return u"raspisanie/"_s + text::ShortDate(date) + u'.' + suffix;
}

QString SetkaExportPath(const QString &suffix)
{
    return u"setka/Сетка."_s + suffix;
}

} // namespace rasp::reports
