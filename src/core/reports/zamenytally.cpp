#include "reports/zamenytally.h"

#include "day/dayfile.h"
#include "state.h"
#include "reports/journal.h"
#include "reports/zameny.h"
#include "template/setka.h"
#include "text/datewords.h"
#include "text/listorder.h"
#include "text/textfile.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>

#include <algorithm>
#include <array>
#include <optional>

using namespace Qt::Literals::StringLiterals;

namespace rasp::reports {

QStringList TeacherNames(const QString &list)
{
    return list.isEmpty() ? QStringList() : list.split(u", "_s, Qt::SkipEmptyParts);
}

QString TeacherEvent::klass(const State &state) const
{
    if (!className.isEmpty() || column <= 0)
        return className;
    return std::size_t(column) < state.Klass.size() ? state.Klass[std::size_t(column)] : QString();
}

namespace {

// Collects teacher events, one entry per teacher name, in order of first appearance.
class Tallier
{
public:
    explicit Tallier(const State &state)
        : m_state(state)
    {
    }

    // Adds what one sheet means for its teachers.
    void add(const ZamenySheet &sheet)
    {
        for (const Change &c : sheet.changes) {
            const TeacherEvent event{sheet.date, c.column, LessonNumber(m_state, c.column, c.row), QString()};
            const QStringList was = c.was ? TeacherNames(c.was->teachers) : QStringList();
            const QStringList now = c.now ? TeacherNames(c.now->teachers) : QStringList();
            switch (c.kind) {
            case ChangeKind::Replacement:
                for (const QString &t : now)
                    if (!was.contains(t))
                        teacher(t).takenOver.push_back(event);
                for (const QString &t : was)
                    if (!now.contains(t))
                        teacher(t).freed.push_back(event);
                break;
            case ChangeKind::Cancelled:
                for (const QString &t : was)
                    teacher(t).freed.push_back(event);
                break;
            case ChangeKind::Moved:
                for (const QString &t : now)
                    teacher(t).moved.push_back(event);
                break;
            case ChangeKind::Added: {
                // A lesson given in a row a chain of moves freed for a cancelled lesson covers it.
                const QStringList covered = c.coverOf ? TeacherNames(c.coverOf->teachers) : QStringList();
                for (const QString &t : now) {
                    if (c.coverOf && !covered.contains(t))
                        teacher(t).takenOver.push_back(event);
                    else
                        teacher(t).added.push_back(event);
                }
                break;
            }
            case ChangeKind::Room:
                break;
            }
        }
    }

    // Adds the substituted lessons recorded with a day.
    void add(const std::vector<JournalEntry> &entries)
    {
        for (const JournalEntry &e : entries) {
            const TeacherEvent event{e.date, 0, e.lesson, e.className};
            for (const QString &t : TeacherNames(e.covering))
                teacher(t).takenOver.push_back(event);
            for (const QString &t : TeacherNames(e.absent))
                teacher(t).freed.push_back(event);
        }
    }

    // The teachers sorted by name.
    std::vector<TeacherTally> take()
    {
        std::stable_sort(m_teachers.begin(), m_teachers.end(), [](const TeacherTally &a, const TeacherTally &b) {
            return text::ListTextLess(a.teacher, b.teacher);
        });
        m_index.clear();
        return std::move(m_teachers);
    }

private:
    TeacherTally &teacher(const QString &name)
    {
        auto it = m_index.constFind(name);
        if (it == m_index.cend()) {
            it = m_index.insert(name, m_teachers.size());
            m_teachers.push_back({name, {}, {}, {}, {}});
        }
        return m_teachers[it.value()];
    }

