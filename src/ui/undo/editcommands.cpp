#include "editcommands.h"

#include "state.h"

namespace rasp::ui::undo {

TypingCommand::TypingCommand(const QString &text, day::GridChange change, RestoreStep restore, int templateDay, int run)
    : GridEditCommand(text, std::move(change), std::move(restore), templateDay)
    , m_run(run)
{
}

bool TypingCommand::mergeWith(const QUndoCommand *other)
{
    const auto *typing = dynamic_cast<const TypingCommand *>(other);
    if (!typing || typing->m_run != m_run)
        return false;
    // Every key release carries the change from the start of the run, so the latest replaces it.
    m_change = typing->m_change;
    setObsolete(m_change.empty()); // typed back to what the field held: no step is left
    return true;
}

ShiftSplitCommand::ShiftSplitCommand(const QString &text, day::GridChange change, RestoreStep restore, int templateDay,
                                     QPoint boundsBefore, QPoint boundsAfter)
    : GridEditCommand(text, std::move(change), std::move(restore), templateDay)
    , m_before(boundsBefore)
    , m_after(boundsAfter)
{
}

void ShiftSplitCommand::applyShift(State &state, bool after) const
{
    const QPoint bounds = after ? m_after : m_before;
    state.vt_sm_x = bounds.x();
    state.vt_sm_y = bounds.y();
}

} // namespace rasp::ui::undo
