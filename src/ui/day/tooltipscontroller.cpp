#include "day/tooltipscontroller.h"

#include "day/explain.h"
#include "day/gridtooltips.h"
#include "state.h"

namespace rasp::ui {

using day::GridGeometry;

ToolTipsController::ToolTipsController(const Shell &shell, DayGridView *grid, Limits limits, QObject *parent)
    : Controller(shell, parent)
    , m_limits(std::move(limits))
{
    new GridToolTips(
        grid, state(), [this](int row, int column, GridGeometry::Field field) { return cellText(row, column, field); },
        [this](int row) { return rowText(row); });
}

ToolTipsController::~ToolTipsController() = default;

QString ToolTipsController::cellText(int row, int column, GridGeometry::Field field) const
{
    const day::Cell &cell = state().grid.cell(row, column);
    QStringList lines;
    if (field == GridGeometry::Room) {
        if (cell.roomColour == day::kRed)
            lines = day::RoomClashLines(state(), row, column);
    } else {
        if (!cell.teachers.isEmpty())
            lines << cell.teachers;
        if (state().regim == day::Regim::Coincidences && cell.background != day::kWhite) {
            lines << day::LessonClashLines(state(), row, column);
            lines << day::ArrangementRuleLine(state(), row, column);
            lines.removeAll(QString());
        }
    }
    return lines.join(u'\n');
}

QString ToolTipsController::rowText(int row) const
{
    const auto [maxLessons, firstGaps] = m_limits();
    return day::RowShapeLines(state(), row, maxLessons, firstGaps).join(u'\n');
}

} // namespace rasp::ui
