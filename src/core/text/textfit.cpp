#include "textfit.h"

#include <array>

namespace rasp::text {

TextFit FitText(double available, const MeasureText &measure, const FitSteps &steps)
{
    // Spacing first: the designed size at 100 %, then the steps between it and the tightest.
    const std::array<double, 3> spacings{100, (100 + steps.tightest) / 2, steps.tightest};
    for (double spacing : spacings)
        if (measure(steps.designed, spacing) <= available)
            return {steps.designed, spacing, false};
    // Then size: every step down to the floor, at the tightest spacing.
    const int sizes = int((steps.designed - steps.floor) / steps.sizeStep + 0.5);
    for (int n = 1; n <= sizes; ++n) {
        const double size = steps.designed - n * steps.sizeStep;
        if (measure(size, steps.tightest) <= available)
            return {size, steps.tightest, false};
    }
    return {steps.floor, steps.tightest, true};
}

} // namespace rasp::text
