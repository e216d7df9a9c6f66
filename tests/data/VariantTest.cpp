#include "data/Variant.h"
#include "data/RuntimeError.h"

#include "PrintVariant.h"

#include <QLocale>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace orv;

namespace {

Currency money(const char *text)
{
    return Currency::fromText(QString::fromLatin1(text));
}

enum class To { Long, Integer, Raw, Bool, LeadingLong };

std::int64_t convert(const Variant &value, To to)
{
    switch (to) {
    case To::Long:
        return value.toLong();
    case To::Integer:
        return value.toInteger();
    case To::Raw:
        return value.toCurrency().raw();
    case To::Bool:
        return value.toBool();
    case To::LeadingLong:
        return leadingLong(value);
    }
    return 0;
}

} // namespace

TEST(Variant, ConvertsEveryTypeToTextWithAPointWhateverTheLocale)
{
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    const struct {
        Variant value;
        const char *expected;
    } rows[] = {
        // clang-format off
        {{}, ""}, {Variant::boolean(true), "True"}, {Variant::boolean(false), "False"},
        {Variant::integer(-7), "-7"}, {123456, "123456"}, {-2147483647 - 1, "-2147483648"}, {12.5, "12.5"},
        {-0.25, "-0.25"}, {0.1, "0.1"}, {3.0, "3"}, {1234567.875, "1234567.875"}, {money("12.5"), "12.5"},
        {money("-0.0001"), "-0.0001"}, {"Dell'Orto", "Dell'Orto"}, {"", ""}
        // clang-format on
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.expected);
        EXPECT_EQ(row.value.toText(), QString::fromUtf8(row.expected));
    }
    QLocale::setDefault(saved);
}

// Whole numbers round half to even; errors are 94 for Null, 13 for a type mismatch, 6 for overflow.
TEST(Variant, ConvertsToNumbersAndTruthWithTheRuntimeErrors)
{
    using enum To;
    const Variant null = Variant::null(), yes = Variant::boolean(true), no = Variant::boolean(false);
    const std::int64_t maxRaw = std::numeric_limits<std::int64_t>::max();
    const struct {
        To to;
        Variant value;
        std::int64_t expected;
        int error = 0;
    } rows[] = {
        // clang-format off
        {Long, null, 0, 94}, {Integer, null, 0, 94}, {Raw, null, 0, 94}, {Bool, null, 0, 94},
        {Long, 2.5, 2}, {Long, 3.5, 4}, {Long, -2.5, -2}, {Long, -3.5, -4}, {Long, 0.5, 0}, {Long, 1.5, 2},
        {Long, 2.4999, 2}, {Long, 2.5001, 3}, {Long, "  12 ", 12}, {Long, "2.5", 2}, {Long, "3.5", 4},
        {Long, "-7", -7}, {Long, money("2.5"), 2}, {Long, money("3.5"), 4}, {Long, money("-2.5"), -2},
        {Long, money("-3.5"), -4}, {Long, money("2.5001"), 3}, {Long, money("-2.5001"), -3},
        {Long, yes, -1}, {Long, no, 0}, {Long, Variant::integer(-300), -300}, {Long, {}, 0},
        {Long, 2147483647.4, 2147483647}, {Long, -2147483648.5, -2147483647 - 1},
        {Long, "abc", 0, 13}, {Long, "", 0, 13}, {Long, "12abc", 0, 13}, {Long, 2147483647.5, 0, 6},
        {Long, -2147483649.0, 0, 6}, {Long, "3000000000", 0, 6}, {Long, money("2147483648"), 0, 6},
        {Long, money("-2147483649"), 0, 6}, {Long, std::nan(""), 0, 6},
        {Integer, 32767, 32767}, {Integer, -32768.5, -32768}, {Integer, 2.5, 2}, {Integer, "-12", -12},
        {Integer, yes, -1}, {Integer, 32768, 0, 6}, {Integer, 32767.5, 0, 6}, {Integer, -32769, 0, 6},
        {Integer, "40000", 0, 6}, {Integer, 5e9, 0, 6}, {Integer, "x", 0, 13},
        {Raw, "12.5", 125000}, {Raw, "  -3.25 ", -32500}, {Raw, "1.23455", 12346}, {Raw, "1.23445", 12344},
        {Raw, "0.00005", 0}, {Raw, "0.00015", 2}, {Raw, "1e3", 10000000},
        {Raw, "922337203685477.5807", maxRaw}, {Raw, 0.1, 1000}, {Raw, -12.5, -125000}, {Raw, 7, 70000},
        {Raw, Variant::integer(-2), -20000}, {Raw, yes, -10000}, {Raw, {}, 0}, {Raw, money("4.0001"), 40001},
        {Raw, "dodici", 0, 13}, {Raw, "", 0, 13}, {Raw, 1e15, 0, 6}, {Raw, -1e300, 0, 6},
        {Raw, "922337203685477.5808", 0, 6},
        {Bool, "True", 1}, {Bool, " false ", 0}, {Bool, "TRUE", 1}, {Bool, "0", 0}, {Bool, "-1", 1},
        {Bool, "0.5", 1}, {Bool, 0.0, 0}, {Bool, 2, 1}, {Bool, {}, 0}, {Bool, yes, 1}, {Bool, no, 0},
        {Bool, money("0"), 0}, {Bool, money("-0.0001"), 1}, {Bool, "forse", 0, 13},
        // leadingLong takes the leading number of the text to the nearest Long.
        {LeadingLong, null, 0}, {LeadingLong, {}, 0}, {LeadingLong, "3.5", 4}, {LeadingLong, "2.5", 2},
        {LeadingLong, "  17abc", 17}, {LeadingLong, "abc", 0}, {LeadingLong, "", 0}, {LeadingLong, 42, 42},
        {LeadingLong, 41.5, 42}, {LeadingLong, -41.5, -42}, {LeadingLong, money("12.5"), 12},
        {LeadingLong, yes, 0}, {LeadingLong, "-8 euro", -8}, {LeadingLong, "99999999999", 0, 6}
        // clang-format on
    };
    for (const auto &row : rows) {
        static const char *const target[] = {"Long", "Integer", "Currency", "Boolean", "leadingLong"};
        SCOPED_TRACE(::testing::PrintToString(row.value) + " to " + target[static_cast<int>(row.to)]);
        std::int64_t got = 0; // stays 0 when the call raises: error rows expect 0
        EXPECT_EQ(errorNumberOf([&] { got = convert(row.value, row.to); }), row.error);
        EXPECT_EQ(got, row.expected);
    }
}

