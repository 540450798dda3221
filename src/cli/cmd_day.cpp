// raspisanie-cli day: reads the saved day of a date as the editor opens it and prints every
// cell's teachers, colours and lock with the day's note, the missing teachers and the hours;
// with --explain also why lessons are coloured, rooms red and class days badly shaped.
#include "clicommands.h"
#include "day/counters.h"
#include "day/explain.h"
#include "dayjson.h"
#include "school.h"
#include "state.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using namespace Qt::Literals::StringLiterals;

namespace rasp::cli {

namespace {

QJsonArray columnsJson(const std::vector<int> &columns)
{
    QJsonArray out;
    for (int k : columns)
        out.append(k);
    return out;
}

// The explanations of the day as the day page shows it: teacher clashes and red rooms of every
// row, and the shape problems for the limit lists' own selections ("максимум уроков" and
// "отсутствие первых уроков" as refilled after loading the day).
void addExplanations(const State &state, QJsonObject &document)
{
    QJsonArray clashes;
    // As the grid colours them (every name of a list); "arrangement" tells whether the
    // arrangement's two-part rule counts the same clash.
    for (const day::TeacherClash &c : day::ColouredTeacherClashes(state))
        clashes.append(QJsonObject{{u"row"_s, c.row}, {u"teacher"_s, c.teacher}, {u"classes"_s, columnsJson(c.classes)}, {u"arrangement"_s, day::ArrangementCountsClash(state, c)}});
    QJsonArray rooms;
    for (const day::RoomClash &c : day::RoomClashes(state))
        rooms.append(QJsonObject{{u"row"_s, c.row}, {u"room"_s, c.room}, {u"classes"_s, columnsJson(c.classes)}});
    const day::LimitList maxLessons = day::MaxUrVsego(state);
    const int R = maxLessons.items.value(maxLessons.selected).toInt();
    const day::LimitList missingFirst = day::MaxRepUr(state, R);
    const int P = missingFirst.items.value(missingFirst.selected).toInt();
    QJsonArray shape;
    for (const day::ShapeProblem &p : day::ShapeProblems(state, R, P))
        shape.append(QJsonObject{{u"class"_s, p.column}, {u"problem"_s, p.text}});
    document.insert(u"clashes"_s, clashes);
    document.insert(u"rooms"_s, rooms);
    document.insert(u"shape"_s, shape);
}

} // namespace

CommandHelp DayHelp()
{
    return {u"day"_s, u"ДД.ММ.ГГГГ"_s,
            u"расписание дня из r_data: учителя, цвета, закрепления, заметка, уроки без учителя, часы учителей (JSON)"_s,
            u"JSON: cells (каждый урок по строкам: row, class, subject, room, teachers, цвета, locked), note, "
            "missingTeachers, hours (часы каждого учителя); с --explain ещё clashes ([{row, teacher, classes, arrangement}]: "
            "учитель в нескольких классах одного урока, как их выделяет сетка; arrangement — считает ли так и "
            "автоподбор), rooms ([{row, room, classes}]: красные кабинеты) и "
            "shape ([{class, problem}]: окна и поздние начала дня класса)"_s,
            u"нет файла нагрузки или дня на эту дату, либо файл не читается"_s, u"09.12.2026"_s};
}

int RunDay(const QStringList &args)
{
    CommandLine line(DayHelp());
    line.addArgument(u"ДД.ММ.ГГГГ"_s, u"дата сохраненного дня (файл r_data/ДД.ММ.ГГГГ.ini)"_s);
    line.addOption(QCommandLineOption(u"explain"_s, u"объяснить совпадения учителей, красные кабинеты и форму дня классов"_s));
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
    QJsonObject document{{u"cells"_s, DayCellsJson(state)},
                         {u"note"_s, state.note},
                         {u"missingTeachers"_s, day::NetUchitText(day::NetUchit(state))},
                         {u"hours"_s, hours}};
    if (line.isSet(u"explain"_s))
        addExplanations(state, document);
    WriteOut(QJsonDocument(document).toJson(QJsonDocument::Indented));
    return kExitOk;
}

} // namespace rasp::cli
