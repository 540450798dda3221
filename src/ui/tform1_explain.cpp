// Explanations on the grid: the entry points of the grid's tool tips. The work is done by
// rasp::ui::ToolTipsController (src/ui/day), whose texts come from core (day/explain).
#include "tform1.h"

#include "arrange/arrangecontroller.h"
#include "day/tooltipscontroller.h"

using rasp::day::GridGeometry;

void TForm1::wireExplain()
{
    m_toolTips = new rasp::ui::ToolTipsController(
        shellServices(), grid, [this] { return std::pair{m_arrange->maxLessons(), m_arrange->firstGaps()}; }, this);
}
