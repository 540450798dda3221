#include "undo/undocontroller.h"
#include "undo/undotexts.h"

#include "edit/editfunnel.h"
#include "undo/editorwatcher.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QTimer>
#include <QUndoStack>
#include <QWidget>

using namespace Qt::Literals::StringLiterals;

namespace rasp::ui {

UndoController::UndoController(const Shell &shell, QWidget *page, QMenu *cellMenu, QLineEdit *editor,
                               std::function<bool()> moveUnderWay, std::function<void()> typingKeyPressed,
                               QObject *parent)
    : Controller(shell, parent)
    , m_moveUnderWay(std::move(moveUnderWay))
{
    m_undo = new QAction(undotexts::kUndo.toString(), page);
    m_undo->setObjectName(u"undoAction"_s);
    m_undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    m_redo = new QAction(undotexts::kRedo.toString(), page);
    m_redo->setObjectName(u"redoAction"_s);
    m_redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    for (QAction *a : {m_undo, m_redo}) {
        a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        a->setEnabled(false);
        page->addAction(a);
    }
    // At the top of the cell menu.
    QAction *first = cellMenu->actions().value(0);
    cellMenu->insertAction(first, m_undo);
    cellMenu->insertAction(first, m_redo);
    cellMenu->insertSeparator(first);
    connect(m_undo, &QAction::triggered, this, &UndoController::undoStep);
    connect(m_redo, &QAction::triggered, this, &UndoController::redoStep);
    // Tied to the action, which goes before the stack when the window is destroyed (the stack's
    // last clear must not reach actions that are gone).
    connect(history(), &QUndoStack::indexChanged, m_undo, [this] { updateActions(); });
    connect(&edits(), &EditFunnel::historyChanged, m_undo, [this] { updateActions(); });
    new undo::EditorWatcher(editor, {[this] { undoStep(); }, [this] { redoStep(); }, std::move(typingKeyPressed),
                                     [this] { edits().closeTypingRun(); }});
}

QUndoStack *UndoController::history() const
{
    return edits().history();
}

bool UndoController::allowed() const
{
    return !running() && !m_moveUnderWay() && (dayPage() || templatePage());
}

void UndoController::undoStep()
{
    edits().closeTypingRun();
    if (allowed() && history()->canUndo())
        history()->undo();
}

void UndoController::redoStep()
{
    edits().closeTypingRun();
    if (allowed() && history()->canRedo())
        history()->redo();
}

bool UndoController::restoreStep(const undo::GridEditCommand &step, bool after)
{
    if (!edits().putBack(step, after)) {
        // Not expected: the history is emptied whenever the grid's shape changes.
        QTimer::singleShot(0, this, [this] { edits().clearHistory(); });
        return false;
    }
    emit restoring(step.change(), step.changesShift());
    edits().refresh(refresh::LessonsMoved, step.selection());
    emit restored(step.change(), step.wholeDay());
    edits().settle();
    return true;
}

void UndoController::updateActions()
{
    const bool idle = !running();
    const QString undoText = history()->undoText();
    const QString redoText = history()->redoText();
    m_undo->setText(undoText.isEmpty() ? undotexts::kUndo.toString() : undotexts::kUndoStep.toString().arg(undoText));
    m_redo->setText(redoText.isEmpty() ? undotexts::kRedo.toString() : undotexts::kRedoStep.toString().arg(redoText));
    m_undo->setEnabled(idle && history()->canUndo());
    m_redo->setEnabled(idle && history()->canRedo());
}

} // namespace rasp::ui
