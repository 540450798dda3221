#include "loadgeometry.h"

#include <QPair>

#include <algorithm>

namespace rasp::load {

namespace {

// Floor division, so that points left of or above the origin never land on item 0 or 1.
int floorDiv(int a, int b)
{
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

// Column whose 65-px step holds x (the field starts 55 left of 65 j).
int columnAt(int x)
{
    return floorDiv(x + 55, LoadGeometry::kColumnStep);
}

} // namespace

QRect LoadGeometry::classNameRect(int j)
{
    return QRect(kColumnStep * j - 55, 25, 60, 20);
}

QRect LoadGeometry::classMenuRect(int j)
{
    return QRect(classNameRect(j).x() + 30 - 7, 25 - 12 - 2, 14, 12);
}

QRect LoadGeometry::teacherNameRect(int m)
{
    return QRect(4, kRowStep * m - 43, kTeacherNameWidth, 20);
}

QRect LoadGeometry::teacherMenuRect(int m)
{
    return QRect(4 + kTeacherNameWidth / 2 - 7, teacherNameRect(m).y() + 20, 14, 12);
}

QRect LoadGeometry::subjectRect(int m, int j)
{
    return QRect(kColumnStep * j - 55, kRowStep * m - 45, kSubjectWidth, kSubjectHeight);
}

QSize LoadGeometry::matrixSize(int klassvis, int pedvis)
{
    // 50 right of the last class field, and 100 below the last teacher's menu picture.
    const int k = std::max(klassvis, 0);
    const int p = std::max(pedvis, 0);
    return QSize(kColumnStep * k + 60, kRowStep * p + 100);
}

LoadGeometry::Cell LoadGeometry::hitSubject(QPoint p, int klassvis, int pedvis)
{
    const int j = columnAt(p.x());
    const int m = floorDiv(p.y() + 45, kRowStep);
    if (j < 1 || j > klassvis || m < 1 || m > pedvis || !subjectRect(m, j).contains(p))
        return {};
    return {m, j};
}

int LoadGeometry::hitClassName(QPoint p, int klassvis)
{
    const int j = columnAt(p.x());
    return j >= 1 && j <= klassvis && classNameRect(j).contains(p) ? j : -1;
}

int LoadGeometry::hitClassMenu(QPoint p, int klassvis)
{
    const int j = columnAt(p.x());
    return j >= 1 && j <= klassvis && classMenuRect(j).contains(p) ? j : -1;
}

int LoadGeometry::hitTeacherName(QPoint p, int pedvis)
{
    const int m = floorDiv(p.y() + 43, kRowStep);
    return m >= 1 && m <= pedvis && teacherNameRect(m).contains(p) ? m : -1;
}

int LoadGeometry::hitTeacherMenu(QPoint p, int pedvis)
{
    const int m = floorDiv(p.y() + 43, kRowStep);
    return m >= 1 && m <= pedvis && teacherMenuRect(m).contains(p) ? m : -1;
}

QPair<int, int> LoadGeometry::classesIn(int from, int to, int klassvis)
{
    return {std::max(1, columnAt(from)), std::min(klassvis, columnAt(to))};
}

QPair<int, int> LoadGeometry::teachersIn(int from, int to, int pedvis)
{
    return {std::max(1, floorDiv(from + 45, kRowStep)), std::min(pedvis, floorDiv(to + 45, kRowStep))};
}

} // namespace rasp::load
