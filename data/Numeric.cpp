#include "Numeric.h"

#include "DecimalText.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace kelvora {

namespace {

// Exponents are saturated here while they are read: any decimal exponent beyond it already puts the
// value far outside every double, and the cap keeps the arithmetic on exponents free of overflow
// even for texts of thousands of digits.
constexpr std::int64_t ExponentCap = 1'000'000;

// Decimal orders beyond these make a double overflow or vanish whatever the digits are.
constexpr std::int64_t MaxDoubleOrder = 400;
constexpr std::int64_t MinDoubleOrder = -400;

// A halfway point between two doubles has at most 767 significant decimal digits, so digits past a
// few more than that can only tell "exactly there" from "a little above": one nonzero sticky digit
// keeps that distinction and keeps the conversion bounded for long texts.
constexpr std::size_t SignificantDigitsKept = 780;

// The locale's spellings, looked up once per text.
struct Notation {
    explicit Notation(const QLocale& locale)
        : decimalPoint(locale.decimalPoint()), negativeSign(locale.negativeSign()),
          positiveSign(locale.positiveSign()), exponential(locale.exponential()) {
        const QString localZero = locale.zeroDigit();
        if (localZero.size() == 1 && localZero.front() != u'0')
            zero = localZero.front();
    }

    QString decimalPoint;
    QString negativeSign;
    QString positiveSign;
    QString exponential;
    QChar zero; // the locale's own zero when it is not the ASCII one, null otherwise
};

bool takeToken(QStringView text, qsizetype& pos, QStringView token,
               Qt::CaseSensitivity cs = Qt::CaseSensitive) {
    if (token.isEmpty() || !text.sliced(pos).startsWith(token, cs))
        return false;
    pos += token.size();
    return true;
}

int digitValue(QChar c, QChar localZero) {
    if (c >= u'0' && c <= u'9')
        return c.unicode() - u'0';
    if (!localZero.isNull() && c.unicode() >= localZero.unicode() && c.unicode() - localZero.unicode() < 10)
        return c.unicode() - localZero.unicode();
    return -1;
}

// +1, -1, or 0 when no sign stands at pos.
int takeSign(QStringView text, qsizetype& pos, const Notation& n) {
    if (takeToken(text, pos, u"-") || takeToken(text, pos, n.negativeSign))
        return -1;
    if (takeToken(text, pos, u"+") || takeToken(text, pos, n.positiveSign))
        return 1;
    return 0;
}

bool takeExponentMarker(QStringView text, qsizetype& pos, const Notation& n) {
    return takeToken(text, pos, u"e", Qt::CaseInsensitive) ||
           takeToken(text, pos, n.exponential, Qt::CaseInsensitive);
}

void normalize(detail::Decimal& d) {
    const auto first = d.digits.find_first_not_of('0');
    if (first == std::string::npos) {
        d = detail::Decimal{};
        return;
    }
    d.digits.erase(0, first);
    const auto last = d.digits.find_last_not_of('0');
    const auto trailingZeros = d.digits.size() - 1 - last;
    d.digits.erase(last + 1);
    d.exponent += static_cast<std::int64_t>(trailingZeros);
}

QString localized(const std::string& ascii, const QLocale& locale) {
    const Notation n(locale);
    QString out;
    out.reserve(static_cast<qsizetype>(ascii.size()));
    for (const char c : ascii) {
        if (c >= '0' && c <= '9') {
            out += n.zero.isNull() ? QChar(QLatin1Char(c)) : QChar(n.zero.unicode() + (c - '0'));
        } else if (c == '.') {
            out += n.decimalPoint;
        } else if (c == '-') {
            out += n.negativeSign;
        } else {
            out += QLatin1Char(c);
        }
    }
    return out;
}

template <typename Int> std::optional<Int> toFittingInt(double v) {
    const double r = nearest(v);
    if (!std::isfinite(r) || r < static_cast<double>(std::numeric_limits<Int>::min()) ||
        r > static_cast<double>(std::numeric_limits<Int>::max()))
        return std::nullopt;
    return static_cast<Int>(r);
}

} // namespace

