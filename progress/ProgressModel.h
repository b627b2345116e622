#pragma once

#include "DateValue.h"

#include <QString>

#include <cstdint>
#include <vector>

namespace kelvora {

class deData;

// One day of the progress period.
struct ProgressDay {
    float Breast = 0.0f;
    float Waist = -1.0f; // -1: no body measurement that day
    float Hips = 0.0f;
    float Weight = 0.0f;
    std::int32_t Calories = 0; // eaten - burnt by activities - 24 hours of basal burn
    bool HasCalories = false;

    bool hasBody() const { return Waist > 0.0f; }
};

struct ProgressNote {
    QString NoteText;
    DateValue DateFrom;
    DateValue DateTo;
};

// The per-day picture of a period, read once from the diary: body measurements with short gaps
// filled by straight lines, the daily calorie balance, the value ranges the chart scales to, and
// the notes that overlap the period. Read-only once built.
//
// A body row with any of its four values empty is left out altogether (the day keeps no body
// data and the ranges are not widened by it): a missing girth read as 0 would pull the line and
// the girth scale down to zero.
class ProgressModel {
public:
    // Room for the longest period the settings dialog offers (six months).
    static constexpr int DayTableSize = 186;

    ProgressModel(deData& de, DateValue dateFrom, DateValue dateTo, double metabolicRate);

    DateValue dateFrom() const { return m_dateFrom; }
    DateValue dateTo() const { return m_dateTo; }
    int nDays() const { return m_nDays; }
    // Day k, 1-based.
    const ProgressDay& day(int k) const { return m_days.at(static_cast<std::size_t>(k - 1)); }
    // The day number of a date: 1 for dateFrom; outside 1..nDays for dates outside the period.
    std::int64_t dayOf(DateValue date) const { return diffDays(m_dateFrom, date) + 1; }

    float girthMin() const { return m_girthMin; }
    float girthMax() const { return m_girthMax; }
    float weightMin() const { return m_weightMin; }
    float weightMax() const { return m_weightMax; }
    std::int32_t calMin() const { return m_calMin; }
    std::int32_t calMax() const { return m_calMax; }

    const std::vector<ProgressNote>& notes() const { return m_notes; }

private:
    void readBody(deData& de);
    void readCalories(deData& de, double metabolicRate);
    void readNotes(deData& de);
    void Approximate();
    void ApproximateSpan(int gapStart, int gapEnd);
    ProgressDay* dayAt(std::int64_t k);

    DateValue m_dateFrom;
    DateValue m_dateTo;
    int m_nDays = 1;
    std::vector<ProgressDay> m_days;
    float m_girthMin = 500.0f;
    float m_girthMax = 0.0f;
    float m_weightMin = 1000.0f;
    float m_weightMax = 0.0f;
    std::int32_t m_calMin = -2000;
    std::int32_t m_calMax = 2000;
    std::vector<ProgressNote> m_notes;
};

} // namespace kelvora
