#include "dayfile.h"

#include "gridops.h"
#include "state.h"
#include "text/datewords.h"

namespace rasp::day {

namespace {

const QString kEnd = QStringLiteral("~end~");

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

QStringList DayFileLines(const State &state)
{
    const DayGrid &grid = state.grid;
    QStringList lines;
    lines.reserve(2 * state.max_ur + 2);
    for (int i = 1; i <= state.max_ur; ++i) {
        QString line;
        for (int j = 0; j <= state.klassvis; ++j)
            line += grid.cell(i, j).subject + QLatin1Char('|');
        lines.append(line);
    }
    for (int i = 1; i <= state.max_ur; ++i) {
        QString line;
        for (int j = 1; j <= state.klassvis; ++j)
            line += grid.cell(i, j).room + QLatin1Char('|');
        lines.append(line);
    }
    lines.append(state.note.split(QLatin1Char('\n')));
    lines.append(kEnd);
    return lines;
}

bool RaspSave(State &state, const QString &path, QString *error)
{
    EmptySingleBlanks(state);
    return text::writeLines(path, DayFileLines(state), error);
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

void ApplyDayFileLines(State &state, const QStringList &lines, int zagruz_kab)
{
    DayGrid &grid = state.grid;
    const int rows = state.max_ur;
    auto lineAt = [&lines](int index) { return index < lines.size() ? QStringView(lines.at(index)) : QStringView(); };
    for (int i = 1; i <= rows; ++i) {
        QStringView line = lineAt(i - 1);
        for (int j = 0; j <= state.klassvis; ++j)
            grid.cell(i, j).subject = TakeField(line);
    }
    for (int i = 1; i <= rows; ++i) {
        QStringView line = lineAt(rows + i - 1);
        for (int j = 1; j <= state.klassvis; ++j)
            grid.cell(i, j).room = zagruz_kab == 1 ? TakeField(line) : QString();
    }
    state.note.clear();
    if (zagruz_kab != 1)
        return;
    QStringList note;
    for (int k = 2 * rows; k < lines.size() && lines.at(k) != kEnd; ++k)
        note.append(lines.at(k));
    state.note = note.join(QLatin1Char('\n'));
}

text::ReadResult::Status RaspLoad(State &state, const QString &path, int zagruz_kab, QString *error)
{
    RaspClear(state);
    const text::ReadResult read = text::readLines(path);
    if (!read.ok()) {
        state.note.clear();
        if (error)
            *error = read.error;
        return read.status;
    }
    ApplyDayFileLines(state, read.lines, zagruz_kab);
    return read.status;
}

} // namespace rasp::day
