#include "day/callout.h"

#include <QPainter>

namespace rasp::ui {

Callout::Callout(QSize size, QWidget *parent)
    : QWidget(parent)
{
    setFixedSize(size);
}

QPainterPath Callout::outline() const
{
    // Half-pixel insets put the one-pixel border on whole pixels.
    const QRectF b = QRectF(box()).adjusted(0.5, 0.5, -0.5, -0.5);
    QPainterPath body;
    body.addRoundedRect(b, kRadius, kRadius);
    QPainterPath pointer;
    pointer.moveTo(kPointerOffset, b.bottom() - 1); // overlaps the box, so the union has no seam
    pointer.lineTo(kPointerOffset + kPointerWidth, b.bottom() - 1);
    pointer.lineTo(tip().x(), tip().y() - 0.5);
    pointer.closeSubpath();
    return body.united(pointer).simplified();
}

void Callout::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x7A, 0x7A, 0x7A), 1));
    p.setBrush(QColor(0xFF, 0xFF, 0xFF));
    p.drawPath(outline());
}

} // namespace rasp::ui
