#pragma once

#include <QString>

#include <compare>
#include <cstdint>

namespace orv {

// 64-bit fixed point with four decimals. Arithmetic is exact and raises the runtime's
// overflow error past the range instead of wrapping.
class Currency {
public:
    static constexpr std::int64_t kScale = 10000;

    constexpr Currency() = default;
    static constexpr Currency fromRaw(std::int64_t scaled) { return Currency(scaled); }
    // The amount nearest to the exact value the double holds, half to even on the fourth
    // decimal: 922337203685477.5 is that amount exactly, 0.1 (a little above) is 0.1.
    static Currency fromDouble(double value);
    static Currency fromLong(std::int64_t whole);
    // Parses "-123.4567" (point as decimal separator, up to four decimals, more are rounded).
    static Currency fromText(const QString &text);

    constexpr std::int64_t raw() const { return m_raw; }
    double toDouble() const;
    // Shortest text with a point separator: "12.5", "-0.0001", "3".
    QString toText() const;

    Currency operator+(Currency other) const;
    Currency operator-(Currency other) const;
    Currency &operator+=(Currency other) { return *this = *this + other; }
    Currency &operator-=(Currency other) { return *this = *this - other; }
    constexpr auto operator<=>(const Currency &) const = default;

private:
    constexpr explicit Currency(std::int64_t scaled) : m_raw(scaled) {}
    std::int64_t m_raw = 0;
};

} // namespace orv
