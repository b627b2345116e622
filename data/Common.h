#pragma once

#include "Currency.h"

#include <QString>
#include <QVariant>

#include <cstdint>

namespace kelvora {

class deData;

// The identifier allocators of the journal tables. Each takes the next value of its counter in the
// Common row, stores the counter at once (so the identifier stays used even if the caller's own
// store then fails) and returns it. Identifiers are 32-bit, as wide as the editors, the lists and the
// chart carry them: 16 bits would end a diary of six meals a day after fifteen years. Once a counter
// has reached the 32-bit limit the allocator throws DbError and leaves the counter as it was.
// Allocate before opening a Transaction, or the counter's update rolls back with the caller's work.
std::int32_t AllocateMealConsumeID(deData& de);
std::int32_t AllocateExercisePerformID(deData& de);
std::int32_t AllocateBodyID(deData& de);
std::int32_t AllocateUserNoteID(deData& de);

// The empty text for null, else the value as text (numbers in their shortest form in the user's locale).
QString NullToText(const QVariant& value);
// 0 for null, the empty text or text that is not a number; else the value as a whole number
// (a fraction rounded to the nearest, a half to the even neighbour).
std::int32_t NullToZero(const QVariant& value);

template <typename T> T MaxOf(T a, T b) {
    return a > b ? a : b;
}
template <typename T> T MinOf(T a, T b) {
    return a < b ? a : b;
}

// The multiple of `step` nearest to `value`, moved down (roundDown) or up so that it is not above
// (not below) the value. A step that is not positive gives the value itself; a multiple beyond the
// Currency range is clamped to the range.
Currency RoundToStep(float value, bool roundDown, Currency step);

} // namespace kelvora
