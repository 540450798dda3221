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

int RunDay(const QStringList &args)
{
    if (args.size() != 1) {
        WriteErr(u"Укажите дату: day ДД.ММ.ГГГГ"_s);
        return kExitUsage;
    }
    QDate date;
    if (!DateArgument(args.first(), &date))
        return kExitUsage;
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
