#pragma once

#include <QString>

#include <array>
#include <vector>

namespace rasp::tmpl {

// The model day of one weekday: subject and room texts indexed [row][column] like the day grid.
// Only held in memory here; the template files and page are built on top of it.
struct TSetkaMas {
    std::vector<std::vector<QString>> SetkaMasUr;  // subjects
    std::vector<std::vector<QString>> SetkaMasKab; // rooms

    // Sizes both matrices to rows 0..lastRow by `columns` columns, keeping what fits.
    void resize(int lastRow, int columns)
    {
        for (auto *m : {&SetkaMasUr, &SetkaMasKab}) {
            m->resize(std::size_t(lastRow + 1));
            for (auto &row : *m)
                row.resize(std::size_t(columns));
        }
    }
    // The subject of (row, column), empty outside the matrix.
    QString ur(int row, int column) const
    {
        if (row < 0 || std::size_t(row) >= SetkaMasUr.size() || column < 0
            || std::size_t(column) >= SetkaMasUr[std::size_t(row)].size())
            return {};
        return SetkaMasUr[std::size_t(row)][std::size_t(column)];
    }
};

// Setka[1..7]: 1 = Monday ... 7 = Sunday; element 0 is never used.
using Setka = std::array<TSetkaMas, 8>;

} // namespace rasp::tmpl
