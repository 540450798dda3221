#pragma once

#include "reports/exportlayout.h"
#include "reports/zameny.h"
#include "reports/zamenytally.h"

#include <QDate>
#include <QString>

namespace rasp {
struct State;
}

namespace rasp::reports {

// The substitution sheet as a workbook sheet: the title over all six columns, the header row, one
// row per change (the lesson number stored as a number), or one merged row saying that nothing
// changed; every cell bordered; printed on A4 portrait, one page wide.
Sheet ZamenyWorkbook(const State &state, const ZamenySheet &sheet);

// The same as a document: one table (title row merged, size 14; header; rows), A4 portrait.
Document ZamenyDocument(const State &state, const ZamenySheet &sheet);

// The tally of a period as a workbook sheet: title, header, one row per teacher with the counts
// stored as numbers, the days not counted listed below the table.
Sheet TallyWorkbook(const ZamenyTally &tally, QDate from, QDate to);

// Relative paths of the files: raspisanie/Замены DD.MM.YYYY.<suffix> and, for a period,
// raspisanie/Замены DD.MM.YYYY-DD.MM.YYYY.xlsx.
QString ZamenyExportPath(QDate date, const QString &suffix);
QString TallyExportPath(QDate from, QDate to);

} // namespace rasp::reports
