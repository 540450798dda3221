#pragma once

#include <QPoint>
#include <QRect>
#include <QPair>
#include <QSize>

namespace rasp::load {

// Pixel layout of the load page, in logical pixels. Class-name fields and their menu pictures
// are in class-strip coordinates, teacher-name fields and theirs in teacher-strip coordinates,
// subject fields in matrix coordinates; each strip scrolls with the matrix along its direction.
class LoadGeometry
{
public:
    static constexpr int kColumnStep = 65;
    static constexpr int kRowStep = 54;
    static constexpr int kSubjectWidth = 60;
    static constexpr int kSubjectHeight = 50;
    static constexpr int kClassStripHeight = 60;
    // The teacher strip is wide enough for a full name (surname, name, patronymic) at 9 pt or
    // more; the designed 120-px field showed hardly more than the surname.
    static constexpr int kTeacherStripWidth = 170;
    static constexpr int kTeacherNameWidth = 160;
    static constexpr int kClassNameLength = 4;    // characters a class name may have
    static constexpr int kTeacherNameLength = 60; // characters a teacher name may have

    // Class-name field of class j (60 x 20 at y 25) and its "…" picture centred above it.
    static QRect classNameRect(int j);
    static QRect classMenuRect(int j);
    // Teacher-name field of teacher m (160 x 20 at x 4) and its "…" picture centred under it.
    static QRect teacherNameRect(int m);
    static QRect teacherMenuRect(int m);
    // Subject field of teacher m in class j (60 x 50).
    static QRect subjectRect(int m, int j);
    // Size of the matrix content, with room after the last column and row.
    static QSize matrixSize(int klassvis, int pedvis);

    struct Cell {
        int teacher = -1;
        int klass = -1;
        bool valid() const { return teacher >= 1 && klass >= 1; }
    };
    // The subject field under a matrix point, if any.
    static Cell hitSubject(QPoint p, int klassvis, int pedvis);
    // The class whose name field / menu picture is under a class-strip point, or -1.
    static int hitClassName(QPoint p, int klassvis);
    static int hitClassMenu(QPoint p, int klassvis);
    // The teacher whose name field / menu picture is under a teacher-strip point, or -1.
    static int hitTeacherName(QPoint p, int pedvis);
    static int hitTeacherMenu(QPoint p, int pedvis);
    // The classes (columns) and teachers (rows) that touch the span [from, to] of the matrix.
    static QPair<int, int> classesIn(int from, int to, int klassvis);
    static QPair<int, int> teachersIn(int from, int to, int pedvis);
};

} // namespace rasp::load
