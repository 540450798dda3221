#include "gridcommand.h"

#include "state.h"

using namespace Qt::Literals::StringLiterals;

namespace rasp::ui::undo {

GridEditCommand::GridEditCommand(const QString &text, day::GridChange change, RestoreStep restore, int templateDay,
                                 QString selection)
    : m_change(std::move(change))
    , m_restore(std::move(restore))
    , m_templateDay(templateDay)
    , m_selection(std::move(selection))
{
    setText(text);
}

void GridEditCommand::undo()
{
    if (!m_restore(*this, false))
        setObsolete(true);
}

void GridEditCommand::redo()
{
    if (m_done) {
        m_done = false;
        return;
    }
    if (!m_restore(*this, true))
        setObsolete(true);
}

QString CellName(const State &state, int row, int column)
{
    return state.grid.cell(0, column).subject + u", "_s + QString::number(row);
}

} // namespace rasp::ui::undo
