#include "reports/journal.h"

#include "day/dayfile.h"
#include "reports/zamenytally.h"
#include "state.h"
#include "template/classorder.h"
#include "text/datewords.h"
#include "text/listorder.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace rasp::reports {

namespace {

// The names of `a` not in `b`, joined as a teacher list.
QString without(const QString &a, const QString &b)
{
    const QStringList others = TeacherNames(b);
    QStringList out;
    for (const QString &t : TeacherNames(a))
        if (!others.contains(t))
            out << t;
    return out.join(u", "_s);
}

} // namespace

std::vector<JournalEntry> JournalEntriesOf(const State &state, const ZamenySheet &sheet)
{
    std::vector<JournalEntry> out;
    // Cancelled lessons an added lesson stands in for, by column and template row.
    QHash<QPair<int, int>, bool> chained;
    for (const Change &c : sheet.changes)
        if (c.kind == ChangeKind::Added && c.coverOf)
            chained.insert({c.column, c.coverOf->row}, true);
    for (const Change &c : sheet.changes) {
        JournalEntry e;
        e.date = sheet.date;
        e.className = std::size_t(c.column) < state.Klass.size() ? state.Klass[std::size_t(c.column)] : QString();
        if (c.kind == ChangeKind::Replacement) {
            e.absent = without(c.was->teachers, c.now->teachers);
            e.covering = without(c.now->teachers, c.was->teachers);
            e.kind = c.now->coverKind.isEmpty() ? kJournalReplacement : c.now->coverKind;
            e.subject = c.now->subject;
        } else if (c.kind == ChangeKind::Cancelled && !chained.contains({c.column, c.was->row})) {
            e.absent = c.was->teachers;
            e.kind = kJournalCancelled;
            e.subject = c.was->subject;
        } else if (c.kind == ChangeKind::Added && c.coverOf) {
            e.absent = without(c.coverOf->teachers, c.now->teachers);
            e.covering = without(c.now->teachers, c.coverOf->teachers);
            e.kind = kJournalChain;
            e.subject = c.now->subject;
        } else {
            continue;
        }
        if (e.absent.isEmpty() && e.covering.isEmpty())
            continue; // the same teachers: no substitution
        e.lesson = LessonNumber(state, c.column, c.row);
        out.push_back(std::move(e));
    }
    return out;
}

QStringList JournalSectionLines(const std::vector<JournalEntry> &entries)
{
    QStringList lines{kJournalSection};
    for (const JournalEntry &e : entries)
        lines << QStringList{QString::number(e.lesson), e.className, e.subject, e.absent, e.covering, e.kind,
                             QString::number(e.hours)}
                     .join(u'|');
    return lines;
}

bool ParseJournalLines(const QStringList &lines, QDate date, std::vector<JournalEntry> *entries, QString *error,
                       const QString &where)
{
    std::vector<JournalEntry> out;
    for (qsizetype n = 0; n < lines.size(); ++n) {
        const QString &line = lines.at(n);
        if (line.isEmpty())
            continue;
        const QStringList f = line.split(u'|');
        bool lessonOk = false, hoursOk = false;
        JournalEntry e;
        if (f.size() == 7) {
            e.lesson = f[0].toInt(&lessonOk);
            e.hours = f[6].toInt(&hoursOk);
        }
        if (!lessonOk || !hoursOk || e.lesson < 1 || e.hours < 0) {
            if (error)
                *error = u"Файл %1: непонятная строка журнала «%2»"_s.arg(where, line);
            return false;
        }
        e.date = date;
        e.className = f[1];
        e.subject = f[2];
        e.absent = f[3];
        e.covering = f[4];
        e.kind = f[5];
        out.push_back(std::move(e));
    }
    *entries = std::move(out);
    return true;
}

int FollowedWeekday(QDate date)
{
    return WeekdayOf(ReadSections(DayCompanionPath(date)));
}

bool RecordFollowedWeekday(QDate date, int weekday, QString *error)
{
    if (weekday >= 1 && weekday <= 7)
        return PutSections(DayCompanionPath(date), {{kWeekdaySection, {QString::number(weekday)}}}, error);
    return PutSections(DayCompanionPath(date), {}, error, {kWeekdaySection});
}

bool RecordDay(const State &state, QDate date, QString *error, int followedWeekday)
{
    // The day was just written in the load's order: read it so, whatever an older companion said.
    if (!PutSections(DayCompanionPath(date), {{tmpl::kClassesSection, tmpl::LoadClassOrder(state.Klass, state.klassvis)}},
                     error))
        return false;
    if (followedWeekday >= 0 && !RecordFollowedWeekday(date, followedWeekday, error))
        return false;
    return RecordJournal(state, date, error);
}

