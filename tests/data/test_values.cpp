#include "Currency.h"
#include "DateValue.h"
#include "Numeric.h"
#include "ScopedLocale.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <stdexcept>
#include <string>

using namespace kelvora;

namespace {

const QLocale English(QLocale::English, QLocale::UnitedStates);
const QLocale German(QLocale::German, QLocale::Germany);

constexpr double Inf = std::numeric_limits<double>::infinity();
constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

Currency cur(std::int64_t tenThousandths) {
    return Currency::fromRaw(tenThousandths);
}

std::string show(const DateValue::Parts& p) {
    return QStringLiteral("%1-%2-%3 %4:%5:%6")
        .arg(p.year)
        .arg(p.month, 2, 10, QLatin1Char('0'))
        .arg(p.day, 2, 10, QLatin1Char('0'))
        .arg(p.hour, 2, 10, QLatin1Char('0'))
        .arg(p.minute, 2, 10, QLatin1Char('0'))
        .arg(p.second, 2, 10, QLatin1Char('0'))
        .toStdString();
}

// A time of day given with fractional seconds, as a serial on the zero day.
DateValue clock(int hour, int minute, double second) {
    return DateValue((hour * 3600 + minute * 60 + second) / 86400.0);
}

} // namespace

// ---- Rounding -------------------------------------------------------------------------------------

TEST(Nearest, HalvesGoToTheEvenNeighbour) {
    const struct {
        double in, out;
    } cases[] = {
        {2.5, 2},
        {3.5, 4},
        {13.5, 14},
        {0.5, 0},
        {1.5, 2},
        {-2.5, -2},
        {-3.5, -4},
        {-0.5, 0},
        {2.4, 2},
        {2.6, 3},
        {-2.6, -3},
        {2.4999999999999996, 2},
        {7.0, 7},
        {-0.3, 0},
        {1e300, 1e300},
        {4503599627370497.0, 4503599627370497.0},
        {-0.49999999999999994, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.in);
        EXPECT_EQ(nearest(c.in), c.out);
    }
    EXPECT_EQ(nearest(Inf), Inf);
    EXPECT_TRUE(std::isnan(nearest(NaN)));
}

TEST(Nearest, IntegerConversionsReportOverflowInsteadOfWrapping) {
    const struct {
        double in;
        std::optional<std::int16_t> out;
    } int16Cases[] = {
        {32767.4, 32767},         {32767.5, std::nullopt}, {-32768.5, -32768},   {-32768.6, std::nullopt},
        {-32769.5, std::nullopt}, {65536.0, std::nullopt}, {12.5, 12},           {-7.5, -8},
        {NaN, std::nullopt},      {Inf, std::nullopt},     {-Inf, std::nullopt},
    };
    for (const auto& c : int16Cases) {
        SCOPED_TRACE(c.in);
        EXPECT_EQ(toInt16(c.in), c.out);
    }
    const struct {
        double in;
        std::optional<std::int32_t> out;
    } int32Cases[] = {
        {2147483647.4, 2147483647},    {2147483647.5, std::nullopt}, {-2147483648.5, -2147483648},
        {-2147483648.6, std::nullopt}, {4294967296.0, std::nullopt}, {32768.0, 32768},
        {NaN, std::nullopt},
    };
    for (const auto& c : int32Cases) {
        SCOPED_TRACE(c.in);
        EXPECT_EQ(toInt32(c.in), c.out);
    }
}

// ---- Numeric text ---------------------------------------------------------------------------------

TEST(NumericText, ReadsDecimalsInTheLocale) {
    const struct {
        const char16_t* text;
        const QLocale& locale;
        double value;
    } cases[] = {
        {u"2.5", English, 2.5},
        {u"  -3\t", English, -3},
        {u"+0.1", English, 0.1},
        {u".5", English, 0.5},
        {u"5.", English, 5},
        {u"1.5e3", English, 1500},
        {u"15E-1", English, 1.5},
        {u"2e+2", English, 200},
        {u"007", English, 7},
        {u"2,5", German, 2.5},
        {u" -0,25 ", German, -0.25},
        {u"1,5e3", German, 1500},
        {u"1e-400", English, 0},
        {u"922337203685477.5807", English, 922337203685477.5807},
        {u"-922337203685477.5808", English, -922337203685477.5808},
    };
    for (const auto& c : cases) {
        const QString text = QString::fromUtf16(c.text);
        SCOPED_TRACE(text.toStdString());
        EXPECT_EQ(parseNumber(text, c.locale), c.value);
        EXPECT_TRUE(isNumeric(text, c.locale));
    }
}

