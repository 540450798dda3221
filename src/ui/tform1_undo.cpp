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
#include "undo/editorwatcher.h"
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
    undoStack = m_edits->history();
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
}

void TForm1::wireUndo()
{
    // At the top of the cell menu.
    QMenu *cellMenu = m_shift->cellMenu();
    QAction *first = cellMenu->actions().value(0);
    cellMenu->insertAction(first, undoAction);
    cellMenu->insertAction(first, redoAction);
    cellMenu->insertSeparator(first);
    connect(undoAction, &QAction::triggered, this, &TForm1::undoStep);
    connect(redoAction, &QAction::triggered, this, &TForm1::redoStep);
    // Tied to the action, which goes before the stack when the window is destroyed (the stack's
    // last clear must not reach actions that are gone).
    connect(undoStack, &QUndoStack::indexChanged, undoAction, [this] { updateUndoActions(); });
    connect(m_edits, &rasp::ui::EditFunnel::historyChanged, undoAction, [this] { updateUndoActions(); });
    // The one change signal: every edit ends here, and the grid and the pin list repaint.
    connect(m_edits, &rasp::ui::EditFunnel::changed, this, [this](unsigned parts, bool pinChecks) { editsChanged(parts, pinChecks); });
    new rasp::ui::undo::EditorWatcher(grid->editor(), {[this] { undoStep(); }, [this] { redoStep(); },
                                                       [this] { m_editing->typingKeyPressed(); },
                                                       [this] { m_edits->closeTypingRun(); }});
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
    return !arrangementRunning() && !m_editing->moveUnderWay() && (dayPageActive() || templatePageActive());
}

void TForm1::undoStep()
{
    m_edits->closeTypingRun();
    if (undoAllowed() && undoStack->canUndo())
        undoStack->undo();
}

void TForm1::redoStep()
{
    m_edits->closeTypingRun();
    if (undoAllowed() && undoStack->canRedo())
        undoStack->redo();
}

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
    return stepOf<rasp::ui::undo::WholeDayCommand>(text);
}

void TForm1::recordWholeGridStep(const QString &text, const rasp::day::GridSnapshot &before)
{
    m_edits->recordSince(before, wholeDayStep(text));
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
