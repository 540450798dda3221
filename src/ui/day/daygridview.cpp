#include "day/daygridview.h"

#include "edit/editfunnel.h"
#include "state.h"
#include "widgets/codepageguard.h"
#include "widgets/typedlength.h"
#include "shell/uiresources.h"

#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSvgRenderer>

namespace rasp::ui {

using day::GridGeometry;

namespace {

// The colour of a core ARGB value.
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

DayGridView::DayGridView(const State &state, QWidget *parent)
    : QAbstractScrollArea(parent)
    , m_state(state)
    , m_lock(picture(QStringLiteral("lock.svg"), QSize(GridGeometry::kFieldWidth, GridGeometry::kFieldHeight)))
    , m_snegOff(picture(QStringLiteral("sneg_off.svg"), QSize(25, 25)))
    , m_snegOn(picture(QStringLiteral("sneg_on.svg"), QSize(25, 25)))
    , m_bold(QStringLiteral("Calibri"), 12)
    , m_plain(QStringLiteral("Calibri"), 12)
    , m_boldFit(m_bold)
    , m_plainFit(m_plain)
{
    m_bold.setBold(true);
    m_boldFit = FieldFont(m_bold);
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
    // A text read from a file may be longer than may be typed: it is shown and kept whole.
    // "|" separates the fields of the day and template files, so it is never taken.
    m_editor->setValidator(new TypedLengthValidator(
        GridGeometry::kTypedLength, [this] { return editedText().size(); }, QStringLiteral("|"), m_editor));
    m_editor->setCursor(Qt::ArrowCursor);
    m_editor->setStyleSheet(QStringLiteral("QLineEdit { background: transparent; border: none; padding: 0px; }"
                                           "QLineEdit:focus { background: rgba(0, 97, 176, 40); }"));
    m_editor->hide();
    m_editor->installEventFilter(this);
    connect(m_editor, &QLineEdit::textEdited, this, [this](const QString &text) {
        if (m_editRow < 1)
            return;
        if (m_edits)
            m_edits->typeText(m_editRow, m_editColumn, m_editField, text);
        placeEditor(); // a longer text is set smaller, as the painted field sets it
        emit cellEdited(m_editRow, m_editColumn, m_editField);
    });

    m_memo = new QPlainTextEdit(clip);
    m_memo->setObjectName(QStringLiteral("sMemo1"));
    m_memo->setFont(m_plain);
    m_memo->hide();
    connect(m_memo, &QPlainTextEdit::textChanged, this, [this] {
        if (TakeOutOutside1251(m_memo)) // the day file cannot hold them; this runs anew for the rest
            return;
        if (m_edits)
            m_edits->typeNote(m_memo->toPlainText());
    });
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
    return p + QPoint(GridGeometry::kRowStripWidth - horizontalScrollBar()->value(), GridGeometry::kHeaderHeight - verticalScrollBar()->value());
}

QPoint DayGridView::headerToViewport(QPoint p) const
{
    // The header field lies at y 15 of its 30-px strip, below the groove of the second-shift
    // slider that runs across the strip's upper half; the strip cuts the field's lowest 5 px.
    return p - QPoint(horizontalScrollBar()->value(), 0);
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
    // The editor sets its text as the field painted it, so opening it moves no letter.
    const QString text = m_editor->text();
    m_editor->setFont(text.isEmpty() ? (subject ? m_bold : m_plain) : fitted(text, subject, r.width()).font);
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
        const QString text = editedText();
        if (m_editor->text() != text) {
            m_editor->setText(text);
            // A text cut even at the floor shows its beginning; one that fits takes typing at its end.
            if (fitted(text, m_editField == Field::Subject, GridGeometry::kFieldWidth).cut)
                m_editor->setCursorPosition(0);
        }
    }
    placeEditor();
}

QString DayGridView::editedText() const
{
    if (m_editRow < 1 || m_editRow > m_state.max_ur || m_editColumn < 1 || m_editColumn > m_state.klassvis)
        return {};
    const day::Cell &cell = m_state.grid.cell(m_editRow, m_editColumn);
    return m_editField == Field::Subject ? cell.subject : cell.room;
}

void DayGridView::setTogglesEnabled(bool enabled)
{
    m_togglesEnabled = enabled;
    viewport()->update();
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