TEST(NumericText, RefusesWhatIsNotOneFiniteNumberCurrencyCanHold) {
    const struct {
        const char16_t* text;
        const QLocale& locale;
    } cases[] = {
        {u"", English},
        {u"   ", English},
        {u"\t", English},
        {u"1,000", English}, // group separators are refused
        {u"1,5", English},
        {u"1.5", German},
        {u"1.000", German},
        {u"1 000", English},
        {u"1\u00a0000", German},
        {u"nan", English},
        {u"NaN", English},
        {u"inf", English},
        {u"-Infinity", English},
        {u"1e400", English},
        {u"1e15", English},
        {u"922337203685477.5808", English},
        {u"922337203685477.58075", English}, // a tie that rounds up to ...5808
        {u"-922337203685477.58085001", English},
        {u"--1", English},
        {u"+-1", English},
        {u"1.2.3", English},
        {u".", English},
        {u"-", English},
        {u"e5", English},
        {u"1e", English},
        {u"1e+", English},
        {u"1e5.5", English},
        {u"1\t0", English},
        {u"1\n0", English},
        {u"1\u00070", English},
        {u"0x10", English},
        {u"12a", English},
        {u"$5", English},
    };
    for (const auto& c : cases) {
        const QString text = QString::fromUtf16(c.text);
        SCOPED_TRACE(text.toStdString());
        EXPECT_EQ(parseNumber(text, c.locale), std::nullopt);
        EXPECT_FALSE(isNumeric(text, c.locale));
        EXPECT_EQ(Currency::fromText(text, c.locale), std::nullopt);
    }
}

TEST(NumericText, TheUsersLocaleIsTheDefault) {
    EXPECT_EQ(parseNumber(QStringLiteral("2.5")), 2.5);
    const test::ScopedLocale german(German);
    EXPECT_EQ(parseNumber(QStringLiteral("2,5")), 2.5);
    EXPECT_FALSE(isNumeric(QStringLiteral("2.5")));
    EXPECT_EQ(Currency::fromText(QStringLiteral("2,5")), cur(25000));
    EXPECT_EQ(formatNumber(2.5), QStringLiteral("2,5"));
}

TEST(NumericText, LongTextsAreReadExactly) {
    const QString tinyFraction = QStringLiteral("0.") + QString(9997, u'0') + QStringLiteral("1");
    const QString leadingZeros = QString(9999, u'0') + QStringLiteral("1");
    const QString hugeInteger = QStringLiteral("1") + QString(9999, u'0');
    const QString longExponent = QStringLiteral("1e-") + QString(9996, u'0') + QStringLiteral("1");
    const QString hugeExponent = QStringLiteral("1e") + QString(9998, u'9');
    // A tie at the fourth decimal decided by the last of 10,000 digits.
    const QString tieThenOne = QStringLiteral("0.00005") + QString(9992, u'0') + QStringLiteral("1");

    EXPECT_EQ(parseNumber(tinyFraction, English), 0.0);
    EXPECT_EQ(parseNumber(leadingZeros, English), 1.0);
    EXPECT_EQ(parseNumber(hugeInteger, English), std::nullopt);
    EXPECT_EQ(parseNumber(longExponent, English), 0.1);
    EXPECT_EQ(parseNumber(hugeExponent, English), std::nullopt);
    EXPECT_EQ(Currency::fromText(tieThenOne, English), cur(1));
}

