// raspisanie-cli solve: opens the saved day of a date as the editor does and arranges it exactly:
// a clash-free day with the fewest moved lessons, or the reason why none exists. Prints the
// result as JSON; writes the day file only with --save and only when a day was found.
#include "arrange/arrangement.h"
#include "arrange/exact/exactsolver.h"
#include "arrangeoptions.h"
#include "clicommands.h"
#include "commandline.h"
#include "absences/daycompanion.h"
#include "day/dayfile.h"
#include "day/kabpoisk.h"
#include "day/poiskuchit.h"
#include "dayjson.h"
#include "reports/journal.h"
#include "school.h"
#include "state.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using namespace Qt::Literals::StringLiterals;

namespace rasp::cli {

namespace {

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

CommandHelp SolveHelp()
{
    return {u"solve"_s, u"ДД.ММ.ГГГГ [--max-lessons R] [--missing-first P] [--time-limit СЕК] [--save]"_s,
            u"точный подбор дня из r_data: без совпадений учителей и с наименьшим числом перемещенных уроков "
            "(только внутри своих классов, закрепленные клетки не трогаются), или причина, почему такого дня нет (JSON)"_s,
            u"JSON: status (solved, impossible или timeout), optimal (доказано, что меньше перемещений нельзя), "
            "moved (class, className, subject, from, to), reason, ms, lowerBound, cells (как у day)"_s,
            u"нет нагрузки или дня, день пуст или слишком велик, расписания без совпадений нет (reason говорит почему) "
            "или оно не найдено за --time-limit (JSON все равно печатается); с --save также: папку занял редактор, "
            "файл дня изменила другая программа или его не удалось записать"_s,
            u"09.12.2026 --time-limit 30 --save"_s};
}

int RunSolve(const QStringList &args)
{
    CommandLine line(SolveHelp());
    line.addArgument(u"ДД.ММ.ГГГГ"_s, u"дата сохраненного дня"_s);
    AddArrangeOptions(line);
    line.addOption(QCommandLineOption(u"time-limit"_s, u"время на поиск в секундах (по умолчанию 10)"_s, u"СЕК"_s));
    line.addOption(QCommandLineOption(u"save"_s, u"записать найденный день в файл дня; без него файлы не пишутся"_s));
    if (const auto stop = line.parse(args, 1, 1, u"Укажите дату: solve ДД.ММ.ГГГГ"_s))
        return *stop;
    QDate date;
    if (!DateArgument(line.positional().first(), &date))
        return line.usageHint();
    const QString limitText = line.value(u"time-limit"_s);
    bool ok = true;
    const double seconds = limitText.isEmpty() ? 10.0 : limitText.toDouble(&ok);
    if (!ok || !(seconds > 0) || seconds > 86400)
        return line.usageError(u"Время на поиск должно быть числом секунд больше 0 и не больше 86400: "_s + limitText);

    const bool save = line.isSet(u"save"_s);
    if (save && !FolderFreeForWriting())
        return kExitFailed;
    State state;
    if (!OpenDay(state, date))
        return kExitFailed;

    // The two options as the day page offers them after the refresh; by default its selections.
    arrange::Options options;
    if (const QString error = ArrangeOptions(state, line.value(u"max-lessons"_s), line.value(u"missing-first"_s), &options);
        !error.isEmpty())
        return line.usageError(error);

    if (!DayFitsArrangement(state))
        return kExitFailed;

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
    if (save) {
        const QString path = QDir::current().filePath(day::DayFilePath(date));
        // An editor may have opened the folder, or another program saved the day, while the
        // search ran: the day is then not replaced.
        if (!FolderFreeForWriting())
            return kExitFailed;
        if (state.stamps.changedOnDisk(path)) {
            WriteErr(u"Файл %1 изменён другой программой, пока шёл подбор: день не записан"_s.arg(
                QDir::toNativeSeparators(path)));
            return kExitFailed;
        }
        QString error;
        const int followed = reports::FollowedWeekday(date); // before the companion is rewritten
        if (!day::RaspSave(state, path, &error) || !absences::SaveCompanion(state, path, &error)
            || !reports::RecordDay(state, date, &error, followed)) {
            WriteErr(error);
            return kExitFailed;
        }
    }
    return kExitOk;
}

} // namespace rasp::cli
