#pragma once

#include <QProxyStyle>

namespace rasp::ui {

// Paints a slider as a thin track with a pointed marker for its handle, the marker pointing
// across the track (down for a horizontal slider, right for a vertical one), so a small slider
// over the grid reads as a handle to drag and not as a check box. Every size and place (groove,
// handle, hit areas) is the underlying style's, so the slider behaves exactly as before.
class MarkerSliderStyle : public QProxyStyle
{
    Q_OBJECT
public:
    // A proxy of a fresh instance of the application's style; `parent` owns it.
    explicit MarkerSliderStyle(QObject *parent);

    // Paints the track and the marker of a slider; other controls as the underlying style does.
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex *option, QPainter *painter,
                            const QWidget *widget = nullptr) const override;

    // The marker's outline inside a handle rectangle, pointing across a track of `orientation`.
    static QPolygonF markerShape(const QRectF &handle, Qt::Orientation orientation);
};

} // namespace rasp::ui