    const State &m_state;
    std::vector<TeacherTally> m_teachers;
    QHash<QString, std::size_t> m_index;
};

} // namespace

ZamenyTally TallyOfSheet(const State &state, const ZamenySheet &sheet)
{
    Tallier tallier(state);
    tallier.add(sheet);
    ZamenyTally tally;
    tally.days = 1;
    tally.teachers = tallier.take();
    return tally;
}

ZamenyTally ZamenyPeriod(const State &state, QDate from, QDate to, const VipStep &step)
{
    ZamenyTally tally;
    if (!from.isValid() || !to.isValid())
        return tally;
    LessonReader reader(state);
    Tallier tallier(state);
    TemplateCache templates;
    std::array<bool, 8> noticed{}; // each template's notices once

    for (QDate d = from; d <= to; d = d.addDays(1)) {
        bool compared = false;
        if (QFileInfo::exists(day::DayFilePath(d))) {
            // The lessons recorded when the day was saved, when they can be read.
            const QString companionPath = DayCompanionPath(d);
            const SectionsRead companion = ReadSections(companionPath);
            std::vector<JournalEntry> recorded;
            const QStringList *lines = companion.find(kJournalSection);
            QString error;
            if (lines && ParseJournalLines(*lines, d, &recorded, &error, QDir::toNativeSeparators(companionPath))) {
                tallier.add(recorded);
                ++tally.days;
                if (step && !step(true))
                    break;
                continue;
            }
            if (lines)
                tally.errors << error;
            const DayComparison c = CompareSavedDay(state, reader, templates, d);
            const std::size_t k = std::size_t(c.weekday);
            if (c.result.sheet) {
                const TemplateLessons &t = templates.get(state, reader, c.weekday);
                if (!noticed[k]) {
                    noticed[k] = true;
                    tally.notices << t.notices;
                }
                // The day's own notices (its classes read by name) follow the template's.
                for (qsizetype n = t.notices.size(); n < c.result.sheet->notices.size(); ++n)
                    tally.notices << c.result.sheet->notices.at(n);
                tallier.add(*c.result.sheet);
                ++tally.days;
                compared = true;
            } else if (c.noTemplate) {
                tally.skipped << text::ShortDate(d) + u": шаблона на этот день недели нет (%1)"_s.arg(QDir::toNativeSeparators(tmpl::SetkaPath(c.weekday)));
            } else if (c.templateUnreadable) {
                if (!noticed[k]) {
                    noticed[k] = true;
                    tally.errors << c.result.error;
                }
                tally.skipped << text::ShortDate(d) + u": файл шаблона не удалось прочитать"_s;
            } else {
                tally.errors << c.result.error;
            }
        }
        if (step && !step(compared))
            break;
    }
    tally.teachers = tallier.take();
    return tally;
}

QString EventPlaces(const State &state, const std::vector<TeacherEvent> &events)
{
    QStringList parts;
    for (const TeacherEvent &e : events)
        parts << u"%1 (%2)"_s.arg(e.klass(state)).arg(e.lesson);
    return parts.join(u", "_s);
}

QString EventDates(const std::vector<TeacherEvent> &events)
{
    // Events come in date order (days are compared in order); equal dates are neighbours.
    QStringList parts;
    for (std::size_t i = 0; i < events.size();) {
        std::size_t n = 1;
        while (i + n < events.size() && events[i + n].date == events[i].date)
            ++n;
        const QString date = text::ShortDate(events[i].date);
        parts << (n > 1 ? u"%1 (%2)"_s.arg(date).arg(n) : date);
        i += n;
    }
    return parts.join(u", "_s);
}

namespace {

// "count: places", empty when there is none.
QString countedPlaces(const State &state, const std::vector<TeacherEvent> &events)
{
    if (events.empty())
        return {};
    return u"%1: %2"_s.arg(events.size()).arg(EventPlaces(state, events));
}

// The count as text, empty when 0.
QString countText(std::size_t n)
{
    return n == 0 ? QString() : QString::number(n);
}

} // namespace

std::vector<QStringList> TeacherViewRows(const State &state, const ZamenyTally &tally)
{
    std::vector<QStringList> rows;
    for (const TeacherTally &t : tally.teachers)
        rows.push_back({t.teacher, countedPlaces(state, t.takenOver), countedPlaces(state, t.freed),
                        countedPlaces(state, t.moved), countedPlaces(state, t.added)});
    return rows;
}

QStringList TeacherViewHeader()
{
    return {u"Учитель"_s, u"Заменяет"_s, u"Освобождён"_s, u"Перенесены"_s, u"Новые уроки"_s};
}

std::vector<QStringList> TallyRows(const ZamenyTally &tally)
{
    std::vector<QStringList> rows;
    for (const TeacherTally &t : tally.teachers) {
        if (t.takenOver.empty() && t.freed.empty())
            continue; // only moved or added lessons: nothing to pay or to deduct
        rows.push_back({t.teacher, countText(t.takenOver.size()), EventDates(t.takenOver), countText(t.freed.size()),
                        EventDates(t.freed)});
    }
    return rows;
}

QStringList TallyHeader()
{
    return {u"Учитель"_s, u"Заменил уроков"_s, u"Даты замен"_s, u"Освобождён от уроков"_s, u"Даты освобождения"_s};
}

QString TallyTitle(QDate from, QDate to)
{
    return u"Замены с %1 по %2"_s.arg(text::ShortDate(from), text::ShortDate(to));
}

} // namespace rasp::reports
