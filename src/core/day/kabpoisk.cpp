#include "kabpoisk.h"

#include "state.h"


#include <algorithm>
#include <utility>
#include <vector>

namespace rasp::day {

namespace {

// The room text with its first "\" read as "/".
QString slashed(const QString &text)
{
    QString t = text;
    const qsizetype back = t.indexOf(u'\\');
    if (back >= 0)
        t[back] = u'/';
    return t;
}

// The room names of a text as views into it (at most two), the first "\" counting as "/".
struct Names {
    QStringView name[2];
    int count = 0;
    QString owned; // the second name when it held the first "\", read as "/"
    bool repeats() const { return count == 2 && name[0] == name[1]; }
};

Names namesOf(const QString &text)
{
    Names n;
    qsizetype cut = -1;
    for (qsizetype k = 0; k < text.size(); ++k)
        if (text[k] == u'/' || text[k] == u'\\') {
            cut = k;
            break;
        }
    const QStringView t(text);
    if (cut < 0) {
        if (!t.isEmpty())
            n.name[n.count++] = t;
        return n;
    }
    if (cut > 0)
        n.name[n.count++] = t.first(cut);
    if (cut + 1 < t.size()) {
        QStringView second = t.sliced(cut + 1);
        if (text[cut] == u'/' && second.contains(u'\\')) {
            n.owned = second.toString();
            n.owned[n.owned.indexOf(u'\\')] = u'/';
            second = n.owned;
        }
        n.name[n.count++] = second;
    }
    return n;
}

// Recolours one row. A pair of non-empty room texts in the row clashes when the names of the
// two together hold a repeat; such pairs turn both cells red. Worked out by sorting the row's
// names instead of comparing every pair:
// - a cell that names one room twice clashes with every other non-empty cell of the row;
// - otherwise two cells clash exactly when they share a name.
void recolourRow(State &state, int row, std::vector<std::pair<QStringView, int>> &byName, std::vector<Names> &names)
{
    DayGrid &grid = state.grid;
    const int klassvis = state.klassvis;
    byName.clear();
    int nonEmpty = 0;
    int selfRepeats = 0;
    for (int j = 1; j <= klassvis; ++j) {
        Cell &c = grid.cell(row, j);
        c.roomColour = kBlack;
        Names &n = names[std::size_t(j)];
        n = Names();
        if (c.room.isEmpty())
            continue;
        ++nonEmpty;
        n = namesOf(c.room);
        if (n.repeats())
            ++selfRepeats;
        for (int k = 0; k < (n.repeats() ? 1 : n.count); ++k)
            byName.emplace_back(n.name[k], j);
    }
    if (nonEmpty < 2)
        return;
    if (selfRepeats > 0) {
        for (int j = 1; j <= klassvis; ++j)
            if (!grid.cell(row, j).room.isEmpty())
                grid.cell(row, j).roomColour = kRed;
        return;
    }
    // A cell lists a name once, so a run of equal names belongs to different cells.
    std::sort(byName.begin(), byName.end(),
              [](const auto &a, const auto &b) { return a.first.compare(b.first) < 0; });
    for (std::size_t a = 0; a < byName.size();) {
        std::size_t b = a + 1;
        while (b < byName.size() && byName[b].first == byName[a].first)
            ++b;
        if (b - a >= 2)
            for (std::size_t k = a; k < b; ++k)
                grid.cell(row, byName[k].second).roomColour = kRed;
        a = b;
    }
}

// Whether room `r` is taken by room text `text` by the padded-text test.
bool takenBy(const QString &text, const QString &r)
{
    const QString t = u' ' + slashed(text) + u' ';
    if (t.contains(u'/'))
        return t.contains(u' ' + r + u'/') || t.contains(u'/' + r + u' ');
    return t.contains(u' ' + r + u' ');
}

} // namespace

QStringList RoomNames(const QString &text)
{
    const QString t = slashed(text);
    QStringList names;
    const qsizetype slash = t.indexOf(u'/');
    if (slash < 0) {
        if (!t.isEmpty())
            names << t;
        return names;
    }
    const QString first = t.left(slash);
    const QString second = t.mid(slash + 1);
    if (!first.isEmpty())
        names << first;
    if (!second.isEmpty())
        names << second;
    return names;
}

int KabPoisk(State &state, int ind, int strok, const QString &kabinet)
{
    if (ind == 1) {
        std::vector<std::pair<QStringView, int>> byName;
        byName.reserve(std::size_t(std::max(state.klassvis, 0)) * 2);
        std::vector<Names> names(std::size_t(std::max(state.klassvis, 0) + 1));
        for (int i = 1; i <= state.max_ur; ++i)
            recolourRow(state, i, byName, names);
        return 0;
    }
    if (ind != 2 || strok < 1 || strok > state.max_ur)
        return 0;
    for (int j = 1; j <= state.klassvis; ++j) {
        const QString &text = state.grid.cell(strok, j).room;
        if (!text.isEmpty() && takenBy(text, kabinet))
            return 1;
    }
    return 0;
}

QStringList OfferedRooms(State &state, int row, const QStringList &rooms)
{
    QStringList offered;
    for (const QString &room : rooms) {
        bool taken = false;
        for (int j = 1; j <= state.klassvis && !taken; ++j)
            taken = state.grid.cell(row, j).room == room;
        if (!taken && KabPoisk(state, 2, row, room) == 0)
            offered << room;
    }
    return offered;
}

int RoomListHeight(int n)
{
    if (n <= 0)
        return 20;
    return n <= 10 ? 19 * n + 5 : 190;
}

} // namespace rasp::day
