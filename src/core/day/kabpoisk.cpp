#include "kabpoisk.h"

#include "state.h"
#include "text/texthash.h"

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

// The names of a room text (see Names).
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

// Recolours every row. A pair of non-empty room texts in a row clashes when the names of the
// two together hold a repeat; such pairs turn both cells red. Worked out with numbered names
// instead of comparing every pair:
// - a cell that names one room twice clashes with every other non-empty cell of its row;
// - otherwise two cells clash exactly when they share a name.
void recolourRooms(State &state)
{
    DayGrid &grid = state.grid;
    const int rows = std::max(state.max_ur, 0);
    const int columns = std::max(state.klassvis, 0);
    struct RoomCell {
        int name[2] = {-1, -1}; // numbers of the names (-1 none)
        bool filled = false;    // a non-empty room text
        bool repeats = false;   // one name twice
        bool red = false;
    };
    std::vector<RoomCell> cells(std::size_t(rows) * std::size_t(columns)); // row by row
    auto at = [&](int i, int j) -> RoomCell & { return cells[std::size_t(i - 1) * std::size_t(columns) + std::size_t(j - 1)]; };
    text::TextIndex numbers(64);
    std::vector<QString> owned; // names that held a "\" read as "/", kept alive for the views

    // Names numbered column by column, the grid's storage order.
    for (int j = 1; j <= columns; ++j)
        for (int i = 1; i <= rows; ++i) {
            const QString &text = grid.cell(i, j).room;
            if (text.isEmpty())
                continue;
            RoomCell &rc = at(i, j);
            rc.filled = true;
            Names n = namesOf(text);
            if (!n.owned.isNull()) {
                owned.push_back(std::move(n.owned));
                n.name[n.count - 1] = owned.back();
            }
            rc.repeats = n.repeats();
            for (int k = 0; k < n.count && !rc.repeats; ++k)
                rc.name[k] = numbers.insert(n.name[k], int(numbers.size())).first;
        }

    // Row by row: per name, the first cell of the row naming it.
    std::vector<int> seenRow(numbers.size(), 0);
    std::vector<int> seenColumn(numbers.size(), 0);
    for (int i = 1; i <= rows; ++i) {
        int filled = 0;
        bool repeats = false;
        for (int j = 1; j <= columns; ++j) {
            filled += at(i, j).filled;
            repeats = repeats || at(i, j).repeats;
        }
        if (filled < 2)
            continue;
        for (int j = 1; j <= columns; ++j) {
            RoomCell &rc = at(i, j);
            if (repeats) {
                rc.red = rc.filled;
                continue;
            }
            for (const int id : rc.name) {
                if (id < 0)
                    continue;
                if (seenRow[id] != i) {
                    seenRow[id] = i;
                    seenColumn[id] = j;
                } else {
                    rc.red = true;
                    at(i, seenColumn[id]).red = true;
                }
            }
        }
    }

    for (int j = 1; j <= columns; ++j)
        for (int i = 1; i <= rows; ++i)
            grid.cell(i, j).roomColour = at(i, j).red ? kRed : kBlack;
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
        recolourRooms(state);
        return 0;
    }
    return ind == 2 && RoomTaken(state, strok, kabinet) ? 1 : 0;
}

bool RoomTaken(const State &state, int strok, const QString &kabinet)
{
    if (strok < 1 || strok > state.max_ur)
        return false;
    for (int j = 1; j <= state.klassvis; ++j) {
        const QString &text = state.grid.cell(strok, j).room;
        if (!text.isEmpty() && takenBy(text, kabinet))
            return true;
    }
    return false;
}

QStringList OfferedRooms(const State &state, int row, const QStringList &rooms)
{
    QStringList offered;
    for (const QString &room : rooms) {
        bool taken = false;
        for (int j = 1; j <= state.klassvis && !taken; ++j)
            taken = state.grid.cell(row, j).room == room;
        if (!taken && !RoomTaken(state, row, room))
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
