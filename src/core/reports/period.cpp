#include "period.h"

using namespace Qt::Literals::StringLiterals;

namespace rasp::reports {

QString PeriodProblem(QDate from, QDate to)
{
    if (to < from)
        return u"Конец периода раньше его начала"_s;
    if (to > from.addYears(kMaxPeriodYears))
        return u"Период длиннее %1 лет: укажите период не длиннее %1 лет"_s.arg(kMaxPeriodYears);
    return {};
}

} // namespace rasp::reports
