#pragma once

#include "print/printcontroller.h"

#include <QDate>
#include <QStringList>

#include <optional>

namespace rasp {
struct State;
}
namespace rasp::reports {
struct ZamenySheet;
}

namespace rasp::ui {

// The documents the print menus make from what the window shows; none when there is nothing to
// print. Each names its PDF (under the work folder) and the question asked before it is replaced.

// The export pictures: the day of `date` on the day page, the selected weekday on the template page.
std::optional<PrintJob> PageJob(const State &state, bool dayPage, bool templatePage, QDate date);
// The day's web pages, on the day page only.
std::optional<WebJob> DayWebJob(const State &state, bool dayPage, QDate date);
// The substitution sheet shown on the substitutions page.
std::optional<PrintJob> SheetJob(const State &state, const reports::ZamenySheet *sheet);
// One slip per covering teacher of the shown sheet.
std::optional<PrintJob> SlipsJob(const State &state, const reports::ZamenySheet *sheet);
// The journal of substituted lessons of the month of `date`; `errors` gets the days it could not read.
PrintJob JournalJob(const State &state, QDate date, QStringList *errors);

} // namespace rasp::ui
