#pragma once

#include "ChartRecords.h"

#include <array>
#include <span>

namespace zelmar {

// One day's meals and activities as the host handed them over since the last reset, with the span
// of the time axis and the day's sums.
class DayModel {
public:
    void reset();

    // Both return false and change nothing when a time is not a usable day serial or a sum would
    // leave its range (16 bits for a merged bar, 32 bits for the day's sums).
    bool addMeal(qint32 id, double tm, qint16 carbohydrate, qint16 fat, qint16 protein);
    bool addExercise(qint32 id, double tmBeg, double tmEnd, qint16 calories);

    std::span<MealStruct> meals() { return {m_meals.data(), static_cast<std::size_t>(m_mealCount)}; }
    std::span<const MealStruct> meals() const {
        return {m_meals.data(), static_cast<std::size_t>(m_mealCount)};
    }
    std::span<ExerciseStruct> exercises() {
        return {m_exercises.data(), static_cast<std::size_t>(m_exerciseCount)};
    }
    std::span<const ExerciseStruct> exercises() const {
        return {m_exercises.data(), static_cast<std::size_t>(m_exerciseCount)};
    }

    // The axis runs between whole hours of the day, 24 being the closing midnight.
    int beginHour() const { return m_beginHour; }
    int endHour() const { return m_endHour; }

    qint32 dayBalance() const { return m_dayBalance; }
    qint32 carbohydrateTotal() const { return m_carbohydrateTotal; }
    qint32 fatTotal() const { return m_fatTotal; }
    qint32 proteinTotal() const { return m_proteinTotal; }
    // The number the "Balance: " caption states: the day's intake minus its activities minus a whole
    // day of basal burn at `metabolicKoef` kcal per minute, to the nearest kcal (half to even). Not
    // finite when the burn is not.
    double finalBalance(double metabolicKoef) const;

private:
    void widenAxis(double from, double to);

    std::array<MealStruct, MealCapacity> m_meals{};
    std::array<ExerciseStruct, ExerciseCapacity> m_exercises{};
    int m_mealCount = 0;
    int m_exerciseCount = 0;
    int m_beginHour = 6;
    int m_endHour = 22;
    qint32 m_dayBalance = 0;
    qint32 m_carbohydrateTotal = 0;
    qint32 m_fatTotal = 0;
    qint32 m_proteinTotal = 0;
};

} // namespace zelmar
