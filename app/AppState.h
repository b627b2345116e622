#pragma once

#include "DateValue.h"

#include <QString>

#include <cstdint>
#include <optional>

namespace kelvora {

// The values every window reads and writes directly, held for the whole run.
struct AppState {
    DateValue currentDate;       // the day the main window shows
    DateValue currentTime;       // the time proposed by the next journal editor
    std::int16_t bodyWeight = 0; // in lb or kg, after measurementSystem
    QString measurementSystem;   // "I" or "M"
    double metabolicRate = 0.0;  // background burn, kcal per hour
    // The user's goals, none when not set: a body weight in the unit of measurementSystem, and
    // the kcal to eat at most a day.
    std::optional<double> targetWeight;
    std::optional<double> dailyCalorieBudget;
    QString timeDisplayFormat; // "Hh:Nn" or "h:Nn am/pm"
    QString timePickerFormat;  // "H:mm" or "h:mm tt"
    bool clock24 = false;
    QString newLine; // line feed then carriage return
    // The diary was found at start to refuse changes (its file or folder may not be written): the
    // program shows it, and says so at every store instead of blaming the input.
    bool diaryReadOnly = false;
};

} // namespace kelvora
