#pragma once

#include "reports/zameny.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <vector>

namespace rasp {
struct State;
}

namespace rasp::sheets {

// One lesson a teacher gives in place of another: the cover slips and the month's journal list
// these.
struct Cover {
    QDate date;
    int column = 0; // class column
    int lesson = 0; // lesson number as the timetable prints it
    QString klass;
    QString subject;
    QString room;
    QString teacher;    // the covering teacher, full name
    QStringList absent; // the teachers of the template's lesson who do not give it
};

// The covers of a substitution sheet: for every replaced lesson, each teacher of the day's list
// who is not in the template's list covers it in place of the template's teachers who are not in
// the day's list; an added lesson standing in for a cancelled one through moves (coverOf) covers
// that lesson's teachers alike, as the tally counts it. The same teacher is no cover.
std::vector<Cover> CoversOfSheet(const State &state, const reports::ZamenySheet &sheet);

// The covers of one date as its substitution sheet has them: the saved day, with the absences
// and covers of the date's companion applied, against its template weekday (the one source the
// sheet, the slips and the journal share). A date without a saved day or template gives none and
// `error` says why.
std::vector<Cover> CoversForDate(const State &state, QDate date, QString *error);

// "Сидорова Е. В." of "Сидорова Елена Викторовна"; a name of one word stays as it is.
QString ShortName(const QString &fullName);

// The surname of a short name in the genitive, as "вместо" needs it: "Ивановой А. П.",
// "Петрова И. С.", "Лесного В. А."; a surname whose ending does not tell stays as it is.
QString GenitiveShortName(const QString &fullName);

// The line of a slip: "Сидорова Е. В.: 3 урок, 7А, Матем., каб. 21, вместо Ивановой А. П.".
QString SlipLine(const Cover &cover);

} // namespace rasp::sheets
