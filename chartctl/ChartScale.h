#pragma once

#include <cmath>

namespace zelmar {

inline constexpr int TopBand = 7;    // empty band above the plot area
inline constexpr int AxisInset = 10; // the axes start and end this far inside the edges
inline constexpr int KcalAboveAxis = 3000;
inline constexpr int KcalSpan = 5000; // 3000 eaten above the axis, 2000 burnt below it

// The pixel scales of the chart. The vertical ones follow the control's height; the horizontal one
// is set by each paint from the width and the span of the time axis.
struct ChartScale {
    float pixelsPerMinute = 0;
    float pixelsPerKcal = 0;
    int baselineY = 0;

    void fitHeight(int height) {
        pixelsPerKcal = static_cast<float>((height - 2 * AxisInset - TopBand) / double{KcalSpan});
        baselineY =
            static_cast<int>(std::nearbyint(TopBand + KcalAboveAxis * double{pixelsPerKcal} + AxisInset));
    }

    // y of a kcal value, positive above the axis.
    double yOfKcal(double kcal) const { return baselineY - kcal * pixelsPerKcal; }
};

} // namespace zelmar
