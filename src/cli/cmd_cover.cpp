// raspisanie-cli cover: the whole-day cover of a date, every open lesson dealt with at the least
// total cost (proven when "optimal"); with --apply it is written to the day and companion files.
#include "absences/absenceedit.h"
#include "absences/daycompanion.h"
#include "absences/daycover.h"
#include "clicommands.h"
#include "coverjson.h"
#include "day/dayfile.h"
#include "school.h"
#include "state.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <map>

using namespace Qt::Literals::StringLiterals;

namespace rasp::cli {

CommandHelp CoverHelp()
{
    return {u"cover"_s, u"ДД.ММ.ГГГГ [--apply] [--preset subject|fair]"_s,
            u"замены на весь день: каждый урок без учителя закрыт с наименьшей общей стоимостью"_s,
            u"JSON: open, covered, total (общая стоимость), optimal (доказано наименьшая), ms, lessons "
            "([{row, class, subject, absent, action: teacher|subject|move|cancel|open, teacher, kind, cost, ...}], "
            "по одному на урок без учителя)"_s,
            u"нет нагрузки или дня, решатель не справился, файл дня или замен не записан (--apply)"_s,
            u"09.12.2026 --preset fair"_s};
}

int RunCover(const QStringList &args)
{
    CommandLine line(CoverHelp());
    line.addArgument(u"ДД.ММ.ГГГГ"_s, u"дата сохраненного дня"_s);
    line.addOption(QCommandLineOption(u"apply"_s, u"записать замены в файлы дня и замен"_s));
    line.addOption(QCommandLineOption(u"preset"_s, u"веса: subject (сначала по предмету, по умолчанию) или fair (сначала поровну)"_s, u"ИМЯ"_s));
    if (const auto stop = line.parse(args, 1, 1, u"Укажите дату: cover ДД.ММ.ГГГГ"_s))
        return *stop;
    QDate date;
    if (!DateArgument(line.positional().first(), &date))
        return line.usageHint();
    absences::Preset preset = absences::Preset::Subject;
    if (!PresetArgument(line, &preset))
        return kExitUsage;
    if (line.isSet(u"apply"_s) && !FolderFreeForWriting())
        return kExitFailed;
    State state;
    if (!OpenDay(state, date))
        return kExitFailed;
    const absences::DayFacts facts(state);
    const absences::CoverCounts counts = CoverCountsOf(date);
    const absences::CoverModel model(facts, counts, absences::PresetWeights(preset));
    const absences::DayCover cover = absences::SolveDayCover(model);
    if (!cover.solved) {
        WriteErr(cover.error);
        return kExitFailed;
    }

    QJsonArray lessons;
    std::map<int, int> picks; // the proposal's own covers so far, per name: the k-th costs more
    int covered = 0;
    bool changesDay = false;
    for (int l = 0; l < model.lessonCount(); ++l) {
        const absences::OpenLesson &open = facts.openLessons()[std::size_t(l)];
        const absences::Option &o = model.options(l)[std::size_t(cover.chosen[std::size_t(l)])];
        int cost = o.staticCost;
        if (o.fairName >= 0)
            cost += model.marginal(model.startCount(o.fairName) + ++picks[o.fairName]);
        QJsonObject entry = OptionJson(o, cost);
        entry.insert(u"row"_s, open.row);
        entry.insert(u"class"_s, open.className);
        entry.insert(u"subject"_s, open.subject);
        entry.insert(u"absent"_s, open.absent);
        if (!entry.contains(u"teacher"_s))
            entry.insert(u"teacher"_s, QString());
        if (!entry.contains(u"kind"_s))
            entry.insert(u"kind"_s, QString());
        lessons.append(entry);
        covered += o.action == absences::Action::Open ? 0 : 1;
        changesDay = changesDay || (o.action != absences::Action::Open && o.action != absences::Action::Teacher);
    }
    if (line.isSet(u"apply"_s)) {
        absences::ApplyChoice(state, model, cover.chosen);
        const QString path = QDir::current().filePath(day::DayFilePath(date));
        QString error;
        if ((changesDay && !day::RaspSave(state, path, &error)) || !absences::SaveCompanion(state, path, &error)) {
            WriteErr(error);
            return kExitFailed;
        }
    }
    WriteOut(QJsonDocument(QJsonObject{{u"open"_s, model.lessonCount()},
                                       {u"covered"_s, covered},
                                       {u"total"_s, double(cover.total)},
                                       {u"optimal"_s, cover.optimal},
                                       {u"ms"_s, double(cover.ms)},
                                       {u"lessons"_s, lessons}})
                 .toJson(QJsonDocument::Indented));
    return kExitOk;
}

} // namespace rasp::cli