namespace detail {

std::optional<Decimal> scanDecimal(QStringView text, const QLocale& locale) {
    const QStringView t = text.trimmed();
    const Notation n(locale);
    qsizetype pos = 0;

    Decimal d;
    d.negative = takeSign(t, pos, n) < 0;

    std::string fraction;
    bool afterPoint = false;
    while (pos < t.size()) {
        if (const int v = digitValue(t[pos], n.zero); v >= 0) {
            (afterPoint ? fraction : d.digits).push_back(static_cast<char>('0' + v));
            ++pos;
        } else if (!afterPoint && takeToken(t, pos, n.decimalPoint)) {
            afterPoint = true;
        } else {
            break;
        }
    }
    if (d.digits.empty() && fraction.empty())
        return std::nullopt;

    std::int64_t exponent = 0;
    if (pos < t.size()) {
        if (!takeExponentMarker(t, pos, n))
            return std::nullopt;
        const int sign = takeSign(t, pos, n);
        const qsizetype firstDigit = pos;
        for (int v = 0; pos < t.size() && (v = digitValue(t[pos], n.zero)) >= 0; ++pos)
            exponent = std::min(exponent * 10 + v, ExponentCap);
        if (pos == firstDigit || pos != t.size())
            return std::nullopt;
        if (sign < 0)
            exponent = -exponent;
    }

    d.exponent = exponent - static_cast<std::int64_t>(fraction.size());
    d.digits += fraction;
    normalize(d);
    return d;
}

Decimal decimalOf(double v) {
    // Shortest round-trip digits in scientific form: [-]d[.ddd]e(+|-)xx
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::scientific);
    const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));

    Decimal d;
    std::size_t i = 0;
    if (text[i] == '-') {
        d.negative = true;
        ++i;
    }
    std::int64_t fractionDigits = 0;
    bool afterPoint = false;
    for (; text[i] != 'e'; ++i) {
        if (text[i] == '.') {
            afterPoint = true;
            continue;
        }
        d.digits.push_back(text[i]);
        if (afterPoint)
            ++fractionDigits;
    }
    ++i; // 'e'
    const bool negativeExponent = text[i] == '-';
    std::int64_t exponent = 0;
    for (++i; i < text.size(); ++i)
        exponent = exponent * 10 + (text[i] - '0');
    d.exponent = (negativeExponent ? -exponent : exponent) - fractionDigits;
    normalize(d);
    return d;
}

Decimal decimalOfTenThousandths(std::int64_t raw) {
    const std::uint64_t magnitude =
        raw < 0 ? 0 - static_cast<std::uint64_t>(raw) : static_cast<std::uint64_t>(raw);
    Decimal d{raw < 0, std::to_string(magnitude), -4};
    normalize(d);
    return d;
}

std::optional<std::int64_t> roundToTenThousandths(const Decimal& d) {
    if (d.digits.empty())
        return 0;
    constexpr std::int64_t MaxDigits = std::numeric_limits<std::uint64_t>::digits10; // 19
    const auto count = static_cast<std::int64_t>(d.digits.size());
    const std::int64_t shift = d.exponent + 4;      // the value in ten-thousandths is digits * 10^shift
    const std::int64_t wholeDigits = count + shift; // digits left of the ten-thousandths' point
    if (wholeDigits > MaxDigits)
        return std::nullopt;

    std::uint64_t magnitude = 0;
    const std::int64_t kept = std::min(count, wholeDigits);
    for (std::int64_t i = 0; i < kept; ++i)
        magnitude = magnitude * 10 + static_cast<std::uint64_t>(d.digits[static_cast<std::size_t>(i)] - '0');
    for (std::int64_t i = count; i < wholeDigits; ++i)
        magnitude *= 10;

    if (wholeDigits >= 0 && wholeDigits < count) {
        // Digits were dropped; as the digits end in a nonzero one, anything after the first dropped
        // digit makes it more than a half.
        const char firstDropped = d.digits[static_cast<std::size_t>(wholeDigits)];
        const bool moreFollow = wholeDigits + 1 < count;
        if (firstDropped > '5' || (firstDropped == '5' && (moreFollow || magnitude % 2 == 1)))
            ++magnitude;
    }

    const std::uint64_t limit =
        static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()) + (d.negative ? 1U : 0U);
    if (magnitude > limit)
        return std::nullopt;
    return d.negative ? static_cast<std::int64_t>(0 - magnitude) : static_cast<std::int64_t>(magnitude);
}

