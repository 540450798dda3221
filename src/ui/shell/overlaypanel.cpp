#include "shell/overlaypanel.h"
#include "widgets/shownbreaks.h"

#include <QEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QPainter>
#include <QScrollArea>

#include <algorithm>

namespace rasp::ui {

namespace {
// Dynamic properties: a message label's designed height, a body child's designed y.
constexpr const char *kDesignedHeight = "designedHeight";
constexpr const char *kDesignedY = "designedY";

// The scroll area a message label made by makeMessageLabel fills.
QWidget *messageArea(const QLabel *message)
{
    for (QWidget *w = message->parentWidget(); w; w = w->parentWidget())
        if (qobject_cast<QScrollArea *>(w))
            return w;
    return const_cast<QLabel *>(message);
}

} // namespace

OverlayPanel::OverlayPanel(const QString &title, QSize size, QWidget *parent)
    : QFrame(parent)
{
    // Colours come from the palette and the border is painted, not from a style sheet: a style
    // sheet on the panel would give its texts and buttons the system font instead of the
    // window's.
    setFixedSize(size);
    m_designed = size;
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, QColor(0xFF, 0xFF, 0xFF));
    setPalette(white);
    auto *bar = new QLabel(title, this);
    bar->setObjectName(QStringLiteral("title"));
    bar->setTextFormat(Qt::PlainText);
    bar->setAlignment(Qt::AlignCenter);
    bar->setGeometry(1, 1, size.width() - 2, 25);
    bar->setAutoFillBackground(true);
    QPalette accent = bar->palette();
    accent.setColor(QPalette::Window, QColor(0x00, 0x61, 0xB0));
    accent.setColor(QPalette::WindowText, QColor(0xFF, 0xFF, 0xFF));
    bar->setPalette(accent);
    boldenTitle();
    m_body = new QWidget(this);
    m_body->setGeometry(1, 26, size.width() - 2, size.height() - 27);
    hide();
    if (parent)
        parent->installEventFilter(this);
}

void OverlayPanel::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setPen(QColor(0x71, 0x71, 0x71));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

void OverlayPanel::changeEvent(QEvent *event)
{
    // The title stays the bold form of whatever font the panel has.
    if (event->type() == QEvent::FontChange)
        boldenTitle();
    QFrame::changeEvent(event);
}

void OverlayPanel::boldenTitle()
{
    if (auto *bar = findChild<QLabel *>(QStringLiteral("title"), Qt::FindDirectChildrenOnly)) {
        QFont bold = font();
        bold.setBold(true);
        bar->setFont(bold);
    }
}

void OverlayPanel::centreAndRaise()
{
    if (QWidget *p = parentWidget())
        move((p->width() - width()) / 2, (p->height() - height()) / 2);
    raise();
}

void OverlayPanel::fitToMessage(QLabel *message)
{
    constexpr int kMargin = 20; // kept free above and below the panel in its parent
    QWidget *area = messageArea(message);
    const int designedHeight = area->property(kDesignedHeight).toInt();
    const QFontMetrics fm(message->font());
    const int needed = fm.boundingRect(QRect(0, 0, area->width(), 1 << 20),
                                       int(message->alignment()) | Qt::TextWordWrap, message->text())
                           .height();
    int extra = std::max(needed - designedHeight, 0);
    if (QWidget *p = parentWidget())
        extra = std::min(extra, std::max(p->height() - 2 * kMargin - m_designed.height(), 0));
    setFixedSize(m_designed.width(), m_designed.height() + extra);
    m_body->resize(m_designed.width() - 2, m_designed.height() - 27 + extra);
    area->resize(area->width(), designedHeight + extra);
    for (QObject *o : m_body->children()) {
        auto *w = qobject_cast<QWidget *>(o);
        if (!w || w == area)
            continue;
        if (!w->property(kDesignedY).isValid())
            w->setProperty(kDesignedY, w->y());
        w->move(w->x(), w->property(kDesignedY).toInt() + extra);
    }
}

bool OverlayPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == parentWidget() && event->type() == QEvent::Resize && isVisible())
        centreAndRaise();
    return QFrame::eventFilter(watched, event);
}

QLabel *makeMessageLabel(QWidget *parent, QRect geometry)
{
    // The label fills a frameless scroll area, which scrolls a text taller than the panel can
    // grow (fitToMessage).
    auto *area = new QScrollArea(parent);
    area->setFrameShape(QFrame::NoFrame);
    area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    area->setWidgetResizable(true);
    area->viewport()->setAutoFillBackground(false);
    area->setGeometry(geometry);
    auto *label = new QLabel;
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    label->setAutoFillBackground(false);
    area->setWidget(label);
    area->setProperty(kDesignedHeight, geometry.height());
    return label;
}

void setMessageText(QLabel *label, const QString &text)
{
    label->setText(ShownBreaks(text));
}

QString fitMessageText(const QLabel *label, const QString &text)
{
    // Far more than the overlay can show; measuring stays cheap for any text.
    constexpr qsizetype kMaxMeasured = 1000;
    // The area the label fills at its designed size (the label itself is sized when shown).
    const QRect area = QRect(QPoint(), QSize(messageArea(label)->width(), messageArea(label)->property(kDesignedHeight).toInt()));
    const QFontMetrics fm(label->font());
    auto fits = [&](const QString &t) {
        const QRect r = fm.boundingRect(QRect(0, 0, area.width(), 1 << 20), Qt::AlignCenter | Qt::TextWordWrap,
                                        ShownBreaks(t));
        return r.height() <= area.height() && r.width() <= area.width();
    };
    if (text.size() <= kMaxMeasured && fits(text))
        return text;
    auto cut = [&](qsizetype n) {
        if (n > 0 && n < text.size() && text.at(n - 1).isHighSurrogate())
            --n;
        return text.left(n) + QChar(0x2026);
    };
    qsizetype lo = 0, hi = std::min(text.size(), kMaxMeasured);
    while (lo < hi) { // the longest prefix that fits with its "…"
        const qsizetype mid = (lo + hi + 1) / 2;
        if (fits(cut(mid)))
            lo = mid;
        else
            hi = mid - 1;
    }
    return cut(lo);
}

} // namespace rasp::ui
