#include "day/daygridview.h"

#include "day/blocking.h"

#include "state.h"

#include <QLineEdit>
#include <QPainter>
#include <QPaintEvent>
#include <QScrollBar>

namespace rasp::ui {

using day::GridGeometry;

namespace {

constexpr QRgb kStroke = 0xFF7A7A7A;
constexpr QRgb kFrame = 0xFF5E5E5E;
constexpr QRgb kMovedMark = 0xFF0061B0; // the accent colour: frames of lessons an exact arrangement moved
constexpr QRgb kOpenMark = 0xFFC2185B;  // open lessons: a crimson no palette colour uses, hatched and dashed
constexpr int kTextInset = 1;           // a cut text starts this far inside its field, clear of the stroke

// The colour of a core ARGB value.
QColor argb(day::Argb c)
{
    return QColor::fromRgba(c);
}

} // namespace

void DayGridView::paintEvent(QPaintEvent *event)
{
    QPainter p(viewport());
    paintGrid(p, event->rect());
}

void DayGridView::renderTo(QPaintDevice *device)
{
    QPainter p(device);
    p.fillRect(QRect(0, 0, device->width(), device->height()), Qt::white);
    paintGrid(p, QRect(0, 0, device->width(), device->height()));
}

void DayGridView::setMovedMarks(std::vector<std::pair<int, int>> cells)
{
    m_movedMarks = std::move(cells);
    viewport()->update();
}

void DayGridView::clearMovedMarks()
{
    if (m_movedMarks.empty())
        return;
    m_movedMarks.clear();
    viewport()->update();
}

void DayGridView::setOpenMarks(std::vector<std::pair<int, int>> cells)
{
    if (cells == m_openMarks)
        return;
    m_openMarks = std::move(cells);
    viewport()->update();
}

void DayGridView::paintGrid(QPainter &p, const QRect &exposed)
{
    const State &s = m_state;
    const day::DayGrid &grid = s.grid;
    const int hs = horizontalScrollBar()->value();
    const int vs = verticalScrollBar()->value();
    const QRect body = bodyViewportRect();
    const int klassvis = qMax(0, s.klassvis);

    // Visible class and row ranges, from the exposed part of the body.
    const QRect area = exposed.intersected(QRect(body.topLeft(), QSize(exposed.right() + 1, exposed.bottom() + 1)));
    const int firstColumn = qMax(1, (area.left() - body.left() + hs) / GridGeometry::kColumnStep);
    const int lastColumn = qMin(klassvis, (area.right() - body.left() + hs) / GridGeometry::kColumnStep + 1);
    const int firstRow = qMax(1, (area.top() - body.top() + vs) / GridGeometry::kRowStep);
    const int lastRow = qMin(s.max_ur, (area.bottom() - body.top() + vs) / GridGeometry::kRowStep + 1);

    const bool editorShown = m_editor->isVisible();

    // Grid body.
    p.save();
    p.setClipRect(body);
    for (int j = firstColumn; j <= lastColumn; ++j)
        for (int i = firstRow; i <= lastRow; ++i)
            if (liftedIndex(i, j) < 0)
                paintCell(p, i, j, GridGeometry::slotTop(i), editorShown);
    for (const Lifted &l : m_lifted)
        if (l.row >= 1 && l.row <= s.max_ur && l.column >= 1 && l.column <= klassvis)
            paintCell(p, l.row, l.column, qRound(l.top), editorShown);
    if (!m_openMarks.empty()) {
        QPen dashed(QColor::fromRgba(kOpenMark), 2, Qt::DashLine);
        for (const auto &[row, column] : m_openMarks) {
            if (row < firstRow || row > lastRow || column < firstColumn || column > lastColumn)
                continue;
            const QRect f = GridGeometry::frameRect(row, column);
            const QRect r = QRect(bodyToViewport(f.topLeft()), f.size()).adjusted(1, 1, -1, -1);
            p.setPen(Qt::NoPen);
            QColor hatch = QColor::fromRgba(kOpenMark);
            hatch.setAlpha(110); // the subject stays readable through the hatching
            p.setBrush(QBrush(hatch, Qt::BDiagPattern));
            p.drawRect(r);
            p.setPen(dashed);
            p.setBrush(Qt::NoBrush);
            p.drawRect(r);
        }
    }
    if (!m_movedMarks.empty()) {
        p.setPen(QPen(QColor::fromRgba(kMovedMark), 2));
        p.setBrush(Qt::NoBrush);
        for (const auto &[row, column] : m_movedMarks) {
            if (row < firstRow || row > lastRow || column < firstColumn || column > lastColumn)
                continue;
            const QRect f = GridGeometry::frameRect(row, column);
            p.drawRect(QRect(bodyToViewport(f.topLeft()), f.size()).adjusted(2, 2, -2, -2));
        }
    }
    if (grid.ramkaVisible && klassvis > 0 && grid.ramkaRow >= 1) {
        QRect f = GridGeometry::frameRect(grid.ramkaRow, grid.ramkaColumn);
        f.translate(0, qRound(fieldTop(grid.ramkaRow, grid.ramkaColumn)) - GridGeometry::slotTop(grid.ramkaRow));
        p.setPen(QColor::fromRgba(kFrame));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRect(bodyToViewport(f.topLeft()), f.size()).adjusted(0, 0, -1, -1));
    }
    p.restore();

