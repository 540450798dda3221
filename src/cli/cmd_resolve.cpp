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

int RunResolve(const QStringList &args)
{
    static const std::map<QString, day::Regim> modes = {
        {u"coincidences"_s, day::Regim::Coincidences},
        {u"each"_s, day::Regim::Each},
        {u"selected"_s, day::Regim::Selected},
        {u"none"_s, day::Regim::None},
    };
    QString file;
    QString selection;
    day::Regim mode = day::Regim::Coincidences;
    for (qsizetype n = 0; n < args.size(); ++n) {
        const QString &arg = args.at(n);
        const bool hasValue = n + 1 < args.size();
        if (arg == u"--mode"_s && hasValue) {
            const auto it = modes.find(args.at(++n));
            if (it == modes.end()) {
                WriteErr(u"Неизвестный режим: %1 (возможны coincidences, each, selected, none)"_s.arg(args.at(n)));
                return kExitUsage;
            }
            mode = it->second;
        } else if (arg == u"--selection"_s && hasValue) {
            selection = args.at(++n);
        } else if (!arg.startsWith(u"--"_s) && file.isEmpty()) {
            file = arg;
        } else {
            WriteErr(u"Неверный параметр команды resolve: "_s + arg);
            return kExitUsage;
        }
    }
    if (file.isEmpty()) {
        WriteErr(u"Укажите файл расписания: resolve ФАЙЛ [--mode РЕЖИМ] [--selection УЧИТЕЛЯ]"_s);
        return kExitUsage;
    }

    State state;
    load::NagruzReport report;
    QString error;
    if (!OpenSchool(state, report))
        return kExitFailed;
    const QString path = QDir::current().absoluteFilePath(file);
    switch (day::RaspLoad(state, path, 1, &error)) {
    case text::ReadResult::Ok:
        break;
    case text::ReadResult::NoFile:
        WriteErr(u"Файл расписания не найден: "_s + QDir::toNativeSeparators(path));
        return kExitFailed;
    case text::ReadResult::Unreadable:
        WriteErr(error);
        return kExitFailed;
    }
    state.regim = mode;
    day::PoiskUchit(state, selection);
    WriteOut(QJsonDocument(QJsonObject{{u"cells"_s, DayCellsJson(state)}}).toJson(QJsonDocument::Indented));
    return kExitOk;
}

} // namespace rasp::cli
