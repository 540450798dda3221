// raspisanie-cli arrange: opens the saved day of a date as the editor does, runs the automatic
// arrangement on it headless and prints the arranged day's cells. No file is written.
#include "arrange/arrangement.h"
#include "clicommands.h"
#include "day/counters.h"
#include "day/kabpoisk.h"
#include "day/poiskuchit.h"
#include "dayjson.h"
#include "rng.h"
#include "school.h"
#include "state.h"

#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>

using namespace Qt::Literals::StringLiterals;

namespace rasp::cli {

namespace {

// Takes the value of an option that must be one of the items of its limit list.
bool limitValue(const QString &value, const day::LimitList &list, const QString &name, int *out)
{
    if (!list.items.contains(value)) {
        WriteErr(u"%1: %2 нельзя выбрать, возможны %3"_s.arg(name, value, list.items.join(u", ")));
        return false;
    }
    *out = value.toInt();
    return true;
}

} // namespace

int RunArrange(const QStringList &args)
{
    QString dateText, seedText, maxText, missingText, cyclesText;
    for (qsizetype n = 0; n < args.size(); ++n) {
        const QString &arg = args.at(n);
        const bool hasValue = n + 1 < args.size();
        if (arg == u"--seed"_s && hasValue)
            seedText = args.at(++n);
        else if (arg == u"--max-lessons"_s && hasValue)
            maxText = args.at(++n);
        else if (arg == u"--missing-first"_s && hasValue)
            missingText = args.at(++n);
        else if (arg == u"--max-cycles"_s && hasValue)
            cyclesText = args.at(++n);
        else if (!arg.startsWith(u"--"_s) && dateText.isEmpty())
            dateText = arg;
        else {
            WriteErr(u"Неверный параметр команды arrange: "_s + arg);
            return kExitUsage;
        }
    }
    if (dateText.isEmpty()) {
        WriteErr(u"Укажите дату: arrange ДД.ММ.ГГГГ [--seed N]"_s);
        return kExitUsage;
    }
    QDate date;
    if (!DateArgument(dateText, &date))
        return kExitUsage;
    bool ok = true;
    const quint64 seed = seedText.isEmpty() ? Rng::clockSeed() : seedText.toULongLong(&ok);
    if (!ok) {
        WriteErr(u"Зерно должно быть целым неотрицательным числом: "_s + seedText);
        return kExitUsage;
    }
    const qint64 maxCycles = cyclesText.isEmpty() ? 100000 : cyclesText.toLongLong(&ok);
    if (!ok || maxCycles < 0) {
        WriteErr(u"Число циклов должно быть целым неотрицательным числом: "_s + cyclesText);
        return kExitUsage;
    }

    State state;
    if (!OpenDay(state, date))
        return kExitFailed;

    // The two options as the day page offers them after the refresh; by default its selections.
    arrange::Options options;
    options.max_ur = state.max_ur;
    options.klassvis = state.klassvis;
    const day::LimitList maxList = day::MaxUrVsego(state);
    options.R = maxList.items.value(maxList.selected).toInt();
    if (!maxText.isEmpty() && !limitValue(maxText, maxList, u"Максимум уроков"_s, &options.R))
        return kExitUsage;
    const day::LimitList missingList = day::MaxRepUr(state, options.R);
    options.P = missingList.items.value(missingList.selected).toInt();
    if (!missingText.isEmpty() && !limitValue(missingText, missingList, u"Отсутствие первых уроков"_s, &options.P))
        return kExitUsage;

    if (arrange::GridEmpty(state)) {
        WriteErr(arrange::kFillDay);
        return kExitFailed;
    }
    if (!arrange::FitsSnapshot(state)) {
        WriteErr(arrange::kTooLarge);
        return kExitFailed;
    }

    state.regim = day::Regim::Coincidences;
    arrange::TakeSnapshot(state);
    Rng rng(seed);
    arrange::Arrangement run(state.sost_rasp, options, rng);
    while (!run.finished() && run.cycles() < maxCycles)
        run.step();
    arrange::ShowWorkingCopy(state);
    day::PoiskUchit(state, QString());
    day::KabPoisk(state, 1, 0, QString());

    const QString message = run.finished() ? arrange::kDone : arrange::kStopped;
    WriteOut(QJsonDocument(QJsonObject{{u"cells"_s, DayCellsJson(state)},
                                       {u"finished"_s, run.finished()},
                                       {u"cycles"_s, run.cycles()},
                                       {u"seed"_s, QString::number(seed)},
                                       {u"maxLessons"_s, options.R},
                                       {u"missingFirst"_s, options.P},
                                       {u"message"_s, message}})
                 .toJson(QJsonDocument::Indented));
    if (!run.finished()) {
        WriteErr(u"%1 (остановлено после %2 циклов)"_s.arg(message).arg(run.cycles()));
        return kExitFailed;
    }
    return kExitOk;
}

} // namespace rasp::cli
