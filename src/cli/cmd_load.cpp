// raspisanie-cli load: the teaching load of the work folder as JSON.
#include "clicommands.h"
#include "school.h"
#include "state.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using namespace Qt::Literals::StringLiterals;

namespace rasp::cli {

QJsonObject LoadJson(const State &state, const load::NagruzReport &report)
{
    QJsonArray classes;
    for (int j = 1; j <= state.klassvis; ++j)
        classes.append(state.Klass[j]);
    QJsonArray teachers;
    for (int m = 1; m <= state.pedvis; ++m) {
        QJsonArray subjects;
        for (int j = 1; j <= state.klassvis; ++j)
            subjects.append(QJsonArray::fromStringList(state.Predmet[m][j]));
        teachers.append(QJsonObject{{u"name"_s, state.PedFio[m].name},
                                    {u"colour"_s, state.PedFio[m].colour},
                                    {u"subjects"_s, subjects}});
    }
    QJsonArray index;
    for (int k = 0; k < state.RaspUrPredm.Count; ++k)
        index.append(QJsonObject{{u"subject"_s, state.RaspUrPredm.predmet[k]},
                                 {u"teachers"_s, state.RaspUrPredm.uchitel[k]}});
    return QJsonObject{{u"classes"_s, classes},
                       {u"teachers"_s, teachers},
                       {u"index"_s, index},
                       {u"problems"_s, QJsonArray::fromStringList(report.problems)}};
}

CommandHelp LoadHelp()
{
    return {u"load"_s, QString(), u"нагрузка школы из nagruz.ini: классы, учителя, их предметы и цвета (JSON)"_s,
            u"JSON: classes, teachers (name, colour, subjects по классам), index (предмет и его учителя), "
            "problems (что пропущено при чтении файла)"_s,
            u"файла нагрузки нет или он не читается"_s, QString()};
}

int RunLoad(const QStringList &args)
{
    CommandLine line(LoadHelp());
    if (const auto stop = line.parse(args, 0, 0))
        return *stop;
    State state;
    load::NagruzReport report;
    if (!OpenSchool(state, report))
        return kExitFailed;
    WriteOut(QJsonDocument(LoadJson(state, report)).toJson(QJsonDocument::Indented));
    return kExitOk;
}

} // namespace rasp::cli
