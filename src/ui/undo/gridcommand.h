#pragma once

#include "day/gridsnapshot.h"

#include <QPoint>
#include <QUndoCommand>

#include <functional>

namespace rasp::ui::undo {

class GridEditCommand;

// Puts one side of a step into the window's grid and runs the refresh that follows it; false
// when the grid no longer has the shape the step was taken on. The window provides it.
using RestoreStep = std::function<bool(const GridEditCommand &step, bool after)>;

// One undo step of the day or template grid: the cells (and freeze toggles, note, pin checks) it
// changed, before and after, as core took them. The edit itself has already been done when the
// command is pushed, so its first redo does nothing; later undos and redos hand the change to
// the window, which restores it and refreshes what is derived from the cells.
class GridEditCommand : public QUndoCommand
{
public:
    // `selection` is the teacher list the edit's own resolution selected (mode "только
    // выбранного учителя"); `templateDay` the weekday written through on the template page, or 0.
    GridEditCommand(const QString &text, day::GridChange change, RestoreStep restore, int templateDay,
                    QString selection = {});

    void undo() override;
    void redo() override;

    const day::GridChange &change() const { return m_change; }
    int templateDay() const { return m_templateDay; }
    const QString &selection() const { return m_selection; }
    // Whether the step replaced the whole day (clear, fill, arrangement): the missing-teacher
    // check runs after it as after a load.
    virtual bool wholeDay() const { return false; }
    // Puts the second-shift bounds of one side into the state; only the split step has them.
    virtual void applyShift(State &, bool) const { }
    virtual bool changesShift() const { return false; }

protected:
    day::GridChange m_change;

private:
    RestoreStep m_restore;
    int m_templateDay = 0;
    QString m_selection;
    bool m_done = true; // the edit is on the grid already: the push's redo is skipped
};

// The name of a cell in step texts: "5А, 2" (class name, lesson row).
QString CellName(const State &state, int row, int column);

} // namespace rasp::ui::undo