    // Class-header strip: the class names of row 0.
    const QRect header(0, 0, viewport()->width(), GridGeometry::kHeaderHeight);
    if (exposed.intersects(header)) {
        p.save();
        p.setClipRect(header);
        p.fillRect(header, Qt::white);
        p.setFont(m_bold);
        // Greyed with the rest of the window while it is disabled (a question or notice is open).
        p.setPen(isEnabled() ? QColor(Qt::black) : QColor(Qt::gray));
        const int firstHeader = qMax(1, (hs - 15) / GridGeometry::kColumnStep);
        const int lastHeader = qMin(klassvis, (hs + header.width()) / GridGeometry::kColumnStep + 1);
        for (int j = firstHeader; j <= lastHeader; ++j) {
            const QRect h = GridGeometry::subjectRect(0, j);
            drawFieldText(p, QRect(headerToViewport(h.topLeft()), h.size()), grid.cell(0, j).subject, true);
        }
        p.restore();
    }

    // Row strip: freeze toggles and row numbers.
    const QRect strip(0, GridGeometry::kHeaderHeight, GridGeometry::kRowStripWidth, body.height());
    if (exposed.intersects(strip)) {
        p.save();
        p.setClipRect(strip);
        p.fillRect(strip, Qt::white);
        p.setFont(m_bold);
        const bool bright = m_togglesEnabled && isEnabled();
        p.setPen(bright ? Qt::black : Qt::gray);
        if (!bright)
            p.setOpacity(0.5);
        for (int i = 1; i <= s.max_ur; ++i) {
            const QRect t = GridGeometry::toggleRect(i);
            const QPoint at(t.x(), t.y() + GridGeometry::kHeaderHeight - vs);
            p.drawPixmap(at, grid.frozen(i) ? m_snegOn : m_snegOff);
            const QRect n = GridGeometry::rowLabelRect(i);
            drawFieldText(p, QRect(QPoint(n.x(), n.y() + GridGeometry::kHeaderHeight - vs), n.size()),
                          QString::number(i), true);
        }
        p.restore();
    }
}

void DayGridView::paintCell(QPainter &p, int i, int j, int top, bool editorShown)
{
    static const QPen stroke{QColor::fromRgba(kStroke)};
    const day::Cell &cell = m_state.grid.cell(i, j);
    const int dy = top - GridGeometry::slotTop(i);
    const QRect sub(bodyToViewport(GridGeometry::subjectRect(i, j).topLeft() + QPoint(0, dy)),
                    QSize(GridGeometry::kFieldWidth, GridGeometry::kFieldHeight));
    if (cell.locked()) {
        p.drawPixmap(sub.topLeft(), m_lock);
        p.setPen(Qt::black);
        // The caption is centred beside the padlock at the picture's left edge.
        drawFieldText(p, sub.adjusted(day::kPadlockWidth, 1, 0, 1), cell.caption, true);
    } else {
        p.setPen(stroke);
        p.setBrush(argb(cell.background));
        p.drawRect(sub.adjusted(0, 0, -1, -1));
        const bool editing = editorShown && m_editField == Field::Subject && m_editRow == i && m_editColumn == j;
        if (!editing && !cell.subject.isEmpty()) {
            p.setPen(argb(cell.textColour));
            drawFieldText(p, sub, cell.subject, true);
        }
    }
    if (cell.roomVisible) {
        const QRect room(bodyToViewport(GridGeometry::roomRect(i, j).topLeft() + QPoint(0, dy)),
                         QSize(GridGeometry::kFieldWidth, GridGeometry::kFieldHeight));
        p.setPen(stroke);
        p.setBrush(Qt::white);
        p.drawRect(room.adjusted(0, 0, -1, -1));
        const bool editing = editorShown && m_editField == Field::Room && m_editRow == i && m_editColumn == j;
        if (!editing && !cell.room.isEmpty()) {
            p.setPen(argb(cell.roomColour));
            drawFieldText(p, room, cell.room, false);
        }
    }
}

const FieldFont::Fitted &DayGridView::fitted(const QString &text, bool bold, int fieldWidth)
{
    return (bold ? m_boldFit : m_plainFit).fit(text, textWidth(fieldWidth));
}

const DayGridView::Laid &DayGridView::laidOut(const QString &text, bool bold, int fieldWidth)
{
    QHash<QString, Laid> &cache = bold ? m_boldTexts : m_plainTexts;
    if (cache.size() > 4096)
        cache.clear();
    const QString key = QString::number(fieldWidth) + u'\x1f' + text;
    auto it = cache.find(key);
    if (it == cache.end()) {
        const FieldFont::Fitted &f = fitted(text, bold, fieldWidth);
        QStaticText laid(text);
        laid.setTextFormat(Qt::PlainText);
        laid.setPerformanceHint(QStaticText::AggressiveCaching);
        laid.prepare(QTransform(), f.font);
        it = cache.insert(key, Laid{laid, f.font, f.cut});
    }
    return *it;
}

void DayGridView::drawFieldText(QPainter &p, const QRect &r, const QString &text, bool bold)
{
    const Laid &laid = laidOut(text, bold, r.width());
    p.setFont(laid.font);
    const QSizeF size = laid.text.size();
    const double y = r.y() + (r.height() - size.height()) / 2.0;
    if (!laid.cut) {
        p.drawStaticText(QPointF(r.x() + (r.width() - size.width()) / 2.0, y), laid.text);
        return;
    }
    // A text too wide even at the floor size shows its beginning and is cut at the right edge,
    // as a text field shows it; the whole text is in the field's tooltip.
    p.save();
    p.setClipRect(r, Qt::IntersectClip);
    p.drawStaticText(QPointF(r.x() + kTextInset, y), laid.text);
    p.restore();
}

} // namespace rasp::ui
