#include "daycompanion.h"

#include "state.h"

#include <QFileInfo>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace rasp::absences {

namespace {

int rowsOf(const State &state)
{
    return std::clamp(state.max_ur, 0, state.grid.lastRow());
}

int columnsOf(const State &state)
{
    return std::clamp(state.klassvis, 0, std::max(state.grid.columnCount() - 1, 0));
}

// The key under which an unreadable companion file is remembered.
QString companionKey(const QString &path)
{
    return QFileInfo(path).absoluteFilePath();
}

} // namespace

int ColumnOfClass(const State &state, const QString &className)
{
    const int columns = columnsOf(state);
    for (int j = 1; j <= columns; ++j)
        if (state.grid.cell(0, j).subject == className)
            return j;
    return 0;
}

void ApplyCompanion(State &state, const Companion &companion)
{
    ClearCompanion(state);
    state.companion.absences = companion.absences;
    state.companion.others = companion.others;
    const int rows = rowsOf(state);
    for (const CoverLine &c : companion.covers) {
        const int j = ColumnOfClass(state, c.className);
        day::Cell *cell = j > 0 && c.row <= rows ? &state.grid.cell(c.row, j) : nullptr;
        if (cell && cell->cover.empty() && !cell->subject.isEmpty())
            cell->cover = day::Cover{c.teacher, c.kind, c.absent, cell->subject};
        else
            state.companion.covers.push_back(c);
    }
}

Companion CompanionOfDay(const State &state)
{
    Companion out;
    out.absences = state.companion.absences;
    const int rows = rowsOf(state);
    const int columns = columnsOf(state);
    for (int i = 1; i <= rows; ++i)
        for (int j = 1; j <= columns; ++j) {
            const day::Cover &c = state.grid.cell(i, j).cover;
            if (!c.empty())
                out.covers.push_back({i, state.grid.cell(0, j).subject, c.teacher, c.kind, c.absent});
        }
    out.covers.insert(out.covers.end(), state.companion.covers.begin(), state.companion.covers.end());
    out.others = state.companion.others;
    return out;
}

void ClearCompanion(State &state)
{
    state.companion = Companion();
    const int rows = rowsOf(state);
    const int columns = columnsOf(state);
    for (int j = 1; j <= columns; ++j)
        for (int i = 1; i <= rows; ++i)
            state.grid.cell(i, j).cover = day::Cover();
}

bool LoadCompanion(State &state, const QString &dayPath, QString *error)
{
    const QString path = CompanionPath(dayPath);
    const ReadOutcome read = ReadCompanion(path);
    if (read.status == text::ReadResult::Unreadable) {
        state.unreadableCompanions.insert(companionKey(path));
        ClearCompanion(state);
        if (error)
            *error = read.error;
        return false;
    }
    state.unreadableCompanions.remove(companionKey(path));
    ApplyCompanion(state, read.companion);
    if (error)
        error->clear();
    return true;
}

bool SaveCompanion(State &state, const QString &dayPath, QString *error)
{
    const QString path = CompanionPath(dayPath);
    if (!text::isPresent(path)) {
        state.unreadableCompanions.remove(companionKey(path));
    } else if (state.unreadableCompanions.contains(companionKey(path))
               || ReadCompanion(path).status == text::ReadResult::Unreadable) {
        if (error)
            *error = text::UnreadableKept(u"Отсутствия и замены не сохранены"_s, path, u"откройте этот день снова"_s);
        return false;
    }
    return WriteCompanion(path, CompanionOfDay(state), error);
}

} // namespace rasp::absences
