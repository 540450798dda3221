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

int RunLoad(const QStringList &args)
{
    if (!args.isEmpty()) {
        WriteErr(u"Команда load не принимает параметров: "_s + args.join(u' '));
        return kExitUsage;
    }
    State state;
    load::NagruzReport report;
    if (!OpenSchool(state, report))
        return kExitFailed;
    WriteOut(QJsonDocument(LoadJson(state, report)).toJson(QJsonDocument::Indented));
    return kExitOk;
}

} // namespace rasp::cli
