// Undo and redo of the grid's edits on the day and the template page. Every edit handler opens
// one rasp::ui::Edit of the edit funnel (src/ui/edit), which takes the grid before it and
// records what it changed as one command of src/ui/undo in the funnel's history. The undo
// controller puts a step back through the funnel; the shell wires the views that follow it.
#include "tform1.h"
#include "shell/shelltexts.h"

#include "arrange/arrangecontroller.h"
#include "day/counterscontroller.h"
#include "day/dayfilecontroller.h"
#include "day/daygridview.h"
#include "day/editingcontroller.h"
#include "day/shiftcontroller.h"
#include "edit/editfunnel.h"
#include "undo/undocontroller.h"

#include <QLabel>

using namespace Qt::Literals::StringLiterals;
using rasp::day::GridGeometry;

void TForm1::buildUndo()
{
    m_edits = new rasp::ui::EditFunnel(m_state,
                                       {[this] { return focusedCellHint(); },
                                        [this](const QString &q) { return Dial(q) == rasp::ui::shelltexts::kYes; },
                                        [this] { return arrangementRunning(); }},
                                       this);
    grid->setFunnel(m_edits);
}

void TForm1::wireUndo()
{
    using rasp::ui::UndoController;
    m_undo = new UndoController(
        shellServices(), Tab_1, m_shift->cellMenu(), grid->editor(), [this] { return m_editing->moveUnderWay(); },
        [this] { m_editing->typingKeyPressed(); }, this);
    // The one change signal: every edit ends here, and the grid and the pin list repaint.
    connect(m_edits, &rasp::ui::EditFunnel::changed, this, [this](unsigned parts, bool pinChecks) {
        // Every change of the grid's content ends the marks of an exact arrangement.
        if (parts & (rasp::RefreshTeachers | rasp::RefreshRooms))
            grid->clearMovedMarks();
        if (pinChecks)
            m_shift->showPinChecks();
        grid->syncEditor();
        grid->viewport()->update();
    });
    connect(m_undo, &UndoController::restoring, this, [this](const rasp::day::GridChange &change, bool shiftChanged) {
        if (shiftChanged) {
            VtorayaSmenaGranici();
            m_shift->keepFileInStep();
        }
        if (change.pinsChanged)
            m_shift->showPinChecks();
        if (change.noteChanged)
            m_dayFile->showNote();
        // The frame and the editor go to the first cell the step changed, as the edit left them.
        if (!change.cells.empty())
            m_editing->showRestoredCell(change.cells.front().row, change.cells.front().column);
    });
    connect(m_undo, &UndoController::restored, this, [this](const rasp::day::GridChange &change, bool wholeDay) {
        MaxUrVsego();
        MaxRepUr();
        if (wholeDay)
            NetUchit();
        if (!change.cells.empty())
            sLabel7->setText(m_state.grid.cell(change.cells.front().row, change.cells.front().column).teachers);
        hideCellLists();
        m_editing->hideWeekCount();
    });
    m_edits->settle();
}

// UndoController::undoStep.
void TForm1::undoStep() { m_undo->undoStep(); }
// UndoController::redoStep.
void TForm1::redoStep() { m_undo->redoStep(); }
// ArrangeController::running.
bool TForm1::arrangementRunning() const { return m_arrange && m_arrange->running(); }
