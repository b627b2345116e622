#pragma once

#include <QLocale>
#include <QString>

#include <compare>
#include <cstdint>
#include <optional>

namespace kelvora {

// Fixed-point decimal with four fractional digits held as a count of ten-thousandths. Every number
// the user types passes through it before it is stored, so stored values never carry binary noise.
class Currency {
public:
    static constexpr std::int64_t Scale = 10000;
    static const Currency Max; // 922337203685477.5807
    static const Currency Min; // -922337203685477.5808

    constexpr Currency() = default;
    static constexpr Currency fromRaw(std::int64_t tenThousandths) { return Currency(tenThousandths); }
    static constexpr Currency fromInt(std::int64_t whole) { return Currency(whole * Scale); }
    // The nearest ten-thousandth, a half going to the even neighbour; nullopt when v is not finite
    // or beyond the range.
    static std::optional<Currency> fromDouble(double v);
    // parseNumber() followed by fromDouble(): nullopt for anything that is not numeric text.
    static std::optional<Currency> fromText(const QString& text, const QLocale& locale = QLocale());

    constexpr std::int64_t raw() const { return m_raw; }
    double toDouble() const;
    // Shortest form in the locale, no group separators: "69.2308", "0", "-2.5".
    QString toString(const QLocale& locale = QLocale()) const;

    // Exact arithmetic; a result beyond the range throws std::overflow_error.
    Currency operator+(Currency other) const;
    Currency operator-(Currency other) const;
    Currency operator-() const;
    // The exact product rounded to a ten-thousandth, a half going to the even neighbour.
    Currency operator*(Currency other) const;

    constexpr auto operator<=>(const Currency&) const = default;

private:
    constexpr explicit Currency(std::int64_t raw) : m_raw(raw) {}
    std::int64_t m_raw = 0;
};

// Snaps a double to the nearest ten-thousandth (half to even), as storing it in a Currency would.
// Values outside the Currency range are returned unchanged.
double snapToCurrency(double v);

} // namespace kelvora