TEST(NumericText, FormatsTheShortestPlainDecimal) {
    const struct {
        double value;
        const QLocale& locale;
        const char16_t* text;
    } cases[] = {
        {69.2308, English, u"69.2308"},
        {0.0, English, u"0"},
        {-0.0, English, u"0"},
        {-2.5, English, u"-2.5"},
        {1234567.0, English, u"1234567"},
        {0.0001, English, u"0.0001"},
        {0.1 + 0.2, English, u"0.30000000000000004"},
        {1e20, English, u"100000000000000000000"},
        {-1.5e-7, English, u"-0.00000015"},
        {1234567.5, German, u"1234567,5"},
        {-0.25, German, u"-0,25"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(formatNumber(c.value, c.locale), QString::fromUtf16(c.text));
    }
}

TEST(NumericText, FormattedNumbersReadBack) {
    for (const double v : {1.0 / 3.0, -2.0 / 7.0, 1e-9, 123456.789, 922337203685477.5, 5e-324}) {
        SCOPED_TRACE(v);
        EXPECT_EQ(parseNumber(formatNumber(v, English), English), v);
        EXPECT_EQ(parseNumber(formatNumber(v, German), German), v);
    }
}

// ---- Currency -------------------------------------------------------------------------------------

TEST(CurrencyValue, FromTextRoundsTheTypedDecimalHalfToEven) {
    const struct {
        const char16_t* text;
        const QLocale& locale;
        std::int64_t raw;
    } cases[] = {
        {u"69.23076", English, 692308},
        {u" 2.5 ", English, 25000},
        {u"0.00015", English, 2}, // an exact tie, although the double 0.00015 lies below it
        {u"0.00005", English, 0},
        {u"0.00025", English, 2},
        {u"0.000250001", English, 3},
        {u"-0.00015", English, -2},
        {u"-0.00025", English, -2},
        {u"1.00005", English, 10000},
        {u"1.5e-4", English, 2},
        {u"1.5e3", English, 15000000},
        {u"-0", English, 0},
        {u"922337203685477.58074", English, std::numeric_limits<std::int64_t>::max()},
        {u"-922337203685477.58085", English, std::numeric_limits<std::int64_t>::min()},
        {u"2,5", German, 25000},
        {u"-0,00015", German, -2},
        {u"69,23076", German, 692308},
    };
    for (const auto& c : cases) {
        const QString text = QString::fromUtf16(c.text);
        SCOPED_TRACE(text.toStdString());
        EXPECT_EQ(Currency::fromText(text, c.locale), cur(c.raw));
    }
}

TEST(CurrencyValue, FromDoubleDecidesTiesOnTheShortestDecimal) {
    const struct {
        double in;
        std::optional<Currency> out;
    } cases[] = {
        {0.00005, cur(0)},
        {0.00015, cur(2)},
        {0.00025, cur(2)},
        {0.00035, cur(4)},
        {-0.00015, cur(-2)},
        {1.00015, cur(10002)},
        {2.675, cur(26750)},
        {0.1 + 0.2, cur(3000)},
        {69.230769, cur(692308)},
        {0.000049999, cur(0)},
        {922337203685477.5, cur(9223372036854775000)},
        {922337203685477.625, Currency::Max}, // the double nearest to Max
        {-922337203685477.625, Currency::Min},
        {922337203685477.75, std::nullopt},
        {1e15, std::nullopt},
        {NaN, std::nullopt},
        {-Inf, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.in);
        EXPECT_EQ(Currency::fromDouble(c.in), c.out);
    }
}

TEST(CurrencyValue, EveryAcceptedTextAlsoConvertsThroughItsDouble) {
    // Near the ends a double cannot tell ten-thousandths apart, but it must still convert.
    for (const char16_t* t : {u"922337203685477.5807", u"-922337203685477.5808", u"922337203685477.58074",
                              u"-922337203685477.58085", u"922337203685477.4"}) {
        const QString text = QString::fromUtf16(t);
        SCOPED_TRACE(text.toStdString());
        const auto value = parseNumber(text, English);
        ASSERT_TRUE(value);
        EXPECT_TRUE(Currency::fromDouble(*value));
    }
    // Where a double holds the typed digits, both paths give the same Currency, ties included.
    for (const char16_t* t :
         {u"0.00015", u"0.00025", u"123.45675", u"-7.00005", u"69.23076", u"99999999.99995"}) {
        const QString text = QString::fromUtf16(t);
        SCOPED_TRACE(text.toStdString());
        const auto value = parseNumber(text, English);
        ASSERT_TRUE(value);
        EXPECT_EQ(Currency::fromDouble(*value), Currency::fromText(text, English));
    }
}

TEST(CurrencyValue, SurvivesTheTripThroughDouble) {
    for (const std::int64_t raw :
         {std::int64_t{0}, std::int64_t{1}, std::int64_t{-1}, std::int64_t{692308}, std::int64_t{-25000},
          std::int64_t{999999999999999}, std::numeric_limits<std::int64_t>::max(),
          std::numeric_limits<std::int64_t>::min()}) {
        SCOPED_TRACE(raw);
        EXPECT_EQ(Currency::fromDouble(cur(raw).toDouble()), cur(raw));
    }
    EXPECT_EQ(cur(692308).toDouble(), 69.2308);
    EXPECT_EQ(Currency::Max.toDouble(), 922337203685477.625);
}

TEST(CurrencyValue, SnapsDoublesToTenThousandths) {
    EXPECT_EQ(snapToCurrency(0.00015), 0.0002);
    EXPECT_EQ(snapToCurrency(0.1 * 3), 0.3);
    EXPECT_EQ(snapToCurrency(2.67549999), 2.6755);
    EXPECT_EQ(snapToCurrency(-1.23456789), -1.2346);
    EXPECT_EQ(snapToCurrency(1e20), 1e20);
    EXPECT_TRUE(std::isnan(snapToCurrency(NaN)));
}

TEST(CurrencyValue, PrintsTheShortestFormWithoutGroupSeparators) {
    const struct {
        std::int64_t raw;
        const QLocale& locale;
        const char16_t* text;
    } cases[] = {
        {692308, English, u"69.2308"},
        {0, English, u"0"},
        {-25000, English, u"-2.5"},
        {12345670000, English, u"1234567"},
        {1, English, u"0.0001"},
        {-10, English, u"-0.001"},
        {std::numeric_limits<std::int64_t>::min(), English, u"-922337203685477.5808"},
        {-25000, German, u"-2,5"},
        {12345675000, German, u"1234567,5"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.raw);
        EXPECT_EQ(cur(c.raw).toString(c.locale), QString::fromUtf16(c.text));
    }
}

TEST(CurrencyValue, ProductIsExactThenRoundedHalfToEven) {
    const struct {
        std::int64_t a, b, product;
    } cases[] = {
        {1000, 250000, 25000}, // 0.1 x 25 = 2.5
        {5, 1000, 0},          // 0.0005 x 0.1 = 0.00005 -> 0.0000
        {15, 1000, 2},         // 0.00015 -> 0.0002
        {25, 1000, 2},         // 0.00025 -> 0.0002
        {35, 1000, 4},
        {-15, 1000, -2},
        {-25, -1000, 2},
        {12345, 67890, 83810},                             // 8.3810205
        {3, 5000, 2},                                      // 0.00015
        {100000000000, 100000000000, 1000000000000000000}, // 1e7 x 1e7
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.a << " x " << c.b);
        EXPECT_EQ(cur(c.a) * cur(c.b), cur(c.product));
        EXPECT_EQ(cur(c.b) * cur(c.a), cur(c.product));
    }
    // The sum the issue quotes: the Currency product is exactly 2.5, and 2.5 rounds to 2.
    EXPECT_EQ(nearest((Currency::fromInt(25) * *Currency::fromText(QStringLiteral("0.1"))).toDouble()), 2.0);
}

