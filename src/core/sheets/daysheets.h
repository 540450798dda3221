#pragma once

#include "reports/journal.h"
#include "reports/zameny.h"
#include "sheets/covers.h"
#include "sheets/sheettable.h"

#include <QDate>

#include <vector>

namespace rasp {
struct State;
}

// The sheets the school prints and puts on its web pages, built from the state as tables.
namespace rasp::sheets {

// Classes on one landscape page of the day or the template.
inline constexpr int kClassesPerPage = 10;

// The grid row that lesson `r` of class column `column` stands in: a second-shift class counts
// its lessons after the first shift's rows when the exports split the shifts.
int ShownRow(const State &state, int column, int r);

// The number of lesson rows the day's table shows.
int DayRows(const State &state);

// The day: "№" and the class names over the lesson rows, subject and room in each cell; landscape,
// kClassesPerPage classes a page with the row numbers repeated; the day's note under it.
SheetTable DayTable(const State &state, QDate date);

// The weekly template of weekday `k` (1 = Monday ... 7 = Sunday), laid out like the day.
SheetTable TemplateTable(const State &state, int k);

// The substitution sheet: class, lesson, was, now, room, kind; portrait, the header on every page.
SheetTable ZamenyTable(const State &state, const reports::ZamenySheet &sheet);

// The journal of substituted lessons of a period (as the journal page builds it) with a column to
// sign; portrait, the header on every page.
SheetTable JournalTable(const reports::Journal &journal);

// The journal of the month of `date`.
reports::Journal MonthJournal(const State &state, QDate date);

// One slip per covering teacher, in name order, each listing the teacher's covers of the date.
std::vector<Slip> SlipsOf(const std::vector<Cover> &covers);

// The title of the slips of a date: "Замены на пятницу 11.12.2026".
QString SlipsTitle(QDate date);

} // namespace rasp::sheets
