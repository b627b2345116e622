#pragma once

// Internal to the value types: the one decimal reading and writing shared by the numeric-text test,
// Currency and number formatting, so that "is it a number", "what Currency does it make" and "how is
// it shown" can never disagree.

#include <QLocale>
#include <QString>

#include <cstdint>
#include <optional>
#include <string>

namespace kelvora::detail {

// A finite decimal: (negative ? -1 : 1) * digits * 10^exponent. The digits carry no leading or
// trailing zeros, so zero has no digits at all.
struct Decimal {
    bool negative = false;
    std::string digits;
    std::int64_t exponent = 0;
};

// Reads text in the locale's notation (surrounding blanks allowed); nullopt unless all of it is one
// decimal number. Says nothing about range.
std::optional<Decimal> scanDecimal(QStringView text, const QLocale& locale);

// The shortest decimal that reads back as v; v must be finite.
Decimal decimalOf(double v);

// The exact decimal value of raw ten-thousandths.
Decimal decimalOfTenThousandths(std::int64_t raw);

// The decimal rounded to the nearest ten-thousandth, a half going to the even neighbour, as a count
// of ten-thousandths; nullopt when that count does not fit 64 bits.
std::optional<std::int64_t> roundToTenThousandths(const Decimal& d);

// The double nearest to the decimal (correctly rounded).
double toDouble(const Decimal& d);

// Plain positional notation in the locale: no exponent, no group separators.
QString plainText(const Decimal& d, const QLocale& locale);

} // namespace kelvora::detail
