#pragma once

#include <QString>

#include <array>
#include <vector>

namespace rasp::tmpl {

// The model day of one weekday: subject and room texts indexed [row][column] like the day grid.
// Column 0 of the subjects keeps what the file held there; row 0 is not used.
struct TSetkaMas {
    std::vector<std::vector<QString>> SetkaMasUr;  // subjects
    std::vector<std::vector<QString>> SetkaMasKab; // rooms
    // Set when the weekday's file exists but could not be read at the last SetkaLoad: saving
    // then leaves that file alone instead of overwriting it with an empty day.
    QString readError;

    // Sizes both matrices to rows 0..lastRow by `columns` columns, keeping what fits.
    void resize(int lastRow, int columns)
    {
        for (auto *m : {&SetkaMasUr, &SetkaMasKab}) {
            m->resize(std::size_t(lastRow + 1));
            for (auto &row : *m)
                row.resize(std::size_t(columns));
        }
    }
    // Makes both matrices at least rows 0..lastRow by `columns` columns; never shrinks, so every
    // text keeps its row and column (classes added after the template was read).
    void grow(int lastRow, int columns)
    {
        for (auto *m : {&SetkaMasUr, &SetkaMasKab}) {
            if (m->size() < std::size_t(lastRow + 1))
                m->resize(std::size_t(lastRow + 1));
            for (auto &row : *m)
                if (row.size() < std::size_t(columns))
                    row.resize(std::size_t(columns));
        }
    }
    // Removes `column` from both matrices, the later columns moving one to the left (the class of
    // that column left the load).
    void removeColumn(int column)
    {
        for (auto *m : {&SetkaMasUr, &SetkaMasKab})
            for (auto &row : *m)
                if (column >= 0 && std::size_t(column) < row.size())
                    row.erase(row.begin() + column);
    }
    // The subject of (row, column), empty outside the matrix.
    QString ur(int row, int column) const { return at(SetkaMasUr, row, column); }
    // The room of (row, column), empty outside the matrix.
    QString kab(int row, int column) const { return at(SetkaMasKab, row, column); }

private:
    static QString at(const std::vector<std::vector<QString>> &m, int row, int column)
    {
        if (row < 0 || std::size_t(row) >= m.size() || column < 0 || std::size_t(column) >= m[std::size_t(row)].size())
            return {};
        return m[std::size_t(row)][std::size_t(column)];
    }
};

// Setka[1..7]: 1 = Monday ... 7 = Sunday; element 0 is never used.
using Setka = std::array<TSetkaMas, 8>;

} // namespace rasp::tmpl
