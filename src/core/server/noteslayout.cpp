// Server link: the pixel arithmetic of the notes board's cards.
#include "noteslayout.h"

#include <algorithm>

namespace rasp::server {

namespace {
constexpr int kSide = 5;     // transparent strips at the far left and right of a card
constexpr int kTop = 15;     // the strip of the delete cross
constexpr int kHeading = 25; // the strip of date/time and name/position
constexpr int kCross = 15;
constexpr int kGap = 5; // the spacer under each card
// The compact card: the heading strip from 1 px below the top, one bold 9-pt line high, the
// cross at its right end 4 px clear of the heading's texts.
constexpr int kCompactTop = 1;
constexpr int kCompactHeading = 16;
constexpr int kCompactCrossGap = 4;
} // namespace

CardLayout LayoutFor(int boardHeight)
{
    return boardHeight < kCompactBoardHeight ? CardLayout::Compact : CardLayout::Full;
}

std::vector<CardGeometry> LayoutCards(int width, const std::vector<int> &bodyHeights, CardLayout layout)
{
    std::vector<CardGeometry> cards;
    cards.reserve(bodyHeights.size());
    const int inner = std::max(width - 2 * kSide, 0);
    int y = 0;
    for (int h : bodyHeights) {
        h = std::max(h, 0);
        CardGeometry g;
        if (layout == CardLayout::Compact) {
            const int headingTop = y + kCompactTop;
            g.card = QRect(0, y, width, h + kCompactTop + kCompactHeading + kSide);
            g.cross = QRect(kSide + std::max(inner - kCross, 0), headingTop + (kCompactHeading - kCross) / 2, kCross,
                            kCross);
            g.heading = QRect(kSide, headingTop, std::max(inner - kCross - kCompactCrossGap, 0), kCompactHeading);
            g.body = QRect(kSide, headingTop + kCompactHeading, inner, h + kSide);
        } else {
            g.card = QRect(0, y, width, h + kTop + kHeading + kSide);
            g.cross = QRect(kSide + (inner - kCross) / 2, y, kCross, kCross);
            g.heading = QRect(kSide, y + kTop, inner, kHeading);
            g.body = QRect(kSide, y + kTop + kHeading, inner, h + kSide);
        }
        cards.push_back(g);
        y += g.card.height() + kGap;
    }
    return cards;
}

int BoardHeight(const std::vector<CardGeometry> &cards)
{
    return cards.empty() ? 0 : cards.back().card.bottom() + 1 + kGap;
}

int CrossAt(const std::vector<CardGeometry> &cards, QPoint p)
{
    // Cards are sorted by y: find the one whose span holds p.y() by bisection.
    auto it = std::upper_bound(cards.begin(), cards.end(), p.y(),
                               [](int y, const CardGeometry &g) { return y < g.card.top(); });
    if (it == cards.begin())
        return -1;
    --it;
    return it->cross.contains(p) ? int(it - cards.begin()) : -1;
}

} // namespace rasp::server
