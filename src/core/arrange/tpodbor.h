#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <array>
#include <vector>

namespace rasp::arrange {

inline constexpr int kPodborRows = 16;     // lesson rows a snapshot holds
inline constexpr int kPodborClasses = 200; // classes a snapshot holds

// A fixed table of one value per cell, indexed [row][class] with rows 1..16 and classes 1..200
// (row 0 and class 0 exist and are never used). Rows live on the heap, so a snapshot is cheap to
// keep in the state and never sits on the stack.
template<typename T>
class CellTable
{
public:
    using Row = std::array<T, kPodborClasses + 1>;

    CellTable()
        : m_rows(kPodborRows + 1)
    { }

    Row &operator[](int row) { return m_rows[std::size_t(row)]; }
    const Row &operator[](int row) const { return m_rows[std::size_t(row)]; }

private:
    std::vector<Row> m_rows;
};

// One text per cell: subject texts, room texts or teacher lists.
using Perebor = CellTable<QString>;
// The font style of each subject cell as its byte (bit 0 bold, bit 1 italic, bit 2 underline,
// bit 3 strike-out): 1 for a free cell, exactly 9 for a locked one.
using Styll = CellTable<quint8>;

// The arrangement's snapshot: the grid before the last run (ishod_*) and the working copy that
// the run changes and finally shows (itog_*).
struct TPodbor {
    Perebor ishod_ur;  // subject texts before the run
    Perebor ishod_kab; // room texts before the run
    Perebor ishod_uch; // teacher lists before the run
    Styll ishod_styl;  // subject cell styles before the run
    Perebor itog_ur;   // subject texts, working copy and result
    Perebor itog_kab;  // room texts, working copy and result
    Perebor itog_uch;  // teacher lists, working copy and result
    Styll itog_styl;   // styles, working copy and result
};

// The grid a snapshot was taken of: its lesson rows and its class names in column order. Undo
// puts the snapshot back only onto a grid of the same shape.
struct SnapshotShape {
    int rows = 0;        // max_ur at the snapshot; 0 = no snapshot yet
    QStringList classes; // class names of columns 1..klassvis
};

} // namespace rasp::arrange
