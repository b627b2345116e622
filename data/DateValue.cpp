#include "DateValue.h"

#include "Numeric.h"

#include <algorithm>
#include <cmath>

namespace kelvora {

namespace {

constexpr std::int64_t SecondsPerMinute = 60;
constexpr std::int64_t SecondsPerHour = 3600;
constexpr std::int64_t SecondsPerDay = 86400;
constexpr double MillisecondsPerDay = 86'400'000.0;

// The Julian day of 30 December 1899, day 0 of the serials.
constexpr qint64 ZeroDayJulian = 2415019;

// Far beyond any calendar the program shows; keeps second counts well inside 64 bits whatever
// serial arrives.
constexpr double SerialLimit = 1e9;

std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
    const std::int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

// The serial as whole seconds since day 0 on a straight timeline, rounded to the nearest second.
// A negative serial's integer part (towards zero) is its day and its fraction's magnitude the time
// of day, so -1.25 is day -1 at 06:00, 18 hours before day 0.
std::int64_t linearSeconds(double serial) {
    if (!std::isfinite(serial))
        return 0;
    serial = std::clamp(serial, -SerialLimit, SerialLimit);
    const double day = std::trunc(serial);
    const double timeOfDay = std::fabs(serial - day);
    return static_cast<std::int64_t>(day) * SecondsPerDay +
           static_cast<std::int64_t>(nearest(timeOfDay * static_cast<double>(SecondsPerDay)));
}

// The serial of a day and a time of day given as a fraction of a day.
double serialOf(std::int64_t day, double timeOfDay) {
    const auto d = static_cast<double>(day);
    return day >= 0 ? d + timeOfDay : d - timeOfDay;
}

DateValue fromLinearSeconds(std::int64_t seconds) {
    const std::int64_t day = floorDiv(seconds, SecondsPerDay);
    const std::int64_t second = seconds - day * SecondsPerDay;
    return DateValue(serialOf(day, static_cast<double>(second) / static_cast<double>(SecondsPerDay)));
}

std::int64_t dayOf(const QDate& date) {
    return date.toJulianDay() - ZeroDayJulian;
}

QDate dateOfDay(std::int64_t day) {
    return QDate::fromJulianDay(ZeroDayJulian + day);
}

std::int64_t secondsOfClock(std::int64_t hour, std::int64_t minute, std::int64_t second) {
    return hour * SecondsPerHour + minute * SecondsPerMinute + second;
}

std::int64_t diffUnits(DateValue a, DateValue b, std::int64_t unit) {
    return floorDiv(linearSeconds(b.serial()), unit) - floorDiv(linearSeconds(a.serial()), unit);
}

} // namespace

// Months outside 1..12 roll into the years and days outside the month into the neighbouring
// months (month 13 is January of the next year, day 0 the last day of the previous month), so
// callers can compute such dates without checking them first.
DateValue DateValue::fromYmd(int year, int month, int day) {
    const std::int64_t monthIndex = std::int64_t{year} * 12 + (month - 1);
    const std::int64_t wholeYear = floorDiv(monthIndex, 12);
    const QDate first(static_cast<int>(wholeYear), static_cast<int>(monthIndex - wholeYear * 12) + 1, 1);
    if (!first.isValid())
        return DateValue();
    return DateValue(static_cast<double>(dayOf(first) + (day - 1)));
}

DateValue DateValue::fromTime(int hour, int minute, int second) {
    return fromLinearSeconds(secondsOfClock(hour, minute, second));
}

DateValue DateValue::fromParts(const Parts& parts) {
    const auto day = static_cast<std::int64_t>(fromYmd(parts.year, parts.month, parts.day).serial());
    return fromLinearSeconds(day * SecondsPerDay + secondsOfClock(parts.hour, parts.minute, parts.second));
}

DateValue DateValue::fromQDate(const QDate& date) {
    return date.isValid() ? DateValue(static_cast<double>(dayOf(date))) : DateValue();
}

// Milliseconds are kept: the serial holds whatever the clock gave, and every reading of it rounds
// to the second.
DateValue DateValue::fromQTime(const QTime& time) {
    return time.isValid() ? DateValue(time.msecsSinceStartOfDay() / MillisecondsPerDay) : DateValue();
}

DateValue DateValue::fromQDateTime(const QDateTime& dateTime) {
    if (!dateTime.isValid())
        return DateValue();
    return DateValue(
        serialOf(dayOf(dateTime.date()), dateTime.time().msecsSinceStartOfDay() / MillisecondsPerDay));
}

DateValue::Parts DateValue::parts() const {
    const std::int64_t seconds = linearSeconds(m_serial);
    const std::int64_t day = floorDiv(seconds, SecondsPerDay);
    const auto second = static_cast<int>(seconds - day * SecondsPerDay);
    const QDate date = dateOfDay(day);
    return Parts{date.year(), date.month(), date.day(), second / 3600, second / 60 % 60, second % 60};
}

QDate DateValue::toQDate() const {
    const Parts p = parts();
    return QDate(p.year, p.month, p.day);
}

QTime DateValue::toQTime() const {
    const Parts p = parts();
    return QTime(p.hour, p.minute, p.second);
}

// A wall-clock reading, as the diary records it: local time, like the pickers that show it.
QDateTime DateValue::toQDateTime() const {
    const Parts p = parts();
    return QDateTime(QDate(p.year, p.month, p.day), QTime(p.hour, p.minute, p.second));
}

DateValue DateValue::datePart() const {
    return DateValue(static_cast<double>(floorDiv(linearSeconds(m_serial), SecondsPerDay)));
}

DateValue DateValue::timePart() const {
    const std::int64_t seconds = linearSeconds(m_serial);
    const std::int64_t second = seconds - floorDiv(seconds, SecondsPerDay) * SecondsPerDay;
    return DateValue(static_cast<double>(second) / static_cast<double>(SecondsPerDay));
}

DateValue DateValue::addDays(int days) const {
    return fromLinearSeconds(linearSeconds(m_serial) + std::int64_t{days} * SecondsPerDay);
}

DateValue DateValue::addMinutes(int minutes) const {
    return fromLinearSeconds(linearSeconds(m_serial) + std::int64_t{minutes} * SecondsPerMinute);
}

DateValue DateValue::addMonths(int months) const {
    const std::int64_t seconds = linearSeconds(m_serial);
    const std::int64_t day = floorDiv(seconds, SecondsPerDay);
    const std::int64_t secondOfDay = seconds - day * SecondsPerDay;
    // QDate::addMonths takes the last day of the target month when the day does not exist there.
    const QDate target = dateOfDay(day).addMonths(months);
    return fromLinearSeconds(dayOf(target) * SecondsPerDay + secondOfDay);
}

std::int64_t diffDays(DateValue a, DateValue b) {
    return diffUnits(a, b, SecondsPerDay);
}

std::int64_t diffHours(DateValue a, DateValue b) {
    return diffUnits(a, b, SecondsPerHour);
}

std::int64_t diffMinutes(DateValue a, DateValue b) {
    return diffUnits(a, b, SecondsPerMinute);
}

} // namespace kelvora
