#include "absenceedit.h"

#include "absences/companion.h"
#include "state.h"

#include <algorithm>
#include <utility>

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

} // namespace

QString MarkAbsent(State &state, const QString &teacher, int from, int to, const QString &reason)
{
    if (teacher.trimmed().isEmpty())
        return u"Не указан учитель"_s;
    if (from < 1 || to > state.max_ur || from > to)
        return u"Уроки отсутствия должны быть в пределах 1-%1"_s.arg(state.max_ur);
    for (const QString &text : {teacher, reason}) {
        const QString problem = FieldProblem(text);
        if (!problem.isEmpty())
            return problem;
    }
    std::vector<Absence> &list = state.companion.absences;
    const Absence absence{teacher, from, to, reason.isEmpty() ? kReasonIllness : reason};
    const auto it = std::find_if(list.begin(), list.end(), [&](const Absence &a) { return a.teacher == teacher; });
    if (it != list.end())
        *it = absence;
    else
        list.push_back(absence);
    return QString();
}

int CoversOfAbsent(const State &state, const QString &teacher)
{
    int count = 0;
    for (int j = 1; j <= columnsOf(state); ++j)
        for (int i = 1; i <= rowsOf(state); ++i)
            count += state.grid.cell(i, j).cover.absent == teacher ? 1 : 0;
    for (const CoverLine &c : state.companion.covers)
        count += c.absent == teacher ? 1 : 0;
    return count;
}

int RemoveAbsence(State &state, const QString &teacher)
{
    std::vector<Absence> &list = state.companion.absences;
    const auto it = std::find_if(list.begin(), list.end(), [&](const Absence &a) { return a.teacher == teacher; });
    if (it == list.end())
        return -1;
    list.erase(it);
    const int count = CoversOfAbsent(state, teacher);
    for (int j = 1; j <= columnsOf(state); ++j)
        for (int i = 1; i <= rowsOf(state); ++i)
            if (state.grid.cell(i, j).cover.absent == teacher)
                state.grid.cell(i, j).cover = day::Cover();
    std::erase_if(state.companion.covers, [&](const CoverLine &c) { return c.absent == teacher; });
    return count;
}

void ApplyOption(State &state, const OpenLesson &lesson, const Option &option)
{
    day::Cell &cell = state.grid.cell(lesson.row, lesson.column);
    switch (option.action) {
    case Action::Teacher:
        cell.cover = day::Cover{option.teacher, option.kind, lesson.absent, cell.subject};
        break;
    case Action::Subject:
        cell.subject = option.subject;
        cell.cover = day::Cover{option.teacher, option.kind, lesson.absent, cell.subject};
        break;
    case Action::Move: {
        day::Cell &other = state.grid.cell(option.otherRow, lesson.column);
        if (option.swap) {
            std::swap(cell.subject, other.subject);
            std::swap(cell.room, other.room);
            std::swap(cell.style, other.style);
            std::swap(cell.cover, other.cover);
        } else {
            cell.subject = std::exchange(other.subject, QString());
            cell.room = std::exchange(other.room, QString());
            cell.style = std::exchange(other.style, day::kStyleFree);
            cell.cover = std::exchange(other.cover, day::Cover());
        }
        break;
    }
    case Action::Cancel:
        cell.subject.clear();
        cell.room.clear();
        cell.style = day::kStyleFree;
        cell.cover = day::Cover();
        break;
    case Action::Open:
        break;
    }
}

void ApplyChoice(State &state, const CoverModel &model, const std::vector<int> &chosen)
{
    for (int l = 0; l < model.lessonCount(); ++l)
        ApplyOption(state, model.facts().openLessons()[std::size_t(l)], model.options(l)[std::size_t(chosen[std::size_t(l)])]);
}

QStringList CoverWarnings(const State &state)
{
    QSet<QString> names;
    for (int m = 1; m <= state.pedvis && m < int(state.PedFio.size()); ++m)
        names.insert(state.PedFio[std::size_t(m)].name);
    QStringList out;
    for (int i = 1; i <= rowsOf(state); ++i)
        for (int j = 1; j <= columnsOf(state); ++j) {
            const day::Cover &c = state.grid.cell(i, j).cover;
            if (!c.empty() && !names.contains(c.teacher))
                out << u"Учителя «%1», заменяющего на %2 уроке в %3, нет в нагрузке; замена оставлена"_s.arg(
                    c.teacher, QString::number(i), state.grid.cell(0, j).subject);
        }
    return out;
}

} // namespace rasp::absences
