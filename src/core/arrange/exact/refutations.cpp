#include "refutations.h"

#include "daymodel.h"

#include <QStringList>

#include <algorithm>
#include <bit>
#include <map>

using namespace Qt::Literals::StringLiterals;

namespace rasp::arrange::exact {

namespace {

// The Russian form of a noun after the number n: one, few or many.
QString agree(int n, const QString &one, const QString &few, const QString &many)
{
    const int tens = n % 100;
    const int units = n % 10;
    if (tens >= 11 && tens <= 14)
        return QString::number(n) + u' ' + many;
    if (units == 1)
        return QString::number(n) + u' ' + one;
    if (units >= 2 && units <= 4)
        return QString::number(n) + u' ' + few;
    return QString::number(n) + u' ' + many;
}

// The rows of a mask as "2, 3, 5", runs of three or more as "2..5".
QString rowsList(quint32 mask)
{
    QStringList parts;
    for (int r = 1; r <= 31; ++r) { // bit r is row r; a 32-bit mask holds rows 1..31
        if (!(mask & (1u << r)))
            continue;
        int e = r;
        while (e + 1 <= 31 && (mask & (1u << (e + 1))))
            ++e;
        if (e - r >= 2)
            parts << u"%1..%2"_s.arg(r).arg(e);
        else
            for (int x = r; x <= e; ++x)
                parts << QString::number(x);
        r = e;
    }
    return parts.join(u", ");
}

// One movable lesson of a teacher token: its class and the rows it can reach.
struct TokenLesson {
    int klass;
    quint32 rows;
};

// Kuhn's augmenting path from lesson u over rows not yet visited.
bool augment(const std::vector<TokenLesson> &lessons, int u, std::vector<int> &rowOwner, quint32 &visited)
{
    const quint32 free = lessons[std::size_t(u)].rows & ~visited;
    for (int r = 1; r < 32; ++r) {
        if (!(free & (1u << r)))
            continue;
        visited |= 1u << r;
        const int owner = rowOwner[std::size_t(r)];
        if (owner < 0 || augment(lessons, owner, rowOwner, visited)) {
            rowOwner[std::size_t(r)] = u;
            return true;
        }
    }
    return false;
}

QString classShapeReason(const DayModel &model)
{
    const int R = model.lastRow();
    const int P = model.options().P;
    for (const ClassModel &c : model.classes()) {
        if (c.runLength == 0)
            return u"Класс %1: нет ни одного урока в рядах 1..%2"_s.arg(c.name).arg(R);
        if (c.runLength > R)
            return u"Класс %1: %2, а рядов 1..%3 только %4"_s.arg(c.name, LessonsText(c.runLength)).arg(R).arg(R);
        if (c.starts.empty())
            return u"Класс %1: %2 нельзя поставить подряд в ряды 1..%3 с началом не позже ряда %4 — мешают закреплённые клетки"_s
                .arg(c.name, LessonsText(c.runLength))
                .arg(R)
                .arg(std::min(P + 1, R));
    }
    return {};
}

QString lockedClashReason(const DayModel &model)
{
    // Per (row, token) the first class whose locked cell holds the token.
    std::map<std::pair<int, int>, const ClassModel *> seen;
    for (const ClassModel &c : model.classes())
        for (const LockedCell &l : c.locked)
            for (const int t : l.tokens) {
                const auto [it, inserted] = seen.emplace(std::make_pair(l.row, t), &c);
                if (!inserted)
                    return u"Закреплённые уроки совпадают: %1 в ряду %2 у классов %3 и %4"_s.arg(model.tokens().at(t))
                        .arg(l.row)
                        .arg(it->second->name, c.name);
            }
    return {};
}

QString teacherReason(const DayModel &model)
{
    const int R = model.lastRow();
    const int tokens = int(model.tokens().size());
    std::vector<std::vector<TokenLesson>> lessons(static_cast<std::size_t>(tokens));
    std::vector<quint32> lockedRows(std::size_t(tokens), 0);
    for (int ci = 0; ci < int(model.classes().size()); ++ci) {
        const ClassModel &c = model.classes()[std::size_t(ci)];
        for (const LockedCell &l : c.locked)
            for (const int t : l.tokens)
                lockedRows[std::size_t(t)] |= 1u << l.row;
        // The rows a movable lesson of this class can reach: unlocked rows of its possible runs.
        quint32 reach = 0;
        for (const int s : c.starts)
            for (int r = s; r < s + c.runLength; ++r)
                if (!model.lockedAt(c, r))
                    reach |= 1u << r;
        for (const LessonKind &k : c.kinds)
            for (const int t : k.tokens)
                for (std::size_t n = 0; n < k.rows.size(); ++n)
                    lessons[std::size_t(t)].push_back({ci, reach});
    }
    // Counting first, over all tokens, so the plainest reason is the one given.
    for (int t = 0; t < tokens; ++t) {
        const int total = int(lessons[std::size_t(t)].size()) + std::popcount(lockedRows[std::size_t(t)]);
        if (total > R)
            return u"Учитель %1: %2, а рядов 1..%3 только %4"_s.arg(model.tokens().at(t), LessonsText(total)).arg(R).arg(R);
    }
    for (int t = 0; t < tokens; ++t) {
        std::vector<TokenLesson> &ls = lessons[std::size_t(t)];
        if (ls.empty())
            continue;
        // Rows that a locked lesson of the teacher holds are not free for the movable ones.
        for (TokenLesson &l : ls)
            l.rows &= ~lockedRows[std::size_t(t)];
        std::vector<int> rowOwner(32, -1);
        for (int u = 0; u < int(ls.size()); ++u) {
            quint32 visited = 0;
            if (augment(ls, u, rowOwner, visited))
                continue;
            // Hall's witness: the lessons reachable from u by alternating paths want exactly the
            // rows visited, all of them taken by the others; one lesson more than rows.
            quint32 rows = visited | ls[std::size_t(u)].rows;
            QStringList classNames;
            int count = 1;
            std::vector<char> inSet(ls.size(), 0);
            inSet[std::size_t(u)] = 1;
            for (int r = 1; r < 32; ++r)
                if ((rows & (1u << r)) && rowOwner[std::size_t(r)] >= 0 && !inSet[std::size_t(rowOwner[std::size_t(r)])]) {
                    inSet[std::size_t(rowOwner[std::size_t(r)])] = 1;
                    ++count;
                }
            for (std::size_t n = 0; n < ls.size(); ++n) {
                const QString &name = model.classes()[std::size_t(ls[n].klass)].name;
                if (inSet[n] && !classNames.contains(name))
                    classNames << name;
            }
            const int width = std::popcount(rows);
            const QString &teacher = model.tokens().at(t);
            QString where = width == 0   ? u"некуда поставить"_s
                            : width == 1 ? u"можно поставить только в ряд %1"_s.arg(rowsList(rows))
                                         : u"можно поставить только в ряды %1 — это %2"_s.arg(rowsList(rows), RowsText(width));
            const quint32 locked = lockedRows[std::size_t(t)];
            if (locked != 0)
                where += (std::popcount(locked) == 1 ? u" (ряд %1 занят %2 закреплённым уроком)"_s
                                                     : u" (ряды %1 заняты %2 закреплёнными уроками)"_s)
                             .arg(rowsList(locked), PossessiveOf(teacher));
            return u"Учитель %1: %2 %3 %4"_s.arg(teacher, LessonsText(count), InClassesText(classNames), where);
        }
    }
    return {};
}

} // namespace

QString LessonsText(int n)
{
    return agree(n, u"урок"_s, u"урока"_s, u"уроков"_s);
}

QString RowsText(int n)
{
    return agree(n, u"ряд"_s, u"ряда"_s, u"рядов"_s);
}

QString NamesText(const QStringList &names)
{
    if (names.size() <= 1)
        return names.value(0);
    return names.mid(0, names.size() - 1).join(u", ") + u" и "_s + names.last();
}

QString InClassesText(const QStringList &classNames)
{
    return (classNames.size() == 1 ? u"в классе "_s : u"в классах "_s) + NamesText(classNames);
}

QString PossessiveOf(const QString &teacher)
{
    const QStringList words = teacher.split(u' ', Qt::SkipEmptyParts);
    for (qsizetype n = 1; n < words.size(); ++n) {
        const QString w = words.at(n).toLower();
        if (w.endsWith(u"вна") || w.endsWith(u"чна") || w.endsWith(u"кызы") || w.endsWith(u"гызы"))
            return u"её"_s;
        if (w.endsWith(u"вич") || w.endsWith(u"ич") || w.endsWith(u"оглы") || w.endsWith(u"улы"))
            return u"его"_s;
    }
    return u"его/её"_s;
}

QString Refute(const DayModel &model)
{
    QString reason = classShapeReason(model);
    if (reason.isEmpty())
        reason = lockedClashReason(model);
    if (reason.isEmpty())
        reason = teacherReason(model);
    return reason;
}

} // namespace rasp::arrange::exact
