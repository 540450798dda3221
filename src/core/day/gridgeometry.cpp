#include "gridgeometry.h"

#include <algorithm>
#include <cmath>

namespace rasp::day {

QRect GridGeometry::subjectRect(int row, int column)
{
    if (row == 0)
        return QRect(kColumnStep * column + 15, 15, kFieldWidth, kFieldHeight);
    return QRect(kColumnStep * column - 55, kRowStep * row - 40, kFieldWidth, kFieldHeight);
}

QRect GridGeometry::roomRect(int row, int column)
{
    return QRect(kColumnStep * column - 55, kRowStep * row - 21, kFieldWidth, kFieldHeight);
}

QRect GridGeometry::frameRect(int row, int column)
{
    const QRect s = subjectRect(row, column);
    return QRect(s.x() - 1, s.y() - 1, kFieldWidth + 2, 2 * kFieldHeight + 1);
}

QRect GridGeometry::toggleRect(int row)
{
    return QRect(4, subjectRect(row, 1).y() + 8, 25, 25);
}

QRect GridGeometry::rowLabelRect(int row)
{
    return QRect(34, toggleRect(row).y() + 3, 20, kFieldHeight);
}

QRect GridGeometry::memoRect(int maxUr, int klassvis)
{
    const int top = roomRect(maxUr, 1).bottom() + 1 + 10;
    return QRect(subjectRect(1, 1).x(), top, kColumnStep * klassvis - 5, kMemoHeight);
}

QSize GridGeometry::bodySize(int maxUr, int klassvis)
{
    const QRect memo = memoRect(maxUr, klassvis < 1 ? 1 : klassvis);
    return QSize(kColumnStep * (klassvis < 0 ? 0 : klassvis) + 10, memo.bottom() + 1 + 10);
}

GridGeometry::Hit GridGeometry::hitBody(QPoint p, int maxUr, int klassvis)
{
    Hit hit;
    if (p.x() < 0 || p.y() < 0)
        return hit;
    const int column = (p.x() + 55) / kColumnStep;
    const int row = (p.y() + 40) / kRowStep;
    if (column < 1 || column > klassvis || row < 1 || row > maxUr)
        return hit;
    if (subjectRect(row, column).contains(p))
        hit.field = Subject;
    else if (roomRect(row, column).contains(p))
        hit.field = Room;
    else
        return hit;
    hit.row = row;
    hit.column = column;
    return hit;
}

int GridGeometry::hitToggle(QPoint p, int maxUr)
{
    for (int i = 1; i <= maxUr; ++i)
        if (toggleRect(i).contains(p))
            return i;
    return -1;
}

int GridGeometry::slotTop(int row)
{
    return 2 * kFieldHeight * (row - 1) + 5 * row;
}

int GridGeometry::dropRow(double top, int maxUr)
{
    // nearbyint rounds in the default mode, to nearest with halves to even.
    const double k = std::nearbyint((top - 10 + 2 * kFieldHeight) / (2 * kFieldHeight + 5));
    return int(std::clamp(k, 1.0, double(std::max(maxUr, 1))));
}

int GridGeometry::slideStep(double yKon, double yNach)
{
    const int step = int(std::nearbyint(std::abs(yKon - yNach) / 10));
    return yKon < yNach ? -step : step;
}

int GridGeometry::windowHeight(int maxUr)
{
    return maxUr != 0 ? kMemoHeight + 42 * maxUr + kTopBarHeight + 180 : 750;
}

} // namespace rasp::day
