#include "explain.h"

#include "kabpoisk.h"
#include "poiskuchit.h"
#include "state.h"

#include <QHash>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace rasp::day {

namespace {

// Calls f with every whole name of a teacher list (names joined by ", ").
template<typename F>
void forEachName(QStringView list, F f)
{
    while (!list.isEmpty()) {
        const qsizetype sep = list.indexOf(u", ");
        if (sep < 0) {
            f(list);
            return;
        }
        f(list.first(sep));
        list = list.sliced(sep + 2);
    }
}

// Whether a teacher list names `name` as one of its whole names.
bool namesTeacher(QStringView list, QStringView name)
{
    bool found = false;
    forEachName(list, [&](QStringView n) { found = found || n == name; });
    return found;
}

int lessonRows(const State &state)
{
    return std::clamp(state.max_ur, 0, std::min(state.grid.lastRow(), kMaxRows));
}

int classColumns(const State &state)
{
    return std::clamp(state.klassvis, 0, std::max(state.grid.columnCount() - 1, 0));
}

QString className(const State &state, int column)
{
    return state.grid.cell(0, column).subject;
}

// Class names of columns joined by ", ".
QString classNames(const State &state, const std::vector<int> &columns)
{
    QStringList names;
    for (int k : columns)
        names << className(state, k);
    return names.join(u", "_s);
}

} // namespace

std::vector<TeacherClash> TeacherClashes(const State &state, int row)
{
    std::vector<TeacherClash> found;
    if (row < 1 || row > lessonRows(state))
        return found;
    QHash<QStringView, std::size_t> byTeacher;
    auto note = [&](QStringView part, int column) {
        if (part.isEmpty())
            return;
        const auto it = byTeacher.constFind(part);
        if (it == byTeacher.cend()) {
            byTeacher.insert(part, found.size());
            found.push_back(TeacherClash{row, part.toString(), {column}});
        } else if (found[*it].classes.back() != column) {
            found[*it].classes.push_back(column);
        }
    };
    const int columns = classColumns(state);
    for (int j = 1; j <= columns; ++j) {
        const QString &list = state.grid.cell(row, j).teachers;
        if (list.isEmpty())
            continue;
        const qsizetype sep = list.indexOf(u", ");
        if (sep < 0) {
            note(list, j);
            continue;
        }
        note(QStringView(list).first(list.indexOf(u',')), j);
        note(QStringView(list).sliced(sep + 2), j);
    }
    std::erase_if(found, [](const TeacherClash &c) { return c.classes.size() < 2; });
    return found;
}

std::vector<TeacherClash> TeacherClashes(const State &state)
{
    std::vector<TeacherClash> all;
    for (int i = 1; i <= lessonRows(state); ++i)
        for (TeacherClash &c : TeacherClashes(state, i))
            all.push_back(std::move(c));
    return all;
}

std::vector<TeacherClash> ColouredTeacherClashes(const State &state, int row)
{
    std::vector<TeacherClash> found;
    if (row < 1 || row > lessonRows(state))
        return found;
    QHash<QStringView, std::size_t> byTeacher;
    const int columns = classColumns(state);
    for (int j = 1; j <= columns; ++j)
        forEachName(state.grid.cell(row, j).teachers, [&](QStringView name) {
            if (name.isEmpty())
                return;
            const auto it = byTeacher.constFind(name);
            if (it == byTeacher.cend()) {
                byTeacher.insert(name, found.size());
                found.push_back(TeacherClash{row, name.toString(), {j}});
            } else if (found[*it].classes.back() != j) {
                found[*it].classes.push_back(j);
            }
        });
    std::erase_if(found, [](const TeacherClash &c) { return c.classes.size() < 2; });
    return found;
}

std::vector<TeacherClash> ColouredTeacherClashes(const State &state)
{
    std::vector<TeacherClash> all;
    for (int i = 1; i <= lessonRows(state); ++i)
        for (TeacherClash &c : ColouredTeacherClashes(state, i))
            all.push_back(std::move(c));
    return all;
}

