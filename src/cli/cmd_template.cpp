// raspisanie-cli template: puts one weekday of the weekly template on the grid as the template
// page shows it and prints every cell's teachers, colours and lock.
#include "clicommands.h"
#include "day/counters.h"
#include "dayjson.h"
#include "refresh.h"
#include "school.h"
#include "state.h"
#include "template/setka.h"
#include "text/datewords.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

using namespace Qt::Literals::StringLiterals;

namespace rasp::cli {

namespace {

// The weekday number 1..7 of "1".."7" or of a weekday word ("среда", "Среда"); 0 otherwise.
int ParseWeekday(const QString &arg)
{
    bool number = false;
    const int k = arg.toInt(&number);
    if (number)
        return k >= 1 && k <= 7 ? k : 0;
    for (int n = 1; n <= 7; ++n)
        if (arg.compare(text::daySet(n), Qt::CaseInsensitive) == 0)
            return n;
    return 0;
}

} // namespace

CommandHelp TemplateHelp()
{
    return {u"template"_s, u"ДЕНЬ"_s,
            u"день недели из сетки: учителя, цвета, закрепления, уроки без учителя (JSON)"_s,
            u"JSON: weekday, saved (есть ли файл сетки этого дня), cells (как у day), missingTeachers; "
            "предупреждения о сетке идут в stderr"_s,
            u"нет файла нагрузки или файл сетки этого дня не читается"_s, u"Среда"_s};
}

int RunTemplate(const QStringList &args)
{
    const QString missing = u"Укажите день недели: template 1..7 или template Понедельник ... Воскресенье"_s;
    CommandLine line(TemplateHelp());
    line.addArgument(u"ДЕНЬ"_s, u"день недели: 1..7 или Понедельник ... Воскресенье"_s);
    if (const auto stop = line.parse(args, 1, 1, missing))
        return *stop;
    const int k = ParseWeekday(line.positional().first());
    if (k == 0)
        return line.usageError(missing);
    State state;
    load::NagruzReport report;
    if (!OpenSchool(state, report))
        return kExitFailed;
    const QStringList problems = tmpl::SetkaLoad(state, QDir::currentPath());
    if (!state.Setka[std::size_t(k)].readError.isEmpty()) {
        WriteErr(state.Setka[std::size_t(k)].readError);
        return kExitFailed;
    }
    for (const QString &problem : problems)
        WriteErr(u"Предупреждение: "_s + problem);
    // The template page's fill and refresh: the weekday's texts, then as after loading a day.
    tmpl::SetkaZapol(state, k);
    Refresh(state, refresh::DayLoadedHeadless);
    WriteOut(QJsonDocument(QJsonObject{{u"weekday"_s, text::daySet(k)},
                                       {u"saved"_s, QFileInfo::exists(tmpl::SetkaPath(k))},
                                       {u"cells"_s, DayCellsJson(state)},
                                       {u"missingTeachers"_s, day::NetUchitText(day::NetUchit(state))}})
                 .toJson(QJsonDocument::Indented));
    return kExitOk;
}

} // namespace rasp::cli
