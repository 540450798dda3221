// Explanations on the grid: a lesson's tool tip names its teachers and, where the mode
// "только совпадения" colours it, the classes of the row that share a teacher; a red room names
// the classes that use it too; a row number names the classes whose day has a gap or starts late
// there. The texts come from core (day/explain), which the CLI prints as well.
#include "tform1.h"

#include "arrange/arrangecontroller.h"
#include "day/explain.h"
#include "gridtooltips.h"

#include <QComboBox>

using namespace Qt::Literals::StringLiterals;
using rasp::day::GridGeometry;

void TForm1::wireExplain()
{
    new rasp::ui::GridToolTips(
        grid, m_state, [this](int row, int column, GridGeometry::Field field) { return cellToolTip(row, column, field); },
        [this](int row) { return rowToolTip(row); });
}

QString TForm1::cellToolTip(int row, int column, GridGeometry::Field field) const
{
    const rasp::day::Cell &cell = m_state.grid.cell(row, column);
    QStringList lines;
    if (field == GridGeometry::Room) {
        if (cell.roomColour == rasp::day::kRed)
            lines = rasp::day::RoomClashLines(m_state, row, column);
    } else {
        if (!cell.teachers.isEmpty())
            lines << cell.teachers;
        if (m_state.regim == rasp::day::Regim::Coincidences && cell.background != rasp::day::kWhite) {
            lines << rasp::day::LessonClashLines(m_state, row, column);
            lines << rasp::day::ArrangementRuleLine(m_state, row, column);
            lines.removeAll(QString());
        }
    }
    return lines.join(u'\n');
}

QString TForm1::rowToolTip(int row) const
{
    return rasp::day::RowShapeLines(m_state, row, m_arrange->maxLessons(), m_arrange->firstGaps())
        .join(u'\n');
}
