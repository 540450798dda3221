#pragma once

#include <QString>
#include <QStringView>

namespace rasp {
struct State;
}

namespace rasp::day {

// The two parts of a teacher list that the highlighting searches for: with ", " in the list,
// `first` is the text before the first "," and `rest` everything after the first ", ";
// otherwise `first` is empty and `rest` is the whole list.
struct TeacherListParts {
    QStringView first;
    QStringView rest;
};
TeacherListParts SplitTeacherList(QStringView list);

// Recomputes the teacher list and colours of every lesson cell from its subject, the load and
// the highlighting mode state.regim. `uchitel` is the selection of the mode "только выбранного
// учителя"; when empty, the selection is the teacher list of the cell whose address
// ("row;column") is `focusHint`, the hint of the focused control (none or malformed: empty).
void PoiskUchit(State &state, const QString &uchitel, QStringView focusHint = {});

} // namespace rasp::day
