#include "overlaypanel.h"

#include <QEvent>
#include <QLabel>

namespace rasp::ui {

OverlayPanel::OverlayPanel(const QString &title, QSize size, QWidget *parent)
    : QFrame(parent)
{
    setFixedSize(size);
    setAutoFillBackground(true);
    setStyleSheet(QStringLiteral("rasp--ui--OverlayPanel { background: #FFFFFF; border: 1px solid #717171; }"));
    auto *bar = new QLabel(title, this);
    bar->setObjectName(QStringLiteral("title"));
    bar->setTextFormat(Qt::PlainText);
    bar->setAlignment(Qt::AlignCenter);
    bar->setGeometry(1, 1, size.width() - 2, 25);
    bar->setStyleSheet(QStringLiteral("background: #0061B0; color: #FFFFFF; font-weight: bold;"));
    m_body = new QWidget(this);
    m_body->setGeometry(1, 26, size.width() - 2, size.height() - 27);
    hide();
    if (parent)
        parent->installEventFilter(this);
}

void OverlayPanel::centreAndRaise()
{
    if (QWidget *p = parentWidget())
        move((p->width() - width()) / 2, (p->height() - height()) / 2);
    raise();
}

bool OverlayPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == parentWidget() && event->type() == QEvent::Resize && isVisible())
        centreAndRaise();
    return QFrame::eventFilter(watched, event);
}

QLabel *makeMessageLabel(QWidget *parent, QRect geometry)
{
    auto *label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    label->setGeometry(geometry);
    return label;
}

void setMessageText(QLabel *label, const QString &text)
{
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    label->setText(shown);
}

} // namespace rasp::ui
