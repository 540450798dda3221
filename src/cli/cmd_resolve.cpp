// raspisanie-cli resolve: reads a day file against the load and prints every cell's teachers
// and colours as the editor shows them.
#include "clicommands.h"
#include "day/dayfile.h"
#include "day/poiskuchit.h"
#include "dayjson.h"
#include "school.h"
#include "state.h"

#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>

#include <map>

using namespace Qt::Literals::StringLiterals;

namespace rasp::cli {

CommandHelp ResolveHelp()
{
    return {u"resolve"_s, u"ФАЙЛ [--mode РЕЖИМ] [--selection УЧИТЕЛЯ]"_s,
            u"учителя и цвета каждого урока дня из файла так, как их показывает редактор (JSON)"_s,
            u"JSON: cells (каждый урок по строкам: row, class, subject, room, teachers, цвета)"_s,
            u"нет файла нагрузки или файла расписания, либо он не читается"_s,
            u"r_data/09.12.2026.ini --mode selected --selection Иванова"_s};
}

int RunResolve(const QStringList &args)
{
    static const std::map<QString, day::Regim> modes = {
        {u"coincidences"_s, day::Regim::Coincidences},
        {u"each"_s, day::Regim::Each},
        {u"selected"_s, day::Regim::Selected},
        {u"none"_s, day::Regim::None},
    };
    CommandLine line(ResolveHelp());
    line.addArgument(u"ФАЙЛ"_s, u"файл расписания дня (путь от рабочей папки)"_s);
    line.addOption(QCommandLineOption(u"mode"_s, u"подсветка: coincidences (по умолчанию), each, selected, none"_s,
                                      u"РЕЖИМ"_s));
    line.addOption(QCommandLineOption(u"selection"_s, u"выбранные учителя для режима selected"_s, u"УЧИТЕЛЯ"_s));
    if (const auto stop = line.parse(args, 1, 1,
                                     u"Укажите файл расписания: resolve ФАЙЛ [--mode РЕЖИМ] [--selection УЧИТЕЛЯ]"_s))
        return *stop;
    const QString file = line.positional().first();
    const QString selection = line.value(u"selection"_s);
    day::Regim mode = day::Regim::Coincidences;
    if (line.isSet(u"mode"_s)) {
        const auto it = modes.find(line.value(u"mode"_s));
        if (it == modes.end())
            return line.usageError(u"Неизвестный режим: %1 (возможны coincidences, each, selected, none)"_s.arg(
                line.value(u"mode"_s)));
        mode = it->second;
    }

    State state;
    load::NagruzReport report;
    if (!OpenSchool(state, report))
        return kExitFailed;
    const QString path = QDir::current().absoluteFilePath(file);
    if (!ReadDay(state, path, u"Файл расписания не найден: "_s + QDir::toNativeSeparators(path)))
        return kExitFailed;
    state.regim = mode;
    day::PoiskUchit(state, selection);
    WriteOut(QJsonDocument(QJsonObject{{u"cells"_s, DayCellsJson(state)}}).toJson(QJsonDocument::Indented));
    return kExitOk;
}

} // namespace rasp::cli