double toDouble(const Decimal& d) {
    if (d.digits.empty())
        return 0.0;
    const auto count = static_cast<std::int64_t>(d.digits.size());
    const std::int64_t order = count + d.exponent;
    double v = 0.0;
    if (order > MaxDoubleOrder) {
        v = std::numeric_limits<double>::infinity();
    } else if (order >= MinDoubleOrder) {
        std::string text;
        std::int64_t exponent = d.exponent;
        if (d.digits.size() > SignificantDigitsKept) {
            text.assign(d.digits, 0, SignificantDigitsKept);
            text += '1';
            exponent += count - static_cast<std::int64_t>(SignificantDigitsKept + 1);
        } else {
            text = d.digits;
        }
        text += 'e';
        text += std::to_string(exponent);
        const auto result = std::from_chars(text.data(), text.data() + text.size(), v);
        if (result.ec == std::errc::result_out_of_range)
            v = order > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    }
    return d.negative && v != 0.0 ? -v : v;
}

QString plainText(const Decimal& d, const QLocale& locale) {
    std::string ascii;
    if (d.digits.empty()) {
        ascii = "0";
    } else {
        const auto count = static_cast<std::int64_t>(d.digits.size());
        const std::int64_t wholeDigits = count + d.exponent;
        if (d.negative)
            ascii += '-';
        if (d.exponent >= 0) {
            ascii += d.digits;
            ascii.append(static_cast<std::size_t>(d.exponent), '0');
        } else if (wholeDigits > 0) {
            ascii.append(d.digits, 0, static_cast<std::size_t>(wholeDigits));
            ascii += '.';
            ascii.append(d.digits, static_cast<std::size_t>(wholeDigits));
        } else {
            ascii += "0.";
            ascii.append(static_cast<std::size_t>(-wholeDigits), '0');
            ascii += d.digits;
        }
    }
    return localized(ascii, locale);
}

} // namespace detail

double nearest(double v) {
    if (!std::isfinite(v))
        return v;
    // Worked on the magnitude, where magnitude - floor(magnitude) is exact, and mirrored back:
    // a half going to the even neighbour is symmetric about zero.
    const double magnitude = std::fabs(v);
    const double below = std::floor(magnitude);
    const double excess = magnitude - below;
    double rounded = below;
    if (excess > 0.5 || (excess == 0.5 && std::fmod(below, 2.0) != 0.0))
        rounded = below + 1.0;
    return std::copysign(rounded, v);
}

std::optional<std::int16_t> toInt16(double v) {
    return toFittingInt<std::int16_t>(v);
}

std::optional<std::int32_t> toInt32(double v) {
    return toFittingInt<std::int32_t>(v);
}

std::optional<double> parseNumber(const QString& text, const QLocale& locale) {
    const auto decimal = detail::scanDecimal(text, locale);
    // A number is only a number when Currency can hold it, so every check that passes this test
    // can also store the value.
    if (!decimal || !detail::roundToTenThousandths(*decimal))
        return std::nullopt;
    return detail::toDouble(*decimal);
}

bool isNumeric(const QString& text, const QLocale& locale) {
    return parseNumber(text, locale).has_value();
}

QString formatNumber(double v, const QLocale& locale) {
    if (!std::isfinite(v))
        return locale.toString(v);
    return detail::plainText(detail::decimalOf(v), locale);
}

} // namespace kelvora