bool RecordJournal(const State &state, QDate date, QString *error)
{
    const ZamenyResult r = ZamenyForDate(state, date);
    if (!r.sheet) // no template to compare with: the journal is worked out when asked
        return PutSections(DayCompanionPath(date), {}, error, {kJournalSection});
    const QStringList lines = JournalSectionLines(JournalEntriesOf(state, *r.sheet));
    return PutSections(DayCompanionPath(date), {{kJournalSection, lines.mid(1)}}, error);
}

Journal BuildJournal(const State &state, QDate from, QDate to, const VipStep &step)
{
    Journal journal;
    journal.from = from;
    journal.to = to;
    if (!from.isValid() || !to.isValid())
        return journal;
    LessonReader reader(state);
    TemplateCache templates;
    for (QDate d = from; d <= to; d = d.addDays(1)) {
        bool counted = false;
        if (QFileInfo::exists(day::DayFilePath(d))) {
            const QString companionPath = DayCompanionPath(d);
            const SectionsRead companion = ReadSections(companionPath);
            if (!companion.error.isEmpty())
                journal.errors << companion.error;
            std::vector<JournalEntry> entries;
            QString error;
            const QStringList *recorded = companion.find(kJournalSection);
            if (recorded && ParseJournalLines(*recorded, d, &entries, &error, QDir::toNativeSeparators(companionPath))) {
                ++journal.recordedDays;
                counted = true;
            } else {
                if (recorded)
                    journal.errors << error;
                const DayComparison c = CompareSavedDay(state, reader, templates, d);
                if (c.result.sheet) {
                    entries = JournalEntriesOf(state, *c.result.sheet);
                    ++journal.comparedDays;
                    counted = true;
                    journal.warnings << u"%1: записи дня нет, замены определены по текущей нагрузке"_s.arg(text::ShortDate(d));
                } else if (c.noTemplate) {
                    journal.warnings << u"%1: не учтён, шаблона на этот день недели нет"_s.arg(text::ShortDate(d));
                } else {
                    journal.errors << c.result.error;
                }
            }
            journal.entries.insert(journal.entries.end(), entries.begin(), entries.end());
        }
        if (step && !step(counted))
            break;
    }
    // Totals per teacher, in the editor's list order.
    QHash<QString, std::size_t> index;
    const auto total = [&](const QString &name) -> JournalTotal & {
        auto it = index.constFind(name);
        if (it == index.cend()) {
            it = index.insert(name, journal.totals.size());
            journal.totals.push_back({name, 0, 0});
        }
        return journal.totals[it.value()];
    };
    for (const JournalEntry &e : journal.entries) {
        for (const QString &t : TeacherNames(e.covering))
            total(t).covered += e.hours;
        for (const QString &t : TeacherNames(e.absent))
            total(t).absent += e.hours;
    }
    std::stable_sort(journal.totals.begin(), journal.totals.end(),
                     [](const JournalTotal &a, const JournalTotal &b) { return text::ListTextLess(a.teacher, b.teacher); });
    return journal;
}

QString JournalTitle(QDate from, QDate to)
{
    return u"Журнал замещённых уроков с %1 по %2"_s.arg(text::ShortDate(from), text::ShortDate(to));
}

QStringList JournalHeader()
{
    return {u"Дата"_s, u"Урок"_s, u"Класс"_s, u"Предмет"_s,
            u"Отсутствовал"_s, u"Заменил"_s, u"Вид"_s, u"Часы"_s};
}

std::vector<QStringList> JournalRows(const Journal &journal)
{
    std::vector<QStringList> rows;
    rows.reserve(journal.entries.size());
    for (const JournalEntry &e : journal.entries)
        rows.push_back({text::ShortDate(e.date), QString::number(e.lesson), e.className, e.subject, e.absent, e.covering,
                        e.kind, QString::number(e.hours)});
    return rows;
}

QStringList JournalTotalsHeader()
{
    return {u"Учитель"_s, u"Заменил часов"_s, u"Пропустил часов"_s};
}

std::vector<QStringList> JournalTotalRows(const Journal &journal)
{
    std::vector<QStringList> rows;
    for (const JournalTotal &t : journal.totals)
        rows.push_back({t.teacher, QString::number(t.covered), QString::number(t.absent)});
    return rows;
}

} // namespace rasp::reports
