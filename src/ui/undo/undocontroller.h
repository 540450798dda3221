#pragma once

#include "day/gridsnapshot.h"
#include "shell/controller.h"

#include <functional>

class QAction;
class QLineEdit;
class QMenu;
class QUndoStack;
class QWidget;

namespace rasp::ui {

// Undo and redo of the grid's edits: the actions "Отменить" / "Повторить" with their keys (on the
// grid page and at the top of the cell menu), their captions from the funnel's history, and the
// grid editor's own undo keys, which go to the history as well. Nothing is undone while an
// arrangement runs, a lesson move is under way, or from a page that does not show the grid.
class UndoController : public Controller
{
    Q_OBJECT
public:
    // `page` takes the actions' keys; `cellMenu` gets the actions at its top; `editor` is the
    // grid's live editor; `moveUnderWay` tells whether a lesson is being dragged or slides.
    UndoController(const Shell &shell, QWidget *page, QMenu *cellMenu, QLineEdit *editor,
                   std::function<bool()> moveUnderWay, std::function<void()> typingKeyPressed, QObject *parent);

    // Undoes / redoes one step when allowed.
    void undoStep();
    void redoStep();
    // The captions and enabled states of the two actions follow the history and the run state.
    void updateActions();
    // restoreStep: puts one side of a step back into the state, refreshes teachers, colours, rooms
    // and counters, and lets the views follow; false when the step no longer fits the grid.
    bool restoreStep(const undo::GridEditCommand &step, bool after);

    // The parts the window tests use.
    QAction *undoAction() const { return m_undo; } // "Отменить: …", Ctrl+Z
    QAction *redoAction() const { return m_redo; } // "Повторить: …", Ctrl+Shift+Z and Ctrl+Y
    QUndoStack *history() const;                   // the funnel's history of the shown day or weekday

signals:
    // A step was put back, before the refresh: the views that show what it changed follow (the
    // second shift's sliders, the pin checks, the note, the frame on its first changed cell).
    void restoring(const day::GridChange &change, bool shiftChanged);
    // After the refresh: the limit lists, the teacher caption, the missing-teacher check of a
    // whole day, and the lists anchored to a cell close.
    void restored(const day::GridChange &change, bool wholeDay);

private:
    bool allowed() const;

    QAction *m_undo = nullptr;
    QAction *m_redo = nullptr;
    std::function<bool()> m_moveUnderWay;
};

} // namespace rasp::ui
