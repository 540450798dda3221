#include "arrangement.h"

#include "absences/carry.h"
#include "arrange/tidy.h"
#include "rng.h"
#include "state.h"

#include <utility>

namespace rasp::arrange {

namespace {

int rowsOf(const State &state)
{
    return std::min(state.max_ur, std::min(state.grid.lastRow(), kPodborRows));
}

int classesOf(const State &state)
{
    return std::min(state.klassvis, std::min(state.grid.columnCount() - 1, kPodborClasses));
}

} // namespace

bool GridEmpty(const State &state)
{
    for (int i = 1; i <= std::min(state.max_ur, state.grid.lastRow()); ++i)
        for (int j = 1; j <= std::min(state.klassvis, state.grid.columnCount() - 1); ++j)
            if (!state.grid.cell(i, j).subject.isEmpty())
                return false;
    return true;
}

bool FitsSnapshot(const State &state)
{
    return state.max_ur <= kPodborRows && state.klassvis <= kPodborClasses;
}

QString StartRefusal(const State &state)
{
    if (GridEmpty(state))
        return kFillDay;
    if (!FitsSnapshot(state))
        return kTooLarge;
    return QString();
}

void TakeSnapshot(State &state)
{
    TPodbor &p = state.sost_rasp;
    const int rows = rowsOf(state);
    const int classes = classesOf(state);
    for (int i = 1; i <= kPodborRows; ++i)
        for (int j = 1; j <= kPodborClasses; ++j) {
            const bool inGrid = i <= rows && j <= classes;
            const day::Cell *c = inGrid ? &state.grid.cell(i, j) : nullptr;
            p.ishod_ur[i][j] = c ? c->subject : QString();
            p.ishod_kab[i][j] = c ? c->room : QString();
            p.ishod_uch[i][j] = c ? c->teachers : QString();
            p.ishod_styl[i][j] = c ? c->style : day::kStyleFree;
        }
    p.itog_ur = p.ishod_ur;
    p.itog_kab = p.ishod_kab;
    p.itog_uch = p.ishod_uch;
    p.itog_styl = p.ishod_styl;
    state.sost_shape.rows = state.max_ur;
    state.sost_shape.classes.clear();
    for (int j = 1; j <= state.klassvis; ++j)
        state.sost_shape.classes << state.grid.cell(0, j).subject;
}

bool SnapshotMatches(const State &state)
{
    const SnapshotShape &shape = state.sost_shape;
    if (shape.rows == 0 || shape.rows != state.max_ur || shape.classes.size() != state.klassvis)
        return false;
    for (int j = 1; j <= state.klassvis; ++j)
        if (state.grid.cell(0, j).subject != shape.classes.at(j - 1))
            return false;
    return true;
}

namespace {

void writeGrid(State &state, const Perebor &ur, const Styll &styl, const Perebor &kab, const Perebor &uch)
{
    const int rows = rowsOf(state);
    const int classes = classesOf(state);
    // A lesson's cover goes where the lesson goes: its teacher list names the covering teacher.
    const absences::CarriedCovers covers(state, rows, classes);
    for (int i = 1; i <= rows; ++i)
        for (int j = 1; j <= classes; ++j) {
            day::Cell &c = state.grid.cell(i, j);
            c.subject = ur[i][j];
            c.style = styl[i][j];
            c.room = kab[i][j];
            c.teachers = uch[i][j];
        }
    covers.putBack(state);
}

} // namespace

void ShowWorkingCopy(State &state)
{
    const TPodbor &p = state.sost_rasp;
    writeGrid(state, p.itog_ur, p.itog_styl, p.itog_kab, p.itog_uch);
}

void RestoreOriginal(State &state)
{
    const TPodbor &p = state.sost_rasp;
    writeGrid(state, p.ishod_ur, p.ishod_styl, p.ishod_kab, p.ishod_uch);
}

// ---- The run ---------------------------------------------------------------------------------

Arrangement::Arrangement(TPodbor &rasp, const Options &options, Rng &rng)
    : m_rasp(rasp)
    , m_options(options)
    , m_rng(rng)
{
    const bool acceptable = allAcceptable();
    m_finished = acceptable && Sootv(m_options, m_rasp.itog_uch, m_index);
    m_indexCurrent = acceptable; // Sootv rebuilt the index from the working copy
}

bool Arrangement::allAcceptable() const
{
    for (int j = 1; j <= m_options.classes(); ++j)
        if (!SootvKlassa(m_options, j, m_rasp.itog_ur))
            return false;
    return true;
}

void Arrangement::step()
{
    ++m_cycles;
    const QString pust; // the run empties vacated teacher lists
    const int d = m_rng.bounded(1, 4);
    const int e = m_rng.bounded(1, 2);

    // Find a clash and move one of its two lessons to a row where its teachers are free.
    // The finish test of the last cycle may have filed the working copy already; nothing
    // changes it between two cycles.
    if (!m_indexCurrent)
        m_index.rebuild(m_rasp.itog_uch, m_options.lastRow(), m_options.classes());
    m_indexCurrent = false;
    const Clash clash = FindClash(m_options, m_rasp, d, m_index);
    if (clash.found()) {
        const int i = clash.row;
        // A locked lesson never moves: the other one of the pair does.
        const bool partnerLocked = m_rasp.itog_styl[i][clash.partner] == day::kStyleLocked;
        const bool ownLocked = m_rasp.itog_styl[i][clash.column] == day::kStyleLocked;
        const int c = partnerLocked ? clash.column : ownLocked ? clash.partner
                                                               : (e == 1 ? clash.partner : clash.column);
        const QString t = m_rasp.itog_uch[i][c];
        const QString svobod = SvobodUr(m_options, m_rasp, c, t, m_rng, m_index);
        if (!svobod.isEmpty()) {
            const int r = RowFromCode(svobod.at(m_rng.bounded(0, int(svobod.size()) - 1)));
            std::swap(m_rasp.itog_ur[r][c], m_rasp.itog_ur[i][c]);
            std::swap(m_rasp.itog_kab[r][c], m_rasp.itog_kab[i][c]);
            std::swap(m_rasp.itog_uch[r][c], m_rasp.itog_uch[i][c]);
        }
    }

    // Tidy: two passes repair unacceptable classes at random, the third only looks.
    bool unacceptable = false;
    for (int pass = 1; pass <= 3 && !unacceptable; ++pass)
        for (int j = 1; j <= m_options.classes(); ++j) {
            if (SootvKlassa(m_options, j, m_rasp.itog_ur))
                continue;
            if (pass == 3) {
                unacceptable = true;
                break;
            }
            switch (m_rng.bounded(1, 3)) {
            case 1:
                RaspKlassUp(m_options, m_rasp, pust, j);
                break;
            case 2:
                RaspKlassDown(m_options, m_rasp, pust, j);
                break;
            default:
                RaspUp(m_options, m_rasp, pust);
                break;
            }
        }

    m_finished = !unacceptable && Sootv(m_options, m_rasp.itog_uch, m_index);
    m_indexCurrent = !unacceptable;
}

} // namespace rasp::arrange
