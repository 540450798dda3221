#pragma once

#include "absences/companion.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <array>
#include <memory>
#include <optional>
#include <vector>

namespace rasp {
struct State;
}

namespace rasp::day {
struct ColumnMap;
}

namespace rasp::absences {
struct Companion;
}

namespace rasp::reports {

// How a lesson of the day differs from the template of its weekday.
enum class ChangeKind { Replacement,
                        Moved,
                        Cancelled,
                        Added,
                        Room };

// One lesson of a class: its grid row, subject, room and resolved teacher list.
struct Lesson {
    int row = 0;
    QString subject;
    QString room;
    QString teachers;
    QString coverKind;   // a day's lesson taken by a cover: its kind ("по предмету", ...)
    QString coverAbsent; // and the absent teacher it replaces
    bool operator==(const Lesson &) const = default;
};

// The lessons of one day-file layout (a day or a template weekday), class by class:
// byClass[j] holds the lessons of grid column j in row order; column 0 is unused.
struct DayLessons {
    std::vector<std::vector<Lesson>> byClass;
};

// One difference of a class: the grid row it is listed under, its kind, the template's lesson
// (`was`) and the day's (`now`); a cancelled lesson has no `now`, an added one no `was`. An added
// lesson that fills the row a moved lesson left, where that move filled the row of a cancelled
// lesson (directly or through further moves), takes that lesson's place: `coverOf` is the
// cancelled lesson, and its teacher counts as covering.
struct Change {
    int column = 0;
    int row = 0;
    ChangeKind kind = ChangeKind::Replacement;
    std::optional<Lesson> was;
    std::optional<Lesson> now;
    std::optional<Lesson> coverOf;
};

// The substitution sheet of a date: every difference of the day from its template weekday,
// sorted by class column, then by the row listed under.
struct ZamenySheet {
    QDate date;
    std::vector<Change> changes;
    QStringList notices;     // classes read by name: gone from the load, or missing from a file
    int followedWeekday = 0; // the weekday whose template the date follows when not its own
    QStringList absences;    // "Иванова А. П. (болезнь), 1-7 уроки", from the date's companion
    QStringList openLessons; // lessons of an absent teacher nobody covers: "5А, 3-й урок, Алгебра (Иванова)"
};

// Whether a subject text is a lesson: it holds a letter or a digit. Empty cells, blanks and
// placeholders such as "$$" or "-" are not lessons.
bool IsLesson(const QString &subject);

// Whether two room texts name different rooms: both given (a "\" counts as "/", outer blanks
// ignored) and not equal. A room missing on either side is no change.
bool RoomsDiffer(const QString &was, const QString &now);

// Compares the template lessons of one class (`was`) with the day's (`now`), both in row order
// with at most one lesson per row. Matching runs in four passes, each on what the earlier ones
// left: the same lesson in the same row (a room change when the rooms differ); the same lesson
// (subject and teacher list) in another row, nearest rows first (moved); another lesson in the
// same row (replacement); then the rest (cancelled, added).
std::vector<Change> CompareClass(int column, const std::vector<Lesson> &was, const std::vector<Lesson> &now);

// Compares a template weekday with a day, every class of the school; sorted as a sheet.
std::vector<Change> CompareLessons(const DayLessons &was, const DayLessons &now);

// Reads day-file layouts into lessons with the editor's own teacher resolution (PoiskUchit on a
// grid of its own, so the caller's grid is never touched). Holds a copy of the school's load.
class LessonReader
{
public:
    explicit LessonReader(const State &state);
    ~LessonReader();
    LessonReader(const LessonReader &) = delete;
    LessonReader &operator=(const LessonReader &) = delete;

