#include "shell/elidedlabel.h"

#include <QFontMetricsF>
#include <QHelpEvent>
#include <QPainter>
#include <QStyle>
#include <QToolTip>

#include <algorithm>

namespace rasp::ui {

ElidedLabel::ElidedLabel(QWidget *parent)
    : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setWordWrap(false);
}

QRect ElidedLabel::textArea() const
{
    const int m = margin() + std::max(indent(), 0);
    return contentsRect().adjusted(m, margin(), -m, -margin());
}

bool ElidedLabel::isCut() const
{
    return QFontMetricsF(font()).horizontalAdvance(text()) > textArea().width();
}

QString ElidedLabel::shownText() const
{
    if (!isCut())
        return text();
    return QFontMetricsF(font()).elidedText(text(), Qt::ElideRight, textArea().width());
}

void ElidedLabel::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    drawFrame(&p);
    style()->drawItemText(&p, textArea(), QStyle::visualAlignment(layoutDirection(), alignment()), palette(),
                          isEnabled(), shownText(), foregroundRole());
}

bool ElidedLabel::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip && toolTip().isEmpty()) {
        const auto *help = static_cast<QHelpEvent *>(event);
        if (isCut())
            QToolTip::showText(help->globalPos(), text(), this, rect());
        else
            QToolTip::hideText();
        return true;
    }
    return QLabel::event(event);
}

} // namespace rasp::ui
