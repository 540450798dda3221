#pragma once

#include "shell/controller.h"

#include "day/gridgeometry.h"

#include <QString>

#include <functional>
#include <utility>

namespace rasp::ui {

class DayGridView;

// The explanations of the day grid's colours and shapes as tool tips: a lesson's teachers and,
// where "только совпадения" colours it, the classes sharing them and the arrangement's rule; a
// red room's other classes; a row number's classes with a gap or a late start. The texts come
// from core (day/explain), which the CLI prints as well. It reads the state; it changes nothing.
class ToolTipsController : public Controller
{
    Q_OBJECT
public:
    // "максимум уроков" and "отсутствие первых уроков" as the arrangement's limit lists show them.
    using Limits = std::function<std::pair<int, int>()>;

    // Watches the tool-tip requests of `grid` (its body, editor and row strip).
    ToolTipsController(const Shell &shell, DayGridView *grid, Limits limits, QObject *parent);
    ~ToolTipsController() override;

    // cellToolTip: a lesson field's or a room field's tool tip.
    QString cellText(int row, int column, day::GridGeometry::Field field) const;
    // rowToolTip: a row number's tool tip.
    QString rowText(int row) const;

private:
    Limits m_limits;
};

} // namespace rasp::ui
