// raspisanie-cli day: reads the saved day of a date as the editor opens it and prints every
// cell's teachers, colours and lock with the day's note, the missing teachers and the hours.
#include "clicommands.h"
#include "day/counters.h"
#include "dayjson.h"
#include "school.h"
#include "state.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using namespace Qt::Literals::StringLiterals;

namespace rasp::cli {

CommandHelp DayHelp()
{
    return {u"day"_s, u"ДД.ММ.ГГГГ"_s,
            u"расписание дня из r_data: учителя, цвета, закрепления, заметка, уроки без учителя, часы учителей (JSON)"_s,
            u"JSON: cells (каждый урок по строкам: row, class, subject, room, teachers, цвета, locked), note, "
            "missingTeachers, hours (часы каждого учителя)"_s,
            u"нет файла нагрузки или дня на эту дату, либо файл не читается"_s, u"09.12.2026"_s};
}

int RunDay(const QStringList &args)
{
    CommandLine line(DayHelp());
    line.addArgument(u"ДД.ММ.ГГГГ"_s, u"дата сохраненного дня (файл r_data/ДД.ММ.ГГГГ.ini)"_s);
    if (const auto stop = line.parse(args, 1, 1, u"Укажите дату: day ДД.ММ.ГГГГ"_s))
        return *stop;
    QDate date;
    if (!DateArgument(line.positional().first(), &date))
        return line.usageHint();
    State state;
    if (!OpenDay(state, date))
        return kExitFailed;
    QJsonArray hours;
    for (const auto &[teacher, count] : day::TeacherHoursRows(state))
        hours.append(QJsonObject{{u"teacher"_s, teacher}, {u"hours"_s, count}});
    WriteOut(QJsonDocument(QJsonObject{{u"cells"_s, DayCellsJson(state)},
                                       {u"note"_s, state.note},
                                       {u"missingTeachers"_s, day::NetUchitText(day::NetUchit(state))},
                                       {u"hours"_s, hours}})
                 .toJson(QJsonDocument::Indented));
    return kExitOk;
}

} // namespace rasp::cli
