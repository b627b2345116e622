// Fuzzes the reading and writing of numbers: the numeric-text test, number formatting, the integer
// conversions and Currency. The whole input is read as typed text in a set of locales; its first
// bytes also serve as a raw double and two raw Currency values for the binary conversions and the
// arithmetic. Every property checked here is one the editors rely on: what the test accepts can be
// stored, what is stored reads back as itself.

#include "Currency.h"
#include "FuzzCheck.h"
#include "Numeric.h"

#include <QLocale>
#include <QString>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <stdexcept>
#include <string>
#include <vector>

using kelvora::Currency;

namespace {

__extension__ using Int128 = __int128;

// Locales whose notation differs in every part the reader and the writer touch: decimal separator,
// minus sign (U+2212, with direction marks), exponent symbol and native digits.
const std::vector<QLocale>& locales() {
    static const std::vector<QLocale> all{
        QLocale::c(),
        QLocale(QLocale::English, QLocale::UnitedStates),
        QLocale(QLocale::German, QLocale::Germany),
        QLocale(QLocale::French, QLocale::France),
        QLocale(QLocale::Swedish, QLocale::Sweden),
        QLocale(QLocale::German, QLocale::Switzerland),
        QLocale(QLocale::Arabic, QLocale::Egypt),
        QLocale(QLocale::Persian, QLocale::Iran),
        QLocale(QLocale::Bangla, QLocale::Bangladesh),
        QLocale(QLocale::Burmese, QLocale::Myanmar),
        QLocale(QLocale::Hindi, QLocale::India),
    };
    return all;
}

// The value-preserving bounds: the largest doubles whose shortest text still rounds to a Currency.
constexpr double CurrencyTextLimit = 922337203685477.5;
// Below this many ten-thousandths a Currency has at most fifteen significant digits, which a double
// holds exactly, so the round trip through double is the identity there.
constexpr std::int64_t ExactRawLimit = 1'000'000'000'000'000;

bool isSmallRaw(std::int64_t raw) {
    return raw > -ExactRawLimit && raw < ExactRawLimit;
}

void checkText(const QString& text, const QLocale& locale, bool cLocale) {
    const std::optional<double> number = kelvora::parseNumber(text, locale);
    FUZZ_CHECK(kelvora::isNumeric(text, locale) == number.has_value());
    const std::optional<Currency> currency = Currency::fromText(text, locale);
    FUZZ_CHECK(currency.has_value() == number.has_value());
    if (!number)
        return;

    FUZZ_CHECK(std::isfinite(*number));
    // Whatever the test accepts, a Currency can hold, as text and as the double it denotes.
    const std::optional<Currency> viaDouble = Currency::fromDouble(*number);
    FUZZ_CHECK(viaDouble.has_value());
    if (isSmallRaw(currency->raw())) {
        // The double is within one of its ulps of the text; at this size that cannot move the
        // rounding by more than one ten-thousandth.
        const Int128 difference = Int128{viaDouble->raw()} - currency->raw();
        FUZZ_CHECK(difference >= -1 && difference <= 1);
    }

    // The stored value and the shown value agree with each other and with the typed text.
    FUZZ_CHECK(Currency::fromText(currency->toString(locale), locale) == currency);
    // At the very ends the nearest double lies beyond the range, and so does its shortest text.
    if (std::fabs(*number) <= CurrencyTextLimit)
        FUZZ_CHECK(kelvora::parseNumber(kelvora::formatNumber(*number, locale), locale) == number);

    if (cLocale) {
        // Accepted text in the C locale is plain ASCII notation: strtod is a correctly rounded
        // reference for the value.
        const QByteArray ascii = text.trimmed().toLatin1();
        FUZZ_CHECK(std::strtod(ascii.constData(), nullptr) == *number);
    }
}

void checkDouble(double v) {
    const QLocale& english = locales()[1];
    if (std::isfinite(v)) {
        // FE_TONEAREST is the same rounding: half to even.
        FUZZ_CHECK(kelvora::nearest(v) == std::nearbyint(v));
        const QString text = kelvora::formatNumber(v, english);
        FUZZ_CHECK(!text.contains(u','));
        const std::optional<double> back = kelvora::parseNumber(text, english);
        if (std::fabs(v) <= CurrencyTextLimit)
            FUZZ_CHECK(back.has_value());
        if (back)
            FUZZ_CHECK(*back == v);
    } else {
        FUZZ_CHECK(!Currency::fromDouble(v).has_value());
        FUZZ_CHECK(!kelvora::toInt16(v) && !kelvora::toInt32(v));
    }

    const double r = std::isfinite(v) ? std::nearbyint(v) : 0.0;
    const auto i16 = kelvora::toInt16(v);
    FUZZ_CHECK(i16.has_value() == (std::isfinite(v) && r >= -32768.0 && r <= 32767.0));
    if (i16)
        FUZZ_CHECK(*i16 == r);
    const auto i32 = kelvora::toInt32(v);
    FUZZ_CHECK(i32.has_value() == (std::isfinite(v) && r >= -2147483648.0 && r <= 2147483647.0));
    if (i32)
        FUZZ_CHECK(*i32 == r);

    if (const auto c = Currency::fromDouble(v)) {
        if (std::fabs(v) < 1e11)
            FUZZ_CHECK(std::fabs(c->toDouble() - v) <= 0.00005 * (1 + 1e-9) + std::fabs(v) * 1e-15);
        FUZZ_CHECK(kelvora::snapToCurrency(v) == c->toDouble());
    } else {
        FUZZ_CHECK(!std::isfinite(v) || std::fabs(v) > CurrencyTextLimit);
    }
}

// Reference: the exact product in hundred-millionths, floor-divided, then the remainder rounded
// half to even.
std::optional<std::int64_t> referenceProduct(std::int64_t a, std::int64_t b) {
    const Int128 product = Int128{a} * b;
    Int128 quotient = product / Currency::Scale;
    Int128 remainder = product % Currency::Scale;
    if (remainder < 0) {
        remainder += Currency::Scale;
        quotient -= 1;
    }
    if (remainder > Currency::Scale / 2 || (remainder == Currency::Scale / 2 && quotient % 2 != 0))
        quotient += 1;
    if (quotient > std::numeric_limits<std::int64_t>::max() ||
        quotient < std::numeric_limits<std::int64_t>::min())
        return std::nullopt;
    return static_cast<std::int64_t>(quotient);
}

template <typename Operation> std::optional<std::int64_t> rawOf(Operation operation) {
    try {
        return operation().raw();
    } catch (const std::overflow_error&) {
        return std::nullopt;
    }
}

std::optional<std::int64_t> fitting(Int128 v) {
    if (v > std::numeric_limits<std::int64_t>::max() || v < std::numeric_limits<std::int64_t>::min())
        return std::nullopt;
    return static_cast<std::int64_t>(v);
}

void checkCurrency(std::int64_t rawA, std::int64_t rawB) {
    const Currency a = Currency::fromRaw(rawA);
    const Currency b = Currency::fromRaw(rawB);

    FUZZ_CHECK(rawOf([&] { return a + b; }) == fitting(Int128{rawA} + rawB));
    FUZZ_CHECK(rawOf([&] { return a - b; }) == fitting(Int128{rawA} - rawB));
    FUZZ_CHECK(rawOf([&] { return -a; }) == fitting(-Int128{rawA}));
    FUZZ_CHECK(rawOf([&] { return a * b; }) == referenceProduct(rawA, rawB));
    FUZZ_CHECK((a < b) == (rawA < rawB) && (a == b) == (rawA == rawB));

    // Every Currency survives the trip through double; small ones come back exactly.
    const std::optional<Currency> back = Currency::fromDouble(a.toDouble());
    FUZZ_CHECK(back.has_value());
    if (isSmallRaw(rawA) || a == Currency::Max || a == Currency::Min)
        FUZZ_CHECK(back == a);

    for (const QLocale& locale : locales()) {
        const QString text = a.toString(locale);
        FUZZ_CHECK(Currency::fromText(text, locale) == a);
        FUZZ_CHECK(kelvora::isNumeric(text, locale));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    for (std::size_t i = 0; i < locales().size(); ++i)
        checkText(text, locales()[i], i == 0);

    if (size >= 3 * sizeof(std::uint64_t)) {
        std::uint64_t words[3];
        std::memcpy(words, data, sizeof words);
        checkDouble(std::bit_cast<double>(words[0]));
        checkCurrency(std::bit_cast<std::int64_t>(words[1]), std::bit_cast<std::int64_t>(words[2]));
    }
    return 0;
}
