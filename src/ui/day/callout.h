#pragma once

#include <QPainterPath>
#include <QWidget>

namespace rasp::ui {

// A white rounded callout with a pointer at its bottom: the box holds a centred text, the
// pointer hangs below it and points at what the callout is about. The widget's rectangle is the
// box and the pointer together; outside that outline it is transparent.
class Callout : public QWidget
{
    Q_OBJECT
public:
    // Corner radius of the box; width, length and left offset of the pointer.
    static constexpr int kRadius = 5;
    static constexpr int kPointerWidth = 5;
    static constexpr int kPointerLength = 9;
    static constexpr int kPointerOffset = 5;

    Callout(QSize size, QWidget *parent);

    // The box above the pointer, in the widget's coordinates.
    QRect box() const { return QRect(0, 0, width(), height() - kPointerLength); }
    // The tip of the pointer: on the widget's bottom edge, under the middle of the pointer's base.
    QPointF tip() const { return QPointF(kPointerOffset + kPointerWidth / 2.0, height()); }
    // The painted outline: the rounded box joined with the pointer below it.
    QPainterPath outline() const;

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace rasp::ui
