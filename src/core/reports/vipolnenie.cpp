#include "reports/vipolnenie.h"

#include "day/classcolumns.h"
#include "day/dayfile.h"
#include "state.h"
#include "template/classorder.h"
#include "template/setka.h"
#include "text/datewords.h"
#include "text/textfile.h"

#include <QDir>
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

void RaspVipLoad(const State &state, Vipolnenie &vip, const QStringList &lines, const day::ColumnMap *map)
{
    const int classes = std::min(state.klassvis, vip.klassvis);
    const day::CellSink count = [&vip, classes](int, int j, QString text) {
        if (j < 1 || j > classes || text.isEmpty())
            return;
        auto &known = vip.slotOf[std::size_t(j)];
        int k = known.value(text, 0);
        if (k == 0) {
            k = ++vip.used[std::size_t(j)];
            growToSlot(vip, k);
            known.insert(text, k);
            vip.vipolnenie[std::size_t(2 * k - 1)][std::size_t(j)] = text;
        }
        QString &cell = vip.vipolnenie[std::size_t(2 * k)][std::size_t(j)];
        cell = QString::number(cell.toInt() + 1);
    };
    if (map)
        day::ReadMappedFields(lines, state.max_ur, classes, *map, count, {});
    else
        day::ReadDayFileFields(lines, state.max_ur, classes, count, {});
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

// Counts one file if it exists, its columns matched through the class names `recorded` (read
// only when the file is there); an unreadable file adds its error, an unreadable companion a
// notice, and a class matched by name
// that is gone or missing is noted as concerning `place`.
bool countFile(const State &state, Vipolnenie &vip, const QString &path,
               const std::function<std::optional<QStringList>(QString *error)> &recorded, const QString &place,
               VipOutcome &out, day::ClassNotices &notices)
{
    if (!QFileInfo::exists(path))
        return false;
    const text::ReadResult read = text::readLines(path);
    if (read.status == text::ReadResult::Unreadable) {
        out.errors << read.error;
        return false;
    }
    if (!read.ok())
        return false;
    QString error;
    const day::ColumnMap map = day::MapColumns(recorded(&error), state);
    if (!error.isEmpty())
        out.notices << error; // the file itself is counted, by position
    notices.add(map, read.lines, state.max_ur, place);
    RaspVipLoad(state, vip, read.lines, &map);
    return true;
}

} // namespace

VipOutcome RaschetPeriod(const State &state, Vipolnenie &vip, QDate from, QDate to, const VipStep &step)
{
    VipOutcome out;
    if (!from.isValid() || !to.isValid())
        return out;
    day::ClassNotices notices;
    for (QDate d = from; d <= to; d = d.addDays(1)) {
        const QString path = day::DayFilePath(d);
        const auto recorded = [&path](QString *error) { return day::RecordedDayClasses(path, error); };
        const bool counted = countFile(state, vip, path, recorded, text::ShortDate(d), out, notices);
        if (step && !step(counted))
            break;
    }
    out.notices << notices.notices(WhereInDays);
    return out;
}

VipOutcome RaschetWeek(const State &state, Vipolnenie &vip, const VipStep &step)
{
    VipOutcome out;
    day::ClassNotices notices;
    const QDir work = QDir::current();
    for (int k = 1; k <= 7; ++k) {
        const auto recorded = [&work, k](QString *error) {
            tmpl::ClassOrderRead order = tmpl::ReadSetkaClassOrder(work, k);
            *error = order.error;
            return order.names;
        };
        const bool counted = countFile(state, vip, tmpl::SetkaPath(k), recorded, tmpl::WeekdayGenitive(k), out, notices);
        if (step && !step(counted))
            break;
    }
    out.notices << notices.notices(tmpl::WhereInTemplates);
    return out;
}

QString WhereInDays(const QStringList &dates)
{
    if (dates.size() == 1)
        return u"в расписании на "_s + dates.first();
    if (dates.size() <= 5)
        return u"в расписаниях на "_s + dates.join(u", "_s);
    return u"в расписаниях с %1 по %2 (дней: %3)"_s.arg(dates.first(), dates.last()).arg(dates.size());
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
