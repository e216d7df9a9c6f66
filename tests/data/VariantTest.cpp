#include "data/Variant.h"
#include "data/RuntimeError.h"

#include "PrintVariant.h"

#include <QLocale>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <vector>

using namespace orv;
using ::testing::Eq;
using ::testing::Property;
using ::testing::Throws;

namespace {

// The runtime error number a call raises, or 0 when it returns normally.
int errorNumberOf(const std::function<void()> &call)
{
    try {
        call();
    } catch (const RuntimeError &error) {
        return error.number();
    }
    return 0;
}

auto raisesNumber(int number)
{
    return Throws<RuntimeError>(Property(&RuntimeError::number, Eq(number)));
}

Currency money(const char *text)
{
    return Currency::fromText(QString::fromLatin1(text));
}

// Amounts and ids must print with a point whatever the user's locale says.
class ItalianLocale {
public:
    ItalianLocale() : m_saved(QLocale()) { QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy)); }
    ~ItalianLocale() { QLocale::setDefault(m_saved); }

private:
    QLocale m_saved;
};

} // namespace

TEST(Variant, ConvertsEveryTypeToText)
{
    ItalianLocale italian;
    const struct {
        Variant value;
        QString expected;
    } rows[] = {
        {Variant(), QString()},
        {Variant::boolean(true), QStringLiteral("True")},
        {Variant::boolean(false), QStringLiteral("False")},
        {Variant::integer(-7), QStringLiteral("-7")},
        {Variant(123456), QStringLiteral("123456")},
        {Variant(-2147483647 - 1), QStringLiteral("-2147483648")},
        {Variant(12.5), QStringLiteral("12.5")},
        {Variant(-0.25), QStringLiteral("-0.25")},
        {Variant(0.1), QStringLiteral("0.1")},
        {Variant(3.0), QStringLiteral("3")},
        {Variant(1234567.875), QStringLiteral("1234567.875")},
        {Variant(money("12.5")), QStringLiteral("12.5")},
        {Variant(money("-0.0001")), QStringLiteral("-0.0001")},
        {Variant("Dell'Orto"), QStringLiteral("Dell'Orto")},
        {Variant(""), QString()},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.expected.toStdString());
        EXPECT_EQ(row.value.toText(), row.expected);
    }
}

TEST(Variant, NullRaisesInvalidUseOfNullInEveryConversion)
{
    const Variant null = Variant::null();
    EXPECT_TRUE(null.isNull());
    EXPECT_FALSE(null.isEmpty());
    EXPECT_THAT([&] { (void)null.toText(); }, raisesNumber(94));
    EXPECT_THAT([&] { (void)null.toLong(); }, raisesNumber(94));
    EXPECT_THAT([&] { (void)null.toInteger(); }, raisesNumber(94));
    EXPECT_THAT([&] { (void)null.toDouble(); }, raisesNumber(94));
    EXPECT_THAT([&] { (void)null.toCurrency(); }, raisesNumber(94));
    EXPECT_THAT([&] { (void)null.toBool(); }, raisesNumber(94));
}

TEST(Variant, ToLongRoundsHalfToEven)
{
    const struct {
        Variant value;
        std::int32_t expected;
    } rows[] = {
        {Variant(2.5), 2},
        {Variant(3.5), 4},
        {Variant(-2.5), -2},
        {Variant(-3.5), -4},
        {Variant(0.5), 0},
        {Variant(1.5), 2},
        {Variant(2.4999), 2},
        {Variant(2.5001), 3},
        {Variant("  12 "), 12},
        {Variant("2.5"), 2},
        {Variant("3.5"), 4},
        {Variant("-7"), -7},
        {Variant(money("2.5")), 2},
        {Variant(money("3.5")), 4},
        {Variant(money("-2.5")), -2},
        {Variant(money("-3.5")), -4},
        {Variant(money("2.5001")), 3},
        {Variant(money("-2.5001")), -3},
        {Variant::boolean(true), -1},
        {Variant::boolean(false), 0},
        {Variant::integer(-300), -300},
        {Variant(), 0},
        {Variant(2147483647.4), 2147483647},
        {Variant(-2147483648.5), -2147483647 - 1},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.value.toText().toStdString());
        EXPECT_EQ(row.value.toLong(), row.expected);
    }
}

TEST(Variant, ToLongRaisesTypeMismatchAndOverflow)
{
    const struct {
        Variant value;
        int expectedError;
    } rows[] = {
        {Variant("abc"), 13},
        {Variant(""), 13},
        {Variant("12abc"), 13},
        {Variant(2147483647.5), 6},
        {Variant(-2147483649.0), 6},
        {Variant("3000000000"), 6},
        {Variant(money("2147483648")), 6},
        {Variant(money("-2147483649")), 6},
        {Variant(std::nan("")), 6},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.value.toText().toStdString());
        EXPECT_EQ(errorNumberOf([&] { (void)row.value.toLong(); }), row.expectedError);
    }
}

TEST(Variant, ToIntegerKeepsToSixteenBits)
{
    EXPECT_EQ(Variant(32767).toInteger(), 32767);
    EXPECT_EQ(Variant(-32768.5).toInteger(), -32768);
    EXPECT_EQ(Variant(2.5).toInteger(), 2);
    EXPECT_EQ(Variant("-12").toInteger(), -12);
    EXPECT_THAT([] { (void)Variant(32768).toInteger(); }, raisesNumber(6));
    EXPECT_THAT([] { (void)Variant(32767.5).toInteger(); }, raisesNumber(6));
    EXPECT_THAT([] { (void)Variant(-32769).toInteger(); }, raisesNumber(6));
    EXPECT_THAT([] { (void)Variant("40000").toInteger(); }, raisesNumber(6));
    EXPECT_THAT([] { (void)Variant(5e9).toInteger(); }, raisesNumber(6));
    EXPECT_THAT([] { (void)Variant("x").toInteger(); }, raisesNumber(13));
}

