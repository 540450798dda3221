#pragma once

#include <functional>

namespace rasp::text {

// How a short text is set in a field of fixed width: the designed size where it fits, else
// tighter letter spacing, else a smaller size down to a legible floor, and only then cut (the
// painter then draws its beginning and the whole text goes to the field's tooltip).
struct TextFit {
    double pointSize = 12; // the size the text is drawn at
    double spacing = 100;  // letter spacing in percent of the font's own
    bool cut = false;      // too wide even at the floor: drawn from its start, cut at the edge
    bool operator==(const TextFit &) const = default;
};

// The steps the fitting walks, largest first.
struct FitSteps {
    double designed = 12;  // the designed size (Calibri 12 in the grid and on the load page)
    double floor = 8;      // the smallest size a text is set at; below it the text is cut
    double tightest = 92;  // the tightest letter spacing, in percent
    double sizeStep = 0.5; // sizes between the designed one and the floor
};

// The measured width in pixels of the text at a point size and letter spacing (percent).
using MeasureText = std::function<double(double pointSize, double spacing)>;

// The first setting, in the order designed size at 100 %, designed size at tighter spacings
// (down to `tightest`), then smaller sizes at the tightest spacing down to the floor, whose
// measured width is at most `available` pixels; the floor setting marked cut when none is.
TextFit FitText(double available, const MeasureText &measure, const FitSteps &steps = {});

} // namespace rasp::text
