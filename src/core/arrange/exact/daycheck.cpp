#include "daycheck.h"

#include "day/cell.h"

#include <map>
#include <set>
#include <tuple>

using namespace Qt::Literals::StringLiterals;

namespace rasp::arrange::exact {

QString CheckPlacement(const DayModel &model, const Placement &placement)
{
    const int R = model.lastRow();
    const auto &classes = model.classes();
    if (placement.size() != classes.size())
        return u"the placement has %1 classes, the day %2"_s.arg(placement.size()).arg(classes.size());
    std::set<std::pair<int, int>> held; // (token, row)
    for (const ClassModel &c : classes)
        for (const LockedCell &l : c.locked)
            for (const int t : l.tokens)
                held.insert({t, l.row});
    for (std::size_t ci = 0; ci < classes.size(); ++ci) {
        const ClassModel &c = classes[ci];
        const std::vector<int> &rows = placement[ci];
        if (int(rows.size()) != R + 1)
            return u"class %1: %2 rows placed"_s.arg(c.name).arg(rows.size());
        std::vector<int> count(c.kinds.size(), 0);
        int first = 0, last = 0, filled = 0;
        for (int r = 1; r <= R; ++r) {
            const int k = rows[std::size_t(r)];
            bool lesson = k >= 0;
            for (const LockedCell &l : c.locked)
                if (l.row == r) {
                    if (k >= 0)
                        return u"class %1: a lesson on the locked row %2"_s.arg(c.name).arg(r);
                    lesson = l.lesson;
                }
            if (k >= int(c.kinds.size()))
                return u"class %1: no kind %2"_s.arg(c.name).arg(k);
            if (k >= 0) {
                ++count[std::size_t(k)];
                for (const int t : c.kinds[std::size_t(k)].tokens)
                    if (!held.insert({t, r}).second)
                        return u"%1 twice in row %2"_s.arg(model.tokens().at(t)).arg(r);
            }
            if (lesson) {
                first = first ? first : r;
                last = r;
                ++filled;
            }
        }
        for (std::size_t k = 0; k < c.kinds.size(); ++k)
            if (count[k] != int(c.kinds[k].rows.size()))
                return u"class %1: %2 placed %3 times, held %4"_s.arg(c.name, c.kinds[k].subject).arg(count[k]).arg(c.kinds[k].rows.size());
        if (filled != c.runLength || last - first + 1 != filled
            || std::find(c.starts.begin(), c.starts.end(), first) == c.starts.end())
            return u"class %1: its lessons are not one run from a possible row"_s.arg(c.name);
    }
    return {};
}

QString CheckDay(const TPodbor &before, const TPodbor &after, const Options &o)
{
    if (!Sootv(o, after.itog_uch))
        return u"a clash is left"_s;
    const int rows = std::min(o.max_ur, kPodborRows);
    for (int j = 1; j <= o.classes(); ++j) {
        if (!SootvKlassa(o, j, after.itog_ur))
            return u"class %1 has an unacceptable day"_s.arg(j);
        std::map<std::tuple<QString, QString, QString, quint8>, int> lessons;
        for (int i = 1; i <= rows; ++i) {
            if (before.itog_styl[i][j] == day::kStyleLocked) {
                if (after.itog_styl[i][j] != day::kStyleLocked || after.itog_ur[i][j] != before.itog_ur[i][j]
                    || after.itog_uch[i][j] != before.itog_uch[i][j] || after.itog_kab[i][j] != before.itog_kab[i][j])
                    return u"locked cell %1;%2 changed"_s.arg(i).arg(j);
                continue;
            }
            if (!before.itog_ur[i][j].isEmpty())
                ++lessons[{before.itog_ur[i][j], before.itog_kab[i][j], before.itog_uch[i][j], before.itog_styl[i][j]}];
            if (!after.itog_ur[i][j].isEmpty()) {
                if (i > o.lastRow())
                    return u"a lesson of class %1 below row R"_s.arg(j);
                --lessons[{after.itog_ur[i][j], after.itog_kab[i][j], after.itog_uch[i][j], after.itog_styl[i][j]}];
            }
        }
        for (const auto &[key, n] : lessons)
            if (n != 0)
                return u"class %1 lost or gained %2"_s.arg(j).arg(std::get<0>(key));
    }
    return {};
}

} // namespace rasp::arrange::exact
