#include "tidy.h"

#include "day/cell.h"

#include <algorithm>

namespace rasp::arrange {

namespace {

// The cells of one class column as the packing sees them.
struct Column {
    TPodbor &rasp;
    const QString &pust;
    int c;

    bool empty(int i) const { return rasp.itog_ur[i][c] == pust; }
    bool movable(int i) const { return rasp.itog_styl[i][c] != day::kStyleLocked; }
    bool lesson(int i) const { return !empty(i) && movable(i); }
};

// Packs the lessons of a class towards row `from` over rows from..to (to < from packs downward):
// every empty movable cell, visited from `from` on, takes the nearest lesson beyond it. The
// packing is repeated `times` times; a pass that moves nothing ends it early, since every further
// pass would find the same cells.
void pack(Column col, int from, int to, int times)
{
    const int step = to >= from ? 1 : -1;
    for (int rep = 0; rep < times; ++rep) {
        bool moved = false;
        for (int i = from; step > 0 ? i <= to : i >= to; i += step) {
            if (!col.empty(i) || !col.movable(i))
                continue;
            for (int m = i; step > 0 ? m <= to : m >= to; m += step)
                if (col.lesson(m)) {
                    MoveLesson(col.rasp, col.pust, col.c, m, i);
                    moved = true;
                    break;
                }
        }
        if (!moved)
            return;
    }
}

} // namespace

void MoveLesson(TPodbor &rasp, const QString &pust, int c, int s, int t)
{
    rasp.itog_uch[t][c] = rasp.itog_uch[s][c];
    rasp.itog_ur[t][c] = rasp.itog_ur[s][c];
    rasp.itog_kab[t][c] = rasp.itog_kab[s][c];
    rasp.itog_styl[t][c] = rasp.itog_styl[s][c];
    rasp.itog_uch[s][c] = pust;
    rasp.itog_ur[s][c].clear();
    rasp.itog_kab[s][c].clear();
    rasp.itog_styl[s][c] = day::kStyleFree;
}

void RaspUp(const Options &options, TPodbor &rasp, const QString &pust)
{
    const int rows = std::min(options.max_ur, kPodborRows);
    for (int j = 1; j <= options.classes(); ++j)
        if (!SootvKlassa(options, j, rasp.itog_ur))
            pack({rasp, pust, j}, 1, rows, rows);
}

void RaspKlassUp(const Options &options, TPodbor &rasp, const QString &pust, int jj)
{
    if (jj < 1 || jj > kPodborClasses)
        return;
    const int r = options.lastRow();
    pack({rasp, pust, jj}, 1, r, r);
}

void RaspKlassDown(const Options &options, TPodbor &rasp, const QString &pust, int jj)
{
    if (jj < 1 || jj > kPodborClasses)
        return;
    const int r = options.lastRow();
    pack({rasp, pust, jj}, r, 1, r);
    pack({rasp, pust, jj}, std::max(options.P + 1, 1), r, r);
}

} // namespace rasp::arrange
