#include "DayModel.h"

#include "DayClock.h"

#include <cmath>
#include <limits>

namespace zelmar {

namespace {

constexpr double MergeWindowMinutes = 15;
constexpr double MinutesPerDay = 24 * 60;

template <typename T> bool narrow(qint64 value, T& out) {
    if (value < std::numeric_limits<T>::min() || value > std::numeric_limits<T>::max())
        return false;
    out = static_cast<T>(value);
    return true;
}

} // namespace

void DayModel::reset() {
    m_beginHour = 6;
    m_endHour = 22;
    m_mealCount = 0;
    m_exerciseCount = 0;
    m_dayBalance = 0;
    m_carbohydrateTotal = 0;
    m_fatTotal = 0;
    m_proteinTotal = 0;
}

bool DayModel::addMeal(qint32 id, double tm, qint16 carbohydrate, qint16 fat, qint16 protein) {
    if (!isUsableTime(tm))
        return false;
    qint32 carbohydrateTotal = 0, fatTotal = 0, proteinTotal = 0, dayBalance = 0;
    if (!narrow(qint64{m_carbohydrateTotal} + carbohydrate, carbohydrateTotal) ||
        !narrow(qint64{m_fatTotal} + fat, fatTotal) ||
        !narrow(qint64{m_proteinTotal} + protein, proteinTotal) ||
        !narrow(qint64{m_dayBalance} + carbohydrate + fat + protein, dayBalance))
        return false;

    const bool stored = m_mealCount < MealCapacity;
    MealStruct* last = m_mealCount > 0 ? &m_meals[static_cast<std::size_t>(m_mealCount - 1)] : nullptr;
    const bool merge = stored && last && elapsedMinutes(last->tm, tm) <= MergeWindowMinutes;
    MealStruct bar{.id = id, .tm = tm, .protein = protein, .carbohydrate = carbohydrate, .fat = fat};
    if (merge) {
        bar = *last;
        bar.complex = true;
        if (!narrow(qint64{bar.carbohydrate} + carbohydrate, bar.carbohydrate) ||
            !narrow(qint64{bar.fat} + fat, bar.fat) || !narrow(qint64{bar.protein} + protein, bar.protein))
            return false;
    }

    m_carbohydrateTotal = carbohydrateTotal;
    m_fatTotal = fatTotal;
    m_proteinTotal = proteinTotal;
    m_dayBalance = dayBalance;
    if (!stored)
        return true;
    if (merge)
        *last = bar;
    else
        m_meals[static_cast<std::size_t>(m_mealCount++)] = bar;
    widenAxis(tm, tm);
    return true;
}

bool DayModel::addExercise(qint32 id, double tmBeg, double tmEnd, qint16 calories) {
    qint32 dayBalance = 0;
    if (!isUsableTime(tmBeg) || !isUsableTime(tmEnd) || !narrow(qint64{m_dayBalance} - calories, dayBalance))
        return false;
    m_dayBalance = dayBalance;
    if (m_exerciseCount == ExerciseCapacity)
        return true;
    m_exercises[static_cast<std::size_t>(m_exerciseCount++)] =
        ExerciseStruct{.id = id, .tmBeg = tmBeg, .tmEnd = tmEnd, .calories = calories};
    widenAxis(tmBeg, tmEnd);
    return true;
}

double DayModel::finalBalance(double metabolicKoef) const {
    // The default rounding mode rounds halves to even; + 0.0 turns a negative zero into zero.
    return std::nearbyint(m_dayBalance - metabolicKoef * MinutesPerDay) + 0.0;
}

void DayModel::widenAxis(double from, double to) {
    const int fromSecond = secondsOfDay(from);
    const int toSecond = secondsOfDay(to);
    if (fromSecond < m_beginHour * 3600)
        m_beginHour = fromSecond / 3600;
    if (toSecond > m_endHour * 3600)
        m_endHour = toSecond / 3600 + 1;
}

} // namespace zelmar
