#include "Currency.h"

#include "RuntimeError.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace orv {

Currency Currency::fromDouble(double value)
{
    // A double stands for the shortest decimal that reads back as it: the amount as it was written
    // to the database. That decimal is rounded like a text, half to even at the fourth decimal, so
    // 922337203685477.5 is in range as it stands and 0.00025 is the tie it was written as.
    if (!std::isfinite(value) || std::fabs(value) >= 1e16)
        raiseOverflow();
    std::array<char, 400> digits{}; // the longest fixed form, of the smallest subnormal, has 326
    const auto [end, error] =
        std::to_chars(digits.data(), digits.data() + digits.size(), value, std::chars_format::fixed);
    if (error != std::errc())
        raiseOverflow();
    return fromText(QString::fromLatin1(digits.data(), end - digits.data()));
}

Currency Currency::fromLong(std::int64_t whole)
{
    std::int64_t scaled = 0;
    if (__builtin_mul_overflow(whole, kScale, &scaled))
        raiseOverflow();
    return Currency(scaled);
}

Currency Currency::fromText(const QString &text)
{
    const QString trimmed = text.trimmed();
    qsizetype pos = 0;
    bool negative = false;
    if (pos < trimmed.size() && (trimmed[pos] == u'-' || trimmed[pos] == u'+'))
        negative = trimmed[pos++] == u'-';
    // The magnitude is built unsigned: the most negative amount has a magnitude one larger
    // than the largest positive amount, and it must read back from its own text.
    const std::uint64_t limit = negative
                                    ? std::uint64_t{1} << 63
                                    : static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
    std::uint64_t whole = 0;
    bool digits = false;
    for (; pos < trimmed.size() && trimmed[pos].isDigit(); ++pos) {
        digits = true;
        if (__builtin_mul_overflow(whole, 10, &whole) ||
            __builtin_add_overflow(whole, static_cast<std::uint64_t>(trimmed[pos].digitValue()), &whole))
            raiseOverflow();
    }
    std::uint64_t fraction = 0;
    int fractionDigits = 0;
    int roundDigit = -1;
    bool stickyAfterRound = false;
    if (pos < trimmed.size() && trimmed[pos] == u'.') {
        for (++pos; pos < trimmed.size() && trimmed[pos].isDigit(); ++pos) {
            digits = true;
            const int digit = trimmed[pos].digitValue();
            if (fractionDigits < 4) {
                fraction = fraction * 10 + static_cast<std::uint64_t>(digit);
                ++fractionDigits;
            } else if (roundDigit < 0) {
                roundDigit = digit;
            } else if (digit != 0) {
                stickyAfterRound = true;
            }
        }
    }
    if (!digits || pos != trimmed.size())
        raiseTypeMismatch();
    for (; fractionDigits < 4; ++fractionDigits)
        fraction *= 10;
    std::uint64_t scaled = 0;
    if (__builtin_mul_overflow(whole, static_cast<std::uint64_t>(kScale), &scaled) ||
        __builtin_add_overflow(scaled, fraction, &scaled))
        raiseOverflow();
    // Half to even on the fifth decimal.
    if (roundDigit > 5 || (roundDigit == 5 && (stickyAfterRound || (scaled % 2) != 0)))
        if (__builtin_add_overflow(scaled, 1, &scaled))
            raiseOverflow();
    if (scaled > limit)
        raiseOverflow();
    return Currency(static_cast<std::int64_t>(negative ? 0 - scaled : scaled));
}

double Currency::toDouble() const
{
    return static_cast<double>(m_raw) / kScale;
}

QString Currency::toText() const
{
    const bool negative = m_raw < 0;
    // Work on the unsigned magnitude so that the most negative value prints too.
    const std::uint64_t magnitude =
        negative ? static_cast<std::uint64_t>(-(m_raw + 1)) + 1 : static_cast<std::uint64_t>(m_raw);
    QString text = QString::number(magnitude / kScale);
    std::uint64_t fraction = magnitude % kScale;
    if (fraction != 0) {
        QString decimals = QString::number(fraction).rightJustified(4, u'0');
        while (decimals.endsWith(u'0'))
            decimals.chop(1);
        text += u'.' + decimals;
    }
    return negative ? u'-' + text : text;
}

Currency Currency::operator+(Currency other) const
{
    std::int64_t sum = 0;
    if (__builtin_add_overflow(m_raw, other.m_raw, &sum))
        raiseOverflow();
    return Currency(sum);
}

Currency Currency::operator-(Currency other) const
{
    std::int64_t difference = 0;
    if (__builtin_sub_overflow(m_raw, other.m_raw, &difference))
        raiseOverflow();
    return Currency(difference);
}

} // namespace orv
