#pragma once

#include "text/textfile.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <vector>

namespace rasp::reports {

// The sections this editor adds to a date's companion file (r_data/DD.MM.YYYY.zam) beside the
// class names in column order ("[Классы]"): the weekday whose template the date follows ("1" =
// понедельник ... "7" = воскресенье), and the substituted lessons of the day as they were when
// it was saved, with the teachers' names of that time.
inline const QString kWeekdaySection = QStringLiteral("[По расписанию]");
inline const QString kJournalSection = QStringLiteral("[Журнал]");

// One section of a date's companion file that the absences' reader keeps as read: its "[name]"
// heading and the lines under it.
struct Section {
    QString name;
    QStringList lines;
    bool operator==(const Section &) const = default;
};

// The sections of a companion file as read; a missing file has none.
struct SectionsRead {
    text::ReadResult::Status status = text::ReadResult::NoFile;
    std::vector<Section> sections;
    QString error; // Russian, when the file exists but cannot be read

    // The lines of the named section, or nullptr when the file has none of that name.
    const QStringList *find(const QString &name) const;
};

// The weekday (1..7) the weekday section of a companion names, or 0 when it has none.
int WeekdayOf(const SectionsRead &file);

// The companion file of a date beside its day file: r_data/DD.MM.YYYY.zam.
QString DayCompanionPath(QDate date);

// Reads the kept sections of the companion file at `path` (through the companion's own reader; a
// file it cannot understand is Unreadable).
SectionsRead ReadSections(const QString &path);

// Puts `sections` into the companion file at `path`, each replacing the section of its name or
// added at the end, and drops the sections named in `remove`; every other section is kept line
// for line; written whole through the companion's writer (no file when nothing is left). A file
// that exists but cannot be read is never replaced. False with a Russian message.
bool PutSections(const QString &path, const std::vector<Section> &sections, QString *error = nullptr,
                 const QStringList &remove = {});

} // namespace rasp::reports