bool ArrangementCountsClash(const State &state, const TeacherClash &clash)
{
    for (const TeacherClash &c : TeacherClashes(state, clash.row))
        if (c.teacher == clash.teacher && c.classes == clash.classes)
            return true;
    return false;
}

QString ArrangementRuleLine(const State &state, int row, int column)
{
    // The classes the lesson shares a teacher with, by either rule.
    const auto partners = [&](const std::vector<TeacherClash> &clashes) {
        std::vector<int> all;
        for (const TeacherClash &c : clashes)
            if (std::find(c.classes.begin(), c.classes.end(), column) != c.classes.end())
                for (int k : c.classes)
                    if (k != column && std::find(all.begin(), all.end(), k) == all.end())
                        all.push_back(k);
        std::sort(all.begin(), all.end());
        return all;
    };
    const std::vector<int> coloured = partners(ColouredTeacherClashes(state, row));
    const std::vector<int> arranged = partners(TeacherClashes(state, row));
    if (coloured == arranged)
        return {};
    if (arranged.empty())
        return u"Автоподбор это совпадением не считает: он сравнивает только первое имя списка и всё, что после первой запятой"_s;
    return u"Автоподбор считает совпадение с %1: он сравнивает первое имя списка и всё, что после первой запятой"_s.arg(
        classNames(state, arranged));
}

std::vector<RoomClash> RoomClashes(const State &state, int row)
{
    std::vector<RoomClash> found;
    if (row < 1 || row > lessonRows(state))
        return found;
    QHash<QString, std::size_t> byRoom;
    std::vector<int> withRoom;
    const int columns = classColumns(state);
    for (int j = 1; j <= columns; ++j) {
        const QString &text = state.grid.cell(row, j).room;
        if (text.isEmpty())
            continue;
        withRoom.push_back(j);
        QStringList names = RoomNames(text);
        const bool twice = names.size() == 2 && names.at(0) == names.at(1);
        if (twice)
            names.removeLast();
        for (const QString &name : names) {
            auto it = byRoom.constFind(name);
            if (it == byRoom.cend()) {
                it = byRoom.insert(name, found.size());
                found.push_back(RoomClash{row, name, {}, 0});
            }
            RoomClash &c = found[*it];
            c.classes.push_back(j);
            if (twice && c.twiceIn == 0)
                c.twiceIn = j;
        }
    }
    if (withRoom.size() < 2)
        return {};
    for (RoomClash &c : found)
        if (c.twiceIn != 0)
            c.classes = withRoom;
    std::erase_if(found, [](const RoomClash &c) { return c.classes.size() < 2; });
    return found;
}

std::vector<RoomClash> RoomClashes(const State &state)
{
    std::vector<RoomClash> all;
    for (int i = 1; i <= lessonRows(state); ++i)
        for (RoomClash &c : RoomClashes(state, i))
            all.push_back(std::move(c));
    return all;
}

std::vector<ShapeProblem> ClassShapeProblems(const State &state, int column, int R, int P)
{
    std::vector<ShapeProblem> problems;
    if (column < 1 || column > classColumns(state))
        return problems;
    const int last = std::clamp(R, 0, lessonRows(state));
    auto filled = [&](int r) { return !state.grid.cell(r, column).subject.isEmpty(); };
    int first = 0;
    for (int r = 1; r <= last && first == 0; ++r)
        if (filled(r))
            first = r;
    if (first == 0) {
        problems.push_back({column, ShapeProblem::NoLessons, 0,
                            last >= 1 ? u"Нет ни одного урока с 1-го по %1-й"_s.arg(last) : u"Нет ни одного урока"_s});
        return problems;
    }
    if (first - 1 > P)
        problems.push_back({column, ShapeProblem::LateStart, first,
                            u"Первый урок — %1-й, а начинать нужно не позже %2-го"_s.arg(first).arg(P + 1)});
    int gap = 0;
    for (int r = first + 1; r <= last && gap == 0; ++r)
        if (!filled(r))
            gap = r;
    int next = 0;
    for (int r = gap + 1; gap != 0 && r <= last && next == 0; ++r)
        if (filled(r))
            next = r;
    if (next != 0)
        problems.push_back({column, ShapeProblem::Gap, gap,
                            next - 1 == gap ? u"Окно на %1-м уроке"_s.arg(gap)
                                            : u"Окно на %1–%2-м уроках"_s.arg(gap).arg(next - 1)});
    return problems;
}

