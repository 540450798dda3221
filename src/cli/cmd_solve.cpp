// raspisanie-cli solve: opens the saved day of a date as the editor does and arranges it exactly:
// a clash-free day with the fewest moved lessons, or the reason why none exists. Prints the
// result as JSON; writes the day file only with --save and only when a day was found.
#include "arrange/arrangement.h"
#include "arrange/exact/exactsolver.h"
#include "clicommands.h"
#include "day/counters.h"
#include "day/dayfile.h"
#include "day/kabpoisk.h"
#include "day/poiskuchit.h"
#include "dayjson.h"
#include "school.h"
#include "state.h"

#include <QCommandLineParser>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using namespace Qt::Literals::StringLiterals;

namespace rasp::cli {

namespace {

const QString kSolveHint = u"Подробнее: raspisanie-cli solve --help"_s;

// The command's help: arguments, what it prints, exit codes and an example.
QString solveHelp()
{
    return u"Использование: raspisanie-cli [-C ПАПКА] solve ДД.ММ.ГГГГ [--max-lessons R] [--missing-first P]\n"
           "                                        [--time-limit СЕК] [--save]\n"
           "Точный подбор дня из r_data: расписание без совпадений учителей, в котором перемещено\n"
           "как можно меньше уроков (только внутри своих классов, закреплённые клетки не трогаются),\n"
           "или причина, по которой такого расписания нет.\n"
           "\n"
           "  ДД.ММ.ГГГГ          дата сохранённого дня\n"
           "  --max-lessons R     максимум уроков (по умолчанию выбранный на странице дня)\n"
           "  --missing-first P   отсутствие первых уроков (по умолчанию выбранное на странице дня)\n"
           "  --time-limit СЕК    время на поиск, секунд (по умолчанию 10)\n"
           "  --save              записать найденный день в файл дня (без него файлы не пишутся)\n"
           "\n"
           "Печатает JSON: status (solved, impossible или timeout), optimal (доказано, что меньше\n"
           "перемещений нельзя), moved (class, className, subject, from, to), reason, ms, lowerBound\n"
           "и cells (уроки дня, как их печатает arrange).\n"
           "Код выхода: 0 найдено, 1 расписания нет или оно не найдено за отведённое время,\n"
           "2 неверные параметры.\n"
           "Пример: raspisanie-cli -C школа solve 09.12.2026 --time-limit 30 --save\n"_s;
}

// Reports bad usage with the hint to --help.
int usageError(const QString &message)
{
    WriteErr(message + u". "_s + kSolveHint);
    return kExitUsage;
}

// Takes the value of an option that must be one of the items of its limit list.
bool limitValue(const QString &value, const day::LimitList &list, const QString &name, int *out)
{
    if (!list.items.contains(value)) {
        WriteErr(u"%1: %2 нельзя выбрать, возможны %3. %4"_s.arg(name, value, list.items.join(u", "), kSolveHint));
        return false;
    }
    *out = value.toInt();
    return true;
}

QString statusText(arrange::exact::Status status)
{
    switch (status) {
    case arrange::exact::Status::Solved:
        return u"solved"_s;
    case arrange::exact::Status::Impossible:
        return u"impossible"_s;
    default:
        return u"timeout"_s;
    }
}

} // namespace

int RunSolve(const QStringList &args)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(u"help"_s);
    const QCommandLineOption maxLessons(u"max-lessons"_s, QString(), u"R"_s);
    const QCommandLineOption missingFirst(u"missing-first"_s, QString(), u"P"_s);
    const QCommandLineOption timeLimit(u"time-limit"_s, QString(), u"SEC"_s, u"10"_s);
    const QCommandLineOption save(u"save"_s);
    parser.addOptions({help, maxLessons, missingFirst, timeLimit, save});
    parser.addPositionalArgument(u"date"_s, QString());
    if (!parser.parse(QStringList{u"solve"_s} + args))
        return usageError(u"Неверные параметры команды solve: "_s + parser.errorText());
    if (parser.isSet(help)) {
        WriteOut(solveHelp().toUtf8());
        return kExitOk;
    }
    const QStringList positional = parser.positionalArguments();
    if (positional.isEmpty())
        return usageError(u"Укажите дату: solve ДД.ММ.ГГГГ"_s);
    if (positional.size() > 1)
        return usageError(u"Лишний параметр команды solve: "_s + positional.at(1));
    QDate date;
    if (!DateArgument(positional.first(), &date)) {
        WriteErr(kSolveHint);
        return kExitUsage;
    }
    bool ok = false;
    const double seconds = parser.value(timeLimit).toDouble(&ok);
    if (!ok || seconds <= 0 || seconds > 86400)
        return usageError(u"Время на поиск должно быть числом секунд больше 0 и не больше 86400: "_s + parser.value(timeLimit));