    // The lessons of the subject and room lines of a day file or template file (max_ur rows,
    // classes 1..klassvis), by position or through `map`; empty cells and placeholders are left out.
    // With a date's companion, its covers give their lessons their real teachers (and the
    // lessons note the cover), and `open` gets the lessons of its absent teachers nobody covers.
    DayLessons read(const QStringList &lines, const day::ColumnMap *map = nullptr,
                    const absences::Companion *companion = nullptr, QStringList *open = nullptr);

private:
    struct Scratch;
    std::unique_ptr<Scratch> m_scratch;
};

// The outcome of reading one day with its template weekday.
struct ZamenyResult {
    std::optional<ZamenySheet> sheet;
    QString error; // Russian, when there is no sheet
};

// The substitution sheet of `date`: r_data/<date>.ini against setka/<weekday>.ini of the work
// folder, the template's columns matched to the load's classes by the names recorded beside it
// (notices in the sheet). A date without a saved day, a weekday without a template or an
// unreadable file gives no sheet and a Russian message saying which.
ZamenyResult ZamenyForDate(const State &state, QDate date);

// The template lessons of weekday k read from the work folder (`error` set and nothing returned
// when the file is missing or unreadable), with the notices of its column map.
struct TemplateLessons {
    std::optional<DayLessons> lessons;
    QStringList notices;
    QString error;
    bool missing = false; // no template file for the weekday
};
TemplateLessons ReadTemplateLessons(const State &state, LessonReader &reader, int k);

// Template lessons per weekday, read when first needed (over a period, once per weekday).
struct TemplateCache {
    std::array<std::optional<TemplateLessons>, 8> weekdays;
    // The template of weekday k, read on first use.
    const TemplateLessons &get(const State &state, LessonReader &reader, int k);
};

// One saved day against the template it follows, as ZamenyForDate; `noDay` when the date has no
// saved day, `noTemplate` when its weekday has no template file.
struct DayComparison {
    ZamenyResult result;
    int weekday = 0; // the template's weekday (once the day was read)
    bool noDay = false;
    bool noTemplate = false;
    bool templateUnreadable = false;
};
DayComparison CompareSavedDay(const State &state, LessonReader &reader, TemplateCache &cache, QDate date);

// The same with a reader and the template's lessons ready (used over a period).
ZamenySheet ZamenySheetOf(QDate date, const DayLessons &templateLessons, const DayLessons &dayLessons);

// The lesson number of grid row `row` in class column `column` as the printed timetable counts
// it: with the second shift in effect for the exports, a second-shift class counts its rows after
// the first shift's last row from 1; every other lesson keeps its grid row.
int LessonNumber(const State &state, int column, int row);

// The word of a kind in the window and the files ("замена", "перенос", ...).
QString KindText(ChangeKind kind);
// The name of a kind in the CLI's JSON ("replacement", "moved", "cancelled", "added", "room").
QString KindName(ChangeKind kind);

// The kind shown for an added lesson that takes a cancelled lesson's place through moves.
QString ChainCoverText();

// A surname in the genitive, for "вместо Ивановой А. П.": the usual Russian surname endings
// (-ова/-ева/-ина, -ая, -ов/-ев/-ин, -ский/-цкий, -ой) declined, any other name as written.
QString GenitiveName(const QString &name);

// An absence as the sheet heads it: "Иванова А. П. (болезнь), 1-7 уроки".
QString AbsenceText(const QString &teacher, const QString &reason, int from, int to);

// Title of the sheet: "Замены на пятницу 11.12.2026", and for a date following another weekday's
// template "Замены на субботу 12.12.2026 по расписанию понедельника".
QString ZamenyTitle(QDate date, int followedWeekday = 0);

// What a date follows: "Суббота 12.12.2026 по расписанию понедельника" (empty when its own weekday).
QString FollowedText(QDate date, int followedWeekday);

// The message of a sheet without changes (naming the weekday followed, when another).
QString NoChangesText(QDate date, int followedWeekday = 0);

// One row of the sheet as shown and exported: class, lesson, was, now, room, kind.
struct SheetRow {
    QString klass;
    int lesson = 0;
    QString was;
    QString now;
    QString room;
    QString kind;
};

// The sheet's rows in its order. Was/now give the subject and, on a second line, the teachers;
// a moved lesson shows in "was" the lesson it came from ("2-й урок"), an added lesson that takes a
// cancelled one's place through moves that lesson with its number; the room column shows
// "old → new" when the rooms differ, otherwise the day's room.
std::vector<SheetRow> SheetRows(const State &state, const ZamenySheet &sheet);

// The captions of the sheet's columns.
QStringList SheetHeader();

} // namespace rasp::reports