TEST(Variant, ToCurrency)
{
    const struct {
        Variant value;
        std::int64_t expectedRaw;
    } rows[] = {
        {Variant("12.5"), 125000},
        {Variant("  -3.25 "), -32500},
        {Variant("1.23455"), 12346},
        {Variant("1.23445"), 12344},
        {Variant("0.00005"), 0},
        {Variant("0.00015"), 2},
        {Variant("1e3"), 10000000},
        {Variant("922337203685477.5807"), std::numeric_limits<std::int64_t>::max()},
        {Variant(0.1), 1000},
        {Variant(-12.5), -125000},
        {Variant(7), 70000},
        {Variant::integer(-2), -20000},
        {Variant::boolean(true), -10000},
        {Variant(), 0},
        {Variant(money("4.0001")), 40001},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.value.toText().toStdString());
        EXPECT_EQ(row.value.toCurrency().raw(), row.expectedRaw);
    }
    EXPECT_THAT([] { (void)Variant("dodici").toCurrency(); }, raisesNumber(13));
    EXPECT_THAT([] { (void)Variant("").toCurrency(); }, raisesNumber(13));
    EXPECT_THAT([] { (void)Variant(1e15).toCurrency(); }, raisesNumber(6));
    EXPECT_THAT([] { (void)Variant(-1e300).toCurrency(); }, raisesNumber(6));
    EXPECT_THAT([] { (void)Variant("922337203685477.5808").toCurrency(); }, raisesNumber(6));
}

TEST(Variant, ToBool)
{
    const struct {
        Variant value;
        bool expected;
    } rows[] = {
        {Variant("True"), true},
        {Variant(" false "), false},
        {Variant("TRUE"), true},
        {Variant("0"), false},
        {Variant("-1"), true},
        {Variant("0.5"), true},
        {Variant(0.0), false},
        {Variant(2), true},
        {Variant(), false},
        {Variant::boolean(true), true},
        {Variant::boolean(false), false},
        {Variant(money("0")), false},
        {Variant(money("-0.0001")), true},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.value.toText().toStdString());
        EXPECT_EQ(row.value.toBool(), row.expected);
    }
    EXPECT_THAT([] { (void)Variant("forse").toBool(); }, raisesNumber(13));
}

TEST(Variant, BooleanTrueIsMinusOneAsANumber)
{
    EXPECT_EQ(Variant::boolean(true).toDouble(), -1.0);
    EXPECT_EQ(Variant::boolean(true).toInteger(), -1);
    EXPECT_EQ(Variant::boolean(false).toDouble(), 0.0);
}

TEST(Variant, LeadingNumberReadsTheLongestLeadingDecimal)
{
    const struct {
        const char *text;
        double expected;
    } rows[] = {
        {"  -12.5abc", -12.5}, {"abc", 0.0},        {".5", 0.5},
        {"1.2.3", 1.2},        {"+7", 7.0},         {"", 0.0},
        {"42", 42.0},          {"  7  ", 7.0},      {"12abc", 12.0},
        {"12,5", 12.0},        {"-", 0.0},          {"-.5", -0.5},
        {"- 5", 0.0},          {"+-5", 0.0},        {"007", 7.0},
        {"12.", 12.0},         {".", 0.0},          {"a12", 0.0},
        {"-0", 0.0},           {"3000000000", 3e9},
        // A Double's own text form reads back whole, exponent included.
        {"5.5E-17", 5.5e-17},  {"1E+20x", 1e20},    {"2e", 2.0},
        {"3E+", 3.0},          {"4Ex", 4.0},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(leadingNumber(QString::fromUtf8(row.text)), row.expected);
    }
}

TEST(Variant, TinyDoubleSurvivesTheTextAndLeadingNumberChain)
{
    // The chain the totals use: a sum's floating leftover must stay near zero.
    const double leftover = 0.1 + 0.2 - 0.3;
    EXPECT_NEAR(leadingNumber(Variant(leftover).toText()), leftover, 1e-30);
    EXPECT_EQ(Variant(leadingNumber(Variant(leftover).toText())).toCurrency(), Currency());
}

TEST(Variant, LeadingLongTakesTheLeadingNumberToTheNearestLong)
{
    const struct {
        Variant value;
        std::int32_t expected;
    } rows[] = {
        {Variant::null(), 0},
        {Variant(), 0},
        {Variant("3.5"), 4},
        {Variant("2.5"), 2},
        {Variant("  17abc"), 17},
        {Variant("abc"), 0},
        {Variant(""), 0},
        {Variant(42), 42},
        {Variant(41.5), 42},
        {Variant(-41.5), -42},
        {Variant(money("12.5")), 12},
        {Variant::boolean(true), 0},
        {Variant("-8 euro"), -8},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.value.isNull() ? "Null" : row.value.toText().toStdString());
        EXPECT_EQ(leadingLong(row.value), row.expected);
    }
    EXPECT_THAT([] { (void)leadingLong(Variant("99999999999")); }, raisesNumber(6));
}

TEST(Variant, RoundHalfEven)
{
    const struct {
        double value;
        double expected;
    } rows[] = {
        {0.5, 0.0}, {1.5, 2.0}, {2.5, 2.0}, {-0.5, -0.0}, {-1.5, -2.0}, {2.6, 3.0}, {-2.4, -2.0}, {7.0, 7.0},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.value);
        EXPECT_EQ(roundHalfEven(row.value), row.expected);
    }
}
