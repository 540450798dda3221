#include "shell/tabbutton.h"

#include <QPainter>

namespace rasp::ui {

TabButton::TabButton(const QString &caption, QWidget *parent)
    : QAbstractButton(parent)
{
    setText(caption);
    setFixedSize(100, 25);
    QFont f(QStringLiteral("Calibri"), 11);
    setFont(f);
}

void TabButton::setColours(quint32 fill, quint32 text)
{
    m_fill = fill;
    m_text = text;
    update();
}

void TabButton::setActiveLook(bool active)
{
    if (active)
        setColours(kTabActiveFill, kTabActiveText);
    else
        setColours(kTabInactiveFill, kTabInactiveText);
}

void TabButton::setTextColour(quint32 text)
{
    m_text = text;
    update();
}

void TabButton::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    // A disabled tab (no school loaded yet) is painted as an inactive one with dark grey text,
    // whatever its fill records: grey on the accent fill could hardly be read.
    const bool enabled = isEnabled();
    p.fillRect(rect(), QColor::fromRgba(enabled ? m_fill : kTabInactiveFill));
    p.setPen(enabled ? QColor::fromRgba(m_text) : QColor::fromRgba(kTabDisabledText));
    p.drawText(rect(), Qt::AlignCenter, this->text());
}

} // namespace rasp::ui
