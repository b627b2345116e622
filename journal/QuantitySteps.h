#pragma once

#include "Currency.h"

#include <QString>

#include <optional>

namespace kelvora {

// What the spin buttons beside a quantity make of its text. Each gives the new text, or nothing
// when the text is no number (or the step would leave the range of stored quantities), in which
// case the text stays as it is. There is no bound: stepping down goes below zero.

// A meal's up step: exact in Currency, written in its shortest form with up to four decimals.
std::optional<QString> mealStepUp(const QString& text, Currency increment);
// A meal's down step: the text read as a single-precision number, then Currency minus the
// increment, written back as a single-precision number (at most seven significant digits).
std::optional<QString> mealStepDown(const QString& text, Currency increment);
// An activity's step by `delta`, all in single precision.
std::optional<QString> singleStep(const QString& text, float delta);

// A single-precision number in its shortest form, at most seven significant digits, in the user's locale.
QString singleText(float value);

} // namespace kelvora
