#pragma once

#include "gridcommand.h"

namespace rasp::ui::undo {

// A run of typing in one subject or room field: each key release merges the run's change so
// far into the step, until the field loses the focus and the run closes.
class TypingCommand : public GridEditCommand
{
public:
    TypingCommand(const QString &text, day::GridChange change, RestoreStep restore, int templateDay, int run);
    int id() const override { return 1; }
    bool mergeWith(const QUndoCommand *other) override;
    int run() const { return m_run; }

private:
    int m_run; // number of the typing run this step belongs to
};

// A subject or a room picked from its list.
class PickCommand : public GridEditCommand
{
public:
    using GridEditCommand::GridEditCommand;
};

// A lesson dragged to another row of its class, exchanged with the lesson there.
class MoveLessonCommand : public GridEditCommand
{
public:
    using GridEditCommand::GridEditCommand;
};

// Locks and unlocks: a cell or a region from the cell menu, a row frozen or unfrozen, a subject
// pinned or unpinned in "Не перемещать", "Снять выделение".
class LockCommand : public GridEditCommand
{
public:
    using GridEditCommand::GridEditCommand;
};

// An edit that replaces the day as a whole: clearing it, filling it from the template, an
// arrangement run and the return to the state before the run.
class WholeDayCommand : public GridEditCommand
{
public:
    using GridEditCommand::GridEditCommand;
    bool wholeDay() const override { return true; }
};

// Absences and covers: a teacher marked away or back, a cover chosen or dropped, a whole-day
// cover accepted.
class AbsenceCommand : public GridEditCommand
{
public:
    using GridEditCommand::GridEditCommand;
};

// A move of a second-shift slider: the bounds before and after, with the locks they changed.
class ShiftSplitCommand : public GridEditCommand
{
public:
    ShiftSplitCommand(const QString &text, day::GridChange change, RestoreStep restore, int templateDay,
                      QPoint boundsBefore, QPoint boundsAfter);
    void applyShift(State &state, bool after) const override;
    bool changesShift() const override { return true; }

private:
    QPoint m_before; // (vt_sm_x, vt_sm_y)
    QPoint m_after;
};

} // namespace rasp::ui::undo