TEST(CurrencyValue, ArithmeticBeyondTheRangeThrows) {
    EXPECT_EQ(cur(5) + cur(-7), cur(-2));
    EXPECT_EQ(cur(5) - cur(7), cur(-2));
    EXPECT_EQ(-cur(5), cur(-5));
    EXPECT_EQ(Currency::Max + Currency::Min, cur(-1));
    EXPECT_THROW(Currency::Max + cur(1), std::overflow_error);
    EXPECT_THROW(Currency::Min - cur(1), std::overflow_error);
    EXPECT_THROW(-Currency::Min, std::overflow_error);
    EXPECT_THROW(Currency::fromInt(100000000) * Currency::fromInt(100000000), std::overflow_error);
    EXPECT_THROW(Currency::Min * cur(-10000), std::overflow_error);
    EXPECT_EQ(Currency::Min * cur(10000), Currency::Min);
}

// ---- Dates ----------------------------------------------------------------------------------------

TEST(DateValueSerial, DecomposesRoundingToTheNearestSecond) {
    const struct {
        double serial;
        const char* parts;
    } cases[] = {
        {0.0, "1899-12-30 00:00:00"},
        {1.0, "1899-12-31 00:00:00"},
        {2.5, "1900-01-01 12:00:00"},
        {-1.0, "1899-12-29 00:00:00"},
        {-1.25, "1899-12-29 06:00:00"},
        {-0.5, "1899-12-30 12:00:00"},
        {0.99999999, "1899-12-31 00:00:00"},
        {-2.99999999, "1899-12-29 00:00:00"},
        {480.0 / 1440, "1899-12-30 08:00:00"},
        {clock(7, 59, 59.6).serial(), "1899-12-30 08:00:00"},
        {clock(7, 59, 59.4).serial(), "1899-12-30 07:59:59"},
        {36526.0, "2000-01-01 00:00:00"},
        {45351.75, "2024-02-29 18:00:00"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.serial);
        EXPECT_EQ(show(DateValue(c.serial).parts()), c.parts);
    }
}

