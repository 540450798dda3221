#pragma once

#include <QDate>
#include <QString>

namespace rasp::text {

// Weekday number of a date with 1 = Sunday ... 7 = Saturday.
int DayOfWeekSundayFirst(QDate date);

// Weekday word of a date, nominative ("Воскресенье" ... "Суббота"); also names the template file.
QString day(QDate date);

// Weekday word of a date, accusative ("воскресенье", "понедельник", "среду", ...), as in "на среду".
QString day2(QDate date);

// Template weekday word for 1 = Monday ... 7 = Sunday; empty outside 1..7.
QString daySet(int num);

// Genitive month name for 1..12 ("января" ... "декабря"); empty outside 1..12.
QString stMonth(int month);

// The date in words: "9 декабря 2026 года" (day without a leading zero).
QString DataSlov(QDate date);

// Short date text DD.MM.YYYY, which names day files and appears in hints and messages.
QString ShortDate(QDate date);

// Reads a short date text DD.MM.YYYY; an invalid date when the text is not exactly that.
QDate ParseShortDate(QStringView text);

// Why a text is not a date DD.MM.YYYY, in Russian; empty when it is one. A text of another shape
// is told its form; a text of that form naming no day ("31.04.2026", "29.02.2027") is told that
// the date does not exist, and why.
QString ShortDateProblem(QStringView text);

} // namespace rasp::text