TEST(Variant, NullIsNotEmptyAndDoublesFollowTheBooleanSign)
{
    const Variant null = Variant::null();
    EXPECT_TRUE(null.isNull());
    EXPECT_FALSE(null.isEmpty());
    EXPECT_THAT([&] { (void)null.toText(); }, raisesNumber(94));
    EXPECT_THAT([&] { (void)null.toDouble(); }, raisesNumber(94));
    EXPECT_EQ(Variant::boolean(true).toDouble(), -1.0);
    EXPECT_EQ(Variant::boolean(false).toDouble(), 0.0);
}

TEST(Variant, LeadingNumberReadsTheLongestLeadingDecimal)
{
    const struct {
        const char *text;
        double expected;
    } rows[] = {
        // clang-format off
        {"  -12.5abc", -12.5}, {"abc", 0.0}, {".5", 0.5}, {"1.2.3", 1.2}, {"+7", 7.0}, {"", 0.0}, {"42", 42.0},
        {"  7  ", 7.0}, {"12abc", 12.0}, {"12,5", 12.0}, {"-", 0.0}, {"-.5", -0.5}, {"- 5", 0.0}, {"+-5", 0.0},
        {"007", 7.0}, {"12.", 12.0}, {".", 0.0}, {"a12", 0.0}, {"-0", 0.0}, {"3000000000", 3e9},
        // A Double's own text form reads back whole, exponent included.
        {"5.5E-17", 5.5e-17}, {"1E+20x", 1e20}, {"2e", 2.0}, {"3E+", 3.0}, {"4Ex", 4.0}
        // clang-format on
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(leadingNumber(QString::fromUtf8(row.text)), row.expected);
    }
    // The chain the totals use: a sum's floating leftover must stay near zero.
    const double leftover = 0.1 + 0.2 - 0.3;
    EXPECT_NEAR(leadingNumber(Variant(leftover).toText()), leftover, 1e-30);
    EXPECT_EQ(Variant(leadingNumber(Variant(leftover).toText())).toCurrency(), Currency());
}

TEST(Variant, RoundHalfEven)
{
    const struct {
        double value;
        double expected;
    } rows[] = {{0.5, 0.0},   {1.5, 2.0}, {2.5, 2.0},   {-0.5, -0.0},
                {-1.5, -2.0}, {2.6, 3.0}, {-2.4, -2.0}, {7.0, 7.0}};
    for (const auto &row : rows) {
        SCOPED_TRACE(row.value);
        EXPECT_EQ(roundHalfEven(row.value), row.expected);
    }
}
