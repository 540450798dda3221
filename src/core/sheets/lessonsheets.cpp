#include "sheets/lessonsheets.h"

#include "reports/exportlayout.h"
#include "reports/layoutcells.h"
#include "reports/zamenytally.h"
#include "sheets/covers.h"
#include "state.h"

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace rasp::sheets {

namespace {

// The key of a place in a ChangeIndex.
int placeKey(int column, int row)
{
    return column * 1000 + row;
}

// Short names of a teacher list: "Смирнова Е. В., Попова Т. А.".
QString shortTeachers(const QString &list)
{
    QStringList names;
    for (const QString &n : reports::TeacherNames(list))
        names << ShortName(n);
    return names.join(u", "_s);
}

// What changed at a place, in words: "замена (было: Матем.)"; empty without a change.
QString changeText(const reports::Change *c)
{
    if (!c)
        return {};
    QString text = reports::KindText(c->kind);
    if (c->was && c->kind != reports::ChangeKind::Added)
        text += u" (было: "_s + c->was->subject
                + (c->was->teachers.isEmpty() ? QString() : u", "_s + shortTeachers(c->was->teachers)) + u')';
    return text;
}

// The headers of a table as bold cells.
std::vector<SheetCell> headerOf(std::initializer_list<const char16_t *> captions)
{
    std::vector<SheetCell> out;
    for (const char16_t *c : captions)
        out.push_back({QString::fromUtf16(c), true, false});
    return out;
}

} // namespace

ChangeIndex IndexChanges(const std::vector<reports::Change> &changes)
{
    ChangeIndex index;
    index.reserve(qsizetype(changes.size()));
    for (const reports::Change &c : changes)
        index.insert(placeKey(c.column, c.row), &c);
    return index;
}

std::vector<std::vector<LessonPlace>> TeacherLessons(const State &state)
{
    QHash<QString, int> byName;
    byName.reserve(qsizetype(state.PedFio.size()));
    for (std::size_t m = 1; m < state.PedFio.size(); ++m)
        if (!byName.contains(state.PedFio[m].name)) // a repeated name is its first row, as resolution takes it
            byName.insert(state.PedFio[m].name, int(m));
    std::vector<std::vector<LessonPlace>> out(state.PedFio.size());
    const int n = reports::detail::classes(state);
    for (int j = 1; j <= n; ++j)
        for (int r = 1; r <= state.max_ur; ++r) {
            const day::Cell *c = reports::detail::gridCell(state, r, j);
            if (!c || !reports::IsLesson(c->subject) || c->teachers.isEmpty())
                continue;
            for (const QString &name : reports::TeacherNames(c->teachers)) {
                const auto it = byName.constFind(name);
                if (it != byName.constEnd())
                    out[std::size_t(*it)].push_back({r, j});
            }
        }
    return out;
}

SheetTable ClassTable(const State &state, int column, const ChangeIndex &changes)
{
    SheetTable t;
    t.title = reports::detail::className(state, column);
    t.header = headerOf({u"Урок", u"Предмет", u"Каб.", u"Учитель", u"Изменение"});
    t.widths = {0.5, 1.4, 0.6, 1.6, 1.6};
    t.empty = u"Уроков нет"_s;
    for (int r = 1; r <= state.max_ur; ++r) {
        const day::Cell *c = reports::detail::gridCell(state, r, column);
        const reports::Change *change = changes.value(placeKey(column, r));
        const bool lesson = c && reports::IsLesson(c->subject);
        if (!lesson && !change)
            continue;
        const bool marked = change != nullptr;
        const QString number = QString::number(reports::LessonNumber(state, column, r));
        if (lesson)
            t.rows.push_back({{number, true, marked},
                              {c->subject, false, marked},
                              {c->room, false, marked},
                              {shortTeachers(c->teachers), false, marked},
                              {changeText(change), false, marked}});
        else
            t.rows.push_back({{number, true, true}, {}, {}, {}, {changeText(change), false, true}});
    }
    return t;
}

SheetTable TeacherTable(const State &state, int m, const std::vector<LessonPlace> &lessons,
                        const ChangeIndex &changes)
{
    SheetTable t;
    t.title = std::size_t(m) < state.PedFio.size() ? state.PedFio[std::size_t(m)].name : QString();
    t.header = headerOf({u"Урок", u"Класс", u"Предмет", u"Каб.", u"Изменение"});
    t.widths = {0.5, 0.6, 1.4, 0.6, 1.8};
    t.empty = u"Уроков нет"_s;
    std::vector<std::pair<int, LessonPlace>> numbered;
    numbered.reserve(lessons.size());
    for (const LessonPlace &p : lessons)
        numbered.push_back({reports::LessonNumber(state, p.column, p.row), p});
    std::stable_sort(numbered.begin(), numbered.end(),
                     [](const auto &a, const auto &b) { return a.first < b.first; });
    for (const auto &[number, p] : numbered) {
        const day::Cell &c = state.grid.cell(p.row, p.column);
        const reports::Change *change = changes.value(placeKey(p.column, p.row));
        const bool marked = change != nullptr;
        t.rows.push_back({{QString::number(number), true, marked},
                          {reports::detail::className(state, p.column), true, marked},
                          {c.subject, false, marked},
                          {c.room, false, marked},
                          {changeText(change), false, marked}});
    }
    return t;
}

} // namespace rasp::sheets
