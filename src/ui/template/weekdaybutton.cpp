#include "template/weekdaybutton.h"

#include "shell/tabbutton.h"

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
    p.setFont(captionFont());
    p.drawText(rect(), Qt::AlignCenter, text());
}

QFont WeekdayButton::captionFont() const
{
    // The strip makes its buttons wide enough for every name; a button narrower than its name
    // sets it a little smaller rather than cut it at both ends.
    QFont f = font();
    const int room = width() - 4;
    for (qreal size = f.pointSizeF(); size > 6 && QFontMetricsF(f).horizontalAdvance(text()) > room; size -= 0.5)
        f.setPointSizeF(size - 0.5);
    return f;
}

} // namespace rasp::ui
