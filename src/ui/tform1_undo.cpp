// Undo and redo of the grid's edits on the day and the template page. Every edit handler opens
// one rasp::ui::Edit of the edit funnel (src/ui/edit), which takes the grid before it and
// records what it changed as one command of src/ui/undo in the funnel's history. A restore puts
// the cells back through core and refreshes what is derived from them.
#include "tform1.h"

#include "day/editingcontroller.h"
#include "day/shiftcontroller.h"

#include "arrange/arrangecontroller.h"
#include "callout.h"
#include "day/gridops.h"
#include "day/daygridview.h"
#include "undo/editcommands.h"
#include "undo/undocontroller.h"
#include "edit/editfunnel.h"

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

void TForm1::buildUndo()
{
    m_edits = new rasp::ui::EditFunnel(m_state,
                                       {[this] { return focusedCellHint(); },
                                        [this](const QString &q) { return Dial(q) == u"Да"_s; },
                                        [this] { return arrangementRunning(); }},
                                       this);
}

void TForm1::wireUndo()
{
    m_undo = new rasp::ui::UndoController(
        shellServices(), Tab_1, m_shift->cellMenu(), grid->editor(), [this] { return m_editing->moveUnderWay(); },
        [this] { m_editing->typingKeyPressed(); }, this);
    // The one change signal: every edit ends here, and the grid and the pin list repaint.
    connect(m_edits, &rasp::ui::EditFunnel::changed, this, [this](unsigned parts, bool pinChecks) { editsChanged(parts, pinChecks); });
    m_edits->settle();
}

void TForm1::editsChanged(unsigned parts, bool pinChecks)
{
    // Every change of the grid's content ends the marks of an exact arrangement.
    if (parts & (rasp::RefreshTeachers | rasp::RefreshRooms))
        grid->clearMovedMarks();
    if (pinChecks)
        m_shift->showPinChecks();
    grid->syncEditor();
    grid->viewport()->update();
}

rasp::RefreshResult TForm1::refresh(rasp::RefreshParts parts, const QString &selection)
{
    return m_edits->refresh(parts, selection);
}

// ArrangeController::running.
bool TForm1::arrangementRunning() const { return m_arrange && m_arrange->running(); }

// UndoController::updateActions.
void TForm1::updateUndoActions() { m_undo->updateActions(); }
// UndoController::undoStep.
void TForm1::undoStep() { m_undo->undoStep(); }
// UndoController::redoStep.
void TForm1::redoStep() { m_undo->redoStep(); }
// The undo and redo actions (UndoController, src/ui/undo).
const rasp::ui::UndoController &TForm1::undo() const { return *m_undo; }

void TForm1::clearHistory()
{
    m_edits->clearHistory();
}

int TForm1::stepTemplateDay() const
{
    return templatePageActive() ? m_state.vibr_den_set : 0;
}

TForm1::MakeStep TForm1::wholeDayStep(const QString &text)
{
    return [this, text](rasp::day::GridChange change) {
        return std::unique_ptr<rasp::ui::undo::GridEditCommand>(
            new rasp::ui::undo::WholeDayCommand(text, std::move(change), restoreFunction(), stepTemplateDay()));
    };
}

rasp::ui::undo::RestoreStep TForm1::restoreFunction()
{
    return [this](const rasp::ui::undo::GridEditCommand &step, bool after) { return restoreStep(step, after); };
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
        m_shift->keepFileInStep();
    }
    if (change.pinsChanged)
        m_shift->showPinChecks();
    if (change.noteChanged) {
        const QSignalBlocker quiet(grid->memo());
        grid->memo()->setPlainText(m_state.note);
    }
    // The frame and the editor go to the first cell the step changed, as the edit left them.
    if (!change.cells.empty()) {
        const rasp::day::CellChange &first = change.cells.front();
        if (!m_state.grid.cell(first.row, first.column).locked())
            m_editing->goToCell(first.row, first.column, GridGeometry::Subject);
        else
            rasp::day::RamkaKoord(m_state, first.row, first.column);
    }
    refresh(rasp::refresh::LessonsMoved, step.selection());
    MaxUrVsego();
    MaxRepUr();
    if (step.wholeDay())
        NetUchit();
    if (!change.cells.empty())
        sLabel7->setText(m_state.grid.cell(change.cells.front().row, change.cells.front().column).teachers);
    hideCellLists();
    m_editing->hideWeekCount();
    m_edits->settle();
    return true;
}
