#include "day/daygridview.h"

#include "day/blocking.h"

#include "state.h"

#include <QContextMenuEvent>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStaticText>
#include <QToolTip>

namespace rasp::ui {

using day::GridGeometry;

void DayGridView::mousePressEvent(QMouseEvent *event)
{
    // Presses on the body arrive through the body clip; here only the strips remain.
    const QPoint pos = event->position().toPoint();
    if (event->button() == Qt::LeftButton && pos.x() < GridGeometry::kRowStripWidth
        && pos.y() >= GridGeometry::kHeaderHeight && m_togglesEnabled) {
        const int row = GridGeometry::hitToggle(
            QPoint(pos.x(), pos.y() - GridGeometry::kHeaderHeight + verticalScrollBar()->value()), m_state.max_ur);
        if (row > 0)
            emit toggleClicked(row);
    }
}

QPoint DayGridView::contentOf(QWidget *from, QPointF pos) const
{
    const QPoint inClip = from == m_editor ? m_editor->mapToParent(pos.toPoint()) : pos.toPoint();
    return inClip + QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
}

bool DayGridView::bodyMouse(QEvent::Type type, QPoint content, bool editor)
{
    auto local = [this, content](int row, int column) {
        return QPointF(content.x() - GridGeometry::subjectRect(row, column).x(), content.y() - fieldTop(row, column));
    };
    switch (type) {
    case QEvent::MouseButtonPress: {
        GridGeometry::Hit hit;
        if (editor) {
            hit = {m_editRow, m_editColumn, m_editField};
        } else {
            hit = GridGeometry::hitBody(content, m_state.max_ur, qMax(0, m_state.klassvis));
            // A lifted cell is hit where it is drawn.
            for (const Lifted &l : m_lifted) {
                const QRect sub(GridGeometry::subjectRect(l.row, l.column).x(), qRound(l.top),
                                GridGeometry::kFieldWidth, GridGeometry::kFieldHeight);
                if (sub.contains(content))
                    hit = {l.row, l.column, Field::Subject};
            }
        }
        m_pressRow = m_pressColumn = -1;
        m_pressField = Field::None;
        const bool free = hit.field == Field::Subject && !m_state.grid.cell(hit.row, hit.column).locked();
        if (hit.field != Field::Room && !free)
            return !editor;
        m_pressRow = hit.row;
        m_pressColumn = hit.column;
        m_pressField = hit.field;
        emit cellClicked(hit.row, hit.column, hit.field);
        if (hit.field == Field::Subject)
            emit subjectPressed(hit.row, hit.column, local(hit.row, hit.column));
        return !editor; // the editor still places its caret
    }
    case QEvent::MouseMove:
        if (m_pressField == Field::Subject) {
            emit subjectMoved(m_pressRow, m_pressColumn, local(m_pressRow, m_pressColumn));
            return true; // dragging never selects text
        }
        if (!editor && m_pressField == Field::None
            && GridGeometry::hitBody(content, m_state.max_ur, qMax(0, m_state.klassvis)).field == Field::None)
            emit hoveredOutsideCells();
        return !editor;
    case QEvent::MouseButtonRelease: {
        const int row = m_pressRow;
        const int column = m_pressColumn;
        const Field field = m_pressField;
        m_pressRow = m_pressColumn = -1;
        m_pressField = Field::None;
        if (field == Field::Subject)
            emit subjectReleased(row, column, local(row, column));
        else if (field == Field::Room)
            emit roomReleased(row, column);
        return !editor;
    }
    case QEvent::MouseButtonDblClick: {
        const GridGeometry::Hit hit = editor ? GridGeometry::Hit{m_editRow, m_editColumn, m_editField}
                                             : GridGeometry::hitBody(content, m_state.max_ur, qMax(0, m_state.klassvis));
        // The press half of a double-click still starts a press, as a single click does.
        bodyMouse(QEvent::MouseButtonPress, content, editor);
        if (hit.field == Field::Room || (hit.field == Field::Subject && !m_state.grid.cell(hit.row, hit.column).locked()))
            emit fieldDoubleClicked(hit.row, hit.column, hit.field);
        return !editor;
    }
    default:
        return false;
    }
}

bool DayGridView::bodyContextMenu(QPoint content, QPoint globalPos)
{
    const GridGeometry::Hit hit = GridGeometry::hitBody(content, m_state.max_ur, qMax(0, m_state.klassvis));
    if (hit.field != Field::Subject)
        return false;
    emit cellContextMenu(hit.row, hit.column, content.x() - GridGeometry::subjectRect(hit.row, hit.column).x(),
                         globalPos);
    return true;
}

bool DayGridView::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    const bool mouse = type == QEvent::MouseButtonPress || type == QEvent::MouseMove
                       || type == QEvent::MouseButtonRelease || type == QEvent::MouseButtonDblClick;
    // Only the left button selects, edits and drags; a right press leads to the context menu.
    if (mouse && (watched == m_editor || watched == m_editor->parentWidget())
        && static_cast<QMouseEvent *>(event)->button() != Qt::LeftButton && type != QEvent::MouseMove)
        return true;
    if (type == QEvent::ContextMenu && (watched == m_editor || watched == m_editor->parentWidget())) {
        auto *menu = static_cast<QContextMenuEvent *>(event);
        auto *from = static_cast<QWidget *>(watched);
        if (watched == m_editor && m_editField != Field::Subject)
            return false; // a room field keeps the editor's own menu
        bodyContextMenu(contentOf(from, menu->pos()), menu->globalPos());
        return true;
    }
    if (type == QEvent::ToolTip && (watched == m_editor || watched == m_editor->parentWidget())) {
        auto *help = static_cast<QHelpEvent *>(event);
        showCutText(contentOf(static_cast<QWidget *>(watched), help->pos()), false, help->globalPos());
        return true;
    }
    if (watched == m_editor) {
        if (type == QEvent::KeyRelease) {
            emit editorKeyReleased(m_editRow, m_editColumn, m_editField, static_cast<QKeyEvent *>(event)->key());
            return false;
        }
        if (mouse && m_editRow >= 1)
            return bodyMouse(type, contentOf(m_editor, static_cast<QMouseEvent *>(event)->position()), true);
        return false;
    }
    if (watched == m_editor->parentWidget()) {
        if (type == QEvent::Wheel) {
            event->accept();
            return true;
        }
        if (mouse)
            return bodyMouse(type, contentOf(m_editor->parentWidget(), static_cast<QMouseEvent *>(event)->position()),
                             false);
    }
    return QAbstractScrollArea::eventFilter(watched, event);
}

