#pragma once

#include "day/cell.h"

#include <QString>

#include <vector>

namespace rasp {
struct State;
}

namespace rasp::absences {

// The covers of the grid lifted off their cells while a whole-grid rewrite (an arrangement, its
// undo) moves lessons within their classes, each with the lesson it belongs to.
class CarriedCovers
{
public:
    // Takes every cover off the grid's cells of rows 1..rows, classes 1..columns, noting its lesson.
    CarriedCovers(State &state, int rows, int columns);

    // Puts each cover back on a cell of its class holding the same lesson (subject, room, teacher
    // list and style), its own row first, else the first such row; a cover whose lesson is gone is
    // kept in state.companion with its old row.
    void putBack(State &state) const;

private:
    struct Carried {
        int row = 0;
        int column = 0;
        QString subject;
        QString room;
        QString teachers;
        quint8 style = 0;
        day::Cover cover;
    };
    std::vector<Carried> m_carried;
    int m_rows = 0;
};

} // namespace rasp::absences
