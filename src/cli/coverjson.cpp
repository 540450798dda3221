#include "coverjson.h"

#include "school.h"

#include <QDir>
#include <QJsonValue>

using namespace Qt::Literals::StringLiterals;

namespace rasp::cli {

absences::CoverCounts CoverCountsOf(QDate date)
{
    absences::CoverCounts counts = absences::CountCovers(QDir::current().filePath(u"r_data"_s), date);
    QString warning;
    counts.cap = absences::ReadMonthlyCap(QDir::current().filePath(absences::kCapFile), &warning);
    if (!warning.isEmpty())
        WriteErr(u"Предупреждение: "_s + warning);
    return counts;
}

bool PresetArgument(const CommandLine &line, absences::Preset *preset)
{
    const QString name = line.isSet(u"preset"_s) ? line.value(u"preset"_s) : u"subject"_s;
    if (name == u"subject"_s)
        *preset = absences::Preset::Subject;
    else if (name == u"fair"_s)
        *preset = absences::Preset::Fair;
    else {
        line.usageError(u"Набор весов --preset: subject или fair, а не "_s + name);
        return false;
    }
    return true;
}

QJsonObject OptionJson(const absences::Option &option, int cost)
{
    QJsonObject out{{u"action"_s, absences::ActionWord(option.action)}};
    if (!option.teacher.isEmpty())
        out.insert(u"teacher"_s, option.teacher);
    if (!option.kind.isEmpty())
        out.insert(u"kind"_s, option.kind);
    if (!option.subject.isEmpty())
        out.insert(u"subject"_s, option.subject);
    if (option.action == absences::Action::Move) {
        out.insert(u"fromRow"_s, option.otherRow);
        out.insert(u"swap"_s, option.swap);
    }
    out.insert(u"reasons"_s, QJsonArray::fromStringList(option.reasons));
    out.insert(u"cost"_s, cost);
    return out;
}

QJsonArray OpenLessonsJson(const absences::DayFacts &facts)
{
    QJsonArray out;
    for (const absences::OpenLesson &l : facts.openLessons())
        out.append(QJsonObject{{u"row"_s, l.row},
                               {u"class"_s, l.className},
                               {u"subject"_s, l.subject},
                               {u"teachers"_s, l.teachers},
                               {u"absent"_s, l.absent}});
    return out;
}

} // namespace rasp::cli