    State state;
    if (!OpenDay(state, date))
        return kExitFailed;

    // The two options as the day page offers them after the refresh; by default its selections.
    arrange::Options options;
    options.max_ur = state.max_ur;
    options.klassvis = state.klassvis;
    const day::LimitList maxList = day::MaxUrVsego(state);
    options.R = maxList.items.value(maxList.selected).toInt();
    if (parser.isSet(maxLessons) && !limitValue(parser.value(maxLessons), maxList, u"Максимум уроков"_s, &options.R))
        return kExitUsage;
    const day::LimitList missingList = day::MaxRepUr(state, options.R);
    options.P = missingList.items.value(missingList.selected).toInt();
    if (parser.isSet(missingFirst) && !limitValue(parser.value(missingFirst), missingList, u"Отсутствие первых уроков"_s, &options.P))
        return kExitUsage;

    if (arrange::GridEmpty(state)) {
        WriteErr(arrange::kFillDay);
        return kExitFailed;
    }
    if (!arrange::FitsSnapshot(state)) {
        WriteErr(arrange::kTooLarge);
        return kExitFailed;
    }

    arrange::TakeSnapshot(state);
    QStringList classNames;
    for (int j = 1; j <= state.klassvis; ++j)
        classNames << state.grid.cell(0, j).subject;
    arrange::exact::Limits limits;
    limits.timeLimitMs = qint64(seconds * 1000);
    const arrange::exact::Result result = arrange::exact::SolveExact(state.sost_rasp, options, classNames, limits);
    const bool solved = result.status == arrange::exact::Status::Solved;
    if (solved) {
        state.regim = day::Regim::Coincidences;
        arrange::ShowWorkingCopy(state);
        day::PoiskUchit(state, QString());
        day::KabPoisk(state, 1, 0, QString());
    }

    QJsonArray moved;
    for (const arrange::exact::MovedLesson &m : result.moved)
        moved.append(QJsonObject{{u"class"_s, m.column},
                                 {u"className"_s, m.className},
                                 {u"subject"_s, m.subject},
                                 {u"from"_s, m.from},
                                 {u"to"_s, m.to}});
    QString reason = result.reason;
    if (result.status == arrange::exact::Status::Timeout)
        reason = u"За %1 с расписание без совпадений не найдено, но и не доказано, что его нет"_s.arg(seconds);
    WriteOut(QJsonDocument(QJsonObject{{u"status"_s, statusText(result.status)},
                                       {u"optimal"_s, result.optimal},
                                       {u"moved"_s, moved},
                                       {u"reason"_s, reason},
                                       {u"ms"_s, result.ms},
                                       {u"lowerBound"_s, result.lowerBound},
                                       {u"cells"_s, DayCellsJson(state)}})
                 .toJson(QJsonDocument::Indented));
    if (!solved) {
        WriteErr(reason);
        return kExitFailed;
    }
    if (parser.isSet(save)) {
        QString error;
        if (!day::RaspSave(state, QDir::current().filePath(day::DayFilePath(date)), &error)) {
            WriteErr(error);
            return kExitFailed;
        }
    }
    return kExitOk;
}

} // namespace rasp::cli
