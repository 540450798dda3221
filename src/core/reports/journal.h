#pragma once

#include "reports/daysections.h"
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

// The kinds of a journal line.
inline const QString kJournalReplacement = QStringLiteral("замена");
inline const QString kJournalChain = QStringLiteral("замена через перенос");
inline const QString kJournalCancelled = QStringLiteral("отмена");

// One substituted lesson: date, lesson number, class name, subject, who was absent (the template's
// teachers not giving it), who covered (the teachers giving it in their place; empty when the
// lesson was not given), the kind and the hours.
struct JournalEntry {
    QDate date;
    int lesson = 0;
    QString className;
    QString subject;
    QString absent;
    QString covering;
    QString kind;
    int hours = 1;
    bool operator==(const JournalEntry &) const = default;
};

// The journal lines of one sheet: a replacement whose teachers changed; a cancelled lesson (its
// teachers absent, nobody covering) unless an added lesson stands in for it through moves, which
// is then one line "замена через перенос" under the added lesson's number and subject. Moves,
// room changes, new lessons and a subject changed by the same teacher are no substitution.
std::vector<JournalEntry> JournalEntriesOf(const State &state, const ZamenySheet &sheet);

// The lines of the journal section: its heading, then lesson|class|subject|absent|covering|kind|hours.
QStringList JournalSectionLines(const std::vector<JournalEntry> &entries);

// Reads the lines under a journal section heading for `date`; false with a Russian message naming
// `where` and the line when a line cannot be understood.
bool ParseJournalLines(const QStringList &lines, QDate date, std::vector<JournalEntry> *entries, QString *error,
                       const QString &where);

// The weekday a date's companion says the date follows (1..7), or 0 when it says none.
int FollowedWeekday(QDate date);

// Records the date's weekday choice in its companion file (0 removes it); false with a message.
bool RecordFollowedWeekday(QDate date, int weekday, QString *error = nullptr);

// Records beside the saved day of `date` the load's class names in column order, the weekday it
// follows (`followedWeekday` 1..7, 0 its own; -1 keeps what the file says: pass what it said
// before other writers rewrote the file) and, when its template can be compared with it, the
// journal lines of that comparison, with the names of now. Called after the day file (and the
// day's absences) are written. False with a Russian message.
bool RecordDay(const State &state, QDate date, QString *error = nullptr, int followedWeekday = -1);

// Records the journal lines of the saved day of `date` as it compares now (the class names kept as
// recorded); without a template to compare with, the recorded lines are dropped.
bool RecordJournal(const State &state, QDate date, QString *error = nullptr);

// The hours of one teacher in the journal: lessons covered and lessons missed.
struct JournalTotal {
    QString teacher;
    int covered = 0;
    int absent = 0;
};

// The journal of a period: its lines in date order, the totals per teacher (sorted by name), the
// days taken from companion records and those compared now.
struct Journal {
    QDate from;
    QDate to;
    std::vector<JournalEntry> entries;
    std::vector<JournalTotal> totals;
    int recordedDays = 0;
    int comparedDays = 0;
    QStringList warnings; // days compared with the current load, days not counted
    QStringList errors;   // files that could not be read
};

// Builds the journal from `from` to `to`: each saved day's recorded journal lines, or, for a day
// whose companion records none, its comparison with its template now (with a warning that the
// current load was used). `step` is called after each date; false stops.
Journal BuildJournal(const State &state, QDate from, QDate to, const VipStep &step = {});

// Title: "Журнал замещённых уроков с 01.12.2026 по 31.12.2026".
QString JournalTitle(QDate from, QDate to);
QStringList JournalHeader();
// The journal's rows as shown and exported: date, lesson, class, subject, absent, covering, kind, hours.
std::vector<QStringList> JournalRows(const Journal &journal);
QStringList JournalTotalsHeader();
std::vector<QStringList> JournalTotalRows(const Journal &journal);

} // namespace rasp::reports