bool DayGridView::viewportEvent(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        auto *help = static_cast<QHelpEvent *>(event);
        const QPoint pos = help->pos();
        if (pos.y() < GridGeometry::kHeaderHeight && pos.x() >= GridGeometry::kRowStripWidth)
            showCutText(pos + QPoint(horizontalScrollBar()->value(), 0), true, help->globalPos());
        else
            QToolTip::hideText();
        return true;
    }
    return QAbstractScrollArea::viewportEvent(event);
}

QString DayGridView::cutTextAt(QPoint content, bool header)
{
    const int klassvis = qMax(0, m_state.klassvis);
    if (header) {
        const int j = (content.x() - 15) / GridGeometry::kColumnStep;
        if (j < 1 || j > klassvis || !GridGeometry::subjectRect(0, j).contains(content))
            return {};
        const QString &name = m_state.grid.cell(0, j).subject;
        return fitted(name, true, GridGeometry::kFieldWidth).cut ? name : QString();
    }
    const GridGeometry::Hit hit = GridGeometry::hitBody(content, m_state.max_ur, klassvis);
    if (hit.field == Field::None)
        return {};
    const day::Cell &cell = m_state.grid.cell(hit.row, hit.column);
    QString text;
    bool bold = true;
    int width = GridGeometry::kFieldWidth;
    if (hit.field == Field::Room) {
        if (!cell.roomVisible)
            return {};
        text = cell.room;
        bold = false;
    } else if (cell.locked()) {
        text = cell.caption; // the caption is drawn beside the padlock
        width -= day::kPadlockWidth;
    } else {
        text = cell.subject;
    }
    return fitted(text, bold, width).cut ? text : QString();
}

bool DayGridView::showCutText(QPoint content, bool header, QPoint globalPos)
{
    const QString text = cutTextAt(content, header);
    if (text.isEmpty()) {
        QToolTip::hideText();
        return false;
    }
    QToolTip::showText(globalPos, text, viewport());
    return true;
}

void DayGridView::wheelEvent(QWheelEvent *event)
{
    // The wheel never scrolls the grid: it scrolls only by its scroll bars.
    event->accept();
}

} // namespace rasp::ui
