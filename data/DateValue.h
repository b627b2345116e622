#pragma once

#include <QDate>
#include <QDateTime>
#include <QTime>

#include <cstdint>

namespace kelvora {

// A date-time as a day serial: days since 30 December 1899, the fraction being the time of day.
// Calendar dates carry no fraction; times of day live on the zero day. Negative serials follow the
// usual automation-date convention (the integer part is the day, the fraction's magnitude the time).
class DateValue {
public:
    struct Parts {
        int year = 1899, month = 12, day = 30, hour = 0, minute = 0, second = 0;
    };

    constexpr DateValue() = default;
    constexpr explicit DateValue(double serial) : m_serial(serial) {}

    static DateValue fromYmd(int year, int month, int day);
    static DateValue fromTime(int hour, int minute, int second = 0);
    static DateValue fromParts(const Parts& parts);
    static DateValue fromQDate(const QDate& date);
    static DateValue fromQTime(const QTime& time);
    static DateValue fromQDateTime(const QDateTime& dateTime);

    constexpr double serial() const { return m_serial; }
    // Decomposition rounds to the nearest second first, so 08:00 stored as 0.3333... is 08:00:00.
    Parts parts() const;
    QDate toQDate() const;
    QTime toQTime() const;
    QDateTime toQDateTime() const;

    DateValue datePart() const; // the day, time dropped
    DateValue timePart() const; // the time of day on the zero day
    DateValue addDays(int days) const;
    DateValue addMinutes(int minutes) const;
    // Keeps the day of the month, or takes the last day of the target month when it has no such day.
    DateValue addMonths(int months) const;

    constexpr auto operator<=>(const DateValue&) const = default;

private:
    double m_serial = 0.0;
};

// Whole units from a to b counted as boundary crossings (midnights, full hours, full minutes),
// after rounding both to the nearest second: 07:59:59.6 to 08:00 is 0 minutes, 07:59 to 08:00 is 1.
std::int64_t diffDays(DateValue a, DateValue b);
std::int64_t diffHours(DateValue a, DateValue b);
std::int64_t diffMinutes(DateValue a, DateValue b);

} // namespace kelvora
