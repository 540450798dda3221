#include "reports/vipolnenie.h"

#include "day/dayfile.h"
#include "state.h"
#include "template/setka.h"
#include "text/textfile.h"

#include <QFileInfo>

using namespace Qt::Literals::StringLiterals;

namespace rasp::reports {

void VipolnenieStart(const State &state, Vipolnenie &vip)
{
    vip.klassvis = std::max(state.klassvis, 0);
    vip.vipolnen = 2 * vip.klassvis;
    const int columns = std::max(state.klassvis_mas, vip.klassvis + 1);
    vip.vipolnenie.assign(std::size_t(vip.vipolnen + 1), std::vector<QString>(std::size_t(columns)));
    for (int i = 2; i <= vip.vipolnen; i += 2)
        for (int j = 1; j <= vip.klassvis; ++j)
            vip.vipolnenie[std::size_t(i)][std::size_t(j)] = u"0"_s;
    vip.slotOf.assign(std::size_t(columns), {});
    vip.used.assign(std::size_t(columns), 0);
}

namespace {

// Adds slot k (two rows: an empty subject and the count "0" of every class) when the count has
// fewer: a class may have more subjects than the school has classes.
void growToSlot(Vipolnenie &vip, int k)
{
    const std::size_t columns = vip.vipolnenie.front().size(); // row 0 exists from VipolnenieStart
    while (vip.vipolnen < 2 * k) {
        vip.vipolnenie.emplace_back(columns);
        std::vector<QString> &counts = vip.vipolnenie.emplace_back(columns);
        for (int j = 1; j <= vip.klassvis; ++j)
            counts[std::size_t(j)] = u"0"_s;
        vip.vipolnen += 2;
    }
}

} // namespace

void RaspVipLoad(const State &state, Vipolnenie &vip, const QStringList &lines)
{
    const int classes = std::min(state.klassvis, vip.klassvis);
    day::ReadDayFileFields(lines, state.max_ur, classes, [&vip](int, int j, QString text) {
        if (j < 1 || text.isEmpty())
            return;
        auto &known = vip.slotOf[std::size_t(j)];
        int k = known.value(text, 0);
        if (k == 0) {
            k = ++vip.used[std::size_t(j)];
            growToSlot(vip, k);
            known.insert(text, k);
            vip.vipolnenie[std::size_t(2 * k - 1)][std::size_t(j)] = text;
        }
        QString &count = vip.vipolnenie[std::size_t(2 * k)][std::size_t(j)];
        count = QString::number(count.toInt() + 1);
    },
                           {});
}

bool RaspVipLoad(const State &state, Vipolnenie &vip, const QString &path, QString *error)
{
    const text::ReadResult read = text::readLines(path);
    if (read.status == text::ReadResult::Unreadable) {
        if (error)
            *error = read.error;
        return false;
    }
    if (read.ok())
        RaspVipLoad(state, vip, read.lines);
    return true;
}

int VipRows(const Vipolnenie &vip)
{
    int rows = 0;
    for (std::size_t j = 1; j < vip.used.size(); ++j)
        rows = std::max(rows, vip.used[j]);
    return rows;
}

QString VipCell(const Vipolnenie &vip, int k, int j)
{
    if (k < 1 || 2 * k > vip.vipolnen || j < 1 || j > vip.klassvis)
        return {};
    const QString &subject = vip.vipolnenie[std::size_t(2 * k - 1)][std::size_t(j)];
    if (subject.isEmpty())
        return {};
    return subject + u" - "_s + vip.vipolnenie[std::size_t(2 * k)][std::size_t(j)];
}

namespace {

// Counts one file if it exists; an unreadable one adds its error.
bool countFile(const State &state, Vipolnenie &vip, const QString &path, QStringList &errors)
{
    if (!QFileInfo::exists(path))
        return false;
    QString error;
    if (!RaspVipLoad(state, vip, path, &error)) {
        errors << error;
        return false;
    }
    return true;
}

} // namespace

QStringList RaschetPeriod(const State &state, Vipolnenie &vip, QDate from, QDate to, const VipStep &step)
{
    QStringList errors;
    if (!from.isValid() || !to.isValid())
        return errors;
    for (QDate d = from; d <= to; d = d.addDays(1)) {
        const bool counted = countFile(state, vip, day::DayFilePath(d), errors);
        if (step && !step(counted))
            break;
    }
    return errors;
}

QStringList RaschetWeek(const State &state, Vipolnenie &vip, const VipStep &step)
{
    QStringList errors;
    for (int k = 1; k <= 7; ++k) {
        const bool counted = countFile(state, vip, tmpl::SetkaPath(k), errors);
        if (step && !step(counted))
            break;
    }
    return errors;
}

std::vector<QStringList> VipTable(const Vipolnenie &vip)
{
    const int rows = VipRows(vip);
    std::vector<QStringList> table(std::size_t(vip.klassvis));
    for (int j = 1; j <= vip.klassvis; ++j)
        for (int k = 1; k <= rows; ++k)
            table[std::size_t(j - 1)] << VipCell(vip, k, j);
    return table;
}

} // namespace rasp::reports
