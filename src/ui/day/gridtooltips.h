#pragma once

#include "day/gridgeometry.h"

#include <QObject>

#include <functional>

namespace rasp {
struct State;
}

namespace rasp::ui {

class DayGridView;

// Tool tips of the day grid: the grid is painted by one widget, so a tool-tip request on its
// body, its live editor or its row strip is turned into a lesson field or a row number here, and
// the text comes from the window (teacher list and explanations of colours and shapes).
class GridToolTips : public QObject
{
    Q_OBJECT
public:
    using CellText = std::function<QString(int row, int column, day::GridGeometry::Field field)>;
    using RowText = std::function<QString(int row)>;
    GridToolTips(DayGridView *grid, const State &state, CellText cellText, RowText rowText);

    // The lesson row whose number label or freeze toggle lies at a row-strip height (body y).
    static int rowAt(int bodyY, int maxUr);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    DayGridView *m_grid;
    const State &m_state;
    QWidget *m_body;
    CellText m_cellText;
    RowText m_rowText;
};

} // namespace rasp::ui
