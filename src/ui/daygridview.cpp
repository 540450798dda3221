#include "daygridview.h"

#include "day/blocking.h"

#include "state.h"
#include "uiresources.h"

#include <QContextMenuEvent>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSvgRenderer>

namespace rasp::ui {

using day::GridGeometry;

namespace {

constexpr QRgb kStroke = 0xFF7A7A7A;
constexpr QRgb kFrame = 0xFF5E5E5E;

QColor argb(day::Argb c)
{
    return QColor::fromRgba(c);
}

// Renders a picture of the resource file once, at the size it is drawn.
QPixmap picture(const QString &name, QSize size)
{
    rasp::ui::initResources();
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QSvgRenderer renderer(QStringLiteral(":/img/") + name);
    QPainter p(&pixmap);
    renderer.render(&p);
    return pixmap;
}

} // namespace

// The transparent child that covers the grid body: it clips the live editor and the memo to
// the body, so neither ever draws over the two strips.
class BodyClip : public QWidget
{
public:
    using QWidget::QWidget;
};

DayGridView::DayGridView(State &state, QWidget *parent)
    : QAbstractScrollArea(parent)
    , m_state(state)
    , m_lock(picture(QStringLiteral("lock.svg"), QSize(GridGeometry::kFieldWidth, GridGeometry::kFieldHeight)))
    , m_snegOff(picture(QStringLiteral("sneg_off.svg"), QSize(25, 25)))
    , m_snegOn(picture(QStringLiteral("sneg_on.svg"), QSize(25, 25)))
    , m_bold(QStringLiteral("Calibri"), 12)
    , m_plain(QStringLiteral("Calibri"), 12)
{
    m_bold.setBold(true);
    setFrameShape(QFrame::NoFrame);
    viewport()->setAutoFillBackground(true);
    QPalette pal = viewport()->palette();
    pal.setColor(QPalette::Window, Qt::white);
    viewport()->setPalette(pal);
    viewport()->setCursor(Qt::ArrowCursor);

    auto *clip = new BodyClip(viewport());
    clip->setObjectName(QStringLiteral("ScrollBox2"));

    m_editor = new QLineEdit(clip);
    m_editor->setObjectName(QStringLiteral("gridEditor"));
    m_editor->setFrame(false);
    m_editor->setAlignment(Qt::AlignCenter);
    m_editor->setMaxLength(10);
    m_editor->setCursor(Qt::ArrowCursor);
    m_editor->setStyleSheet(QStringLiteral("QLineEdit { background: transparent; border: none; padding: 0px; }"
                                           "QLineEdit:focus { background: rgba(0, 97, 176, 40); }"));
    m_editor->hide();
    m_editor->installEventFilter(this);
    connect(m_editor, &QLineEdit::textEdited, this, [this](const QString &text) {
        if (m_editRow < 1)
            return;
        day::Cell &cell = m_state.grid.cell(m_editRow, m_editColumn);
        (m_editField == Field::Subject ? cell.subject : cell.room) = text;
        emit cellEdited(m_editRow, m_editColumn, m_editField);
    });

    m_memo = new QPlainTextEdit(clip);
    m_memo->setObjectName(QStringLiteral("sMemo1"));
    m_memo->setFont(m_plain);
    m_memo->hide();
    connect(m_memo, &QPlainTextEdit::textChanged, this, [this] { m_state.note = m_memo->toPlainText(); });
    clip->installEventFilter(this);
    clip->setMouseTracking(true);

    horizontalScrollBar()->setSingleStep(GridGeometry::kColumnStep);
    verticalScrollBar()->setSingleStep(GridGeometry::kRowStep);
    gridChanged();
}

QRect DayGridView::bodyViewportRect() const
{
    const QRect vp = viewport()->rect();
    return QRect(GridGeometry::kRowStripWidth, GridGeometry::kHeaderHeight,
                 qMax(0, vp.width() - GridGeometry::kRowStripWidth),
                 qMax(0, vp.height() - GridGeometry::kHeaderHeight));
}

QPoint DayGridView::bodyToViewport(QPoint p) const
{
    return p + QPoint(GridGeometry::kRowStripWidth - horizontalScrollBar()->value(),
                      GridGeometry::kHeaderHeight - verticalScrollBar()->value());
}

QPoint DayGridView::headerToViewport(QPoint p) const
{
    // The header field lies at y 15 of its strip; it is drawn 10 px higher so that it sits
    // wholly inside the 30-px strip.
    return p - QPoint(horizontalScrollBar()->value(), 10);
}

void DayGridView::gridChanged()
{
    updateScrollBars();
    placeMemo();
    placeEditor();
    viewport()->update();
}

void DayGridView::updateScrollBars()
{
    const QSize content = GridGeometry::bodySize(m_state.max_ur, qMax(0, m_state.klassvis));
    const QRect body = bodyViewportRect();
    horizontalScrollBar()->setRange(0, qMax(0, content.width() - body.width()));
    horizontalScrollBar()->setPageStep(body.width());
    verticalScrollBar()->setRange(0, qMax(0, content.height() - body.height()));
    verticalScrollBar()->setPageStep(body.height());
    if (QWidget *clip = m_editor->parentWidget())
        clip->setGeometry(body);
}

void DayGridView::placeMemo()
{
    if (m_state.klassvis < 1)
        return;
    const QRect r = GridGeometry::memoRect(m_state.max_ur, m_state.klassvis);
    m_memo->setGeometry(QRect(bodyToViewport(r.topLeft()) - bodyViewportRect().topLeft(), r.size()));
}

void DayGridView::placeEditor()
{
    if (m_editRow < 1 || m_editColumn > m_state.klassvis || m_editRow > m_state.max_ur) {
        m_editor->hide();
        return;
    }
    const day::Cell &cell = m_state.grid.cell(m_editRow, m_editColumn);
    const bool subject = m_editField == Field::Subject;
    if (subject && cell.locked()) {
        m_editor->hide();
        return;
    }
    QRect r = subject ? GridGeometry::subjectRect(m_editRow, m_editColumn)
                      : GridGeometry::roomRect(m_editRow, m_editColumn).adjusted(1, 1, -1, -1);
    // A lifted cell carries its editor along.
    r.translate(0, qRound(fieldTop(m_editRow, m_editColumn)) - GridGeometry::slotTop(m_editRow));
    r.moveTopLeft(bodyToViewport(r.topLeft()) - bodyViewportRect().topLeft());
    m_editor->setGeometry(r);
    m_editor->setFont(subject ? m_bold : m_plain);
    QPalette pal = m_editor->palette();
    pal.setColor(QPalette::Text, argb(subject ? cell.textColour : cell.roomColour));
    m_editor->setPalette(pal);
    m_editor->show();
}

void DayGridView::focusField(int row, int column, Field field, bool takeFocus)
{
    m_editRow = row;
    m_editColumn = column;
    m_editField = field;
    syncEditor();
    if (takeFocus && m_editor->isVisible())
        m_editor->setFocus(Qt::MouseFocusReason);
    viewport()->update();
}

void DayGridView::releaseEditor()
{
    m_editRow = m_editColumn = -1;
    m_editField = Field::None;
    m_editor->hide();
    viewport()->update();
}

void DayGridView::syncEditor()
{
    if (m_editRow >= 1 && m_editRow <= m_state.max_ur && m_editColumn >= 1 && m_editColumn <= m_state.klassvis) {
        const day::Cell &cell = m_state.grid.cell(m_editRow, m_editColumn);
        const QString &text = m_editField == Field::Subject ? cell.subject : cell.room;
        if (m_editor->text() != text)
            m_editor->setText(text);
    }
    placeEditor();
}

void DayGridView::setTogglesEnabled(bool enabled)
{
    m_togglesEnabled = enabled;
    viewport()->update();
}

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
        p.setPen(Qt::black);
        const int firstHeader = qMax(1, (hs - 15) / GridGeometry::kColumnStep);
        const int lastHeader = qMin(klassvis, (hs + header.width()) / GridGeometry::kColumnStep + 1);
        for (int j = firstHeader; j <= lastHeader; ++j) {
            const QRect h = GridGeometry::subjectRect(0, j);
            drawCentred(p, QRect(headerToViewport(h.topLeft()), h.size()), grid.cell(0, j).subject, true);
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
        p.setPen(m_togglesEnabled ? Qt::black : Qt::gray);
        if (!m_togglesEnabled)
            p.setOpacity(0.5);
        for (int i = 1; i <= s.max_ur; ++i) {
            const QRect t = GridGeometry::toggleRect(i);
            const QPoint at(t.x(), t.y() + GridGeometry::kHeaderHeight - vs);
            p.drawPixmap(at, grid.frozen(i) ? m_snegOn : m_snegOff);
            const QRect n = GridGeometry::rowLabelRect(i);
            drawCentred(p, QRect(QPoint(n.x(), n.y() + GridGeometry::kHeaderHeight - vs), n.size()),
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
        drawCentred(p, sub.adjusted(day::kPadlockWidth, 1, 0, 1), cell.caption, true);
    } else {
        p.setPen(stroke);
        p.setBrush(argb(cell.background));
        p.drawRect(sub.adjusted(0, 0, -1, -1));
        const bool editing = editorShown && m_editField == Field::Subject && m_editRow == i && m_editColumn == j;
        if (!editing && !cell.subject.isEmpty()) {
            p.setPen(argb(cell.textColour));
            drawCentred(p, sub, cell.subject, true);
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
            drawCentred(p, room, cell.room, false);
        }
    }
}

int DayGridView::liftedIndex(int row, int column) const
{
    for (std::size_t n = 0; n < m_lifted.size(); ++n)
        if (m_lifted[n].row == row && m_lifted[n].column == column)
            return int(n);
    return -1;
}

void DayGridView::setLifted(int row, int column, double top)
{
    const int n = liftedIndex(row, column);
    if (n >= 0)
        m_lifted.erase(m_lifted.begin() + n);
    m_lifted.push_back({row, column, top}); // the last lifted cell is drawn in front
    placeEditor();
    viewport()->update();
}

void DayGridView::clearLifted(int row, int column)
{
    const int n = liftedIndex(row, column);
    if (n < 0)
        return;
    m_lifted.erase(m_lifted.begin() + n);
    placeEditor();
    viewport()->update();
}

void DayGridView::clearLifted()
{
    m_lifted.clear();
    placeEditor();
    viewport()->update();
}

double DayGridView::fieldTop(int row, int column) const
{
    const int n = liftedIndex(row, column);
    return n >= 0 ? m_lifted[std::size_t(n)].top : GridGeometry::slotTop(row);
}

QRect DayGridView::bodyRectInViewport(const QRect &bodyRect) const
{
    return QRect(bodyToViewport(bodyRect.topLeft()), bodyRect.size());
}

QRect DayGridView::cornerRect() const
{
    return QRect(0, 0, GridGeometry::kRowStripWidth, GridGeometry::kHeaderHeight);
}

void DayGridView::drawCentred(QPainter &p, const QRect &r, const QString &text, bool bold)
{
    QHash<QString, QStaticText> &cache = bold ? m_boldTexts : m_plainTexts;
    if (cache.size() > 4096)
        cache.clear();
    auto it = cache.find(text);
    if (it == cache.end()) {
        QStaticText laid(text);
        laid.setTextFormat(Qt::PlainText);
        laid.setPerformanceHint(QStaticText::AggressiveCaching);
        laid.prepare(QTransform(), bold ? m_bold : m_plain);
        it = cache.insert(text, laid);
    }
    p.setFont(bold ? m_bold : m_plain);
    const QSizeF size = it->size();
    const QPointF at(r.x() + (r.width() - size.width()) / 2.0, r.y() + (r.height() - size.height()) / 2.0);
    if (size.width() <= r.width()) {
        p.drawStaticText(at, *it);
        return;
    }
    // A text wider than its field is cut at the field's edges, as a text field shows it.
    p.save();
    p.setClipRect(r, Qt::IntersectClip);
    p.drawStaticText(at, *it);
    p.restore();
}

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

void DayGridView::wheelEvent(QWheelEvent *event)
{
    // The wheel never scrolls the grid: it scrolls only by its scroll bars.
    event->accept();
}

void DayGridView::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    gridChanged();
}

void DayGridView::scrollContentsBy(int, int)
{
    placeMemo();
    placeEditor();
    viewport()->update();
}

} // namespace rasp::ui
