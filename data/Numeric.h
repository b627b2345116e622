#pragma once

#include <QLocale>
#include <QString>

#include <cstdint>
#include <optional>

namespace kelvora {

// The integer nearest to v, a half going to the even neighbour (2.5 -> 2, 3.5 -> 4, -2.5 -> -2).
// Non-finite input comes back unchanged.
double nearest(double v);

// nearest(v) as a 16-bit or 32-bit integer; nullopt when it does not fit (or v is not finite),
// so a caller can report the overflow instead of storing a wrapped value.
std::optional<std::int16_t> toInt16(double v);
std::optional<std::int32_t> toInt32(double v);

// The numeric-text test. A text is a number when, without its surrounding blanks, it is a decimal
// number in the given locale (its decimal separator, an optional sign, an optional exponent) whose
// value is finite and within what Currency can hold. Blank text, group separators, NaN and
// infinity spellings are not numbers.
std::optional<double> parseNumber(const QString& text, const QLocale& locale = QLocale());
bool isNumeric(const QString& text, const QLocale& locale = QLocale());

// The shortest text that reads back as v in the locale, without group separators ("2.5", "-3", "0.0001").
QString formatNumber(double v, const QLocale& locale = QLocale());

} // namespace kelvora
