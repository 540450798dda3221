#include "kabpoisk.h"

#include "state.h"

#include <QHash>

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

// Recolours one row. A pair of non-empty room texts in the row clashes when the names of the
// two together hold a repeat; such pairs turn both cells red. Worked out with one pass and a
// count per name instead of comparing every pair:
// - a cell that names one room twice clashes with every other non-empty cell of the row;
// - otherwise two cells clash exactly when they share a name.
void recolourRow(State &state, int row, QHash<QString, int> &cellsPerName, std::vector<QStringList> &names)
{
    DayGrid &grid = state.grid;
    const int klassvis = state.klassvis;
    cellsPerName.clear();
    int nonEmpty = 0;
    int selfRepeats = 0;
    for (int j = 1; j <= klassvis; ++j) {
        Cell &c = grid.cell(row, j);
        c.roomColour = kBlack;
        QStringList &n = names[std::size_t(j)];
        n.clear();
        if (c.room.isEmpty())
            continue;
        ++nonEmpty;
        n = RoomNames(c.room);
        if (n.size() == 2 && n.at(0) == n.at(1)) {
            ++selfRepeats;
            ++cellsPerName[n.at(0)];
        } else {
            for (const QString &name : n)
                ++cellsPerName[name];
        }
    }
    if (nonEmpty < 2)
        return;
    for (int j = 1; j <= klassvis; ++j) {
        Cell &c = grid.cell(row, j);
        if (c.room.isEmpty())
            continue;
        const QStringList &n = names[std::size_t(j)];
        const bool selfRepeat = n.size() == 2 && n.at(0) == n.at(1);
        bool red = selfRepeat || selfRepeats > 0;
        for (qsizetype k = 0; !red && k < n.size(); ++k)
            red = cellsPerName.value(n.at(k)) >= 2;
        if (red)
            c.roomColour = kRed;
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
        QHash<QString, int> cellsPerName;
        std::vector<QStringList> names(std::size_t(std::max(state.klassvis, 0) + 1));
        for (int i = 1; i <= state.max_ur; ++i)
            recolourRow(state, i, cellsPerName, names);
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
