#include "DayClock.h"

#include <cmath>

namespace zelmar {

namespace {

constexpr double LastSerial = 2958466.0; // 1 January 10000

// Seconds since the zero day's midnight, on a line that stays monotonic for negative serials.
double absoluteSeconds(double serial) {
    const double day = std::trunc(serial);
    return day * SecondsPerDay + std::nearbyint(std::fabs(serial - day) * SecondsPerDay);
}

} // namespace

bool isUsableTime(double serial) {
    return std::isfinite(serial) && std::fabs(serial) < LastSerial;
}

int secondsOfDay(double serial) {
    const double seconds = std::fmod(absoluteSeconds(serial), SecondsPerDay);
    return static_cast<int>(seconds < 0 ? seconds + SecondsPerDay : seconds);
}

double elapsedMinutes(double from, double to) {
    return std::floor(absoluteSeconds(to) / 60) - std::floor(absoluteSeconds(from) / 60);
}

} // namespace zelmar
