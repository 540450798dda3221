#include "shell/pageframe.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QProgressBar>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace rasp::ui {

QVBoxLayout *whitePageLayout(QWidget *page)
{
    page->setAutoFillBackground(true);
    QPalette pal = page->palette();
    pal.setColor(QPalette::Window, Qt::white);
    page->setPalette(pal);
    auto *column = new QVBoxLayout(page);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    return column;
}

QToolButton *pictureButton(QWidget *parent, const QString &name, const QString &icon, const QString &hint, int size)
{
    auto *b = new QToolButton(parent);
    b->setObjectName(name);
    b->setIcon(QIcon(u":/img/"_s + icon + u".svg"_s));
    b->setIconSize(QSize(size - 6, size - 6));
    b->setFixedSize(size, size);
    b->setAutoRaise(true);
    b->setToolTip(hint);
    return b;
}

void showCountProgress(QProgressBar *bar, bool counting)
{
    bar->setTextVisible(true);
    bar->setFormat(u"%p %"_s);
    bar->setAlignment(Qt::AlignCenter);
    bar->setVisible(counting);
}

QWidget *captionBar(QWidget *parent, const QString &name)
{
    auto *bar = new QWidget(parent);
    bar->setObjectName(name);
    bar->setFixedHeight(40);
    // Its white pictures keep the blue behind them when pointed at or pressed: only a lighter
    // shade of it marks the button, where the style's light panel would hide the picture.
    bar->setStyleSheet(u"#%1 { background: #0061B0; } QLabel { color: #FFFFFF; }"
                       " QToolButton { border: none; border-radius: 4px; background: transparent; }"
                       " QToolButton:hover { background: rgba(255, 255, 255, 50); }"
                       " QToolButton:pressed { background: rgba(255, 255, 255, 90); }"_s.arg(name));
    return bar;
}

void layCaptionBar(QWidget *bar, QLabel *caption, QToolButton *sizeButton, QToolButton *closeButton)
{
    auto *row = new QHBoxLayout(bar);
    row->setContentsMargins(8, 0, 4, 0);
    caption->setAlignment(Qt::AlignCenter);
    // The same room on the left keeps the caption centred against the two buttons.
    row->addSpacing(sizeButton->width() + closeButton->width() + 6);
    row->addWidget(caption, 1);
    row->addWidget(sizeButton);
    row->addWidget(closeButton);
}

} // namespace rasp::ui
