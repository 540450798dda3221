#include "shell/spreadrowlayout.h"

#include <QWidget>

#include <algorithm>
#include <numeric>

namespace rasp::ui {

std::vector<int> spreadRow(int available, const std::vector<int> &widths, int minGap, int maxGap)
{
    const int n = int(widths.size());
    const int free = available - std::accumulate(widths.begin(), widths.end(), 0);
    std::vector<int> left;
    left.reserve(widths.size());
    int x = 0;
    int gap = minGap;
    if (n > 0 && free >= (n + 1) * minGap) {
        // Equal gaps before, between and after the boxes, the inner ones at most maxGap; what
        // is left over goes to the two ends alike, so the row stays centred.
        gap = std::min(free / (n + 1), maxGap);
        x = (free - (n - 1) * gap) / 2;
    }
    for (int k = 0; k < n; ++k) {
        left.push_back(x);
        x += widths[std::size_t(k)] + gap;
    }
    return left;
}

SpreadRowLayout::SpreadRowLayout(QWidget *parent, int minGap, int maxGap)
    : QLayout(parent)
    , m_minGap(minGap)
    , m_maxGap(maxGap)
{
}

SpreadRowLayout::~SpreadRowLayout()
{
    qDeleteAll(m_items);
}

void SpreadRowLayout::addItem(QLayoutItem *item)
{
    m_items.append(item);
}

QLayoutItem *SpreadRowLayout::takeAt(int index)
{
    return index >= 0 && index < m_items.size() ? m_items.takeAt(index) : nullptr;
}

QSize SpreadRowLayout::sizeHint() const
{
    int width = 0, height = 0, shown = 0;
    for (const QLayoutItem *item : m_items)
        if (!item->isEmpty()) {
            width += preferredWidth(item);
            height = std::max(height, item->sizeHint().height());
            ++shown;
        }
    const QMargins m = contentsMargins();
    return QSize(width + std::max(0, shown - 1) * m_minGap + m.left() + m.right(), height + m.top() + m.bottom());
}

void SpreadRowLayout::setGeometry(const QRect &rect)
{
    QLayout::setGeometry(rect);
    const QRect area = contentsRect();
    std::vector<QLayoutItem *> shown;
    std::vector<int> widths;
    std::vector<int> least;
    for (QLayoutItem *item : m_items)
        if (!item->isEmpty()) {
            shown.push_back(item);
            widths.push_back(preferredWidth(item));
            least.push_back(shrinksTo(item));
        }
    // The boxes need only the inner gaps: a full row starts at the left edge (spreadRow).
    shrinkToFit(area.width() - std::max(int(shown.size()) - 1, 0) * m_minGap, widths, least);
    const std::vector<int> left = spreadRow(area.width(), widths, m_minGap, m_maxGap);
    for (std::size_t k = 0; k < shown.size(); ++k)
        shown[k]->setGeometry(QRect(area.left() + left[k], area.top(), widths[k], area.height()));
}

int SpreadRowLayout::preferredWidth(const QLayoutItem *item)
{
    // A box with a bounded range of widths is as wide as it may be when there is room.
    const int most = item->maximumSize().width();
    return most < QWIDGETSIZE_MAX ? most : item->sizeHint().width();
}

int SpreadRowLayout::shrinksTo(const QLayoutItem *item)
{
    return item->maximumSize().width() < QWIDGETSIZE_MAX ? std::min(item->minimumSize().width(), preferredWidth(item))
                                                         : preferredWidth(item);
}

void shrinkToFit(int room, std::vector<int> &widths, const std::vector<int> &least)
{
    int over = std::accumulate(widths.begin(), widths.end(), 0) - room;
    // The last boxes give way first, each down to its least width.
    for (std::size_t k = widths.size(); k-- > 0 && over > 0;) {
        const int give = std::min(over, widths[k] - least[k]);
        widths[k] -= give;
        over -= give;
    }
}

} // namespace rasp::ui
