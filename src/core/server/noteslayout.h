#pragma once

#include <QPoint>
#include <QRect>

#include <vector>

namespace rasp::server {

// Where the parts of one card of the notes board lie, in the board's content coordinates.
struct CardGeometry {
    QRect card;    // the bordered card
    QRect cross;   // the 15 x 15 delete cross
    QRect heading; // the strip of date/time and name/position, inside the 5 px side strips
    QRect body;    // the rest of the card, inside the side strips
};

// How a card is laid out. Full: the 15 px strip of the delete cross on top, then the 25 px
// heading strip, then the body (the body's height + 45 px). Compact, for a short board: no cross
// strip; the heading strip is one 16-px line from 1 px below the card's top, with the cross at
// its right end and the heading's texts left of it (the body's height + 22 px), so two one-line
// notes show whole on the tool panel's board.
enum class CardLayout { Full,
                        Compact };

// Boards shorter than this lay their cards out compact.
inline constexpr int kCompactBoardHeight = 160;

// The layout of the cards of a board whose viewport is `boardHeight` px high.
CardLayout LayoutFor(int boardHeight);

// The cards stacked from the top of a board `width` px wide, each followed by a 5 px gap;
// bodyHeights[i] is the laid-out height of card i's message.
std::vector<CardGeometry> LayoutCards(int width, const std::vector<int> &bodyHeights,
                                      CardLayout layout = CardLayout::Full);

// The height of the stacked cards with their gaps.
int BoardHeight(const std::vector<CardGeometry> &cards);

// The card whose delete cross holds point p, or -1.
int CrossAt(const std::vector<CardGeometry> &cards, QPoint p);

} // namespace rasp::server
