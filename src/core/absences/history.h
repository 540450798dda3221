#pragma once

#include <QDate>
#include <QHash>
#include <QString>

namespace rasp::absences {

// The monthly cap of covers per teacher when the work folder sets none.
inline constexpr int kDefaultMonthlyCap = 8;

// The file of the work folder holding the monthly cap: one line with the number.
inline const QString kCapFile = QStringLiteral("zameny_limit.ini");

// Covers a teacher has given before a date: in its week (Monday on) and in its month.
struct CoverCounts {
    QHash<QString, int> week;
    QHash<QString, int> month;
    int cap = kDefaultMonthlyCap;

    int weekOf(const QString &teacher) const { return week.value(teacher); }
    int monthOf(const QString &teacher) const { return month.value(teacher); }
};

// Counts the covers of the companion files in `dataFolder` (r_data) of the dates of `date`'s
// month and week before `date` (files that cannot be read count nothing).
CoverCounts CountCovers(const QString &dataFolder, QDate date);

// Reads the monthly cap from `path`; a missing file gives the default, a bad one the default with
// a Russian warning in `warning`.
int ReadMonthlyCap(const QString &path, QString *warning = nullptr);

// Writes the monthly cap (1..99) to `path` as one Windows-1251 line; false with a Russian error.
bool WriteMonthlyCap(const QString &path, int cap, QString *error = nullptr);

} // namespace rasp::absences
