#include "shell/pagearea.h"
#include "shell/shelltexts.h"

#include <QPainter>

#include <utility>

using namespace Qt::Literals::StringLiterals;

namespace rasp::ui {

namespace {
const QColor kMuted(0x80, 0x80, 0x80);
} // namespace

PageArea::PageArea(std::function<bool()> noLoad, QWidget *parent)
    : QWidget(parent)
    , m_noLoad(std::move(noLoad))
{
}

QString PageArea::hintText()
{
    return rasp::ui::shelltexts::kFirstStart.toString();
}

bool PageArea::hintShown() const
{
    if (!m_noLoad())
        return false;
    for (const QWidget *page : findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        if (!page->isHidden())
            return false;
    return true;
}

void PageArea::paintEvent(QPaintEvent * /*event*/)
{
    if (!hintShown())
        return;
    QPainter painter(this);
    painter.setPen(kMuted);
    painter.drawText(rect(), Qt::AlignCenter, hintText());
}

} // namespace rasp::ui
