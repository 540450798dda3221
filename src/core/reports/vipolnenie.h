#pragma once

#include <QDate>
#include <QHash>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace rasp {
struct State;
}

namespace rasp::day {
struct ColumnMap;
}

namespace rasp::reports {

// The delivered-hours count: for class j and slot k, row 2k-1 of column j holds a subject (empty =
// free slot) and row 2k its count as decimal text. Row 0 and column 0 are unused. There are
// klassvis slots at the start, and more as soon as a class has more subjects.
struct Vipolnenie {
    int klassvis = 0;
    int vipolnen = 0;                             // used rows, 2 x the slots
    std::vector<std::vector<QString>> vipolnenie; // [row][class]
    std::vector<QHash<QString, int>> slotOf;      // per class: subject -> its slot k, for quick look-up
    std::vector<int> used;                        // per class: slots taken so far
};

// Sizes the count for the present classes: (2 x klassvis + 1) rows by klassvis_mas columns,
// subjects empty and counts "0".
void VipolnenieStart(const State &state, Vipolnenie &vip);

// Counts the subject lines of one day-file layout (max_ur lines, classes 1..klassvis by
// position, or through `map` when the file's columns are matched by class name): a known subject
// of a class adds 1, a new one takes the class's first free slot (a slot is added when none is
// left). Rooms and the note are not read.
void RaspVipLoad(const State &state, Vipolnenie &vip, const QStringList &lines, const day::ColumnMap *map = nullptr);

// The number of table rows the count needs: the last slot that some class has filled.
int VipRows(const Vipolnenie &vip);

// Table text of slot k of class j: subject + " - " + count, empty for a free slot.
QString VipCell(const Vipolnenie &vip, int k, int j);

// What a calculation met besides the counts: the Russian errors of files that could not be read,
// and the classes of files saved with other classes than the load's, each named once with the
// days or weekdays it concerns ("Класс 6Б удалён из нагрузки: его уроки в расписаниях на
// 01.12.2026, 02.12.2026 не учтены", "Класс 8В: нет в сетке понедельника").
struct VipOutcome {
    QStringList errors;
    QStringList notices;
};

// One step of a calculation: `counted` says whether a file was read at this step. Returning
// false stops the calculation there (the window was closed meanwhile).
using VipStep = std::function<bool(bool counted)>;

// Counts the saved days r_data/<date>.ini from `from` to `to` inclusive, in date order, calling
// `step` after each date. Each day's columns go to the classes recorded beside it (its
// companion's class names; by position when none are). Missing files are skipped.
VipOutcome RaschetPeriod(const State &state, Vipolnenie &vip, QDate from, QDate to, const VipStep &step = {});

// Counts the saved template files setka/<weekday>.ini, Monday to Sunday, calling `step` after
// each weekday, each read through the class names recorded beside it. Missing files are skipped.
VipOutcome RaschetWeek(const State &state, Vipolnenie &vip, const VipStep &step = {});

// Where in the saved days, for a class notice: "в расписании на 01.12.2026", "в расписаниях на
// 01.12.2026, 03.12.2026", and beyond five dates "в расписаниях с 01.12.2026 по 25.12.2026 (дней: 12)".
QString WhereInDays(const QStringList &dates);

// The result as columns of cell texts: column j-1 holds rows 1..VipRows of class j.
std::vector<QStringList> VipTable(const Vipolnenie &vip);

} // namespace rasp::reports
