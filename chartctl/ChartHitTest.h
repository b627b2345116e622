#pragma once

#include "ChartRecords.h"

#include <span>

// Which stored record lies under a point of the last painted picture, and what time of day an x
// position stands for.
namespace zelmar {

struct Hit {
    bool found = false;
    qint32 id = 0;
    bool definite = false; // the point names exactly one stored record
};

// The first bar under the point, which lies on or above the axis. A merged bar is never definite.
Hit hitMeal(std::span<const MealStruct> bars, float x, float y);

// The first activity whose triangle (between the axis and its slanted side) holds the point; not
// definite when a second one holds it too.
Hit hitExercise(std::span<const ExerciseStruct> activities, int baselineY, float x, float y);

// The day serial of the whole minute under x, kept within the axis. A control too narrow to have a
// horizontal scale maps every x to the axis start.
double timeAtX(float x, float pixelsPerMinute, int beginHour, int endHour);

} // namespace zelmar
