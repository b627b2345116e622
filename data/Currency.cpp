#include "Currency.h"

#include "DecimalText.h"

#include <cmath>
#include <limits>
#include <stdexcept>

namespace kelvora {

namespace {

__extension__ using Int128 = __int128;

// The doubles nearest to Max and Min lie a little beyond them (922337203685477.625 against
// ...477.5807 and ...477.5808). They stand for the ends themselves, so that every Currency survives
// toDouble() and fromDouble() and every number the numeric-text test accepts converts.
constexpr double EdgeDouble = 922337203685477.625;

// Every ten-thousandths count up to 2^53 is an exact double, so one division rounds correctly.
constexpr std::int64_t ExactInDouble = std::int64_t{1} << 53;

[[noreturn]] void throwOverflow() {
    throw std::overflow_error("Currency value out of range");
}

} // namespace

const Currency Currency::Max = Currency::fromRaw(std::numeric_limits<std::int64_t>::max());
const Currency Currency::Min = Currency::fromRaw(std::numeric_limits<std::int64_t>::min());

// A double's ties are decided on its shortest decimal form, not on its exact binary value: the
// double written 0.00015 is a hair below that decimal, yet whoever wrote it meant the decimal, and
// the text path (fromText) sees exactly that decimal too. So 0.00015 -> 0.0002 and 0.00005 -> 0.0000
// whether they arrive as text or as doubles.
std::optional<Currency> Currency::fromDouble(double v) {
    if (!std::isfinite(v) || std::fabs(v) > EdgeDouble)
        return std::nullopt;
    if (v == EdgeDouble)
        return Max;
    if (v == -EdgeDouble)
        return Min;
    const auto raw = detail::roundToTenThousandths(detail::decimalOf(v));
    if (!raw)
        return std::nullopt;
    return Currency(*raw);
}

// Typed text is rounded on its own decimal digits, never through a double, so a typed tie is a tie.
std::optional<Currency> Currency::fromText(const QString& text, const QLocale& locale) {
    const auto decimal = detail::scanDecimal(text, locale);
    if (!decimal)
        return std::nullopt;
    const auto raw = detail::roundToTenThousandths(*decimal);
    if (!raw)
        return std::nullopt;
    return Currency(*raw);
}

double Currency::toDouble() const {
    if (m_raw >= -ExactInDouble && m_raw <= ExactInDouble)
        return static_cast<double>(m_raw) / static_cast<double>(Scale);
    return detail::toDouble(detail::decimalOfTenThousandths(m_raw));
}

QString Currency::toString(const QLocale& locale) const {
    return detail::plainText(detail::decimalOfTenThousandths(m_raw), locale);
}

Currency Currency::operator+(Currency other) const {
    std::int64_t sum = 0;
    if (__builtin_add_overflow(m_raw, other.m_raw, &sum))
        throwOverflow();
    return Currency(sum);
}

Currency Currency::operator-(Currency other) const {
    std::int64_t difference = 0;
    if (__builtin_sub_overflow(m_raw, other.m_raw, &difference))
        throwOverflow();
    return Currency(difference);
}

Currency Currency::operator-() const {
    if (m_raw == std::numeric_limits<std::int64_t>::min())
        throwOverflow();
    return Currency(-m_raw);
}

Currency Currency::operator*(Currency other) const {
    // The exact product counts hundred-millionths; bring it back to ten-thousandths.
    const Int128 product = static_cast<Int128>(m_raw) * other.m_raw;
    Int128 quotient = product / Scale;
    const Int128 remainder = product % Scale; // carries the product's sign
    const Int128 half = Scale / 2;
    const Int128 dropped = remainder < 0 ? -remainder : remainder;
    if (dropped > half || (dropped == half && quotient % 2 != 0))
        quotient += product < 0 ? -1 : 1;
    if (quotient > std::numeric_limits<std::int64_t>::max() ||
        quotient < std::numeric_limits<std::int64_t>::min())
        throwOverflow();
    return Currency(static_cast<std::int64_t>(quotient));
}

double snapToCurrency(double v) {
    const auto c = Currency::fromDouble(v);
    return c ? c->toDouble() : v;
}

} // namespace kelvora
