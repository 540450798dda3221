#include "dayfacts.h"

#include "absences/coveredlist.h"
#include "day/poiskuchit.h"
#include "state.h"
#include "text/listorder.h"

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace rasp::absences {

quint64 CharMask(QStringView text)
{
    quint64 mask = 0;
    for (const QChar ch : text) {
        const char16_t u = ch.unicode();
        mask |= quint64(1) << ((u ^ (u >> 6)) & 63);
    }
    return mask;
}

namespace {

// Whether list `a` names a part of itself in `b` (the grid's coincidence test, one way).
bool partsIn(QStringView a, QStringView b)
{
    const day::TeacherListParts parts = day::SplitTeacherList(a);
    return (!parts.first.isEmpty() && b.contains(parts.first)) || (!parts.rest.isEmpty() && b.contains(parts.rest));
}

} // namespace

bool ListsClash(QStringView a, QStringView b)
{
    return !a.isEmpty() && !b.isEmpty() && (partsIn(a, b) || partsIn(b, a));
}

DayFacts::DayFacts(const State &state)
    : m_state(state)
{
    m_rows = std::clamp(state.max_ur, 0, std::min(state.grid.lastRow(), 16));
    m_columns = std::clamp(state.klassvis, 0, std::max(state.grid.columnCount() - 1, 0));
    const int pedvis = std::min<int>(state.pedvis, int(state.PedFio.size()) - 1);
    for (int m = 1; m <= pedvis; ++m) {
        const QString &name = state.PedFio[std::size_t(m)].name;
        if (!name.isEmpty() && !m_loadRow.contains(name)) {
            m_loadRow.insert(name, m);
            m_names.push_back(name);
        }
    }
    std::sort(m_names.begin(), m_names.end(), [](const QString &a, const QString &b) {
        return text::ListTextLess(a, b) || (!text::ListTextLess(b, a) && a < b);
    });
    for (int t = 0; t < int(m_names.size()); ++t)
        m_byName.insert(m_names[std::size_t(t)], t);

    for (const Absence &a : state.companion.absences)
        for (int i = std::max(a.from, 1); i <= std::min(a.to, 16); ++i)
            m_absentRows[a.teacher] |= quint32(1) << i;

    m_lists.resize(std::size_t(m_rows) * std::size_t(m_columns));
    for (int i = 1; i <= m_rows; ++i)
        for (int j = 1; j <= m_columns; ++j) {
            const day::Cell &cell = state.grid.cell(i, j);
            ListOfCell &l = m_lists[std::size_t(i - 1) * std::size_t(m_columns) + std::size_t(j - 1)];
            l.list = cell.teachers;
            if (l.list.isEmpty())
                continue;
            const day::TeacherListParts parts = day::SplitTeacherList(l.list);
            l.first = parts.first;
            l.rest = parts.rest;
            l.listMask = CharMask(l.list);
            l.firstMask = CharMask(l.first);
            l.restMask = CharMask(l.rest);
            const QStringList names = ListTeachers(cell.teachers);
            for (const QString &n : names)
                m_ownRows[n] |= quint32(1) << i;
            if (!cell.cover.empty()) {
                ++m_coversToday[cell.cover.teacher];
                continue;
            }
            if (cell.subject.isEmpty())
                continue;
            for (const QString &n : names)
                if (absentAt(n, i)) {
                    m_open.push_back({i, j, state.grid.cell(0, j).subject, cell.subject, cell.teachers, n});
                    break;
                }
        }
}

bool DayFacts::absentAt(const QString &name, int row) const
{
    return (m_absentRows.value(name, 0) >> row) & 1u;
}

bool DayFacts::busyAt(QStringView name, int row, int exceptColumn, int exceptColumn2) const
{
    if (name.isEmpty() || row < 1 || row > m_rows)
        return false;
    const quint64 mask = CharMask(name);
    for (int j = 1; j <= m_columns; ++j) {
        if (j == exceptColumn || j == exceptColumn2)
            continue;
        const ListOfCell &l = cellList(row, j);
        if (l.list.isEmpty())
            continue;
        // The name as a one-teacher list: its whole text in the other list, or a part of the
        // other list in it.
        if ((mask & l.listMask) == mask && l.list.contains(name))
            return true;
        if (!l.first.isEmpty() && (l.firstMask & mask) == l.firstMask && name.contains(l.first))
            return true;
        if (!l.rest.isEmpty() && (l.restMask & mask) == l.restMask && name.contains(l.rest))
            return true;
    }
    return false;
}

bool DayFacts::teachesSubject(const QString &name, const QString &subject) const
{
    const load::TUchPredm &index = m_state.RaspUrPredm;
    const qsizetype k = index.predmet.indexOf(subject);
    if (k < 0 || k >= index.uchitel.size())
        return false;
    const QString &names = index.uchitel.at(k);
    qsizetype from = 0;
    while (from < names.size()) {
        qsizetype comma = names.indexOf(u',', from);
        if (comma < 0)
            comma = names.size();
        if (QStringView(names).sliced(from, comma - from) == name)
            return true;
        from = comma + 1;
    }
    return false;
}

bool DayFacts::teachesClass(const QString &name, int column) const
{
    const int m = m_loadRow.value(name, 0);
    if (m <= 0 || m >= int(m_state.Predmet.size()) || column >= int(m_state.Predmet[std::size_t(m)].size()))
        return false;
    for (const QString &line : m_state.Predmet[std::size_t(m)][std::size_t(column)])
        if (!line.isEmpty())
            return true;
    return false;
}

QStringList DayFacts::subjectTeachers(const QString &subject, int column) const
{
    // As resolution does: the teachers of the subject's first index entry, in its order, who have
    // the subject in this class.
    QStringList out;
    const load::TUchPredm &index = m_state.RaspUrPredm;
    const qsizetype k = index.predmet.indexOf(subject);
    if (k < 0 || k >= index.uchitel.size())
        return out;
    for (const QString &name : index.uchitel.at(k).split(u',', Qt::SkipEmptyParts)) {
        const int m = m_loadRow.value(name, 0);
        if (m <= 0 || m >= int(m_state.Predmet.size()) || column >= int(m_state.Predmet[std::size_t(m)].size()))
            continue;
        if (m_state.Predmet[std::size_t(m)][std::size_t(column)].contains(subject) && !out.contains(name))
            out << name;
    }
    return out;
}

QStringList DayFacts::classSubjects(int column) const
{
    QStringList out;
    for (std::size_t m = 1; m < m_state.Predmet.size() && int(m) <= m_state.pedvis; ++m) {
        if (column >= int(m_state.Predmet[m].size()))
            continue;
        for (const QString &line : m_state.Predmet[m][std::size_t(column)])
            if (!line.isEmpty() && !out.contains(line))
                text::SortedInsert(out, line);
    }
    return out;
}

std::vector<int> DayFacts::lessonRows(int column) const
{
    std::vector<int> rows;
    for (int i = 1; i <= m_rows; ++i)
        if (!m_state.grid.cell(i, column).subject.isEmpty())
            rows.push_back(i);
    return rows;
}

} // namespace rasp::absences
