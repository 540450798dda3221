#pragma once

#include "reports/zameny.h"
#include "sheets/sheettable.h"

#include <QHash>
#include <QString>

#include <vector>

namespace rasp {
struct State;
}

namespace rasp::sheets {

// Where a lesson of the day stands: grid row and class column.
struct LessonPlace {
    int row = 0;
    int column = 0;
};

// The day's changes by place, for marking lessons: key column * 1000 + grid row.
using ChangeIndex = QHash<int, const reports::Change *>;

// Indexes the changes of a sheet by the place they are listed under.
ChangeIndex IndexChanges(const std::vector<reports::Change> &changes);

// The lessons of every teacher of the load in one pass over the day: [m] for teacher row m of
// PedFio, in class then row order. A name of a lesson's list that is no teacher of the load is
// left out.
std::vector<std::vector<LessonPlace>> TeacherLessons(const State &state);

// The day of one class: lesson, subject, room, teachers (short names) and what changed against
// the template; a cancelled lesson has a row of its own; changed rows are marked.
SheetTable ClassTable(const State &state, int column, const ChangeIndex &changes);

// The day of one teacher: lesson, class, subject, room and what changed, by lesson number.
SheetTable TeacherTable(const State &state, int m, const std::vector<LessonPlace> &lessons,
                        const ChangeIndex &changes);

} // namespace rasp::sheets
