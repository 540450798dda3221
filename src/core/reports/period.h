#pragma once

#include <QDate>
#include <QString>

namespace rasp::reports {

// The longest period a report counts: a longer one is a mistyped year, and counting it would
// keep the editor or the command line busy for minutes.
inline constexpr int kMaxPeriodYears = 10;

// Why a report period cannot be counted, in Russian; empty when it can: its end before its
// start, or longer than kMaxPeriodYears.
QString PeriodProblem(QDate from, QDate to);

} // namespace rasp::reports
