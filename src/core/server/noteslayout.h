#pragma once

#include <QPoint>
#include <QRect>

#include <vector>

namespace rasp::server {

// Where the parts of one card of the notes board lie, in the board's content coordinates.
struct CardGeometry {
    QRect card;    // the bordered card, its body's height + 45 px high
    QRect cross;   // the 15 x 15 delete cross, centred in the 15 px top strip
    QRect heading; // the 25 px heading strip under it, inside the 5 px side strips
    QRect body;    // the rest of the card, inside the side strips
};

// The cards stacked from the top of a board `width` px wide, each followed by a 5 px gap;
// bodyHeights[i] is the laid-out height of card i's message.
std::vector<CardGeometry> LayoutCards(int width, const std::vector<int> &bodyHeights);

// The height of the stacked cards with their gaps.
int BoardHeight(const std::vector<CardGeometry> &cards);

// The card whose delete cross holds point p, or -1.
int CrossAt(const std::vector<CardGeometry> &cards, QPoint p);

} // namespace rasp::server
