// raspisanie-cli day: reads the saved day of a date as the editor opens it and prints every
// cell's teachers and colours with the day's note.
#include "clicommands.h"
#include "day/dayfile.h"
#include "day/poiskuchit.h"
#include "dayjson.h"
#include "school.h"
#include "state.h"
#include "text/datewords.h"

#include <QDir>
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
    if (!OpenSchool(state, report, &error)) {
        WriteErr(error);
        return kExitFailed;
    }
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
    // The refresh that follows loading a day, as far as the editor has it: teacher resolution.
    // The default pins (sCheckListBox1Checked, CheckList) join here with the counters.
    day::PoiskUchit(state, QString());
    WriteOut(QJsonDocument(QJsonObject{{u"cells"_s, DayCellsJson(state)}, {u"note"_s, state.note}})
                 .toJson(QJsonDocument::Indented));
    return kExitOk;
}

} // namespace rasp::cli
