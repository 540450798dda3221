#include "editfunnel.h"

#include "day/gridops.h"
#include "state.h"
#include "undo/editcommands.h"

#include <QUndoStack>

#include <algorithm>

namespace rasp::ui {

namespace {

// Whether two snapshots hold the same cells, freeze toggles and pin checks (the note is typed
// in its own box with its own undo and is not part of the comparison).
bool sameGrid(const day::GridSnapshot &a, const day::GridSnapshot &b)
{
    return a.rows == b.rows && a.columns == b.columns && a.cells == b.cells && a.frozen == b.frozen && a.pins == b.pins;
}

} // namespace

EditFunnel::EditFunnel(State &state, Hooks hooks, QObject *parent)
    : QObject(parent)
    , m_state(state)
    , m_hooks(std::move(hooks))
    , m_history(new QUndoStack(this))
{
    m_settled = day::TakeGridSnapshot(m_state);
}

EditFunnel::~EditFunnel() = default;

RefreshResult EditFunnel::refresh(RefreshParts parts, const QString &selection)
{
    RefreshResult result;
    if (parts != 0)
        result = Refresh(m_state, parts,
                         {selection, (parts & RefreshTeachers) && m_hooks.focusHint ? m_hooks.focusHint() : QString(),
                          m_hooks.ask});
    emit changed(parts, result.pinChecksChanged);
    return result;
}

void EditFunnel::clearHistory()
{
    if (m_depth > 0) // the grid is replaced by the edit being recorded, which keeps the history
        return;
    closeTypingRun();
    m_history->clear();
    m_settled = day::TakeGridSnapshot(m_state);
    emit historyChanged();
}

void EditFunnel::begin()
{
    if (m_depth++ == 0) {
        closeTypingRun();
        m_before = day::TakeGridSnapshot(m_state);
    }
}

void EditFunnel::end(const MakeStep &make, bool evenIfCellsKept)
{
    if (--m_depth > 0 || !make)
        return;
    push(m_before, make, evenIfCellsKept);
}

void EditFunnel::recordSince(const day::GridSnapshot &before, const MakeStep &make)
{
    closeTypingRun();
    push(before, make, false);
}

void EditFunnel::push(const day::GridSnapshot &before, const MakeStep &make, bool evenIfCellsKept)
{
    const day::GridSnapshot after = day::TakeGridSnapshot(m_state);
    day::GridChange change = day::Difference(before, after);
    if ((change.empty() && !evenIfCellsKept) || before.rows != after.rows || before.columns != after.columns)
        return;
    // A change the history did not see (none is expected) would make older steps put back
    // stale cells: the history starts again from here.
    if (!sameGrid(before, m_settled))
        m_history->clear();
    m_history->push(make(std::move(change)).release());
    m_settled = after;
    emit historyChanged();
}

void EditFunnel::settle()
{
    m_settled = day::TakeGridSnapshot(m_state);
}

bool EditFunnel::putBack(const undo::GridEditCommand &step, bool after)
{
    if (!day::ApplyGridChange(m_state, step.change(), after, step.templateDay()))
        return false;
    if (step.changesShift())
        step.applyShift(m_state, after);
    return true;
}

void EditFunnel::keepFacts(const std::function<void(State &)> &write)
{
    write(m_state);
}

bool EditFunnel::typingRunOn(int row, int column, day::GridGeometry::Field field) const
{
    return m_typing.open && m_typing.row == row && m_typing.column == column && m_typing.field == field;
}

void EditFunnel::openTypingRun(int row, int column, day::GridGeometry::Field field, bool textChanged)
{
    closeTypingRun();
    m_typing.open = true;
    m_typing.row = row;
    m_typing.column = column;
    m_typing.field = field;
    ++m_typing.run;
    m_typing.before = day::TakeGridSnapshot(m_state);
    // Opened after the text changed: the field's text before it is the one the history last saw.
    if (textChanged && m_settled.rows == m_typing.before.rows && m_settled.columns == m_typing.before.columns
        && row >= 1 && row <= m_settled.rows && column >= 1 && column <= m_settled.columns) {
        auto &cell = m_typing.before.cells[std::size_t(row - 1) * std::size_t(m_settled.columns) + std::size_t(column - 1)];
        const auto &seen = m_settled.at(row, column);
        (field == day::GridGeometry::Subject ? cell.subject : cell.room) =
            field == day::GridGeometry::Subject ? seen.subject : seen.room;
    }
}

void EditFunnel::closeTypingRun()
{
    m_typing.open = false;
}

void EditFunnel::moveFrame(int row, int column)
{
    day::RamkaKoord(m_state, row, column);
}

void EditFunnel::writeTemplate(int day, int row, int column, day::GridGeometry::Field field, const QString &text)
{
    tmpl::TSetkaMas &weekday = m_state.Setka[std::size_t(std::clamp(day, 1, 7))];
    weekday.grow(m_state.max_ur, m_state.klassvis_mas);
    (field == day::GridGeometry::Subject ? weekday.SetkaMasUr : weekday.SetkaMasKab)[std::size_t(row)][std::size_t(column)] = text;
}

void EditFunnel::typeText(int row, int column, day::GridGeometry::Field field, const QString &text)
{
    day::Cell &cell = m_state.grid.cell(row, column);
    (field == day::GridGeometry::Subject ? cell.subject : cell.room) = text;
}

void EditFunnel::typeNote(const QString &text)
{
    m_state.note = text;
}

void EditFunnel::recordTyping(int row, int column, day::GridGeometry::Field field, const QString &text,
                              int templateDay, undo::RestoreStep restore)
{
    // The run may have closed while this key was handled (its refresh locked the cell and the
    // editor left it); what the key did still belongs to the run.
    if (m_typing.run == 0 || m_typing.row != row || m_typing.column != column || m_typing.field != field
        || (m_hooks.running && m_hooks.running()))
        return;
    const day::GridSnapshot after = day::TakeGridSnapshot(m_state);
    day::GridChange change = day::Difference(m_typing.before, after);
    // The step of this run is on top of the history: this release's change merges into it.
    const auto *top = m_history->index() == m_history->count() && m_history->count() > 0
                          ? dynamic_cast<const undo::TypingCommand *>(m_history->command(m_history->count() - 1))
                          : nullptr;
    const bool merges = top && top->run() == m_typing.run;
    if (change.empty() && !merges)
        return;
    if (!merges && !sameGrid(m_typing.before, m_settled))
        m_history->clear();
    m_history->push(new undo::TypingCommand(text, std::move(change), std::move(restore), templateDay, m_typing.run));
    m_settled = after;
    emit historyChanged();
}

Edit::Edit(EditFunnel &funnel, RefreshParts parts)
    : m_funnel(funnel)
    , m_parts(parts)
{
    m_funnel.begin();
}

Edit::~Edit()
{
    m_funnel.refresh(m_parts, m_selection);
    m_funnel.end(m_make, m_evenIfCellsKept);
}

} // namespace rasp::ui
