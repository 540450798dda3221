#include "widgets/circlebutton.h"

#include <QPainter>
#include <QPainterPath>

namespace rasp::ui {

namespace {

constexpr QRgb kAccent = 0xFF0061B0;
constexpr QRgb kAccentHover = 0xFF1A7AC8;
constexpr QRgb kBadge = 0xFFED7D31;

// Draws the glyph in a 20 x 20 box centred at c.
void drawGlyph(QPainter &p, CircleButton::Glyph glyph, QPointF c)
{
    QPen pen(Qt::white, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    const QPointF o = c - QPointF(10, 10);
    switch (glyph) {
    case CircleButton::AddClass: // a table with a plus
        p.drawRect(QRectF(o + QPointF(0, 3), QSizeF(12, 14)));
        p.drawLine(o + QPointF(6, 3), o + QPointF(6, 17));
        p.drawLine(o + QPointF(16, 6), o + QPointF(16, 14));
        p.drawLine(o + QPointF(12.5, 10), o + QPointF(19.5, 10));
        break;
    case CircleButton::AddTeacher: // a person with a plus
        p.drawEllipse(o + QPointF(7, 5), 3.5, 3.5);
        p.drawArc(QRectF(o + QPointF(0.5, 11), QSizeF(13, 12)), 0, 180 * 16);
        p.drawLine(o + QPointF(16, 6), o + QPointF(16, 14));
        p.drawLine(o + QPointF(12.5, 10), o + QPointF(19.5, 10));
        break;
    case CircleButton::Save: { // a diskette
        QPainterPath path;
        path.moveTo(o + QPointF(2, 2));
        path.lineTo(o + QPointF(15, 2));
        path.lineTo(o + QPointF(18, 5));
        path.lineTo(o + QPointF(18, 18));
        path.lineTo(o + QPointF(2, 18));
        path.closeSubpath();
        p.drawPath(path);
        p.drawRect(QRectF(o + QPointF(6, 2), QSizeF(7, 5)));
        p.drawRect(QRectF(o + QPointF(5, 11), QSizeF(10, 7)));
        break;
    }
    case CircleButton::DeleteAll: // a cross
        p.drawLine(o + QPointF(4, 4), o + QPointF(16, 16));
        p.drawLine(o + QPointF(16, 4), o + QPointF(4, 16));
        break;
    case CircleButton::Sort: { // "А", "Я" and a down arrow
        QFont f(QStringLiteral("Calibri"), 7);
        f.setBold(true);
        p.setFont(f);
        p.drawText(QRectF(o + QPointF(-1, -1), QSizeF(11, 11)), Qt::AlignCenter, QStringLiteral("А"));
        p.drawText(QRectF(o + QPointF(-1, 10), QSizeF(11, 11)), Qt::AlignCenter, QStringLiteral("Я"));
        p.drawLine(o + QPointF(15, 3), o + QPointF(15, 17));
        p.drawLine(o + QPointF(11.5, 13.5), o + QPointF(15, 17));
        p.drawLine(o + QPointF(18.5, 13.5), o + QPointF(15, 17));
        break;
    }
    }
}

} // namespace

CircleButton::CircleButton(Glyph glyph, const QString &hint, const QString &badge, QWidget *parent)
    : QAbstractButton(parent)
    , m_glyph(glyph)
    , m_badge(badge)
{
    setToolTip(hint);
    setFixedSize(sizeHint());
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::NoFocus);
}

void CircleButton::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    if (!isEnabled())
        p.setOpacity(0.45);
    const QRectF disc(6, 4, 36, 36);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor::fromRgba(m_hover || isDown() ? kAccentHover : kAccent));
    p.drawEllipse(disc);
    drawGlyph(p, m_glyph, disc.center());
    if (!m_badge.isEmpty()) {
        const QRectF badge(width() - 17, 0, 16, 16);
        p.setPen(QPen(Qt::white, 1.5));
        p.setBrush(QColor::fromRgba(kBadge));
        p.drawEllipse(badge);
        QFont f(QStringLiteral("Calibri"), 8);
        f.setBold(true);
        p.setFont(f);
        p.setPen(Qt::white);
        p.drawText(badge, Qt::AlignCenter, m_badge);
    }
}

void CircleButton::enterEvent(QEnterEvent *event)
{
    m_hover = true;
    update();
    QAbstractButton::enterEvent(event);
}

void CircleButton::leaveEvent(QEvent *event)
{
    m_hover = false;
    update();
    QAbstractButton::leaveEvent(event);
}

} // namespace rasp::ui