TEST(DateValueSerial, ComposesFromCalendarAndClock) {
    EXPECT_EQ(DateValue::fromYmd(1899, 12, 30).serial(), 0.0);
    EXPECT_EQ(DateValue::fromYmd(1900, 1, 1).serial(), 2.0);
    EXPECT_EQ(DateValue::fromYmd(1899, 12, 29).serial(), -1.0);
    EXPECT_EQ(DateValue::fromYmd(2024, 2, 29).serial(), 45351.0);
    EXPECT_EQ(DateValue::fromYmd(2023, 2, 29), DateValue::fromYmd(2023, 3, 1));
    EXPECT_EQ(DateValue::fromYmd(2024, 13, 1), DateValue::fromYmd(2025, 1, 1));
    EXPECT_EQ(DateValue::fromYmd(2024, 3, 0), DateValue::fromYmd(2024, 2, 29));

    EXPECT_EQ(DateValue::fromTime(8, 0).serial(), 480.0 / 1440);
    EXPECT_EQ(DateValue::fromQTime(QTime(8, 0)), DateValue::fromTime(8, 0));
    EXPECT_EQ(DateValue::fromTime(18, 0).serial(), 0.75);

    EXPECT_EQ(DateValue::fromParts({1899, 12, 29, 6, 0, 0}).serial(), -1.25);
    EXPECT_EQ(DateValue::fromParts({2024, 2, 29, 18, 0, 0}).serial(), 45351.75);
    EXPECT_EQ(DateValue::fromQDate(QDate(2024, 2, 29)).serial(), 45351.0);
    EXPECT_EQ(DateValue::fromQDateTime(QDateTime(QDate(2024, 2, 29), QTime(18, 0))).serial(), 45351.75);
    EXPECT_EQ(DateValue::fromQDateTime(QDateTime(QDate(1899, 12, 29), QTime(6, 0))).serial(), -1.25);
}

TEST(DateValueSerial, PartsAndQtValuesRoundTrip) {
    const DateValue::Parts samples[] = {
        {2024, 2, 29, 23, 59, 59}, {1899, 12, 29, 6, 0, 0}, {1800, 1, 1, 12, 30, 15},
        {9999, 12, 31, 0, 0, 1},   {1899, 12, 30, 0, 0, 0}, {100, 3, 1, 7, 59, 0},
    };
    for (const auto& p : samples) {
        SCOPED_TRACE(show(p));
        const DateValue v = DateValue::fromParts(p);
        EXPECT_EQ(show(v.parts()), show(p));
        EXPECT_EQ(DateValue::fromQDateTime(v.toQDateTime()), v);
        EXPECT_EQ(v.toQDate(), QDate(p.year, p.month, p.day));
        EXPECT_EQ(v.toQTime(), QTime(p.hour, p.minute, p.second));
    }
}

TEST(DateValueSerial, SplitsIntoDateAndTime) {
    EXPECT_EQ(DateValue(45351.75).datePart().serial(), 45351.0);
    EXPECT_EQ(DateValue(45351.75).timePart().serial(), 0.75);
    EXPECT_EQ(DateValue(-1.25).datePart().serial(), -1.0);
    EXPECT_EQ(DateValue(-1.25).timePart().serial(), 0.25);
    EXPECT_EQ(DateValue(0.99999999).datePart().serial(), 1.0);
    EXPECT_EQ(DateValue(0.99999999).timePart().serial(), 0.0);
}

