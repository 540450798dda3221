// raspisanie-cli zameny: the substitution sheet of a saved day against the template of its
// weekday, or the tally per teacher over a period; as JSON, or written to workbook/document files.
#include "clicommands.h"
#include "day/dayfile.h"
#include "reports/period.h"
#include "docxfile.h"
#include "reports/zamenylayout.h"
#include "xlsxfile.h"
#include "reports/journal.h"
#include "reports/zameny.h"
#include "reports/zamenytally.h"
#include "school.h"
#include "state.h"
#include "text/datewords.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>

#include <type_traits>

using namespace Qt::Literals::StringLiterals;

namespace rasp::cli {

namespace {

QJsonValue lessonJson(const State &state, int column, const std::optional<reports::Lesson> &l)
{
    if (!l)
        return QJsonValue::Null;
    return QJsonObject{{u"subject"_s, l->subject},
                       {u"room"_s, l->room},
                       {u"teachers"_s, l->teachers},
                       {u"row"_s, reports::LessonNumber(state, column, l->row)}};
}

QJsonObject sheetJson(const State &state, const reports::ZamenySheet &sheet)
{
    QJsonArray changes;
    for (const reports::Change &c : sheet.changes) {
        const QString klass = std::size_t(c.column) < state.Klass.size() ? state.Klass[std::size_t(c.column)] : QString();
        QJsonObject change{{u"class"_s, klass},
                           {u"column"_s, c.column},
                           {u"row"_s, reports::LessonNumber(state, c.column, c.row)},
                           {u"kind"_s, reports::KindName(c.kind)},
                           {u"was"_s, lessonJson(state, c.column, c.was)},
                           {u"now"_s, lessonJson(state, c.column, c.now)}};
        if (c.coverOf)
            change.insert(u"coverOf"_s, lessonJson(state, c.column, c.coverOf));
        changes.append(change);
    }
    QJsonObject out{{u"date"_s, text::ShortDate(sheet.date)}, {u"weekday"_s, text::day(sheet.date)}, {u"changes"_s, changes}};
    if (sheet.followedWeekday > 0) {
        out.insert(u"asWeekday"_s, sheet.followedWeekday);
        out.insert(u"title"_s, reports::FollowedText(sheet.date, sheet.followedWeekday));
    }
    if (sheet.changes.empty())
        out.insert(u"message"_s, reports::NoChangesText(sheet.date, sheet.followedWeekday));
    if (!sheet.notices.isEmpty())
        out.insert(u"notices"_s, QJsonArray::fromStringList(sheet.notices));
    if (!sheet.absences.isEmpty())
        out.insert(u"absences"_s, QJsonArray::fromStringList(sheet.absences));
    if (!sheet.openLessons.isEmpty())
        out.insert(u"openLessons"_s, QJsonArray::fromStringList(sheet.openLessons));
    return out;
}

QJsonArray eventsJson(const State &state, const std::vector<reports::TeacherEvent> &events)
{
    QJsonArray out;
    for (const reports::TeacherEvent &e : events)
        out.append(QJsonObject{{u"date"_s, text::ShortDate(e.date)}, {u"class"_s, e.klass(state)}, {u"row"_s, e.lesson}});
    return out;
}

QJsonObject tallyJson(const State &state, const reports::ZamenyTally &tally, QDate from, QDate to)
{
    QJsonArray teachers;
    for (const reports::TeacherTally &t : tally.teachers)
        teachers.append(QJsonObject{{u"teacher"_s, t.teacher},
                                    {u"takenOver"_s, int(t.takenOver.size())},
                                    {u"freed"_s, int(t.freed.size())},
                                    {u"moved"_s, int(t.moved.size())},
                                    {u"added"_s, int(t.added.size())},
                                    {u"takenOverLessons"_s, eventsJson(state, t.takenOver)},
                                    {u"freedLessons"_s, eventsJson(state, t.freed)}});
    QJsonObject out{{u"from"_s, text::ShortDate(from)},
                    {u"to"_s, text::ShortDate(to)},
                    {u"days"_s, tally.days},
                    {u"teachers"_s, teachers},
                    {u"skipped"_s, QJsonArray::fromStringList(tally.skipped)},
                    {u"unreadable"_s, QJsonArray::fromStringList(tally.errors)}};
    if (!tally.notices.isEmpty())
        out.insert(u"notices"_s, QJsonArray::fromStringList(tally.notices));
    return out;
}

// Writes a workbook or document under the work folder and prints its path; false after the error.
template<typename Layout>
bool writeFile(const Layout &layout, const QString &relative)
{
    const QString path = QDir::current().filePath(relative);
    QString error;
    bool written = false;
    if constexpr (std::is_same_v<Layout, reports::Sheet>)
        written = exporter::WriteXlsx(layout, path, &error);
    else
        written = exporter::WriteDocx(layout, path, &error);
    if (!written) {
        WriteErr(error);
        return false;
    }
    WriteOut((QDir::toNativeSeparators(path) + u'\n').toUtf8());
    return true;
}

} // namespace

CommandHelp ZamenyHelp()
{
    return {u"zameny"_s, u"ДД.ММ.ГГГГ [--as-weekday N] [--xlsx] [--docx] | zameny С ПО --teachers [--xlsx]"_s,
            u"замены: день против шаблона его дня недели или итог по учителям за период (JSON или файлы)"_s,
            u"лист замен дня r_data/ДАТА.ini против шаблона setka/<день недели>.ini в JSON:\n"
            "  {date, weekday, changes: [{class, column, row, kind, was, now}], notices}\n"
            "  kind: replacement (замена), moved (перенос), cancelled (отмена), added (новый урок),\n"
            "  room (смена кабинета); was/now: {subject, room, teachers, row} или null; row - номер урока;\n"
            "  coverOf: отмененный урок, место которого через переносы занял добавленный (его учитель заменяет);\n"
            "  notices (если есть): классы, сопоставленные по именам, записанным рядом с шаблоном.\n"
            "С --as-weekday N (1 - понедельник ... 7 - воскресенье) день сравнивается с шаблоном дня N,\n"
            "и это записывается рядом с днем (r_data/ДАТА.zam); 0 возвращает его собственный день недели;\n"
            "тогда в JSON есть asWeekday и title («Суббота 12.12.2026 по расписанию понедельника»).\n"
            "С --teachers: за период С..ПО для каждого учителя уроки, данные вместо другого учителя,\n"
            "и уроки, от которых он освобожден, с датами (JSON).\n"
            "С --xlsx или --docx вместо JSON: путь к каждому записанному файлу"_s,
            u"нет дня или шаблона, файл не удалось прочитать или записать"_s, u"11.12.2026"_s};
}

int RunZameny(const QStringList &args)
{
    CommandLine line(ZamenyHelp());
    line.addArgument(u"ДД.ММ.ГГГГ"_s, u"сохраненный день, сравниваемый с шаблоном его дня недели"_s);
    line.addArgument(u"С ПО"_s, u"первый и последний день периода (с --teachers)"_s);
    line.addOption(QCommandLineOption(u"teachers"_s, u"итог по учителям за период (нужны две даты)"_s));
    line.addOption(QCommandLineOption(u"xlsx"_s, u"записать лист (или итог) в raspisanie/Замены *.xlsx"_s));
    line.addOption(QCommandLineOption(u"docx"_s, u"записать лист в raspisanie/Замены *.docx"_s));
    line.addOption(QCommandLineOption(u"as-weekday"_s, u"день идет по шаблону дня недели N (1..7; 0 - по своему)"_s, u"N"_s));
    if (const auto stop = line.parse(args, 0, 2))
        return *stop;
    const QStringList dates = line.positional();
    const bool period = line.isSet(u"teachers"_s);
    const bool xlsx = line.isSet(u"xlsx"_s);
    const bool docx = line.isSet(u"docx"_s);
    if (!period && dates.size() != 1)
        return line.usageError(u"Укажите одну дату: zameny ДД.ММ.ГГГГ"_s);
    if (period && dates.size() != 2)
        return line.usageError(u"Для итога по учителям укажите период: zameny С ПО --teachers"_s);
    if (period && docx)
        return line.usageError(u"Итог по учителям записывается только в .xlsx"_s);
    const bool asWeekday = line.isSet(u"as-weekday"_s);
    bool weekdayOk = false;
    const int weekday = asWeekday ? line.value(u"as-weekday"_s).toInt(&weekdayOk) : 0;
    if (asWeekday && (period || !weekdayOk || weekday < 0 || weekday > 7))
        return line.usageError(period ? u"--as-weekday относится к одному дню"_s
                                      : u"--as-weekday: укажите день недели 1..7 (0 - собственный)"_s);
    QDate from, to;
    if (!DateArgument(dates.at(0), &from))
        return line.usageHint();
    to = from;
    if (period && !DateArgument(dates.at(1), &to))
        return line.usageHint();
    if (const QString problem = reports::PeriodProblem(from, to); !problem.isEmpty())
        return line.usageError(problem);
    if (asWeekday && !FolderFreeForWriting()) // the choice is recorded in the date's companion file
        return kExitFailed;

    State state;
    load::NagruzReport report;
    if (!OpenSchool(state, report))
        return kExitFailed;

    if (period) {
        const reports::ZamenyTally tally = reports::ZamenyPeriod(state, from, to);
        if (xlsx) {
            if (!writeFile(reports::TallyWorkbook(tally, from, to), reports::TallyExportPath(from, to)))
                return kExitFailed;
        } else {
            WriteOut(QJsonDocument(tallyJson(state, tally, from, to)).toJson(QJsonDocument::Indented));
        }
        for (const QString &s : tally.skipped)
            WriteErr(u"Не учтено: "_s + s);
        for (const QString &e : tally.errors)
            WriteErr(e);
        return tally.errors.isEmpty() ? kExitOk : kExitFailed;
    }

    if (asWeekday) {
        QString error;
        if (!QFileInfo::exists(day::DayFilePath(from))) {
            WriteErr(u"Расписание на %1 не сохранено: нет файла %2"_s.arg(
                text::ShortDate(from), QDir::toNativeSeparators(day::DayFilePath(from))));
            return kExitFailed;
        }
        if (!reports::RecordFollowedWeekday(from, weekday == from.dayOfWeek() ? 0 : weekday, &error)
            || !reports::RecordJournal(state, from, &error)) {
            WriteErr(error);
            return kExitFailed;
        }
    }
    const reports::ZamenyResult result = reports::ZamenyForDate(state, from);
    if (!result.sheet) {
        WriteErr(result.error);
        return kExitFailed;
    }
    if (!xlsx && !docx) {
        WriteOut(QJsonDocument(sheetJson(state, *result.sheet)).toJson(QJsonDocument::Indented));
        return kExitOk;
    }
    if (xlsx
        && !writeFile(reports::ZamenyWorkbook(state, *result.sheet), reports::ZamenyExportPath(from, u"xlsx"_s)))
        return kExitFailed;
    if (docx
        && !writeFile(reports::ZamenyDocument(state, *result.sheet), reports::ZamenyExportPath(from, u"docx"_s)))
        return kExitFailed;
    return kExitOk;
}

} // namespace rasp::cli
