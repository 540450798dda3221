#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace rasp {
struct State;
}

namespace rasp::day {

// A teacher wanted in two or more classes of one lesson row: a text that is the first name or
// the second part of the teacher lists of those classes (the arrangement's clash rule: the
// first name is the text before the first ",", the second part the text after the first ", ").
struct TeacherClash {
    int row = 0;
    QString teacher;
    std::vector<int> classes; // grid columns, ascending
};

// The teacher clashes of one row, in the order their teachers first occur from the left.
std::vector<TeacherClash> TeacherClashes(const State &state, int row);
// The teacher clashes of every lesson row, row by row.
std::vector<TeacherClash> TeacherClashes(const State &state);

// The teacher clashes of one row as the grid colours them in the mode "только совпадения":
// every whole name of a teacher list (a group lesson of three names has three), given in two
// or more classes of the row. A clash here that TeacherClashes lacks is one the arrangement
// does not count, and the other way round.
std::vector<TeacherClash> ColouredTeacherClashes(const State &state, int row);
// The coloured teacher clashes of every lesson row, row by row.
std::vector<TeacherClash> ColouredTeacherClashes(const State &state);

// Whether the arrangement's two-part rule finds the same clash: a teacher given in those
// classes by TeacherClashes of the clash's row.
bool ArrangementCountsClash(const State &state, const TeacherClash &clash);

// The line a lesson's tooltip adds when the arrangement judges the lesson otherwise than the
// grid colours it (a clash of the third name of a group lesson, say), else empty.
QString ArrangementRuleLine(const State &state, int row, int column);

// A room that the double-booking check colours red, with the classes it colours because of it:
// the classes that name the room, or, when a class names the room twice, every class of the row
// with a room (the check pairs that class with each of them).
struct RoomClash {
    int row = 0;
    QString room;
    std::vector<int> classes; // grid columns, ascending
    int twiceIn = 0;          // a class naming the room twice, 0 when none does
};

// The red rooms of one row, in the order the rooms first occur from the left.
std::vector<RoomClash> RoomClashes(const State &state, int row);
// The red rooms of every lesson row, row by row.
std::vector<RoomClash> RoomClashes(const State &state);

// Why a class's day fails the arrangement's shape rule for R ("максимум уроков") and P
// ("отсутствие первых уроков"): no lesson in rows 1..R, a first lesson after row P + 1, or an
// empty row between lessons within 1..R. `row` is the first lesson's row for a late start, the
// first empty row of a gap, 0 when there is no lesson.
struct ShapeProblem {
    enum Kind { NoLessons,
                LateStart,
                Gap };
    int column = 0;
    Kind kind = NoLessons;
    int row = 0;
    QString text; // a Russian sentence
};

// The shape problems of one class; empty exactly when the shape rule accepts its day.
std::vector<ShapeProblem> ClassShapeProblems(const State &state, int column, int R, int P);
// The shape problems of every class, class by class.
std::vector<ShapeProblem> ShapeProblems(const State &state, int R, int P);

// The lines a lesson's tooltip adds under its teacher list in the mode "только совпадения" while
// the lesson is coloured: per teacher of the lesson, the other classes of the row whose lessons
// that teacher gives too ("Иванова И. И. в этот урок также в 7Б, 8А"), and the classes whose
// teacher lists merely contain a part of this lesson's list, which the colouring also counts.
QStringList LessonClashLines(const State &state, int row, int column);

// The lines a red room's tooltip shows: the other classes of the row using the same room
// ("Кабинет 12 в этот урок также у 6В"), or the class that names a room twice.
QStringList RoomClashLines(const State &state, int row, int column);

// The lines the row number's tooltip shows: every class whose shape problem lies in this row
// ("5А: окно на 3-м уроке").
QStringList RowShapeLines(const State &state, int row, int R, int P);

} // namespace rasp::day
