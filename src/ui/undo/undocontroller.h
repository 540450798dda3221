#pragma once

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

    // The parts the window tests use.
    QAction *undoAction() const { return m_undo; } // "Отменить: …", Ctrl+Z
    QAction *redoAction() const { return m_redo; } // "Повторить: …", Ctrl+Shift+Z and Ctrl+Y
    QUndoStack *history() const;                   // the funnel's history of the shown day or weekday

private:
    bool allowed() const;

    QAction *m_undo = nullptr;
    QAction *m_redo = nullptr;
    std::function<bool()> m_moveUnderWay;
};

} // namespace rasp::ui
