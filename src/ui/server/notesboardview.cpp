#include "server/notesboardview.h"
#include "widgets/shownbreaks.h"

#include <QFontMetricsF>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScrollBar>
#include <QToolTip>

namespace rasp::ui {

namespace {

const QColor kBorder = QColor::fromRgba(0xFF676767);

} // namespace

NotesBoardView::NotesBoardView(QWidget *parent)
    : QAbstractScrollArea(parent)
{
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Always there, so the cards' width (and so their heights) never depends on their number.
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    viewport()->setAutoFillBackground(false);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, viewport(), qOverload<>(&QWidget::update));
}

void NotesBoardView::setBoard(server::NotesBoardModel board)
{
    m_board = std::move(board);
    m_pressed = -1;
    relayout();
    verticalScrollBar()->setValue(0);
}

void NotesBoardView::clear()
{
    setBoard({});
}

int NotesBoardView::ViravHeight(const QString &ss, bool bold, int siz, int width) const
{
    QFont f = font();
    f.setPointSize(siz);
    f.setBold(bold);
    const QFontMetrics fm(f);
    return fm.boundingRect(QRect(0, 0, std::max(width, 1), 1 << 24), Qt::AlignLeft | Qt::TextWordWrap, ShownBreaks(ss))
        .height();
}

void NotesBoardView::relayout()
{
    // The viewport's own width once the board shows; a hidden board is laid out too, at the
    // width to come, and again when it shows (its size may have changed while it was hidden).
    const int width = isVisible() ? std::max(viewport()->width(), 1)
                                  : std::max(this->width() - 2 * frameWidth() - verticalScrollBar()->sizeHint().width(), 1);
    // A short board (the tool panel's) takes the compact cards, so two short notes show whole.
    const int height = isVisible() ? viewport()->height() : this->height() - 2 * frameWidth();
    std::vector<int> heights;
    heights.reserve(m_board.cards.size());
    for (const server::NoteCard &c : m_board.cards)
        heights.push_back(ViravHeight(c.body, false, 10, width - 10));
    m_layout = server::LayoutFor(height);
    m_geometry = server::LayoutCards(width, heights, m_layout);
    verticalScrollBar()->setRange(0, std::max(server::BoardHeight(m_geometry) - viewport()->height(), 0));
    verticalScrollBar()->setPageStep(viewport()->height());
    verticalScrollBar()->setSingleStep(20);
    viewport()->update();
}

void NotesBoardView::showEvent(QShowEvent *event)
{
    QAbstractScrollArea::showEvent(event);
    relayout();
}

void NotesBoardView::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    relayout();
}

QFont NotesBoardView::headingFont() const
{
    QFont heading = font();
    heading.setPointSize(9);
    heading.setBold(true);
    return heading;
}

NotesBoardView::HeadingLine NotesBoardView::compactHeading(int card) const
{
    constexpr int kApart = 8; // between the left and the right text
    const server::NoteCard &c = m_board.cards[size_t(card)];
    const QFontMetricsF fm(headingFont());
    const double room = m_geometry[size_t(card)].heading.width();
    HeadingLine line;
    line.left = ShownBreaks(c.leftHeading).split(QLatin1Char('\n'), Qt::SkipEmptyParts).join(QLatin1Char(' '));
    const QString right = ShownBreaks(c.rightHeading).split(QLatin1Char('\n'), Qt::SkipEmptyParts).join(QStringLiteral(", "));
    const double leftWidth = fm.horizontalAdvance(line.left);
    if (leftWidth > room) { // only the left text, itself shortened
        line.left = fm.elidedText(line.left, Qt::ElideRight, room);
        line.cut = true;
        return line;
    }
    const double rightRoom = room - leftWidth - kApart;
    line.right = rightRoom > 0 ? fm.elidedText(right, Qt::ElideRight, rightRoom) : QString();
    line.cut = line.right != right;
    return line;
}

