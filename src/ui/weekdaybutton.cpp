#include "weekdaybutton.h"

#include "tabbutton.h"

#include <QFontMetricsF>
#include <QPainter>

namespace rasp::ui {

namespace {
constexpr quint32 kStroke = 0xFF7A7A7A;
}

WeekdayButton::WeekdayButton(int weekday, const QString &caption, QWidget *parent)
    : QAbstractButton(parent)
    , m_weekday(weekday)
    , m_fill(kTabInactiveFill)
    , m_text(kTabInactiveText)
{
    setText(caption);
    setFont(QFont(QStringLiteral("Calibri"), 12));
    setFocusPolicy(Qt::NoFocus);
}

void WeekdayButton::setSelectedLook(bool selected)
{
    m_fill = selected ? kTabActiveFill : kTabInactiveFill;
    m_text = selected ? kTabActiveText : kTabInactiveText;
    update();
}

void WeekdayButton::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), QColor::fromRgba(m_fill));
    p.setPen(QColor::fromRgba(kStroke));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    p.setPen(QColor::fromRgba(m_text));
    // The longest weekday names are wider than 80 px in Calibri 12: they are set a little
    // smaller rather than cut at both ends.
    QFont f = font();
    const int room = width() - 4;
    for (qreal size = f.pointSizeF(); size > 6 && QFontMetricsF(f).horizontalAdvance(text()) > room; size -= 0.5)
        f.setPointSizeF(size - 0.5);
    p.setFont(f);
    p.drawText(rect(), Qt::AlignCenter, text());
}

} // namespace rasp::ui
