#include "carry.h"

#include "state.h"

namespace rasp::absences {

CarriedCovers::CarriedCovers(State &state, int rows, int columns)
    : m_rows(rows)
{
    for (int j = 1; j <= columns; ++j)
        for (int i = 1; i <= rows; ++i) {
            day::Cell &c = state.grid.cell(i, j);
            if (c.cover.empty())
                continue;
            m_carried.push_back({i, j, c.subject, c.room, c.teachers, c.style, c.cover});
            c.cover = day::Cover();
        }
}

void CarriedCovers::putBack(State &state) const
{
    for (const Carried &k : m_carried) {
        // The same lesson whole, else the same subject (a run may have changed its room).
        auto holds = [&](int i, bool whole) {
            const day::Cell &c = state.grid.cell(i, k.column);
            return c.cover.empty() && c.subject == k.subject
                   && (!whole || (c.room == k.room && c.teachers == k.teachers && c.style == k.style));
        };
        int row = 0;
        for (const bool whole : {true, false}) {
            if (row == 0 && holds(k.row, whole))
                row = k.row;
            for (int i = 1; row == 0 && i <= m_rows; ++i)
                if (holds(i, whole))
                    row = i;
        }
        if (row > 0)
            state.grid.cell(row, k.column).cover = k.cover;
        else
            state.companion.covers.push_back(
                {k.row, state.grid.cell(0, k.column).subject, k.cover.teacher, k.cover.kind, k.cover.absent});
    }
}

} // namespace rasp::absences
