#include "covermodel.h"

#include "absences/companion.h"
#include "absences/coveredlist.h"
#include "state.h"

#include <algorithm>
#include <tuple>

using namespace Qt::Literals::StringLiterals;

namespace rasp::absences {

QString ActionWord(Action action)
{
    switch (action) {
    case Action::Teacher:
        return u"teacher"_s;
    case Action::Subject:
        return u"subject"_s;
    case Action::Move:
        return u"move"_s;
    case Action::Cancel:
        return u"cancel"_s;
    case Action::Open:
        break;
    }
    return u"open"_s;
}

Presence PresenceOf(quint32 ownRows, int row, const Weights &weights)
{
    const quint32 own = ownRows & ~(quint32(1) << row);
    if (own == 0)
        return {u"придёт специально"_s, weights.special};
    const bool before = (own & ((quint32(1) << row) - 1)) != 0;
    const bool after = (own >> (row + 1)) != 0;
    if (before && after)
        return {u"окно"_s, 0};
    int distance = 1;
    while (distance < 16 && !(row + distance < 32 && ((own >> (row + distance)) & 1u))
           && !(row - distance >= 0 && ((own >> (row - distance)) & 1u)))
        ++distance;
    if (distance == 1)
        return {u"рядом со своим уроком"_s, weights.adjacent};
    return {u"до своих уроков %1"_s.arg(distance), weights.adjacent + weights.perRowAway * (distance - 1)};
}

CoverModel::CoverModel(const DayFacts &facts, const CoverCounts &counts, const Weights &weights)
    : m_facts(facts)
    , m_counts(counts)
    , m_weights(weights)
    , m_cap(counts.cap)
{
    const int lessons = int(facts.openLessons().size());
    m_lessonOptions.resize(std::size_t(lessons));
    for (int t = 0; t < facts.teacherCount(); ++t)
        nameNumber(facts.name(t)); // teachers first, in name order
    for (int l = 0; l < lessons; ++l) {
        addTeacherOptions(l);
        addAlternatives(l);
    }
    addCancellations();
    for (int l = 0; l < lessons; ++l) {
        Option open;
        open.lesson = l;
        open.action = Action::Open;
        open.staticCost = m_weights.leaveOpen;
        open.reasons << u"не закрыт"_s;
        m_lessonOptions[std::size_t(l)].push_back(open);
        rank(l);
    }
    // Different names that clash by the grid's rule (one holds the other) cannot share a row.
    std::vector<quint64> masks;
    for (const QString &n : m_names)
        masks.push_back(CharMask(n));
    for (int a = 0; a < nameCount(); ++a)
        for (int b = a + 1; b < nameCount(); ++b) {
            const quint64 both = masks[std::size_t(a)] & masks[std::size_t(b)];
            if ((both == masks[std::size_t(a)] || both == masks[std::size_t(b)]) && ListsClash(m_names[std::size_t(a)], m_names[std::size_t(b)]))
                m_clashingNames.emplace_back(a, b);
        }
}

int CoverModel::nameNumber(const QString &name)
{
    const auto it = m_nameIds.constFind(name);
    if (it != m_nameIds.cend())
        return *it;
    const int n = int(m_names.size());
    m_names.push_back(name);
    m_nameIds.insert(name, n);
    m_start.push_back(m_counts.monthOf(name) + m_facts.coversToday(name));
    return n;
}

void CoverModel::addTeacherOptions(int lesson)
{
    const OpenLesson &open = m_facts.openLessons()[std::size_t(lesson)];
    const int r = open.row;
    for (int t = 0; t < m_facts.teacherCount(); ++t) {
        const QString &name = m_facts.name(t);
        if (name == open.absent || m_facts.absentAt(name, r) || m_facts.busyAt(name, r, open.column))
            continue;
        Option o;
        o.lesson = lesson;
        o.action = Action::Teacher;
        o.teacher = name;
        o.reasons << u"свободен"_s;
        if (ListNames(open.teachers, name)) {
            o.kind = kKindMerge; // the other group's teacher takes both groups
            o.reasons << kKindMerge << u"ведёт другую группу"_s;
        } else {
            const bool bySubject = m_facts.teachesSubject(name, open.subject);
            o.kind = bySubject ? kKindSubject : kKindOtherSubject;
            o.reasons << o.kind;
            if (!bySubject)
                o.staticCost += m_weights.otherSubject;
            if (m_facts.teachesClass(name, open.column))
                o.reasons << u"знает класс"_s;
            else
                o.staticCost += m_weights.unknownClass;
            const Presence p = PresenceOf(m_facts.ownRows(name), r, m_weights);
            o.reasons << p.badge;
            o.staticCost += p.cost;
        }
        o.fairName = nameNumber(name);
        o.uses.emplace_back(o.fairName, r);
        const int month = startCount(o.fairName);
        o.reasons << u"замен за неделю: %1"_s.arg(m_counts.weekOf(name) + m_facts.coversToday(name))
                  << u"за месяц: %1 из %2"_s.arg(month).arg(m_cap);
        if (month + 1 > m_cap)
            o.reasons << u"сверх предела"_s;
        m_lessonOptions[std::size_t(lesson)].push_back(std::move(o));
    }
}

void CoverModel::addAlternatives(int lesson)
{
    const OpenLesson &open = m_facts.openLessons()[std::size_t(lesson)];
    const State &state = m_facts.state();
    const int r = open.row;
    const int j = open.column;
    auto allFree = [&](const QStringList &names, int row) {
        for (const QString &n : names)
            if (m_facts.absentAt(n, row) || m_facts.busyAt(n, row, j))
                return false;
        return !names.isEmpty();
    };
    // Another subject of the class whose teachers are free now.
    for (const QString &subject : m_facts.classSubjects(j)) {
        if (subject == open.subject)
            continue;
        const QStringList teachers = m_facts.subjectTeachers(subject, j);
        if (teachers.contains(open.absent) || !allFree(teachers, r))
            continue;
        Option o;
        o.lesson = lesson;
        o.action = Action::Subject;
        o.subject = subject;
        o.teacher = teachers.first();
        o.kind = kKindOtherSubject;
        const Presence p = PresenceOf(m_facts.ownRows(o.teacher), r, m_weights);
        o.staticCost = m_weights.otherSubjectSwap + p.cost;
        o.reasons << u"вместо: %1"_s.arg(subject) << p.badge;
        for (const QString &n : teachers)
            o.uses.emplace_back(nameNumber(n), r);
        o.fairName = nameNumber(o.teacher);
        m_lessonOptions[std::size_t(lesson)].push_back(std::move(o));
    }
    // Another lesson of the class moved into this row: its last one (the class ends earlier), or a
    // swap that puts this lesson where its teacher is back and free.
    if (state.grid.frozen(r))
        return;
    const std::vector<int> rows = m_facts.lessonRows(j);
    const QStringList ownTeachers = ListTeachers(open.teachers);
    for (const int s : rows) {
        if (s == r || state.grid.frozen(s))
            continue;
        const day::Cell &other = state.grid.cell(s, j);
        if (other.locked() || state.grid.cell(r, j).locked())
            continue;
        const QStringList teachers = ListTeachers(other.teachers);
        bool otherOpen = false;
        for (const QString &n : teachers)
            otherOpen = otherOpen || m_facts.absentAt(n, s);
        if (otherOpen || !allFree(teachers, r))
            continue;
        if (s == rows.back() && s > r) {
            Option o;
            o.lesson = lesson;
            o.action = Action::Move;
            o.otherRow = s;
            o.staticCost = m_weights.moveLast;
            o.reasons << u"последний урок (%1) на его место, класс закончит раньше"_s.arg(s);
            for (const QString &n : teachers)
                o.uses.emplace_back(nameNumber(n), r);
            o.partnerCell = s * 256 + j;
            o.moveClass = j;
            m_lessonOptions[std::size_t(lesson)].push_back(std::move(o));
        }
        if (allFree(ownTeachers, s)) {
            Option o;
            o.lesson = lesson;
            o.action = Action::Move;
            o.otherRow = s;
            o.swap = true;
            o.staticCost = m_weights.swap;
            o.reasons << u"обмен с уроком %1 (%2)"_s.arg(s).arg(other.subject);
            for (const QString &n : teachers)
                o.uses.emplace_back(nameNumber(n), r);
            for (const QString &n : ownTeachers)
                o.uses.emplace_back(nameNumber(n), s);
            o.partnerCell = s * 256 + j;
            m_lessonOptions[std::size_t(lesson)].push_back(std::move(o));
        }
    }
}

void CoverModel::addCancellations()
{
    // The class's day stays one unbroken run: only a run of open first lessons or of open last
    // lessons can be cancelled, each together with those before (or after) it.
    QHash<int, int> lessonAt; // row * 256 + column -> open lesson
    const std::vector<OpenLesson> &open = m_facts.openLessons();
    for (int l = 0; l < int(open.size()); ++l)
        lessonAt.insert(open[std::size_t(l)].row * 256 + open[std::size_t(l)].column, l);
    std::vector<int> columns;
    for (const OpenLesson &o : open)
        if (std::find(columns.begin(), columns.end(), o.column) == columns.end())
            columns.push_back(o.column);
    for (const int j : columns) {
        const std::vector<int> rows = m_facts.lessonRows(j);
        auto add = [&](int row, bool head, int position) {
            const int l = lessonAt.value(row * 256 + j, -1);
            Option o;
            o.lesson = l;
            o.action = Action::Cancel;
            o.staticCost = m_weights.cancel;
            (head ? o.chainHead : o.chainTail) = position;
            o.reasons << (head ? u"первый урок класса"_s : u"последний урок класса"_s);
            m_lessonOptions[std::size_t(l)].push_back(std::move(o));
        };
        for (std::size_t k = 0; k < rows.size() && lessonAt.contains(rows[k] * 256 + j); ++k)
            add(rows[k], true, int(k) + 1);
        for (std::size_t k = 0; k < rows.size() && lessonAt.contains(rows[rows.size() - 1 - k] * 256 + j); ++k)
            add(rows[rows.size() - 1 - k], false, int(k) + 1);
    }
}

void CoverModel::rank(int lesson)
{
    std::vector<Option> &options = m_lessonOptions[std::size_t(lesson)];
    auto key = [this](const Option &o) {
        const int nameOrder = o.fairName >= 0 ? o.fairName : -1;
        return std::make_tuple(aloneCost(o), int(o.action), nameOrder, o.otherRow, o.swap, o.subject, o.chainHead);
    };
    std::stable_sort(options.begin(), options.end(), [&](const Option &a, const Option &b) { return key(a) < key(b); });
}

} // namespace rasp::absences
