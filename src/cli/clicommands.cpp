#include "clicommands.h"

#include <QDir>
#include <QTextStream>

#include <cstdio>
#include <functional>
#include <map>

using namespace Qt::Literals::StringLiterals;

namespace rasp::cli {

namespace {

// One command: its usage line and the routine that carries it out on the remaining arguments.
struct Command {
    QString usage;
    std::function<int(const QStringList &)> run;
};

const std::map<QString, Command> &commands()
{
    static const std::map<QString, Command> table = {
        {u"load"_s, {u"load                 нагрузка школы: классы, учителя, предметы (JSON)"_s, RunLoad}},
        {u"resolve"_s, {u"resolve ФАЙЛ [--mode coincidences|each|selected|none] [--selection УЧИТЕЛЯ]\n"
                        "                       учителя и цвета каждого урока дня из файла (JSON)"_s, RunResolve}},
        {u"arrange"_s, {u"arrange ДД.ММ.ГГГГ [--seed N] [--max-lessons R] [--missing-first P] [--max-cycles N]\n"
                        "                       автоподбор дня из r_data без записи файлов: уроки дня после автоподбора (JSON)"_s, RunArrange}},
        {u"settings"_s, {u"settings             настройки из setting.ini (JSON)"_s, RunSettings}},
        {u"day"_s, {u"day ДД.ММ.ГГГГ        расписание дня из r_data: учителя, цвета, закрепления, заметка, уроки без учителя, часы учителей (JSON)"_s, RunDay}},
        {u"template"_s, {u"template ДЕНЬ         день недели из сетки (1..7 или Понедельник ... Воскресенье): учителя, цвета, закрепления, уроки без учителя (JSON)"_s, RunTemplate}},
        {u"hours"_s, {u"hours ДД.ММ.ГГГГ ДД.ММ.ГГГГ | hours --week   выданные часы: предметы каждого класса и число уроков по сохраненным дням периода или по сетке (JSON)"_s, RunHours}},
        {u"zameny"_s, {u"zameny ДД.ММ.ГГГГ | zameny ДД.ММ.ГГГГ ДД.ММ.ГГГГ --teachers   замены: день против шаблона его дня недели или итог по учителям за период (JSON; --help)"_s, RunZameny}},
        {u"export"_s, {u"export ДД.ММ.ГГГГ --xlsx|--docx   сохраняет расписание дня в raspisanie и печатает путь к файлу"_s, RunExport}},
    };
    return table;
}

void printUsage(QTextStream &out)
{
    out << u"Использование: raspisanie-cli [-C ПАПКА] КОМАНДА [ПАРАМЕТРЫ]"_s << '\n';
    out << u"  -C ПАПКА   рабочая папка школы (по умолчанию текущая)"_s << '\n';
    for (const auto &[name, command] : commands())
        out << u"  "_s << command.usage << '\n';
}

} // namespace

int run(const QStringList &arguments)
{
    QTextStream err(stderr);
    QTextStream out(stdout);
    QStringList args = arguments.mid(1);
    if (args.size() >= 2 && args.first() == u"-C"_s) {
        const QString dir = args.at(1);
        if (!QDir::setCurrent(dir)) {
            err << u"Рабочая папка не найдена: "_s << QDir::toNativeSeparators(dir) << '\n';
            return kExitFailed;
        }
        args = args.mid(2);
    }
    if (args.isEmpty() || args.first() == u"--help"_s || args.first() == u"help"_s) {
        printUsage(args.isEmpty() ? err : out);
        return args.isEmpty() ? kExitUsage : kExitOk;
    }
    const auto it = commands().find(args.first());
    if (it == commands().end()) {
        err << u"Неизвестная команда: "_s << args.first() << '\n';
        printUsage(err);
        return kExitUsage;
    }
    return it->second.run(args.mid(1));
}

} // namespace rasp::cli
