#include "loadedit.h"

#include "day/daygrid.h"
#include "loadmodel.h"
#include "state.h"

#include <QSet>

#include <algorithm>
#include <numeric>

using namespace Qt::Literals::StringLiterals;

namespace rasp::load {

namespace {

bool validClass(const State &state, int j)
{
    return j >= 1 && j <= state.klassvis;
}

bool validTeacher(const State &state, int m)
{
    return m >= 1 && m <= state.pedvis;
}

bool hasSeparator(const QString &text)
{
    return text.contains(u'|') || text.contains(u';');
}

} // namespace

void ClearClassLoad(State &state, int j)
{
    if (!validClass(state, j))
        return;
    for (int m = 1; m <= state.pedvis; ++m)
        state.Predmet[m][j].clear();
}

void ClearAllLoad(State &state)
{
    for (int m = 1; m <= state.pedvis; ++m)
        for (int j = 1; j <= state.klassvis; ++j)
            state.Predmet[m][j].clear();
}

void ClearClassNames(State &state)
{
    for (int j = 1; j <= state.klassvis; ++j)
        state.Klass[j].clear();
}

bool DeletingClassDeletesAll(const LoadState &state)
{
    return state.klassvis == 1 && state.pedvis >= 1;
}

void DeleteClass(State &state, int j)
{
    if (!validClass(state, j))
        return;
    state.Klass.erase(state.Klass.begin() + j);
    if (j < int(state.KlassRead.size()))
        state.KlassRead.erase(state.KlassRead.begin() + j);
    for (int m = 0; m < int(state.Predmet.size()); ++m) {
        std::vector<PredmetLines> &row = state.Predmet[m];
        if (j < int(row.size()))
            row.erase(row.begin() + j);
    }
    // The templates in memory lose the class's own column, so its neighbours keep their lessons.
    for (int k = 1; k <= 7; ++k)
        state.Setka[std::size_t(k)].removeColumn(j);
    // The day grid is not shifted: its last column goes.
    state.grid.removeColumn(state.grid.columnCount() - 1);
    state.klassvis_mas -= 1;
    state.klassvis -= 1;
    state.vt_sm_x = 0;
    state.vt_sm_y = 0;
    if (state.grid.ramkaColumn > state.klassvis)
        state.grid.ramkaColumn = std::max(state.klassvis, 1);
    if (state.klassvis < 1)
        state.grid.ramkaVisible = false;
}

void DelVsejNagruz(State &state)
{
    while (state.grid.columnCount() > 1)
        state.grid.removeColumn(state.grid.columnCount() - 1);
    state.klassvis = 0;
    state.klassvis_mas = 1;
    state.pedvis = 0;
    state.pedvis_mas = 1;
    state.Klass.resize(1);
    state.KlassRead.resize(1);
    state.PedFio.resize(1);
    state.Predmet.resize(1);
    state.Predmet[0].resize(1);
    state.tab1vis = 0;
    // With no class left, second-shift bounds would point at columns that do not exist.
    state.vt_sm_x = 0;
    state.vt_sm_y = 0;
    state.grid.ramkaRow = 1;
    state.grid.ramkaColumn = 1;
    state.grid.ramkaVisible = false;
}

void ClearTeacherLoad(State &state, int m)
{
    if (!validTeacher(state, m))
        return;
    for (int j = 1; j <= state.klassvis; ++j)
        state.Predmet[m][j].clear();
}

void ClearTeacherNames(State &state)
{
    for (int m = 1; m <= state.pedvis; ++m)
        state.PedFio[m].name.clear();
}

void DeleteTeacher(State &state, int m)
{
    if (!validTeacher(state, m))
        return;
    state.PedFio.erase(state.PedFio.begin() + m);
    state.Predmet.erase(state.Predmet.begin() + m);
    state.pedvis -= 1;
    state.pedvis_mas -= 1;
}

void DeleteAllTeachers(State &state)
{
    if (state.pedvis < 1)
        return;
    state.PedFio.resize(1);
    state.Predmet.resize(1);
    state.pedvis = 0;
    state.pedvis_mas = 1;
}

void SortTeachers(State &state)
{
    // Exchanges of neighbours never cross an empty name, so every run of named teachers between
    // empty ones is sorted on its own; equal names keep their order.
    const int n = state.pedvis;
    std::vector<int> order(n + 1);
    std::iota(order.begin(), order.end(), 0);
    int start = 1;
    while (start <= n) {
        if (state.PedFio[start].name.isEmpty()) {
            ++start;
            continue;
        }
        int end = start;
        while (end + 1 <= n && !state.PedFio[end + 1].name.isEmpty())
            ++end;
        std::stable_sort(order.begin() + start, order.begin() + end + 1, [&](int a, int b) {
            return QString::compare(state.PedFio[a].name, state.PedFio[b].name, Qt::CaseSensitive) < 0;
        });
        start = end + 1;
    }
    std::vector<PedFioField> names(n + 1);
    std::vector<std::vector<PredmetLines>> subjects(n + 1);
    for (int m = 1; m <= n; ++m) {
        names[m] = std::move(state.PedFio[order[m]]);
        subjects[m] = std::move(state.Predmet[order[m]]);
    }
    for (int m = 1; m <= n; ++m) {
        state.PedFio[m] = std::move(names[m]);
        state.Predmet[m] = std::move(subjects[m]);
    }
}

bool CanAddClass(const LoadState &state)
{
    return state.klassvis < day::kMaxClasses;
}

bool CanAddTeacher(const LoadState &state)
{
    return state.pedvis < kMaxTeachers;
}

QString TooManyClassesText()
{
    return u"Классов не может быть больше %1."_s.arg(day::kMaxClasses);
}

QString TooManyTeachersText()
{
    return u"Учителей не может быть больше %1."_s.arg(kMaxTeachers);
}

QString SaveCheck(const LoadState &state)
{
    if (state.klassvis < 1)
        return u"Нечего сохранять.\r\nДобавьте хотя бы один класс."_s;
    if (state.pedvis < 1)
        return u"Добавьте хотя бы одного учителя."_s;
    for (int m = 1; m <= state.pedvis; ++m)
        if (state.PedFio[m].name.isEmpty())
            return u"Укажите ФИО всех учителей"_s;
    bool empty = false;
    bool repeat = false;
    QSet<QString> seen;
    seen.reserve(state.klassvis);
    for (int j = 1; j <= state.klassvis; ++j) {
        const QString &name = state.Klass[j];
        empty = empty || name.isEmpty();
        if (seen.contains(name))
            repeat = true;
        seen.insert(name);
    }
    if (repeat)
        return u"В номерах классов имеются повторы.\r\nСохранение невозможно."_s;
    if (empty)
        return u"Указаны не все номера классов.\r\nИх необходимо заполнить или удалить."_s;

    // "|" and ";" separate the fields of the load file; one inside a text would break the file.
    bool separator = false;
    for (int j = 1; j <= state.klassvis && !separator; ++j)
        separator = hasSeparator(state.Klass[j]);
    for (int m = 1; m <= state.pedvis && !separator; ++m) {
        separator = hasSeparator(state.PedFio[m].name);
        for (int j = 1; j <= state.klassvis && !separator; ++j)
            for (const QString &line : state.Predmet[m][j])
                separator = separator || hasSeparator(line);
    }
    if (separator)
        return u"Знаки «|» и «;» нельзя использовать в названиях классов, ФИО и предметах.\r\nСохранение невозможно."_s;
    return {};
}

} // namespace rasp::load
