// raspisanie-cli day: reads the saved day of a date as the editor opens it and prints every
// cell's teachers, colours and lock with the day's note, the missing teachers and the hours.
#include "clicommands.h"
#include "day/blocking.h"
#include "day/counters.h"
#include "day/dayfile.h"
#include "day/kabpoisk.h"
#include "day/poiskuchit.h"
#include "dayjson.h"
#include "school.h"
#include "state.h"
#include "text/datewords.h"

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
    const QDate date = text::ParseShortDate(args.first());
    if (!date.isValid()) {
        WriteErr(u"Дата должна быть в виде ДД.ММ.ГГГГ: "_s + args.first());
        return kExitUsage;
    }
    State state;
    load::NagruzReport report;
    QString error;
    if (!OpenSchool(state, report))
        return kExitFailed;
    const QString path = QDir::current().filePath(day::DayFilePath(date));
    switch (day::RaspLoad(state, path, 1, &error)) {
    case text::ReadResult::Ok:
        break;
    case text::ReadResult::NoFile:
        WriteErr(u"Расписания на %1 нет: %2"_s.arg(text::ShortDate(date), QDir::toNativeSeparators(path)));
        return kExitFailed;
    case text::ReadResult::Unreadable:
        WriteErr(error);
        return kExitFailed;
    }
    // The refresh that follows loading a day: teachers, room double bookings, the default pins
    // and their locks, the missing teachers, then the second-shift locks. Nobody answers here:
    // a default pin stays pinned even when its lesson coincides, as the first pinning pass does.
    day::PoiskUchit(state, QString());
    day::KabPoisk(state, 1, 0, QString());
    day::FillPinList(state);
    day::sCheckListBox1Checked(state, state.settings.blocked);
    day::CheckList(state, 0, 1, state.max_ur);
    state.chek_pderm = 1;
    day::VtorayaSmenaBlok(state, 1, [](const QString &) { return true; });
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
