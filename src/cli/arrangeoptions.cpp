#include "arrangeoptions.h"

#include "arrange/arrangement.h"
#include "commandline.h"
#include "day/counters.h"
#include "school.h"
#include "state.h"

using namespace Qt::Literals::StringLiterals;

namespace rasp::cli {

namespace {

// Takes the value of an option that must be one of the items of its limit list; gives the
// Russian error when it is not.
QString limitValue(const QString &value, const day::LimitList &list, const QString &name, int *out)
{
    if (!list.items.contains(value))
        return u"%1: %2 нельзя выбрать, возможны %3"_s.arg(name, value, list.items.join(u", "));
    *out = value.toInt();
    return QString();
}

} // namespace

QString ArrangeOptions(const State &state, const QString &maxText, const QString &missingText, arrange::Options *options)
{
    options->max_ur = state.max_ur;
    options->klassvis = state.klassvis;
    const day::LimitList maxList = day::MaxUrVsego(state);
    options->R = maxList.items.value(maxList.selected).toInt();
    if (!maxText.isEmpty()) {
        if (const QString error = limitValue(maxText, maxList, u"Максимум уроков"_s, &options->R); !error.isEmpty())
            return error;
    }
    const day::LimitList missingList = day::MaxRepUr(state, options->R);
    options->P = missingList.items.value(missingList.selected).toInt();
    if (!missingText.isEmpty())
        return limitValue(missingText, missingList, u"Отсутствие первых уроков"_s, &options->P);
    return QString();
}

void AddArrangeOptions(CommandLine &line)
{
    line.addOption(QCommandLineOption(u"max-lessons"_s, u"максимум уроков из списка окна; по умолчанию его выбор"_s,
                                      u"R"_s));
    line.addOption(QCommandLineOption(u"missing-first"_s,
                                      u"отсутствие первых уроков из списка окна; по умолчанию его выбор"_s, u"P"_s));
}

bool DayFitsArrangement(const State &state)
{
    const QString refusal = arrange::StartRefusal(state);
    if (!refusal.isEmpty())
        WriteErr(refusal);
    return refusal.isEmpty();
}

} // namespace rasp::cli
