#pragma once

#include "cell.h"

#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <utility>
#include <vector>

namespace rasp {
struct State;
}

namespace rasp::day {

// The items of a limit list and the index of the selected one.
struct LimitList {
    QStringList items;
    int selected = 0;
};

// "максимум уроков": M..max_ur, M = the most filled lessons of any class; max_ur selected.
LimitList MaxUrVsego(const State &state);

// "отсутствие первых уроков": "0", then 1..X-m-1 with X the chosen maximum and m the fewest
// filled lessons of any class (max_ur without classes); "0" selected.
LimitList MaxRepUr(const State &state, int maxChosen);

// Refills the pin list from the subject index, in list order, every entry unchecked.
void FillPinList(State &state);

// Sets the pin checks to the default pins: exactly the entries named in `defaults` are checked.
void CheckDefaultPins(State &state, const QStringList &defaults);

// Brings the locks of rows y1..y2 in line with the pin list. With ind = 1 a checked subject
// that has a coloured free lesson in those rows is pinned only if `ask` (given the question)
// answers true; otherwise its entry is unchecked and its cells are left alone. Returns whether
// any entry was unchecked.
bool CheckList(State &state, int ind, int y1, int y2, const std::function<bool(const QString &)> &ask = {});

// The question CheckList asks before pinning a subject that has a coincidence.
QString CheckListQuestion();

// The missing-teacher list: per class with such lessons, the class name, "\r", then every
// subject without a teacher followed by "\r", in row order.
QStringList NetUchit(const State &state);

// The text of the missing-teacher box: every entry followed by a line break.
QString NetUchitText(const QStringList &entries);

// The warning glow colour: alpha i, pure red.
quint32 GenerateRandomColor(int i);

// One step of the warning glow: turns the step at the ends of 0..250 and advances migan.
void WarningGlowStep(int &migan, int &migan_mn);

// The number of lesson cells whose teacher list names `name`.
int KolUrUUchVDen(const State &state, const QString &name);

// The rows of "Количество часов в день": every teacher named in a lesson's teacher list with
// KolUrUUchVDen, sorted by name (ordinal comparison).
std::vector<std::pair<QString, int>> TeacherHoursRows(const State &state);

// The weekly count of a subject in one class of the template: per weekday 1..7 and in total.
struct WeekCount {
    std::array<int, 8> perDay{};
    int total = 0;
};
WeekCount PodshetKolUr(const State &state, const QString &s, int jj);

} // namespace rasp::day
