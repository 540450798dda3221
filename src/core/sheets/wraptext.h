#pragma once

#include <QString>

#include <functional>
#include <vector>

namespace rasp::sheets {

// The width of a text set at a point size, in the caller's units.
using MeasureText = std::function<double(const QString &text, double pointSize)>;

// A cell text laid out into lines at one point size.
struct WrappedText {
    std::vector<QString> lines;
    double size = 0;  // the point size the lines are set in
    bool fits = true; // false when a word is wider than the cell even at the smallest size
};

// The smallest point size a word may be set in to fit its cell.
inline constexpr double kMinTextSize = 8.0;

// Lays a cell text out for a cell `width` wide: lines break at "\n" and, where a line would be
// too wide, at the spaces between words, never inside a word. When a word is wider than the cell
// the whole text is set smaller, in half-point steps from `size` down to kMinTextSize at the
// least; a word still too wide there stays whole on its own line and `fits` is false.
WrappedText WrapText(const QString &text, double width, double size, const MeasureText &measure);

} // namespace rasp::sheets
