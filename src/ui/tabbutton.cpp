#include "tabbutton.h"

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
    p.fillRect(rect(), QColor::fromRgba(m_fill));
    QColor text = QColor::fromRgba(m_text);
    if (!isEnabled())
        text.setAlpha(110);
    p.setPen(text);
    p.drawText(rect(), Qt::AlignCenter, this->text());
}

} // namespace rasp::ui