std::vector<ShapeProblem> ShapeProblems(const State &state, int R, int P)
{
    std::vector<ShapeProblem> all;
    for (int j = 1; j <= classColumns(state); ++j)
        for (ShapeProblem &p : ClassShapeProblems(state, j, R, P))
            all.push_back(std::move(p));
    return all;
}

QStringList LessonClashLines(const State &state, int row, int column)
{
    QStringList lines;
    if (row < 1 || row > lessonRows(state) || column < 1 || column > classColumns(state))
        return lines;
    const QString &list = state.grid.cell(row, column).teachers;
    if (list.isEmpty())
        return lines;
    const int columns = classColumns(state);
    std::vector<char> explained(std::size_t(columns + 1), 0);
    QList<QStringView> seen;
    forEachName(list, [&](QStringView name) {
        if (seen.contains(name))
            return;
        seen << name;
        std::vector<int> partners;
        for (int k = 1; k <= columns; ++k)
            if (k != column && namesTeacher(state.grid.cell(row, k).teachers, name)) {
                partners.push_back(k);
                explained[std::size_t(k)] = 1;
            }
        if (!partners.empty())
            lines << u"%1 в этот урок также в %2"_s.arg(name.toString(), classNames(state, partners));
    });
    // The colouring searches the two parts of the list as substrings; a class found only that
    // way shares no whole name, so its list is shown for the user to judge.
    const TeacherListParts parts = SplitTeacherList(list);
    for (int k = 1; k <= columns; ++k) {
        if (k == column || explained[std::size_t(k)])
            continue;
        const QString &other = state.grid.cell(row, k).teachers;
        if ((!parts.first.isEmpty() && other.contains(parts.first)) || (!parts.rest.isEmpty() && other.contains(parts.rest)))
            lines << u"Похожее имя в этот урок в %1: %2"_s.arg(className(state, k), other);
    }
    return lines;
}

QStringList RoomClashLines(const State &state, int row, int column)
{
    QStringList lines;
    if (column < 1 || column > classColumns(state))
        return lines;
    const QStringList own = RoomNames(state.grid.cell(row, column).room);
    for (const RoomClash &c : RoomClashes(state, row)) {
        if (std::find(c.classes.begin(), c.classes.end(), column) == c.classes.end())
            continue;
        if (!own.contains(c.room)) {
            // Red because another class of the row names this room twice.
            lines << u"Кабинет %1 указан дважды у %2"_s.arg(c.room, className(state, c.twiceIn));
            continue;
        }
        if (c.twiceIn == column)
            lines << u"Кабинет %1 указан дважды"_s.arg(c.room);
        std::vector<int> others;
        for (int k : c.classes)
            if (k != column && RoomNames(state.grid.cell(row, k).room).contains(c.room))
                others.push_back(k);
        if (!others.empty())
            lines << u"Кабинет %1 в этот урок также у %2"_s.arg(c.room, classNames(state, others));
    }
    return lines;
}

QStringList RowShapeLines(const State &state, int row, int R, int P)
{
    QStringList lines;
    for (const ShapeProblem &p : ShapeProblems(state, R, P))
        if (p.row == row && row >= 1) {
            QString text = p.text;
            text[0] = text[0].toLower();
            lines << className(state, p.column) + u": "_s + text;
        }
    return lines;
}

} // namespace rasp::day
