#include "widgets/markersliderstyle.h"

#include <QApplication>
#include <QPainter>
#include <QPolygonF>
#include <QStyleFactory>
#include <QStyleOptionSlider>

#include <algorithm>

namespace rasp::ui {

namespace {

constexpr QRgb kMarker = 0xFF0061B0;       // the accent colour
constexpr QRgb kMarkerActive = 0xFF2F86D0; // pointed at or dragged
constexpr QRgb kMarkerDisabled = 0xFFA8A8A8;
constexpr QRgb kTrack = 0xFF9A9A9A;
constexpr double kMarkerWidth = 11; // across the marker, along the track

} // namespace

MarkerSliderStyle::MarkerSliderStyle(QObject *parent)
    : QProxyStyle(QStyleFactory::create(QApplication::style()->name()))
{
    setParent(parent);
}

QPolygonF MarkerSliderStyle::markerShape(const QRectF &handle, Qt::Orientation orientation)
{
    // A pentagon: a square-ended body whose far third narrows to a point, centred in the handle.
    if (orientation == Qt::Horizontal) {
        const double w = std::min(kMarkerWidth, handle.width());
        const double left = handle.center().x() - w / 2, right = left + w;
        const double top = handle.top(), bottom = handle.bottom();
        const double shoulder = top + (bottom - top) * 0.6;
        QPolygonF marker;
        marker << QPointF(left, top) << QPointF(right, top) << QPointF(right, shoulder)
               << QPointF((left + right) / 2, bottom) << QPointF(left, shoulder);
        return marker;
    }
    const double h = std::min(kMarkerWidth, handle.height());
    const double top = handle.center().y() - h / 2, bottom = top + h;
    const double left = handle.left(), right = handle.right();
    const double shoulder = left + (right - left) * 0.6;
    QPolygonF marker;
    marker << QPointF(left, top) << QPointF(shoulder, top) << QPointF(right, (top + bottom) / 2)
           << QPointF(shoulder, bottom) << QPointF(left, bottom);
    return marker;
}

void MarkerSliderStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex *option,
                                           QPainter *painter, const QWidget *widget) const
{
    const auto *slider = qstyleoption_cast<const QStyleOptionSlider *>(option);
    if (control != CC_Slider || !slider) {
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        return;
    }
    const bool enabled = slider->state & State_Enabled;
    const QRect groove = subControlRect(CC_Slider, slider, SC_SliderGroove, widget);
    const QRect handle = subControlRect(CC_Slider, slider, SC_SliderHandle, widget);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);

    // The track: a thin line along the groove's middle, where the handle's point rests.
    painter->setPen(QPen(QColor::fromRgba(enabled ? kTrack : kMarkerDisabled), 1));
    if (slider->orientation == Qt::Horizontal) {
        const double y = groove.center().y() + 0.5;
        painter->drawLine(QPointF(groove.left() + 0.5, y), QPointF(groove.right() + 0.5, y));
    } else {
        const double x = groove.center().x() + 0.5;
        painter->drawLine(QPointF(x, groove.top() + 0.5), QPointF(x, groove.bottom() + 0.5));
    }

    // The marker.
    const bool active = (slider->activeSubControls & SC_SliderHandle)
                        && (slider->state & (State_MouseOver | State_Sunken));
    const QRgb fill = !enabled ? kMarkerDisabled : active ? kMarkerActive
                                                          : kMarker;
    painter->setBrush(QColor::fromRgba(fill));
    painter->setPen(QPen(Qt::white, 1));
    painter->drawPolygon(markerShape(QRectF(handle).adjusted(0.5, 0.5, -0.5, -0.5), slider->orientation));
    if (slider->state & State_HasFocus) {
        painter->setBrush(Qt::NoBrush);
        painter->setPen(QPen(QColor::fromRgba(kMarker), 1, Qt::DotLine));
        painter->drawRect(QRectF(handle).adjusted(0.5, 0.5, -0.5, -0.5));
    }
    painter->restore();
}

} // namespace rasp::ui
