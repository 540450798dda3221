#include "setka.h"

#include "day/classcolumns.h"
#include "day/dayfile.h"
#include "state.h"
#include "template/classorder.h"
#include "text/datewords.h"
#include "text/textfile.h"

#include <QDir>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace rasp::tmpl {

QString SetkaPath(int k)
{
    return u"setka/"_s + text::daySet(k) + u".ini"_s;
}

int WeekdayIndex(int k)
{
    return std::clamp(k, 1, 7);
}

QStringList SetkaLoad(State &state, const QString &workFolder)
{
    const QDir work(workFolder);
    QStringList problems;
    // Classes read by name: each named once, with the weekdays whose lessons it concerns.
    day::ClassNotices classNotices;
    for (int k = 1; k <= 7; ++k) {
        TSetkaMas &day = state.Setka[std::size_t(k)];
        day.SetkaMasUr.clear();
        day.SetkaMasKab.clear();
        day.readError.clear();
        day.resize(state.max_ur, std::max(state.klassvis_mas, state.klassvis + 1));
        const text::ReadResult read = text::readLines(work.filePath(SetkaPath(k)));
        if (read.status == text::ReadResult::Unreadable)
            state.stamps.forget(work.filePath(SetkaPath(k)));
        else
            state.stamps.remember(work.filePath(SetkaPath(k)), read.stamp);
        if (read.status == text::ReadResult::Unreadable) {
            day.readError = read.error;
            problems << read.error;
            continue;
        }
        if (!read.ok())
            continue;
        if (!read.warning.isEmpty())
            problems << read.warning;
        // Columns go to the classes of the names recorded beside the file (by position when none).
        const ClassOrderRead order = ReadSetkaClassOrder(work, k);
        if (!order.error.isEmpty())
            problems << order.error;
        const day::ColumnMap map = day::MapColumns(order.names, state);
        classNotices.add(map, read.lines, state.max_ur, WeekdayGenitive(k));
        day::ReadMappedFields(
            read.lines, state.max_ur, state.klassvis, map,
            [&day](int i, int j, QString t) { day.SetkaMasUr[std::size_t(i)][std::size_t(j)] = std::move(t); },
            [&day](int i, int j, QString t) { day.SetkaMasKab[std::size_t(i)][std::size_t(j)] = std::move(t); });
    }
    problems << classNotices.notices(WhereInTemplates);
    return problems;
}

void SetkaFromGrid(State &state, int den)
{
    TSetkaMas &day = state.Setka[std::size_t(WeekdayIndex(den))];
    day.grow(state.max_ur, state.klassvis + 1);
    for (int i = 1; i <= state.max_ur; ++i)
        for (int j = 1; j <= state.klassvis; ++j) {
            const day::Cell &c = state.grid.cell(i, j);
            day.SetkaMasUr[std::size_t(i)][std::size_t(j)] = c.subject;
            day.SetkaMasKab[std::size_t(i)][std::size_t(j)] = c.room;
        }
}

QStringList SetkaFileLines(const State &state, int k)
{
    const TSetkaMas &day = state.Setka[std::size_t(WeekdayIndex(k))];
    return day::DayFileLines(
        state.max_ur, state.klassvis, [&day](int i, int j) { return day.ur(i, j); },
        [&day](int i, int j) { return day.kab(i, j); }, QString());
}

QStringList SetkaSave(State &state, const QString &workFolder)
{
    SetkaFromGrid(state, state.vibr_den_set);
    for (int k = 1; k <= 7; ++k) {
        TSetkaMas &day = state.Setka[std::size_t(k)];
        const int rows = std::min(state.max_ur, int(day.SetkaMasUr.size()) - 1);
        for (int i = 1; i <= rows; ++i) {
            std::vector<QString> &line = day.SetkaMasUr[std::size_t(i)];
            for (int j = 1; j <= state.klassvis && j < int(line.size()); ++j)
                if (line[std::size_t(j)] == u" "_s)
                    line[std::size_t(j)].clear();
        }
    }
    const QDir work(workFolder);
    work.mkpath(u"setka"_s);
    QStringList failures;
    for (int k = 1; k <= 7; ++k) {
        const TSetkaMas &day = state.Setka[std::size_t(k)];
        if (!day.readError.isEmpty()) {
            failures << text::UnreadableKept(u"Сетка «%1» не сохранена"_s.arg(text::daySet(k)), work.filePath(SetkaPath(k)));
            continue;
        }
        QString error;
        files::FileStamp written;
        if (!text::writeLines(work.filePath(SetkaPath(k)), SetkaFileLines(state, k), &error, text::Access::Default, &written)) {
            failures << error;
            continue;
        }
        state.stamps.remember(work.filePath(SetkaPath(k)), written);
        if (!WriteSetkaClassOrder(work, k, LoadClassOrder(state.Klass, state.klassvis), &error))
            failures << error;
    }
    return failures;
}

void SetkaZapol(State &state, int den)
{
    const TSetkaMas &day = state.Setka[std::size_t(WeekdayIndex(den))];
    for (int i = 1; i <= state.max_ur; ++i)
        for (int j = 1; j <= state.klassvis; ++j) {
            day::Cell &c = state.grid.cell(i, j);
            c.textColour = day::kBlack;
            c.subject = day.ur(i, j);
            c.room = day.kab(i, j);
            c.teachers.clear();
            c.roomVisible = true;
        }
    state.grid.ramkaVisible = state.klassvis >= 1;
}

void SetkaClearDay(State &state, int den)
{
    TSetkaMas &day = state.Setka[std::size_t(WeekdayIndex(den))];
    const int rows = std::min(state.max_ur, int(day.SetkaMasUr.size()) - 1);
    for (int i = 1; i <= rows; ++i)
        for (auto *m : {&day.SetkaMasUr, &day.SetkaMasKab}) {
            std::vector<QString> &line = (*m)[std::size_t(i)];
            for (int j = 1; j <= state.klassvis && j < int(line.size()); ++j)
                line[std::size_t(j)].clear();
        }
}

} // namespace rasp::tmpl
