#include "blocking.h"

#include "counters.h"
#include "gridgeometry.h"
#include "state.h"

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace rasp::day {

CellElement ElementAt(const State &state, int row, int column, int xInField)
{
    if (row < 1 || row > state.max_ur || column < 1 || column > state.klassvis)
        return CellElement::None;
    const Cell &c = state.grid.cell(row, column);
    if (!c.locked())
        return CellElement::SubjectField;
    return xInField >= kPadlockWidth && !c.caption.isEmpty() ? CellElement::Caption : CellElement::LockPicture;
}

QString LockCellQuestion()
{
    return CheckListQuestion();
}

QString ZamorozQuestion()
{
    return u"На этом уроке есть совпадения\r\nВсе равно закрепить предметы урока?"_s;
}

namespace {

// Calls f(cell) for every lesson cell of rows k1..k2, classes m1..m2 that exists.
template<typename F>
void forRegion(State &state, int k1, int m1, int k2, int m2, F f)
{
    k1 = std::max(k1, 1);
    m1 = std::max(m1, 1);
    k2 = std::min(k2, state.max_ur);
    m2 = std::min(m2, state.klassvis);
    for (int j = m1; j <= m2; ++j)
        for (int i = k1; i <= k2; ++i)
            f(state.grid.cell(i, j));
}

bool validCell(const State &state, int i, int j)
{
    return i >= 1 && i <= state.max_ur && j >= 1 && j <= state.klassvis;
}

} // namespace

void BlokYach(State &state, int k1, int m1, int k2, int m2)
{
    forRegion(state, k1, m1, k2, m2, [](Cell &c) {
        if (c.subject.isEmpty())
            LockCell(c);
    });
}

void RazBlokYach(State &state, int k1, int m1, int k2, int m2)
{
    forRegion(state, k1, m1, k2, m2, [](Cell &c) { UnlockCell(c); });
}

bool LockClickedCell(State &state, CellElement element, int i, int j, const std::function<bool(const QString &)> &ask)
{
    if (element != CellElement::SubjectField || !validCell(state, i, j))
        return false;
    Cell &c = state.grid.cell(i, j);
    if (c.background != kWhite && !(ask && ask(LockCellQuestion())))
        return false;
    LockCell(c);
    return true;
}

bool UnlockClickedCell(State &state, CellElement element, int i, int j)
{
    if ((element != CellElement::LockPicture && element != CellElement::Caption) || !validCell(state, i, j))
        return false;
    UnlockCell(state.grid.cell(i, j));
    return true;
}

bool LockUpAndRight(State &state, CellElement element, int i, int j)
{
    if ((element != CellElement::LockPicture && element != CellElement::SubjectField) || !validCell(state, i, j))
        return false;
    BlokYach(state, 1, j, i, state.klassvis);
    return true;
}

bool LockDownAndLeft(State &state, CellElement element, int i, int j)
{
    if ((element != CellElement::LockPicture && element != CellElement::SubjectField) || !validCell(state, i, j))
        return false;
    BlokYach(state, i, 1, state.max_ur, j);
    return true;
}

bool UnlockUpAndRight(State &state, CellElement element, int i, int j)
{
    if ((element != CellElement::LockPicture && element != CellElement::Caption) || !validCell(state, i, j))
        return false;
    RazBlokYach(state, 1, j, i, state.klassvis);
    return true;
}

bool UnlockDownAndLeft(State &state, CellElement element, int i, int j)
{
    if ((element != CellElement::LockPicture && element != CellElement::Caption) || !validCell(state, i, j))
        return false;
    RazBlokYach(state, i, 1, state.max_ur, j);
    return true;
}

ZamorozResult Zamoroz(State &state, int r, bool arrangementRunning, const std::function<bool(const QString &)> &ask)
{
    if (arrangementRunning || r < 1 || r > state.max_ur)
        return ZamorozResult::Refused;
    DayGrid &grid = state.grid;
    if (!grid.frozen(r)) {
        bool coincides = false;
        for (int j = 1; j <= state.klassvis && !coincides; ++j) {
            const Cell &c = grid.cell(r, j);
            coincides = c.background != kWhite && !c.locked();
        }
        if (coincides && !(ask && ask(ZamorozQuestion())))
            return ZamorozResult::Declined;
        for (int j = 1; j <= state.klassvis; ++j)
            LockCell(grid.cell(r, j));
        grid.setFrozen(r, true);
        return ZamorozResult::Frozen;
    }
    for (int j = 1; j <= state.klassvis; ++j)
        UnlockCell(grid.cell(r, j));
    CheckList(state, 0, r, r);
    grid.setFrozen(r, false);
    return ZamorozResult::Unfrozen;
}

void ClearPins(State &state)
{
    for (PinEntry &pin : state.pins)
        pin.checked = false;
    RazBlokYach(state, 1, 1, state.max_ur, state.klassvis);
}

int ShiftClassBound(const State &state)
{
    return std::clamp(state.vt_sm_x, 0, std::max(state.klassvis - 1, 0));
}

int ShiftRowBound(const State &state)
{
    return std::clamp(state.vt_sm_y, 0, std::max(state.max_ur - 1, 0));
}

bool ShiftInForce(const State &state)
{
    return ShiftClassBound(state) > 0 && ShiftRowBound(state) > 0;
}

bool VtorayaSmenaBlok(State &state, int ind, const std::function<bool(const QString &)> &ask)
{
    if (state.klassvis <= 0 || state.max_ur <= 0)
        return false;
    const bool split = ShiftInForce(state);
    bool unchecked = false;
    if (ind == 1) {
        RazBlokYach(state, 1, 1, state.max_ur, state.klassvis);
        if (state.chek_pderm == 1)
            unchecked = CheckList(state, split ? 1 : 0, 1, state.max_ur, ask);
    }
    if (split) {
        const int k = ShiftRowBound(state);
        const int m = ShiftClassBound(state);
        BlokYach(state, k + 1, 1, state.max_ur, m);
        BlokYach(state, 1, m + 1, k, state.klassvis);
    }
    return unchecked;
}

ShiftSliderGeometry VtorayaSmenaGranici(int klassvis, int maxUr, int scrollX, int scrollY)
{
    constexpr int W = GridGeometry::kFieldWidth; // room field RaspKab[1][1]
    constexpr int H = GridGeometry::kFieldHeight;
    constexpr int panel7Width = GridGeometry::kRowStripWidth;
    constexpr int panel5Height = GridGeometry::kTopBarHeight;
    constexpr int headerHeight = GridGeometry::kHeaderHeight; // HorzScrollBox1
    ShiftSliderGeometry g;
    const int width1 = std::max((W + 5) * (klassvis - 1) + klassvis / 2, 0);
    const int height2 = std::max((2 * H + 5) * (maxUr - 1) + maxUr / 2, 0);
    g.trackBar1 = QRect(panel7Width - 2 - scrollX, panel5Height + 7, width1, kTrackBar1Height);
    g.trackBar2 = QRect(panel7Width - kTrackBar2Width + 5, panel5Height + headerHeight - scrollY,
                        kTrackBar2Width, height2);
    g.maximum1 = std::max(klassvis - 1, 0);
    g.maximum2 = std::max(maxUr - 1, 0);
    return g;
}

} // namespace rasp::day
