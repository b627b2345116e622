#include "ChartHitTest.h"

#include "ChartScale.h"

#include <algorithm>
#include <cmath>

namespace zelmar {

Hit hitMeal(std::span<const MealStruct> bars, float x, float y) {
    for (const MealStruct& bar : bars) {
        if (x >= bar.Left && x <= bar.Right && y >= bar.Top)
            return {.found = true, .id = bar.id, .definite = !bar.complex};
    }
    return {};
}

Hit hitExercise(std::span<const ExerciseStruct> activities, int baselineY, float x, float y) {
    Hit hit;
    for (const ExerciseStruct& activity : activities) {
        if (activity.Left == activity.Right)
            continue;
        const float slant = (x - activity.Left) / static_cast<float>(activity.Right - activity.Left) *
                                static_cast<float>(activity.Bottom - baselineY) +
                            static_cast<float>(baselineY);
        if (x < activity.Left || x > activity.Right || y > activity.Bottom || y > slant)
            continue;
        if (hit.found) {
            hit.definite = false;
            break;
        }
        hit = {.found = true, .id = activity.id, .definite = true};
    }
    return hit;
}

double timeAtX(float x, float pixelsPerMinute, int beginHour, int endHour) {
    const double axisMinutes = (endHour - beginHour) * 60.0;
    double minutes = 0;
    if (pixelsPerMinute > 0)
        minutes = std::clamp(std::nearbyint((x - AxisInset) / double{pixelsPerMinute}), 0.0, axisMinutes);
    return (beginHour * 60 + minutes) / (24 * 60);
}

} // namespace zelmar