bool NotesBoardView::viewportEvent(QEvent *event)
{
    if (event->type() == QEvent::ToolTip && m_layout == server::CardLayout::Compact) {
        const auto *help = static_cast<QHelpEvent *>(event);
        const QPoint at = help->pos() + QPoint(0, verticalScrollBar()->value());
        for (int i = 0; i < int(m_geometry.size()); ++i) {
            const server::NoteCard &c = m_board.cards[size_t(i)];
            if (c.key.isEmpty() || !m_geometry[size_t(i)].heading.contains(at) || !compactHeading(i).cut)
                continue;
            QToolTip::showText(help->globalPos(), ShownBreaks(c.leftHeading) + QLatin1Char('\n') + ShownBreaks(c.rightHeading),
                               viewport());
            return true;
        }
        QToolTip::hideText();
        return true;
    }
    return QAbstractScrollArea::viewportEvent(event);
}

void NotesBoardView::paintEvent(QPaintEvent *event)
{
    QPainter p(viewport());
    p.setRenderHint(QPainter::Antialiasing);
    const int dy = verticalScrollBar()->value();
    const QRect exposed = event->rect().translated(0, dy);
    const QFont heading = headingFont();
    QFont body = font();
    body.setPointSize(10);
    body.setBold(false);
    p.translate(0, -dy);
    // Only the cards in the exposed band are painted (the cards are sorted by y).
    auto first = std::lower_bound(m_geometry.begin(), m_geometry.end(), exposed.top(),
                                  [](const server::CardGeometry &g, int y) { return g.card.bottom() < y; });
    for (auto it = first; it != m_geometry.end() && it->card.top() <= exposed.bottom(); ++it) {
        const server::NoteCard &c = m_board.cards[size_t(it - m_geometry.begin())];
        const QRectF frame = QRectF(it->card).adjusted(0.5, 0.5, -0.5, -0.5);
        QPainterPath path;
        path.addRoundedRect(frame, 5, 5);
        if (c.fill)
            p.fillPath(path, QColor::fromRgba(*c.fill));
        p.setPen(QPen(kBorder, 1));
        p.drawPath(path);
        p.setPen(Qt::white);
        if (!c.key.isEmpty()) {
            const QRectF x = QRectF(it->cross).adjusted(4, 4, -4, -4);
            p.setPen(QPen(Qt::white, 2));
            p.drawLine(x.topLeft(), x.bottomRight());
            p.drawLine(x.topRight(), x.bottomLeft());
            p.setPen(Qt::white);
            p.setFont(heading);
            if (m_layout == server::CardLayout::Compact) {
                const HeadingLine line = compactHeading(int(it - m_geometry.begin()));
                p.drawText(it->heading, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextDontClip, line.left);
                p.drawText(it->heading, Qt::AlignRight | Qt::AlignVCenter | Qt::TextDontClip, line.right);
            } else {
                // Two bold lines are a little taller than the full card's heading strip: let them
                // spill into the margins around it rather than lose their tops and bottoms.
                p.drawText(it->heading, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextDontClip, ShownBreaks(c.leftHeading));
                p.drawText(it->heading, Qt::AlignRight | Qt::AlignVCenter | Qt::TextDontClip, ShownBreaks(c.rightHeading));
            }
        }
        p.setFont(body);
        p.drawText(it->body, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap, ShownBreaks(c.body));
    }
}

int NotesBoardView::crossUnder(QPoint viewportPos) const
{
    const int i = server::CrossAt(m_geometry, viewportPos + QPoint(0, verticalScrollBar()->value()));
    return i >= 0 && !m_board.cards[size_t(i)].key.isEmpty() ? i : -1;
}

void NotesBoardView::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton ? crossUnder(event->position().toPoint()) : -1;
}

void NotesBoardView::mouseReleaseEvent(QMouseEvent *event)
{
    const int pressed = m_pressed;
    m_pressed = -1;
    if (event->button() == Qt::LeftButton && pressed >= 0 && crossUnder(event->position().toPoint()) == pressed)
        emit deleteClicked(m_board.cards[size_t(pressed)].key);
}

} // namespace rasp::ui
