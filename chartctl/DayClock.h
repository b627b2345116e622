#pragma once

// Times reach the control as day serials (days since 30 December 1899, the fraction being the time
// of day). The chart works on the time of day only; every serial is rounded to the nearest second
// first, so 08:00 stored as 0.3333... is minute 480, never 479.
namespace zelmar {

inline constexpr int SecondsPerDay = 86400;

// A finite serial inside the calendar (up to the last day of year 9999).
bool isUsableTime(double serial);

// Seconds since midnight, 0..86399. Negative serials follow the automation-date convention: the
// fraction's magnitude is the time of day.
int secondsOfDay(double serial);
inline int minuteOfDay(double serial) {
    return secondsOfDay(serial) / 60;
}

// Minute boundaries crossed from one serial to the other, dates included: a meal on another day is
// never within a few minutes of this one.
double elapsedMinutes(double from, double to);

} // namespace zelmar
