// raspisanie-cli arrange: opens the saved day of a date as the editor does, runs the automatic
// arrangement on it headless and prints the arranged day's cells. No file is written.
#include "arrange/arrangement.h"
#include "arrangeoptions.h"
#include "clicommands.h"
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

CommandHelp ArrangeHelp()
{
    return {u"arrange"_s, u"ДД.ММ.ГГГГ [--seed N] [--max-lessons R] [--missing-first P] [--max-cycles N]"_s,
            u"автоподбор дня из r_data без записи файлов: уроки дня после автоподбора (JSON)"_s,
            u"JSON: cells (как у day), finished, cycles, seed, maxLessons, missingFirst, message"_s,
            u"нет нагрузки или дня, день пуст или слишком велик, либо автоподбор не закончен за --max-cycles "
            "циклов (тогда день все равно печатается)"_s,
            u"09.12.2026 --seed 7"_s};
}

int RunArrange(const QStringList &args)
{
    CommandLine line(ArrangeHelp());
    line.addArgument(u"ДД.ММ.ГГГГ"_s, u"дата сохраненного дня"_s);
    line.addOption(QCommandLineOption(u"seed"_s, u"зерно случайных чисел; по умолчанию от часов, печатается в ответе"_s,
                                      u"N"_s));
    AddArrangeOptions(line);
    line.addOption(QCommandLineOption(u"max-cycles"_s, u"предел циклов автоподбора (по умолчанию 100000)"_s, u"N"_s));
    if (const auto stop = line.parse(args, 1, 1, u"Укажите дату: arrange ДД.ММ.ГГГГ [--seed N]"_s))
        return *stop;
    const QString seedText = line.value(u"seed"_s);
    const QString maxText = line.value(u"max-lessons"_s);
    const QString missingText = line.value(u"missing-first"_s);
    const QString cyclesText = line.value(u"max-cycles"_s);
    QDate date;
    if (!DateArgument(line.positional().first(), &date))
        return line.usageHint();
    bool ok = true;
    const quint64 seed = seedText.isEmpty() ? Rng::clockSeed() : seedText.toULongLong(&ok);
    if (!ok)
        return line.usageError(u"Зерно должно быть целым неотрицательным числом: "_s + seedText);
    const qint64 maxCycles = cyclesText.isEmpty() ? 100000 : cyclesText.toLongLong(&ok);
    if (!ok || maxCycles < 0)
        return line.usageError(u"Число циклов должно быть целым неотрицательным числом: "_s + cyclesText);

    State state;
    if (!OpenDay(state, date))
        return kExitFailed;

    // The two options as the day page offers them after the refresh; by default its selections.
    arrange::Options options;
    if (const QString error = ArrangeOptions(state, maxText, missingText, &options); !error.isEmpty())
        return line.usageError(error);

    if (!DayFitsArrangement(state))
        return kExitFailed;

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
