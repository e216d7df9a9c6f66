#include "data/Currency.h"
#include "data/RuntimeError.h"

#include "support/PrintVariant.h"

#include <gtest/gtest.h>

#include <limits>

using namespace orv;

namespace {

constexpr std::int64_t kMaxRaw = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kMinRaw = std::numeric_limits<std::int64_t>::min();

Currency raw(std::int64_t value)
{
    return Currency::fromRaw(value);
}

// The raw amount an expression gives, or "#" and the number of the error it raised.
QString rawOf(const std::function<Currency()> &amount)
{
    return textOf([&] { return QString::number(amount().raw()); });
}

} // namespace

// Sums and differences past the range raise 6 instead of wrapping and leave the amount; the
// edges themselves are reached.
TEST(Currency, ArithmeticIsExactOrdersAndRaisesOnOverflow)
{
    Currency sum, balance = Currency::fromLong(1);
    for (int i = 0; i < 10; ++i) {
        sum += Currency::fromDouble(0.1);
        balance -= Currency::fromText(QStringLiteral("0.1"));
    }
    EXPECT_EQ(sum.raw(), 10000);
    EXPECT_EQ(balance, Currency());
    EXPECT_EQ(raw(125000).toDouble(), 12.5);
    EXPECT_EQ(raw(-1).toDouble(), -0.0001);
    EXPECT_LT(raw(-1), Currency());
    EXPECT_GT(raw(kMinRaw + 1), raw(kMinRaw));

    const Currency max = raw(kMaxRaw), min = raw(kMinRaw), unit = raw(1), minusUnit = raw(-1);
    EXPECT_EQ(rawOf([&] { return max + unit; }), "#6");
    EXPECT_EQ(rawOf([&] { return min + minusUnit; }), "#6");
    EXPECT_EQ(rawOf([&] { return min - unit; }), "#6");
    EXPECT_EQ(rawOf([&] { return max - minusUnit; }), "#6");
    EXPECT_EQ(rawOf([&] { return Currency() - min; }), "#6");
    EXPECT_EQ((max - unit + unit).raw(), kMaxRaw);
    EXPECT_EQ((min + unit - unit).raw(), kMinRaw);
    EXPECT_EQ((min + max).raw(), -1);
    Currency total = raw(kMaxRaw - 5);
    EXPECT_THAT([&] { total += raw(6); }, raisesNumber(6));
    EXPECT_EQ(total.raw(), kMaxRaw - 5);
}

// Beyond four decimals a text rounds half to even; what is not an amount is 13, too large is 6.
// The shortest text of an amount reads back as it.
TEST(Currency, FromTextRoundsOrRejectsAndToTextReadsBack)
{
    // clang-format off
    const struct { const char *text; const char *expected; } rows[] = {
        {"  12.5  ", "125000"}, {"+3", "30000"}, {"-0.0001", "-1"}, {".5", "5000"}, {"7.", "70000"},
        {"1.23455", "12346"}, {"1.2344500", "12344"}, {"1.234451", "12345"}, {"-1.23455", "-12346"},
        {"-1.23445", "-12344"}, {"0.00005", "0"}, {"0.000050000001", "1"}, {"2.99995", "30000"},
        {"922337203685477.5807", "9223372036854775807"}, {"-922337203685477.5808", "-9223372036854775808"},
        {"", "#13"}, {"12abc", "#13"}, {"1.2.3", "#13"}, {".", "#13"}, {"-", "#13"}, {"1 000", "#13"},
        {"922337203685477.5808", "#6"}, {"-922337203685477.5809", "#6"}, {"922337203685477.58075", "#6"},
        {"99999999999999999999", "#6"}
    };
    // clang-format on
    for (const auto &row : rows)
        EXPECT_EQ(rawOf([&] { return Currency::fromText(QString::fromLatin1(row.text)); }), row.expected)
            << row.text;
    for (const auto &[amount, text] : {std::pair{125000LL, "12.5"},
                                       {-1LL, "-0.0001"},
                                       {30000LL, "3"},
                                       {0LL, "0"},
                                       {-5000LL, "-0.5"},
                                       {10001LL, "1.0001"},
                                       {kMaxRaw, "922337203685477.5807"},
                                       {kMinRaw, "-922337203685477.5808"}}) {
        EXPECT_EQ(raw(amount).toText(), QString::fromLatin1(text));
        EXPECT_EQ(Currency::fromText(raw(amount).toText()).raw(), amount);
    }
}
