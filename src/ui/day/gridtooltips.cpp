#include "day/gridtooltips.h"

#include "day/daygridview.h"
#include "state.h"

#include <QHelpEvent>
#include <QLineEdit>
#include <QScrollBar>
#include <QToolTip>

namespace rasp::ui {

using day::GridGeometry;

GridToolTips::GridToolTips(DayGridView *grid, const State &state, CellText cellText, RowText rowText)
    : QObject(grid)
    , m_grid(grid)
    , m_state(state)
    , m_body(grid->findChild<QWidget *>(QStringLiteral("ScrollBox2")))
    , m_cellText(std::move(cellText))
    , m_rowText(std::move(rowText))
{
    grid->viewport()->installEventFilter(this);
    grid->editor()->installEventFilter(this);
    if (m_body)
        m_body->installEventFilter(this);
}

int GridToolTips::rowAt(int bodyY, int maxUr)
{
    // Row r spans from 5 px above its subject field (Y(r) = 45r - 40) to the next row's span.
    if (bodyY < 0)
        return -1;
    const int row = (bodyY + 40) / GridGeometry::kRowStep;
    return row >= 1 && row <= maxUr ? row : -1;
}

bool GridToolTips::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::ToolTip)
        return false;
    auto *help = static_cast<QHelpEvent *>(event);
    auto *widget = static_cast<QWidget *>(watched);
    const QPoint scroll(m_grid->horizontalScrollBar()->value(), m_grid->verticalScrollBar()->value());
    const State &state = m_state;
    QString text;
    if (watched == m_grid->viewport()) {
        // Only the row strip is the viewport's own; the body lies under its clip.
        const QPoint p = help->pos();
        // The class-name strip is the view's own: it names a cut class name.
        if (p.y() < GridGeometry::kHeaderHeight)
            return false;
        if (p.x() < GridGeometry::kRowStripWidth) {
            const int row = rowAt(p.y() - GridGeometry::kHeaderHeight + scroll.y(), state.max_ur);
            if (row > 0)
                text = m_rowText(row);
        }
    } else {
        const QPoint inBody = watched == m_grid->editor() ? m_grid->editor()->mapToParent(help->pos()) : help->pos();
        const GridGeometry::Hit hit = GridGeometry::hitBody(inBody + scroll, state.max_ur, qMax(0, state.klassvis));
        if (hit.field != GridGeometry::None && hit.row >= 1) {
            // A text cut by its field comes first in full, then what explains the cell.
            QStringList lines{m_grid->cutTextAt(inBody + scroll, false), m_cellText(hit.row, hit.column, hit.field)};
            lines.removeAll(QString());
            text = lines.join(u'\n');
        }
    }
    if (text.isEmpty()) {
        QToolTip::hideText();
        event->ignore();
    } else {
        QToolTip::showText(help->globalPos(), text, widget);
    }
    return true;
}

} // namespace rasp::ui
