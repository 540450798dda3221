// Undo and redo of the grid's edits on the day and the template page. Every edit handler takes
// the grid before it (beginStep) and records what it changed as one command of src/ui/undo
// (endStep); the window's QUndoStack keeps them. A restore puts the cells back through core and
// refreshes what is derived from them.
#include "tform1.h"

#include "callout.h"
#include "day/gridops.h"
#include "daygridview.h"
#include "undo/editcommands.h"
#include "undo/editorwatcher.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QSlider>
#include <QTimer>
#include <QToolButton>
#include <QUndoStack>
#include <QWidget>

using namespace Qt::Literals::StringLiterals;
using rasp::day::GridGeometry;

namespace {

// Whether two snapshots hold the same cells, freeze toggles and pin checks (the note is typed
// in its own box with its own undo and is not part of the comparison).
bool sameGrid(const rasp::day::GridSnapshot &a, const rasp::day::GridSnapshot &b)
{
    return a.rows == b.rows && a.columns == b.columns && a.cells == b.cells && a.frozen == b.frozen && a.pins == b.pins;
}

} // namespace

void TForm1::buildUndo()
{
    undoStack = new QUndoStack(this);
    undoAction = new QAction(u"Отменить"_s, Tab_1);
    undoAction->setObjectName(u"undoAction"_s);
    undoAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    redoAction = new QAction(u"Повторить"_s, Tab_1);
    redoAction->setObjectName(u"redoAction"_s);
    redoAction->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    for (QAction *a : {undoAction, redoAction}) {
        a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        a->setEnabled(false);
        Tab_1->addAction(a);
    }
    QAction *first = cellMenu->actions().value(0);
    cellMenu->insertAction(first, undoAction);
    cellMenu->insertAction(first, redoAction);
    cellMenu->insertSeparator(first);
}

void TForm1::wireUndo()
{
    connect(undoAction, &QAction::triggered, this, &TForm1::undoStep);
    connect(redoAction, &QAction::triggered, this, &TForm1::redoStep);
    // Tied to the action, which goes before the stack when the window is destroyed (the stack's
    // last clear must not reach actions that are gone).
    connect(undoStack, &QUndoStack::indexChanged, undoAction, [this] { updateUndoActions(); });
    new rasp::ui::undo::EditorWatcher(grid->editor(), {[this] { undoStep(); }, [this] { redoStep(); },
                                                       [this] { typingKeyPressed(); }, [this] { closeTypingRun(); }});
    connect(grid, &rasp::ui::DayGridView::cellEdited, this, [this](int row, int column, GridGeometry::Field field) {
        // Text that arrived without a key press (pasted) still opens a run.
        if (!typingRunOn(row, column, field))
            openTypingRun(row, column, field, true);
        recordTyping(row, column, field);
    });
    m_settled = rasp::day::TakeGridSnapshot(m_state);
}

bool TForm1::arrangementRunning() const
{
    return m_arrangement != nullptr || Img_SB4->testAttribute(Qt::WA_ForceDisabled);
}

void TForm1::updateUndoActions()
{
    const bool idle = !arrangementRunning();
    const QString undoText = undoStack->undoText();
    const QString redoText = undoStack->redoText();
    undoAction->setText(undoText.isEmpty() ? u"Отменить"_s : u"Отменить: "_s + undoText);
    redoAction->setText(redoText.isEmpty() ? u"Повторить"_s : u"Повторить: "_s + redoText);
    undoAction->setEnabled(idle && undoStack->canUndo());
    redoAction->setEnabled(idle && undoStack->canRedo());
}

bool TForm1::undoAllowed() const
{
    // Nothing is undone while an arrangement runs or a lesson move is under way, nor from a page
    // that does not show the grid.
    return !arrangementRunning() && peremesen == 0 && !FPressed && (dayPageActive() || templatePageActive());
}

void TForm1::undoStep()
{
    closeTypingRun();
    if (undoAllowed() && undoStack->canUndo())
        undoStack->undo();
}

void TForm1::redoStep()
{
    closeTypingRun();
    if (undoAllowed() && undoStack->canRedo())
        undoStack->redo();
}

void TForm1::clearHistory()
{
    if (m_stepDepth > 0) // the grid is replaced by the step being recorded, which keeps the history
        return;
    closeTypingRun();
    undoStack->clear();
    m_settled = rasp::day::TakeGridSnapshot(m_state);
    updateUndoActions();
}

void TForm1::beginStep()
{
    if (m_stepDepth++ == 0) {
        closeTypingRun();
        m_stepBefore = rasp::day::TakeGridSnapshot(m_state);
    }
}

void TForm1::endStep(const MakeStep &make, bool evenIfCellsKept)
{
    if (--m_stepDepth > 0)
        return;
    pushStep(m_stepBefore, make, evenIfCellsKept);
}

int TForm1::stepTemplateDay() const
{
    return templatePageActive() ? m_state.vibr_den_set : 0;
}

void TForm1::pushStep(const rasp::day::GridSnapshot &before, const MakeStep &make, bool evenIfCellsKept)
{
    const rasp::day::GridSnapshot after = rasp::day::TakeGridSnapshot(m_state);
    rasp::day::GridChange change = rasp::day::Difference(before, after);
    if ((change.empty() && !evenIfCellsKept) || before.rows != after.rows || before.columns != after.columns)
        return;
    // A change the history did not see (none is expected) would make older steps put back
    // stale cells: the history starts again from here.
    if (!sameGrid(before, m_settled))
        undoStack->clear();
    undoStack->push(make(std::move(change)).release());
    m_settled = after;
    updateUndoActions();
}

