#pragma once

#include "reports/exportlayout.h"
#include "reports/journal.h"

#include <QDate>
#include <QString>

namespace rasp::reports {

// The journal of substituted lessons as a workbook sheet: the title over the table, the header
// (repeated on every printed page), one row per lesson (lesson and hours stored as numbers), the
// total of hours; below it the totals per teacher and the days whose lines were worked out with
// the current load or not counted. A4 portrait, one page wide.
Sheet JournalWorkbook(const Journal &journal);

// Relative path of the file: raspisanie/Журнал DD.MM.YYYY-DD.MM.YYYY.xlsx.
QString JournalExportPath(QDate from, QDate to);

} // namespace rasp::reports
