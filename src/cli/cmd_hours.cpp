// raspisanie-cli hours: the delivered-hours report, per class the subjects given and how many
// lessons of each, counted from the saved days of a period or from the saved template week.
#include "clicommands.h"
#include "reports/period.h"
#include "reports/vipolnenie.h"
#include "school.h"
#include "state.h"
#include "text/datewords.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using namespace Qt::Literals::StringLiterals;

namespace rasp::cli {

CommandHelp HoursHelp()
{
    return {u"hours"_s, u"ДД.ММ.ГГГГ ДД.ММ.ГГГГ | hours --week"_s,
            u"выданные часы: предметы каждого класса и число уроков по сохраненным дням периода или по сетке (JSON)"_s,
            u"JSON: files (сколько дней посчитано), rows, classes (class и subjects: subject, count, cell), "
            "unreadable, notices (классы файлов, сохранённых с другими классами: сопоставлены по именам, "
            "записанным рядом с файлом), from и to или week"_s,
            u"нет файла нагрузки, или какие-то файлы дней не читаются (ответ все равно печатается, "
            "а эти файлы перечислены)"_s,
            u"01.12.2026 31.12.2026"_s};
}

int RunHours(const QStringList &args)
{
    const QString missing = u"Укажите период: hours ДД.ММ.ГГГГ ДД.ММ.ГГГГ или hours --week"_s;
    CommandLine line(HoursHelp());
    line.addArgument(u"ДД.ММ.ГГГГ ДД.ММ.ГГГГ"_s, u"первый и последний день периода"_s);
    line.addOption(QCommandLineOption(u"week"_s, u"считать по сохраненной сетке недели, а не по дням"_s));
    if (const auto stop = line.parse(args, 0, 2))
        return *stop;
    const bool week = line.isSet(u"week"_s);
    const QStringList dates = line.positional();
    if (dates.size() != (week ? 0 : 2))
        return line.usageError(missing);
    QDate from, to;
    if (!week) {
        if (!DateArgument(dates.at(0), &from) || !DateArgument(dates.at(1), &to))
            return line.usageHint();
        if (const QString problem = reports::PeriodProblem(from, to); !problem.isEmpty())
            return line.usageError(problem);
    }
    State state;
    load::NagruzReport report;
    if (!OpenSchool(state, report))
        return kExitFailed;

    reports::Vipolnenie vip;
    reports::VipolnenieStart(state, vip);
    int files = 0;
    const auto count = [&files](bool counted) {
        files += counted ? 1 : 0;
        return true;
    };
    const reports::VipOutcome outcome = week ? reports::RaschetWeek(state, vip, count)
                                             : reports::RaschetPeriod(state, vip, from, to, count);
    const QStringList &errors = outcome.errors;

    QJsonArray classes;
    for (int j = 1; j <= vip.klassvis; ++j) {
        QJsonArray subjects;
        for (int k = 1; 2 * k <= vip.vipolnen; ++k) {
            const QString &subject = vip.vipolnenie[std::size_t(2 * k - 1)][std::size_t(j)];
            if (subject.isEmpty())
                break; // slots fill in order: the first free one ends the class
            subjects.append(QJsonObject{{u"subject"_s, subject},
                                        {u"count"_s, vip.vipolnenie[std::size_t(2 * k)][std::size_t(j)].toInt()},
                                        {u"cell"_s, reports::VipCell(vip, k, j)}});
        }
        classes.append(QJsonObject{{u"class"_s, state.Klass[std::size_t(j)]}, {u"subjects"_s, subjects}});
    }
    QJsonObject out{{u"files"_s, files}, {u"rows"_s, reports::VipRows(vip)}, {u"classes"_s, classes}, {u"unreadable"_s, QJsonArray::fromStringList(errors)}, {u"notices"_s, QJsonArray::fromStringList(outcome.notices)}};
    if (week) {
        out.insert(u"week"_s, true);
    } else {
        out.insert(u"from"_s, text::ShortDate(from));
        out.insert(u"to"_s, text::ShortDate(to));
    }
    WriteOut(QJsonDocument(out).toJson(QJsonDocument::Indented));
    for (const QString &error : errors)
        WriteErr(error);
    return errors.isEmpty() ? kExitOk : kExitFailed;
}

} // namespace rasp::cli
