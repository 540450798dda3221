// raspisanie-cli candidates: who can take one open lesson, best first, with reasons and costs,
// and the other ways out (another subject, a moved lesson, a cancellation).
#include "absences/candidates.h"
#include "clicommands.h"
#include "coverjson.h"
#include "school.h"
#include "state.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using namespace Qt::Literals::StringLiterals;

namespace rasp::cli {

CommandHelp CandidatesHelp()
{
    return {u"candidates"_s, u"ДД.ММ.ГГГГ УРОК КЛАСС"_s,
            u"кто может заменить урок отсутствующего учителя, лучшие первыми, с причинами и стоимостью"_s,
            u"JSON: row, class, subject, teachers, absent, candidates ([{teacher, free, reasons, cost}]: свободные "
            "в пределе замен, свободные сверх предела, затем занятые и отсутствующие с cost null), alternatives "
            "([{action: subject|move|cancel, ..., reasons, cost}])"_s,
            u"нет нагрузки или дня, нет такого класса, на этом уроке нет отсутствующего учителя"_s,
            u"09.12.2026 3 7А"_s};
}

int RunCandidates(const QStringList &args)
{
    CommandLine line(CandidatesHelp());
    line.addArgument(u"ДД.ММ.ГГГГ"_s, u"дата сохраненного дня"_s);
    line.addArgument(u"УРОК"_s, u"номер урока"_s);
    line.addArgument(u"КЛАСС"_s, u"имя класса"_s);
    line.addOption(QCommandLineOption(u"preset"_s, u"веса: subject (сначала по предмету, по умолчанию) или fair (сначала поровну)"_s, u"ИМЯ"_s));
    if (const auto stop = line.parse(args, 3, 3, u"Укажите дату, урок и класс: candidates ДД.ММ.ГГГГ УРОК КЛАСС"_s))
        return *stop;
    QDate date;
    if (!DateArgument(line.positional().at(0), &date))
        return line.usageHint();
    bool ok = false;
    const int row = line.positional().at(1).toInt(&ok);
    if (!ok || row < 1 || row > 16)
        return line.usageError(u"Номер урока должен быть числом 1-16: "_s + line.positional().at(1));
    absences::Preset preset = absences::Preset::Subject;
    if (!PresetArgument(line, &preset))
        return kExitUsage;
    State state;
    if (!OpenDay(state, date))
        return kExitFailed;
    const QString className = line.positional().at(2);
    const absences::DayFacts facts(state);
    const absences::CoverCounts counts = CoverCountsOf(date);
    const absences::CoverModel model(facts, counts, absences::PresetWeights(preset));
    const int lesson = absences::LessonAt(facts, row, className);
    if (lesson < 0) {
        WriteErr(absences::NotOpenReason(state, row, className));
        return kExitFailed;
    }
    const absences::Candidates list = absences::RankCandidates(model, lesson);
    QJsonArray candidates;
    for (const absences::Candidate &c : list.teachers) {
        QJsonObject o{{u"teacher"_s, c.teacher}, {u"free"_s, c.free}, {u"reasons"_s, QJsonArray::fromStringList(c.reasons)}};
        o.insert(u"cost"_s, c.free ? QJsonValue(c.cost) : QJsonValue(QJsonValue::Null));
        candidates.append(o);
    }
    QJsonArray alternatives;
    for (const absences::Option *o : list.alternatives)
        alternatives.append(OptionJson(*o, model.aloneCost(*o)));
    const absences::OpenLesson &open = facts.openLessons()[std::size_t(lesson)];
    WriteOut(QJsonDocument(QJsonObject{{u"row"_s, open.row},
                                       {u"class"_s, open.className},
                                       {u"subject"_s, open.subject},
                                       {u"teachers"_s, open.teachers},
                                       {u"absent"_s, open.absent},
                                       {u"candidates"_s, candidates},
                                       {u"alternatives"_s, alternatives}})
                 .toJson(QJsonDocument::Indented));
    return kExitOk;
}

} // namespace rasp::cli
