// raspisanie-cli journal: the journal of substituted lessons over a period, from the records kept
// beside each saved day (or, for a day without one, its comparison with its template now); as
// JSON, or written to a workbook.
#include "clicommands.h"
#include "reports/journal.h"
#include "reports/journallayout.h"
#include "school.h"
#include "state.h"
#include "text/datewords.h"
#include "xlsxfile.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using namespace Qt::Literals::StringLiterals;

namespace rasp::cli {

namespace {

QJsonObject journalJson(const reports::Journal &journal)
{
    QJsonArray lessons;
    int hours = 0;
    for (const reports::JournalEntry &e : journal.entries) {
        lessons.append(QJsonObject{{u"date"_s, text::ShortDate(e.date)},
                                   {u"lesson"_s, e.lesson},
                                   {u"class"_s, e.className},
                                   {u"subject"_s, e.subject},
                                   {u"absent"_s, e.absent},
                                   {u"covering"_s, e.covering},
                                   {u"kind"_s, e.kind},
                                   {u"hours"_s, e.hours}});
        hours += e.hours;
    }
    QJsonArray totals;
    for (const reports::JournalTotal &t : journal.totals)
        totals.append(QJsonObject{{u"teacher"_s, t.teacher}, {u"covered"_s, t.covered}, {u"absent"_s, t.absent}});
    return QJsonObject{{u"title"_s, reports::JournalTitle(journal.from, journal.to)},
                       {u"from"_s, text::ShortDate(journal.from)},
                       {u"to"_s, text::ShortDate(journal.to)},
                       {u"recordedDays"_s, journal.recordedDays},
                       {u"comparedDays"_s, journal.comparedDays},
                       {u"hours"_s, hours},
                       {u"lessons"_s, lessons},
                       {u"totals"_s, totals},
                       {u"warnings"_s, QJsonArray::fromStringList(journal.warnings)},
                       {u"unreadable"_s, QJsonArray::fromStringList(journal.errors)}};
}

} // namespace

CommandHelp JournalHelp()
{
    return {u"journal"_s, u"С ПО [--xlsx]"_s,
            u"журнал замещённых уроков за период по записям сохранённых дней (JSON или .xlsx)"_s,
            u"JSON: {title, from, to, recordedDays, comparedDays, hours,\n"
            "  lessons: [{date, lesson, class, subject, absent, covering, kind, hours}],\n"
            "  totals: [{teacher, covered, absent}], warnings, unreadable}.\n"
            "Строки дня берутся из записи рядом с ним (r_data/ДАТА.zam, имена учителей на момент сохранения);\n"
            "день без записи сравнивается со своим шаблоном по текущей нагрузке, о чем говорит warnings.\n"
            "С --xlsx вместо JSON: путь к записанному файлу raspisanie/Журнал С-ПО.xlsx"_s,
            u"нет файла нагрузки, какие-то файлы не читаются или файл не удалось записать"_s,
            u"01.12.2026 31.12.2026"_s};
}

int RunJournal(const QStringList &args)
{
    CommandLine line(JournalHelp());
    line.addArgument(u"С ПО"_s, u"первый и последний день периода"_s);
    line.addOption(QCommandLineOption(u"xlsx"_s, u"записать журнал в raspisanie/Журнал С-ПО.xlsx"_s));
    if (const auto stop = line.parse(args, 0, 2))
        return *stop;
    const QStringList dates = line.positional();
    if (dates.size() != 2)
        return line.usageError(u"Укажите период: journal ДД.ММ.ГГГГ ДД.ММ.ГГГГ"_s);
    QDate from, to;
    if (!DateArgument(dates.at(0), &from) || !DateArgument(dates.at(1), &to))
        return line.usageHint();
    if (to < from)
        return line.usageError(u"Конец периода раньше его начала"_s);

    State state;
    load::NagruzReport report;
    if (!OpenSchool(state, report))
        return kExitFailed;
    const reports::Journal journal = reports::BuildJournal(state, from, to);
    if (line.isSet(u"xlsx"_s)) {
        const QString path = QDir::current().filePath(reports::JournalExportPath(from, to));
        QString error;
        if (!exporter::WriteXlsx(reports::JournalWorkbook(journal), path, &error)) {
            WriteErr(error);
            return kExitFailed;
        }
        WriteOut((QDir::toNativeSeparators(path) + u'\n').toUtf8());
    } else {
        WriteOut(QJsonDocument(journalJson(journal)).toJson(QJsonDocument::Indented));
    }
    for (const QString &w : journal.warnings)
        WriteErr(w);
    for (const QString &e : journal.errors)
        WriteErr(e);
    return journal.errors.isEmpty() ? kExitOk : kExitFailed;
}

} // namespace rasp::cli
