#pragma once

#include <QString>

#include <optional>

namespace kelvora {

// A day's kcal against the daily calorie budget: what was eaten (the day list's total), what the
// activities burned, and how much of the budget is left (negative: that much over).
struct DayCalories {
    double eaten = 0;
    double burned = 0;
    std::optional<double> budget;

    std::optional<double> left() const;
    bool withinBudget() const { return budget && eaten <= *budget; }
};

// The main window's line for the day: "Eaten 1850 kcal of 2000, 150 left; burned 320 kcal", with
// "over" for a day beyond its budget and without the budget's part when there is none.
QString dayCaloriesText(const DayCalories& day);

// What is left of a budget ("150 left", "75 over"), in kcal.
QString budgetLeftText(double left);

} // namespace kelvora