TEST(DateValueArithmetic, DifferencesCountBoundaryCrossings) {
    const DateValue day = DateValue::fromYmd(2024, 2, 29);
    const DateValue next = day.addDays(1);
    const struct {
        DateValue a, b;
        std::int64_t minutes, hours, days;
    } cases[] = {
        {DateValue(0.0), DateValue(480.0 / 1440), 480, 8, 0},
        {clock(7, 59, 59.6), DateValue::fromTime(8, 0), 0, 0, 0},
        {clock(7, 59, 59.4), DateValue::fromTime(8, 0), 1, 1, 0},
        {DateValue::fromTime(7, 59), DateValue::fromTime(8, 0), 1, 1, 0},
        {DateValue::fromTime(7, 0), clock(7, 59, 59.4), 59, 0, 0},
        {DateValue::fromTime(7, 59), DateValue::fromTime(8, 1), 2, 1, 0},
        {clock(8, 0, 59), DateValue::fromTime(8, 1), 1, 0, 0},
        {DateValue::fromTime(8, 1), clock(8, 0, 59), -1, 0, 0},
        {DateValue::fromTime(9, 0), clock(7, 59, 59.6), -60, -1, 0},
        {DateValue(day.serial() + 23.0 / 24 + 59.0 / 1440), DateValue(next.serial() + 1.0 / 1440), 2, 1, 1},
        {DateValue(day.serial() + clock(23, 59, 59.7).serial()), next, 0, 0, 0},
        {next, day, -1440, -24, -1},
        {DateValue(-1.25), DateValue(0.5), 1800, 30, 1}, // 1899-12-29 06:00 to 1899-12-30 12:00
        {DateValue::fromYmd(2024, 1, 1), DateValue::fromYmd(2024, 3, 1), 60 * 1440, 60 * 24, 60},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << show(c.a.parts()) << " -> " << show(c.b.parts()));
        EXPECT_EQ(diffMinutes(c.a, c.b), c.minutes);
        EXPECT_EQ(diffHours(c.a, c.b), c.hours);
        EXPECT_EQ(diffDays(c.a, c.b), c.days);
    }
}

TEST(DateValueArithmetic, AddMonthsClampsToTheLastDay) {
    const struct {
        DateValue::Parts from;
        int months;
        DateValue::Parts to;
    } cases[] = {
        {{2024, 1, 31}, 1, {2024, 2, 29}},
        {{2023, 1, 31}, 1, {2023, 2, 28}},
        {{2024, 3, 1}, 1, {2024, 4, 1}},
        {{2024, 3, 31}, -1, {2024, 2, 29}},
        {{2024, 5, 31}, 6, {2024, 11, 30}},
        {{2024, 12, 15}, 1, {2025, 1, 15}},
        {{2024, 2, 29}, 12, {2025, 2, 28}},
        {{2024, 1, 31, 8, 30, 0}, 1, {2024, 2, 29, 8, 30, 0}},
        {{1899, 12, 29, 6, 0, 0}, 1, {1900, 1, 29, 6, 0, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(show(c.from));
        EXPECT_EQ(show(DateValue::fromParts(c.from).addMonths(c.months).parts()), show(c.to));
    }
}

TEST(DateValueArithmetic, AddsDaysAndMinutesAcrossDayZero) {
    EXPECT_EQ(DateValue(-1.25).addDays(1).serial(), 0.25);
    EXPECT_EQ(DateValue(0.25).addDays(-1).serial(), -1.25);
    EXPECT_EQ(DateValue(0.0).addMinutes(-1).serial(), -1.0 - 1439.0 / 1440);
    EXPECT_EQ(show(DateValue(0.0).addMinutes(-1).parts()), "1899-12-29 23:59:00");
    EXPECT_EQ(DateValue(-1.0 - 1439.0 / 1440).addMinutes(1).serial(), 0.0);
    EXPECT_EQ(show(DateValue::fromYmd(2024, 2, 28).addMinutes(24 * 60 + 90).parts()), "2024-02-29 01:30:00");
    EXPECT_EQ(DateValue::fromYmd(2024, 2, 29).addDays(1), DateValue::fromYmd(2024, 3, 1));
}
