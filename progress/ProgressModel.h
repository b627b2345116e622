#pragma once

#include "DateValue.h"

#include <QString>

#include <cstdint>
#include <optional>
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
    std::int32_t Eaten = 0; // kcal eaten, as the day's meal list totals them
    bool HasEaten = false;  // a meal was recorded that day
    bool Measured = false;  // the body values were measured that day, not filled in between

    bool hasBody() const { return Waist > 0.0f; }
};

// The goals in force: a target weight in the period's unit system, a budget of kcal eaten a day.
struct ProgressGoals {
    std::optional<double> targetWeight;
    std::optional<double> dailyCalorieBudget;
};

// The period in one line's figures.
struct ProgressSummary {
    int daysEaten = 0;                   // the days with a meal recorded
    std::optional<int> daysWithinBudget; // of those, the ones within the budget; none without one
    std::optional<double> averageEaten;  // kcal a day over daysEaten; none without a meal
    std::optional<double> weightChange;  // last measured day's weight - the first's
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

    ProgressModel(deData& de, DateValue dateFrom, DateValue dateTo, double metabolicRate,
                  const ProgressGoals& goals = {});

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
    const ProgressGoals& goals() const { return m_goals; }
    // Whether day k's kcal eaten stayed within the budget: false without a budget or a meal.
    bool withinBudget(int k) const;
    ProgressSummary summary() const;

private:
    void readBody(deData& de);
    void readCalories(deData& de, double metabolicRate);
    void readEaten(deData& de);
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
    ProgressGoals m_goals;
};

} // namespace kelvora
