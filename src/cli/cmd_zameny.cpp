// raspisanie-cli zameny: the substitution sheet of a saved day against the template of its
// weekday, or the tally per teacher over a period; as JSON, or written to workbook/document files.
#include "clicommands.h"
#include "reports/zameny.h"
#include "reports/zamenytally.h"
#include "school.h"
#include "state.h"
#include "text/datewords.h"

#include <QCommandLineParser>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>

using namespace Qt::Literals::StringLiterals;

namespace rasp::cli {

namespace {

const QString kHelp = uR"(Использование: raspisanie-cli zameny ДАТА
               raspisanie-cli zameny С ПО --teachers

Сравнивает сохраненное расписание дня (r_data/ДАТА.ini) с шаблоном его дня недели
(setka/<день недели>.ini) и печатает лист замен в JSON:
  {date, weekday, changes: [{class, column, row, kind, was, now}]}
  kind: replacement (замена), moved (перенос), cancelled (отмена), added (новый урок),
  room (смена кабинета); was/now: {subject, room, teachers, row} или null; row — номер урока.
С параметром --teachers считает за период С..ПО для каждого учителя уроки, данные вместо
другого учителя, и уроки, от которых он освобожден, с датами (JSON).

Параметры:
  --teachers   итог по учителям за период (нужны две даты)
  --help       эта справка

Коды выхода: 0 — готово; 1 — нет дня или шаблона, файл не удалось прочитать;
2 — неверные параметры.

Пример: raspisanie-cli -C школа zameny 11.12.2026
)"_s;

// The usage error: one line pointing to --help.
int usageError(const QString &what)
{
    WriteErr(what + u" (подробнее: raspisanie-cli zameny --help)"_s);
    return kExitUsage;
}

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
        changes.append(QJsonObject{{u"class"_s, klass},
                                   {u"column"_s, c.column},
                                   {u"row"_s, reports::LessonNumber(state, c.column, c.row)},
                                   {u"kind"_s, reports::KindName(c.kind)},
                                   {u"was"_s, lessonJson(state, c.column, c.was)},
                                   {u"now"_s, lessonJson(state, c.column, c.now)}});
    }
    QJsonObject out{{u"date"_s, text::ShortDate(sheet.date)}, {u"weekday"_s, text::day(sheet.date)},
                    {u"changes"_s, changes}};
    if (sheet.changes.empty())
        out.insert(u"message"_s, reports::NoChangesText(sheet.date));
    return out;
}

QJsonArray eventsJson(const State &state, const std::vector<reports::TeacherEvent> &events)
{
    QJsonArray out;
    for (const reports::TeacherEvent &e : events) {
        const QString klass = std::size_t(e.column) < state.Klass.size() ? state.Klass[std::size_t(e.column)] : QString();
        out.append(QJsonObject{{u"date"_s, text::ShortDate(e.date)}, {u"class"_s, klass}, {u"row"_s, e.lesson}});
    }
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
    return QJsonObject{{u"from"_s, text::ShortDate(from)},
                       {u"to"_s, text::ShortDate(to)},
                       {u"days"_s, tally.days},
                       {u"teachers"_s, teachers},
                       {u"skipped"_s, QJsonArray::fromStringList(tally.skipped)},
                       {u"unreadable"_s, QJsonArray::fromStringList(tally.errors)}};
}

} // namespace

int RunZameny(const QStringList &args)
{
    QCommandLineParser parser;
    const QCommandLineOption help(u"help"_s);
    const QCommandLineOption teachers(u"teachers"_s);
    parser.addOptions({help, teachers});
    parser.addPositionalArgument(u"дата"_s, QString());
    if (!parser.parse(QStringList{u"zameny"_s} + args))
        return usageError(parser.errorText());
    if (parser.isSet(help)) {
        WriteOut(kHelp.toUtf8());
        return kExitOk;
    }
    const QStringList dates = parser.positionalArguments();
    const bool period = parser.isSet(teachers);
    if (!period && dates.size() != 1)
        return usageError(u"Укажите одну дату: zameny ДД.ММ.ГГГГ"_s);
    if (period && dates.size() != 2)
        return usageError(u"Для итога по учителям укажите период: zameny С ПО --teachers"_s);
    QDate from, to;
    if (!DateArgument(dates.at(0), &from))
        return kExitUsage;
    to = from;
    if (period && !DateArgument(dates.at(1), &to))
        return kExitUsage;
    if (to < from)
        return usageError(u"Конец периода раньше его начала"_s);

    State state;
    load::NagruzReport report;
    if (!OpenSchool(state, report))
        return kExitFailed;

    if (period) {
        const reports::ZamenyTally tally = reports::ZamenyPeriod(state, from, to);
        WriteOut(QJsonDocument(tallyJson(state, tally, from, to)).toJson(QJsonDocument::Indented));
        for (const QString &s : tally.skipped)
            WriteErr(u"Не учтено: "_s + s);
        for (const QString &e : tally.errors)
            WriteErr(e);
        return tally.errors.isEmpty() ? kExitOk : kExitFailed;
    }

    const reports::ZamenyResult result = reports::ZamenyForDate(state, from);
    if (!result.sheet) {
        WriteErr(result.error);
        return kExitFailed;
    }
    WriteOut(QJsonDocument(sheetJson(state, *result.sheet)).toJson(QJsonDocument::Indented));
    return kExitOk;
}

} // namespace rasp::cli
