#pragma once

#include "arrange/tpodbor.h"

#include <QHash>
#include <QString>

#include <vector>

namespace rasp {
class Rng;
}

namespace rasp::arrange {

// What the arrangement's tests read besides the snapshot: the grid's size and the two options
// of "Автоподбор", read once when a run starts (their boxes are disabled while it runs).
struct Options {
    int max_ur = 6;   // lesson rows of the grid
    int klassvis = 0; // classes of the grid
    int R = 6;        // "максимум уроков": the last lesson row a class may have
    int P = 0;        // "отсутствие первых уроков": how many first lessons a class may miss

    // R as the tests use it: never below 0 and never past the grid's or the snapshot's rows, so a
    // lesson is never moved to a row that is not shown.
    int lastRow() const;
    // Classes as the tests use them: never past the snapshot's 200.
    int classes() const;
};

// The code of a lesson row in a SvobodUr result: "1".."9", then "A".."G" for 10..16.
QChar RowCode(int row);
// The row of a code ("1".."9", "A".."G"); 0 for anything else.
int RowFromCode(QChar code);

// Whether two teacher lists are in conflict: `tested` split with the marker "@", `compared`
// with "#", and any of the four comparisons of first names and second parts finds equal texts.
bool ListsConflict(const QString &tested, const QString &compared);

// Teacher lists of a snapshot as numbers, every cell of rows 1..R filed by its list, and the two
// relations between lists that the arrangement asks about, worked out once per list and kept
// while the lists stay the same. Lists only move during a run, so the relations are computed
// for a few hundred distinct lists instead of for every pair of cells in every cycle.
class ListIndex
{
public:
    // Files every cell of rows 1..rows, classes 1..classes of `uch` under the number of its list.
    void rebuild(const Perebor &uch, int rows, int classes);

    // The number of a list text; a text seen for the first time gets the next number.
    int id(const QString &list);
    const QString &text(int id) const { return m_text[std::size_t(id)]; }
    int idAt(int row, int column) const { return m_cellIds[std::size_t(row) * std::size_t(m_classes + 1) + std::size_t(column)]; }

    // Lists b such that ListsConflict(text(a), text(b)).
    const std::vector<int> &conflicts(int a);
    // Lists b that hold one of the names of list a as a substring: the text before the first ","
    // and the text after the first ", " when a holds ", ", otherwise the whole of a.
    const std::vector<int> &hits(int a);

    // The smallest column greater than `column` whose cell in `row` holds list b; 0 when none.
    int firstAfter(int row, int b, int column) const;
    // Whether some cell of `row` holds list b.
    bool inRow(int row, int b) const { return firstAfter(row, b, 0) != 0; }

private:
    struct Entry {
        int id;
        int column;
    };
    struct Parts {
        QString first;
        QString second;
        bool hasSecond = false;
    };
    void computeConflicts(int a);
    void computeHits(int a);

    QHash<QString, int> m_ids;
    std::vector<QString> m_text;
    std::vector<Parts> m_parts;
    std::vector<std::vector<int>> m_conflicts;
    std::vector<std::vector<int>> m_hits;
    std::vector<char> m_conflictsDone;
    std::vector<char> m_hitsDone;
    std::vector<std::vector<Entry>> m_rows; // per row, sorted by list number, then column
    std::vector<int> m_cellIds;
    int m_classes = 0;
};

// Whether no teacher gives two lessons at one lesson number in rows 1..R: `varia` holds teacher
// lists; every pair of classes with non-empty lists in a row is compared once (ListsConflict).
bool Sootv(const Options &options, const Perebor &varia);
// The same on an index whose relations are kept between calls; it is rebuilt from `varia`.
bool Sootv(const Options &options, const Perebor &varia, ListIndex &index);

// Whether class `nom`'s day (subject texts in `varia`) has an acceptable shape: its first lesson
// at row P + 1 at the latest and its lessons one unbroken run within rows 1..R.
bool SootvKlassa(const Options &options, int nom, const Perebor &varia);

// The codes, in ascending order, of the rows 1..R where the teachers of list `uch` are free and
// the cell of class jj is not locked; when there is none, the code of one busy unlocked row
// drawn at random; empty when there is none of those either. Reads rasp.itog_uch, rasp.itog_styl.
QString SvobodUr(const Options &options, const TPodbor &rasp, int jj, const QString &uch, Rng &rng);
// The same on an index last rebuilt from rasp.itog_uch (rows 1..R).
QString SvobodUr(const Options &options, const TPodbor &rasp, int jj, const QString &uch, Rng &rng, ListIndex &index);

// A clash the run's scan found: in `row`, the lesson of class `column` and that of `partner`.
struct Clash {
    int row = 0;
    int column = 0;
    int partner = 0; // 0 when no clash was found
    bool found() const { return partner != 0; }
};

// The run's scan for a clash in the working copy, in scan order d (1: rows and classes upward;
// 2: both downward; 3: rows upward, classes downward; 4: rows downward, classes upward): the
// first cell with a non-empty list, one of whose names occurs as a substring in the list of a
// class to its right in the same row, and the first such class; of two locked lessons neither
// can move, so a locked cell looks only for free ones.
Clash FindClash(const Options &options, const TPodbor &rasp, int d);
// The same on an index last rebuilt from rasp.itog_uch (rows 1..R).
Clash FindClash(const Options &options, const TPodbor &rasp, int d, ListIndex &index);

} // namespace rasp::arrange
