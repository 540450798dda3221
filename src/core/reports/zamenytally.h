#pragma once

#include "reports/vipolnenie.h"
#include "reports/zameny.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <vector>

namespace rasp {
struct State;
}

namespace rasp::reports {

// One lesson a teacher gained or lost: the date, the class column and the lesson number.
struct TeacherEvent {
    QDate date;
    int column = 0;
    int lesson = 0;
    QString className; // the class as recorded with the day (then `column` is 0); empty otherwise

    // The class's name: as recorded, or the load's name of the column.
    QString klass(const State &state) const;
};

// What the differences from the template mean for one teacher.
struct TeacherTally {
    QString teacher;
    std::vector<TeacherEvent> takenOver; // lessons given in place of another teacher
    std::vector<TeacherEvent> freed;     // own template lessons cancelled or given by someone else
    std::vector<TeacherEvent> moved;     // own lessons given in another row
    std::vector<TeacherEvent> added;     // lessons given beyond the template
};

// The tally of one day or of a period: per teacher, sorted by name in the editor's list order.
struct ZamenyTally {
    std::vector<TeacherTally> teachers;
    int days = 0;        // days compared with their template
    QStringList skipped; // saved days that could not be compared, with the reason
    QStringList errors;  // files that could not be read
    QStringList notices; // classes matched by name (each weekday's template once)
};

// The tally of one sheet. A replacement gives each teacher of the day's list who is not in the
// template's one lesson taken over and each template teacher not in the day's list one lesson
// freed; a cancelled lesson frees its teachers; teachers in both lists gain and lose nothing. An
// added lesson standing in for a cancelled one through moves (Change::coverOf) is taken over by
// each of its teachers not in the cancelled lesson's list.
ZamenyTally TallyOfSheet(const State &state, const ZamenySheet &sheet);

// The tally over the saved days from `from` to `to` inclusive, each against the template file of
// the weekday it follows (read once per weekday); a day whose companion records its substituted
// lessons counts those (lessons taken over and freed, with the teachers' names of the day's save),
// so deleting a teacher from the load later changes nothing of it. Dates without a saved day are passed over; a saved day
// whose weekday has no template is listed in `skipped`, unreadable files in `errors`. `step` is
// called after each date (counted = a day was compared); false stops the run.
ZamenyTally ZamenyPeriod(const State &state, QDate from, QDate to, const VipStep &step = {});

// The teacher names of a teacher list ("A, B" gives A and B).
QStringList TeacherNames(const QString &list);

// Where the events happened: "5А (3), 6Б (4)" (class and lesson).
QString EventPlaces(const State &state, const std::vector<TeacherEvent> &events);
// When the events happened: "11.12.2026, 14.12.2026 (2)" (a date with several lessons counts them).
QString EventDates(const std::vector<TeacherEvent> &events);

// The teacher view of one day: teacher, lessons taken over, freed, moved, added; each count
// followed by where ("2: 5А (3), 6Б (4)"), empty when none.
std::vector<QStringList> TeacherViewRows(const State &state, const ZamenyTally &tally);
QStringList TeacherViewHeader();

// The period table: teacher, lessons taken over, their dates, lessons freed, their dates.
std::vector<QStringList> TallyRows(const ZamenyTally &tally);
QStringList TallyHeader();

// Title of the period table: "Замены с 01.12.2026 по 31.12.2026".
QString TallyTitle(QDate from, QDate to);

} // namespace rasp::reports
