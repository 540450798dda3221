#include "dayfile.h"

#include "absences/companion.h"
#include "classcolumns.h"
#include "gridops.h"
#include "state.h"
#include "template/classorder.h"
#include "text/datewords.h"

#include <QFileInfo>

#include <algorithm>

namespace rasp::day {

namespace {

const QString kEnd = QStringLiteral("~end~");

// The key under which a day file's failed reading is remembered: one per file, however named.
QString DayKey(const QString &path)
{
    return QFileInfo(path).absoluteFilePath();
}

} // namespace

QString DayFilePath(QDate date)
{
    return QStringLiteral("r_data/") + text::ShortDate(date) + QStringLiteral(".ini");
}

void EmptySingleBlanks(State &state)
{
    for (int i = 1; i <= state.max_ur; ++i)
        for (int j = 1; j <= state.klassvis; ++j) {
            QString &subject = state.grid.cell(i, j).subject;
            if (subject == QLatin1String(" "))
                subject.clear();
        }
}

QStringList DayFileLines(int rows, int columns, const CellText &subject, const CellText &room, const QString &note)
{
    QStringList lines;
    lines.reserve(2 * rows + 2);
    for (int i = 1; i <= rows; ++i) {
        QString line;
        for (int j = 0; j <= columns; ++j)
            line += subject(i, j) + QLatin1Char('|');
        lines.append(line);
    }
    for (int i = 1; i <= rows; ++i) {
        QString line;
        for (int j = 1; j <= columns; ++j)
            line += room(i, j) + QLatin1Char('|');
        lines.append(line);
    }
    lines.append(note.split(QLatin1Char('\n')));
    lines.append(kEnd);
    return lines;
}

QStringList DayFileLines(const State &state)
{
    const DayGrid &grid = state.grid;
    return DayFileLines(
        state.max_ur, state.klassvis, [&grid](int i, int j) { return grid.cell(i, j).subject; },
        [&grid](int i, int j) { return grid.cell(i, j).room; }, state.note);
}

bool RaspSave(State &state, const QString &path, QString *error)
{
    if (!text::isPresent(path)) {
        state.unreadableDays.remove(DayKey(path));
    } else if (state.unreadableDays.contains(DayKey(path))
               || text::readLines(path).status == text::ReadResult::Unreadable) {
        if (error)
            *error = text::UnreadableKept(QStringLiteral("Расписание не сохранено"), path,
                                          QStringLiteral("откройте этот день снова"));
        return false;
    }
    EmptySingleBlanks(state);
    files::FileStamp written;
    if (!text::writeLines(path, DayFileLines(state), error, text::Access::Default, &written))
        return false;
    state.stamps.remember(path, written);
    return true;
}

QString TakeField(QStringView &line)
{
    const qsizetype bar = line.indexOf(QLatin1Char('|'));
    if (bar < 0) {
        const QString rest = line.toString();
        line = QStringView();
        return rest;
    }
    const QString field = line.first(bar).toString();
    line = line.sliced(bar + 1);
    return field;
}

void ReadDayFileFields(const QStringList &lines, int rows, int columns, const CellSink &subject, const CellSink &room)
{
    // The file ends at its "~end~" line: a file of fewer rows than the grid must not give that
    // line (or anything after it) as a subject or room text.
    const qsizetype end = std::min(lines.size(), qsizetype(2 * rows));
    qsizetype last = 0;
    while (last < end && lines.at(last) != kEnd)
        ++last;
    auto lineAt = [&lines, last](int index) { return index < last ? QStringView(lines.at(index)) : QStringView(); };
    for (int i = 1; i <= rows; ++i) {
        QStringView line = lineAt(i - 1);
        for (int j = 0; j <= columns; ++j)
            subject(i, j, TakeField(line));
    }
    if (!room)
        return;
    for (int i = 1; i <= rows; ++i) {
        QStringView line = lineAt(rows + i - 1);
        for (int j = 1; j <= columns; ++j)
            room(i, j, TakeField(line));
    }
}

namespace {

// ApplyDayFileLines with the file's columns going to the load's classes through `map`.
void applyMappedLines(State &state, const QStringList &lines, int zagruz_kab, const ColumnMap &map)
{
    DayGrid &grid = state.grid;
    const int rows = state.max_ur;
    CellSink room;
    if (zagruz_kab == 1)
        room = [&grid](int i, int j, QString text) { grid.cell(i, j).room = std::move(text); };
    else
        for (int i = 1; i <= rows; ++i)
            for (int j = 1; j <= state.klassvis; ++j)
                grid.cell(i, j).room.clear();
    ReadMappedFields(
        lines, rows, state.klassvis, map, [&grid](int i, int j, QString text) { grid.cell(i, j).subject = std::move(text); },
        room);
    state.note.clear();
    if (zagruz_kab != 1)
        return;
    // The file ends at its first "~end~": one met among the subject or room lines leaves no note.
    const qsizetype end = lines.indexOf(kEnd);
    const qsizetype last = end < 0 ? lines.size() : end;
    QStringList note;
    for (qsizetype k = 2 * rows; k < last; ++k)
        note.append(lines.at(k));
    state.note = note.join(QLatin1Char('\n'));
}

} // namespace

std::optional<QStringList> RecordedDayClasses(const QString &dayPath, QString *error)
{
    const absences::ReadOutcome read = absences::ReadCompanion(absences::CompanionPath(dayPath));
    if (error && read.status == text::ReadResult::Unreadable)
        *error = read.error;
    for (const absences::OtherSection &s : read.companion.others)
        if (s.name == tmpl::kClassesSection)
            return s.lines;
    return std::nullopt;
}

void ApplyDayFileLines(State &state, const QStringList &lines, int zagruz_kab)
{
    applyMappedLines(state, lines, zagruz_kab, ColumnMap{});
}

text::ReadResult::Status RaspLoad(State &state, const QString &path, int zagruz_kab, QString *error)
{
    RaspClear(state);
    const text::ReadResult read = text::readLines(path);
    if (read.status == text::ReadResult::Unreadable) {
        state.unreadableDays.insert(DayKey(path));
        state.stamps.forget(path);
    } else {
        state.unreadableDays.remove(DayKey(path));
        state.stamps.remember(path, read.stamp);
    }
    if (!read.ok()) {
        state.note.clear();
        if (error)
            *error = read.error;
        return read.status;
    }
    // A day saved with other classes than the load's has its columns matched by class name.
    const ColumnMap map = MapColumns(RecordedDayClasses(path), state);
    applyMappedLines(state, read.lines, zagruz_kab, map);
    if (error) {
        QStringList notes;
        if (!read.warning.isEmpty())
            notes << read.warning;
        const QDate date = text::ParseShortDate(QFileInfo(path).completeBaseName());
        notes << ColumnNotices(map, read.lines, state.max_ur,
                               date.isValid() ? QStringLiteral("в расписании на ") + text::ShortDate(date)
                                              : QStringLiteral("в файле ") + QFileInfo(path).fileName());
        *error = notes.join(QStringLiteral("\r\n"));
    }
    return read.status;
}

} // namespace rasp::day
