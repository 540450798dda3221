#include "candidates.h"

#include "absences/daycompanion.h"
#include "state.h"

using namespace Qt::Literals::StringLiterals;

namespace rasp::absences {

Candidates RankCandidates(const CoverModel &model, int lesson)
{
    Candidates out;
    const DayFacts &facts = model.facts();
    const OpenLesson &open = facts.openLessons()[std::size_t(lesson)];
    std::vector<bool> listed(std::size_t(facts.teacherCount()), false);
    for (const Option &o : model.options(lesson)) {
        if (o.action != Action::Teacher) {
            if (o.action != Action::Open)
                out.alternatives.push_back(&o);
            continue;
        }
        out.teachers.push_back({o.teacher, true, model.aloneCost(o), o.reasons, &o});
        const int t = facts.teacherNamed(o.teacher);
        if (t >= 0)
            listed[std::size_t(t)] = true;
    }
    std::vector<Candidate> absent;
    for (int t = 0; t < facts.teacherCount(); ++t) {
        if (listed[std::size_t(t)])
            continue;
        const QString &name = facts.name(t);
        if (name == open.absent || facts.absentAt(name, open.row))
            absent.push_back({name, false, 0, {u"отсутствует"_s}, nullptr});
        else
            out.teachers.push_back({name, false, 0, {u"занят"_s}, nullptr});
    }
    out.teachers.insert(out.teachers.end(), absent.begin(), absent.end());
    return out;
}

int LessonAt(const DayFacts &facts, int row, const QString &className)
{
    const std::vector<OpenLesson> &open = facts.openLessons();
    for (int l = 0; l < int(open.size()); ++l)
        if (open[std::size_t(l)].row == row && open[std::size_t(l)].className == className)
            return l;
    return -1;
}

QString NotOpenReason(const State &state, int row, const QString &className)
{
    const int j = ColumnOfClass(state, className);
    if (j == 0)
        return u"Класса «%1» нет"_s.arg(className);
    if (row > state.max_ur || state.grid.cell(row, j).subject.isEmpty())
        return u"На %1 уроке у %2 нет урока"_s.arg(row).arg(className);
    if (!state.grid.cell(row, j).cover.empty())
        return u"Урок %1 в %2 уже заменён: %3"_s.arg(QString::number(row), className, state.grid.cell(row, j).cover.teacher);
    return u"На %1 уроке в %2 нет отсутствующего учителя"_s.arg(QString::number(row), className);
}

} // namespace rasp::absences
