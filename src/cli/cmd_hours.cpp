// raspisanie-cli hours: the delivered-hours report, per class the subjects given and how many
// lessons of each, counted from the saved days of a period or from the saved template week.
#include "clicommands.h"
#include "reports/vipolnenie.h"
#include "school.h"
#include "state.h"
#include "text/datewords.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using namespace Qt::Literals::StringLiterals;

namespace rasp::cli {

int RunHours(const QStringList &args)
{
    const bool week = args.size() == 1 && args.first() == u"--week"_s;
    if (!week && args.size() != 2) {
        WriteErr(u"Укажите период: hours ДД.ММ.ГГГГ ДД.ММ.ГГГГ или hours --week"_s);
        return kExitUsage;
    }
    QDate from, to;
    if (!week) {
        if (!DateArgument(args.at(0), &from) || !DateArgument(args.at(1), &to))
            return kExitUsage;
        if (to < from) {
            WriteErr(u"Конец периода раньше его начала"_s);
            return kExitUsage;
        }
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
    const QStringList errors = week ? reports::RaschetWeek(state, vip, count)
                                    : reports::RaschetPeriod(state, vip, from, to, count);

    QJsonArray classes;
    for (int j = 1; j <= vip.klassvis; ++j) {
        QJsonArray subjects;
        for (int k = 1; k <= vip.klassvis; ++k) {
            const QString &subject = vip.vipolnenie[std::size_t(2 * k - 1)][std::size_t(j)];
            if (subject.isEmpty())
                break; // slots fill in order: the first free one ends the class
            subjects.append(QJsonObject{{u"subject"_s, subject},
                                        {u"count"_s, vip.vipolnenie[std::size_t(2 * k)][std::size_t(j)].toInt()},
                                        {u"cell"_s, reports::VipCell(vip, k, j)}});
        }
        classes.append(QJsonObject{{u"class"_s, state.Klass[std::size_t(j)]}, {u"subjects"_s, subjects}});
    }
    QJsonObject out{{u"files"_s, files}, {u"rows"_s, reports::VipRows(vip)}, {u"classes"_s, classes},
                    {u"unreadable"_s, QJsonArray::fromStringList(errors)}};
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
