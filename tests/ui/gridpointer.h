#pragma once

#include "day/gridgeometry.h"
#include "day/daygridview.h"
#include "tform1.h"

#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTest>

// Pointer gestures on the day grid of a window as the window system delivers them: a point of
// the grid body lands on the live editor where it lies over the focused field, else on the body.
namespace gridpointer {

// The transparent child covering the grid body, which takes the presses on cells.
inline QWidget *body(const TForm1 &f)
{
    return f.widgets().grid->findChild<QWidget *>(QStringLiteral("ScrollBox2"));
}

// The grid body's current scroll offsets.
inline QPoint scroll(const TForm1 &f)
{
    return {f.widgets().grid->horizontalScrollBar()->value(), f.widgets().grid->verticalScrollBar()->value()};
}

// The on-screen body point of the centre of a field given in body coordinates.
inline QPoint at(const TForm1 &f, const QRect &bodyRect)
{
    return bodyRect.center() - scroll(f);
}
inline QPoint subjectAt(const TForm1 &f, int row, int column)
{
    return at(f, rasp::day::GridGeometry::subjectRect(row, column));
}
inline QPoint roomAt(const TForm1 &f, int row, int column)
{
    return at(f, rasp::day::GridGeometry::roomRect(row, column));
}

// The widget a pointer at body point p lands on, with the local position there.
inline std::pair<QWidget *, QPoint> hitAt(const TForm1 &f, QPoint p)
{
    QLineEdit *e = f.widgets().grid->editor();
    if (e->isVisible() && e->geometry().contains(p))
        return {e, p - e->pos()};
    return {body(f), p};
}

inline void click(const TForm1 &f, QPoint p)
{
    const auto [w, local] = hitAt(f, p);
    QTest::mouseClick(w, Qt::LeftButton, {}, local);
}

// Press and release, then the second press as a double-click event on whatever lies there now
// (the editor may have moved in), and the release.
inline void doubleClick(const TForm1 &f, QPoint p)
{
    click(f, p);
    const auto [w, local] = hitAt(f, p);
    QMouseEvent dbl(QEvent::MouseButtonDblClick, local, w->mapToGlobal(local), Qt::LeftButton, Qt::LeftButton, {});
    QApplication::sendEvent(w, &dbl);
    QTest::mouseRelease(w, Qt::LeftButton, {}, local);
}

} // namespace gridpointer
