#pragma once

#include "text/textfile.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace rasp {
struct State;
}

namespace rasp::day {

// Relative path of the day file of a date: r_data/DD.MM.YYYY.ini.
QString DayFilePath(QDate date);

// Empties every lesson subject that is exactly one blank " " (done in the grid before saving).
void EmptySingleBlanks(State &state);

// The texts of one cell as a writer reads them, and the place a reader puts a field.
using CellText = std::function<QString(int row, int column)>;
using CellSink = std::function<void(int row, int column, QString text)>;

// The day-file layout, shared by day files and the weekly template's files: `rows` subject
// lines of columns 0..columns, `rows` room lines of columns 1..columns, the note lines and "~end~".
QStringList DayFileLines(int rows, int columns, const CellText &subject, const CellText &room, const QString &note);

// Reads the subject and room fields of that layout by position: subject(i, j, text) for rows
// 1..rows and columns 0..columns, room(i, j, text) for columns 1..columns (no call without a
// room sink). Missing lines or fields give empty texts; fields past the last column are unused.
void ReadDayFileFields(const QStringList &lines, int rows, int columns, const CellSink &subject, const CellSink &room);

// The lines of a day file for the grid: max_ur subject lines of columns 0..klassvis, max_ur
// room lines of classes 1..klassvis, the note (one line per note line) and "~end~".
QStringList DayFileLines(const State &state);

// Writes the grid to `path` (blanks emptied first); false with a Russian error if it failed.
// A day file that cannot be read now, or whose last reading failed, is never replaced: the save
// is refused with a message naming it (a file removed since is no longer protected).
bool RaspSave(State &state, const QString &path, QString *error = nullptr);

// Fills the grid from day-file lines, by position: subjects of columns 0..klassvis, and with
// zagruz_kab = 1 rooms and the note (every line up to "~end~"); otherwise rooms and note empty.
// Missing lines or fields read as empty; fields beyond the last column are not used.
// The grid is expected to be cleared (RaspClear) beforehand.
void ApplyDayFileLines(State &state, const QStringList &lines, int zagruz_kab);

// Clears the grid and reads the day file at `path` into it (see ApplyDayFileLines). A missing
// file leaves the grid cleared and returns NoFile; an unreadable one returns its error and is
// remembered (State::unreadableDays) so RaspSave leaves it alone; a whole reading forgets it.
// A file read whole sets `error` to its warning (characters a save cannot keep) or empties it.
text::ReadResult::Status RaspLoad(State &state, const QString &path, int zagruz_kab, QString *error = nullptr);

// The class names recorded beside the day file `dayPath` (its companion's "[Классы]"), or
// nothing; `error` (Russian) when the companion exists but cannot be read.
std::optional<QStringList> RecordedDayClasses(const QString &dayPath, QString *error = nullptr);

// Splits one "|"-terminated field off the front of `line`; text after the last "|" counts as a field.
QString TakeField(QStringView &line);

} // namespace rasp::day