TForm1::MakeStep TForm1::wholeDayStep(const QString &text)
{
    return stepOf<rasp::ui::undo::WholeDayCommand>(text);
}

void TForm1::recordWholeGridStep(const QString &text, const rasp::day::GridSnapshot &before)
{
    closeTypingRun();
    pushStep(before, wholeDayStep(text));
}

rasp::ui::undo::RestoreStep TForm1::restoreFunction()
{
    return [this](const rasp::ui::undo::GridEditCommand &step, bool after) { return restoreStep(step, after); };
}

QString TForm1::cellName(int row, int column) const
{
    return rasp::ui::undo::CellName(m_state, row, column);
}

bool TForm1::restoreStep(const rasp::ui::undo::GridEditCommand &step, bool after)
{
    if (!rasp::day::ApplyGridChange(m_state, step.change(), after, step.templateDay())) {
        // Not expected: the history is emptied whenever the grid's shape changes.
        QTimer::singleShot(0, this, [this] { clearHistory(); });
        return false;
    }
    const rasp::day::GridChange &change = step.change();
    if (step.changesShift()) {
        step.applyShift(m_state, after);
        VtorayaSmenaGranici();
        if (shiftInFile != QPoint(m_state.vt_sm_x, m_state.vt_sm_y))
            SetSave(0);
    }
    if (change.pinsChanged) {
        const QSignalBlocker quiet(sCheckListBox1);
        for (int n = 0; n < sCheckListBox1->count() && n < int(m_state.pins.size()); ++n)
            sCheckListBox1->item(n)->setCheckState(m_state.pins[std::size_t(n)].checked ? Qt::Checked : Qt::Unchecked);
    }
    if (change.noteChanged) {
        const QSignalBlocker quiet(grid->memo());
        grid->memo()->setPlainText(m_state.note);
    }
    // The frame and the editor go to the first cell the step changed, as the edit left them.
    if (!change.cells.empty()) {
        const rasp::day::CellChange &first = change.cells.front();
        if (!m_state.grid.cell(first.row, first.column).locked())
            goToCell(first.row, first.column, GridGeometry::Subject);
        else
            rasp::day::RamkaKoord(m_state, first.row, first.column);
    }
    PoiskUchit(step.selection());
    KabPoisk(1, 0, QString());
    MaxUrVsego();
    MaxRepUr();
    if (step.wholeDay())
        NetUchit();
    if (!change.cells.empty())
        sLabel7->setText(m_state.grid.cell(change.cells.front().row, change.cells.front().column).teachers);
    hideCellLists();
    OblKolUr->hide();
    grid->syncEditor();
    grid->viewport()->update();
    m_settled = rasp::day::TakeGridSnapshot(m_state);
    return true;
}

// ---- Typing runs ---------------------------------------------------------------------------

bool TForm1::typingRunOn(int row, int column, GridGeometry::Field field) const
{
    return m_typing.open && m_typing.row == row && m_typing.column == column && m_typing.field == field;
}

void TForm1::openTypingRun(int row, int column, GridGeometry::Field field, bool textChanged)
{
    closeTypingRun();
    m_typing.open = true;
    m_typing.row = row;
    m_typing.column = column;
    m_typing.field = field;
    ++m_typing.run;
    m_typing.before = rasp::day::TakeGridSnapshot(m_state);
    // Opened after the text changed: the field's text before it is the one the history last saw.
    if (textChanged && m_settled.rows == m_typing.before.rows && m_settled.columns == m_typing.before.columns
        && row >= 1 && row <= m_settled.rows && column >= 1 && column <= m_settled.columns) {
        auto &cell = m_typing.before.cells[std::size_t(row - 1) * std::size_t(m_settled.columns) + std::size_t(column - 1)];
        const auto &seen = m_settled.at(row, column);
        (field == GridGeometry::Subject ? cell.subject : cell.room) = field == GridGeometry::Subject ? seen.subject : seen.room;
    }
}

void TForm1::typingKeyPressed()
{
    const int row = grid->editorRow();
    const int column = grid->editorColumn();
    const GridGeometry::Field field = grid->editorField();
    if (row < 1 || arrangementRunning() || typingRunOn(row, column, field))
        return;
    openTypingRun(row, column, field, false);
}

void TForm1::recordTyping(int row, int column, GridGeometry::Field field)
{
    // The run may have closed while this key was handled (its refresh locked the cell and the
    // editor left it); what the key did still belongs to the run.
    if (m_typing.run == 0 || m_typing.row != row || m_typing.column != column || m_typing.field != field
        || arrangementRunning())
        return;
    const rasp::day::GridSnapshot after = rasp::day::TakeGridSnapshot(m_state);
    rasp::day::GridChange change = rasp::day::Difference(m_typing.before, after);
    // The step of this run is on top of the history: this release's change merges into it.
    const auto *top = undoStack->index() == undoStack->count() && undoStack->count() > 0
                          ? dynamic_cast<const rasp::ui::undo::TypingCommand *>(undoStack->command(undoStack->count() - 1))
                          : nullptr;
    const bool merges = top && top->run() == m_typing.run;
    if (change.empty() && !merges)
        return;
    if (!merges && !sameGrid(m_typing.before, m_settled))
        undoStack->clear();
    const QString text = (m_typing.field == GridGeometry::Subject ? u"ввод предмета "_s : u"ввод кабинета "_s)
                         + cellName(m_typing.row, m_typing.column);
    undoStack->push(new rasp::ui::undo::TypingCommand(text, std::move(change), restoreFunction(), stepTemplateDay(),
                                                      m_typing.run));
    m_settled = after;
    updateUndoActions();
}

void TForm1::closeTypingRun()
{
    m_typing.open = false;
}
