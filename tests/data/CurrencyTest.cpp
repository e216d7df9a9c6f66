#include "data/Currency.h"
#include "data/RuntimeError.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <optional>

using namespace orv;
using ::testing::Eq;
using ::testing::Property;
using ::testing::Throws;

namespace {

constexpr std::int64_t kMaxRaw = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kMinRaw = std::numeric_limits<std::int64_t>::min();

// The raw amount a text parses to, or nothing when the parse raises.
std::optional<std::int64_t> parsedRaw(const QString &text)
{
    try {
        return Currency::fromText(text).raw();
    } catch (const RuntimeError &) {
        return std::nullopt;
    }
}

int errorNumberOf(const std::function<void()> &call)
{
    try {
        call();
    } catch (const RuntimeError &error) {
        return error.number();
    }
    return 0;
}

auto raisesOverflow()
{
    return Throws<RuntimeError>(Property(&RuntimeError::number, Eq(6)));
}

} // namespace

TEST(Currency, AdditionIsExact)
{
    Currency sum;
    const Currency tenth = Currency::fromText(QStringLiteral("0.1"));
    for (int i = 0; i < 10; ++i)
        sum += tenth;
    EXPECT_EQ(sum, Currency::fromLong(1));
    EXPECT_EQ(sum.raw(), 10000);

    Currency fromDoubles;
    for (int i = 0; i < 10; ++i)
        fromDoubles += Currency::fromDouble(0.1);
    EXPECT_EQ(fromDoubles, Currency::fromLong(1));

    Currency balance = Currency::fromLong(1);
    for (int i = 0; i < 10; ++i)
        balance -= tenth;
    EXPECT_EQ(balance, Currency());
}

TEST(Currency, OverflowPastTheRangeRaisesInsteadOfWrapping)
{
    const Currency max = Currency::fromRaw(kMaxRaw);
    const Currency min = Currency::fromRaw(kMinRaw);
    const Currency unit = Currency::fromRaw(1);
    const Currency minusUnit = Currency::fromRaw(-1);

    EXPECT_THAT([&] { (void)(max + unit); }, raisesOverflow());
    EXPECT_THAT([&] { (void)(min + minusUnit); }, raisesOverflow());
    EXPECT_THAT([&] { (void)(min - unit); }, raisesOverflow());
    EXPECT_THAT([&] { (void)(max - minusUnit); }, raisesOverflow());
    EXPECT_THAT([&] { (void)(Currency() - min); }, raisesOverflow());

    // The edges themselves are reachable.
    EXPECT_EQ((max - unit + unit).raw(), kMaxRaw);
    EXPECT_EQ((min + unit - unit).raw(), kMinRaw);
    EXPECT_EQ((min + max).raw(), -1);
    EXPECT_EQ((max - max).raw(), 0);
}

TEST(Currency, FailedCompoundAssignmentLeavesTheAmount)
{
    Currency total = Currency::fromRaw(kMaxRaw - 5);
    EXPECT_THAT([&] { total += Currency::fromRaw(6); }, raisesOverflow());
    EXPECT_EQ(total.raw(), kMaxRaw - 5);

    Currency debt = Currency::fromRaw(kMinRaw + 5);
    EXPECT_THAT([&] { debt -= Currency::fromRaw(6); }, raisesOverflow());
    EXPECT_EQ(debt.raw(), kMinRaw + 5);
}

TEST(Currency, FromTextRoundsBeyondFourDecimalsHalfToEven)
{
    const struct {
        const char *text;
        std::int64_t expectedRaw;
    } rows[] = {
        {"12.5", 125000},
        {"  12.5  ", 125000},
        {"+3", 30000},
        {"-0.0001", -1},
        {"0", 0},
        {".5", 5000},
        {"7.", 70000},
        {"1.23455", 12346},
        {"1.23445", 12344},
        {"1.234451", 12345},
        {"1.23444999", 12344},
        {"-1.23455", -12346},
        {"-1.23445", -12344},
        {"0.00005", 0},
        {"0.00015", 2},
        {"0.000050000001", 1},
        {"2.99995", 30000},
        {"922337203685477.5807", kMaxRaw},
        {"-922337203685477.5807", -kMaxRaw},
        {"-922337203685477.5808", kMinRaw},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(parsedRaw(QString::fromLatin1(row.text)), row.expectedRaw);
    }
}

TEST(Currency, FromTextRejectsWhatIsNotAnAmount)
{
    const struct {
        const char *text;
        int expectedError;
    } rows[] = {
        {"", 13},
        {"abc", 13},
        {"12abc", 13},
        {"1.2.3", 13},
        {".", 13},
        {"-", 13},
        {"1 000", 13},
        {"922337203685477.5808", 6},
        {"-922337203685477.5809", 6},
        {"922337203685477.58075", 6},
        {"99999999999999999999", 6},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(errorNumberOf([&] { (void)Currency::fromText(QString::fromLatin1(row.text)); }),
                  row.expectedError);
    }
}

TEST(Currency, ToTextIsTheShortestFormWithAPoint)
{
    const struct {
        std::int64_t raw;
        const char *expected;
    } rows[] = {
        {125000, "12.5"},
        {-1, "-0.0001"},
        {30000, "3"},
        {0, "0"},
        {-5000, "-0.5"},
        {10001, "1.0001"},
        {-123456789, "-12345.6789"},
        {kMaxRaw, "922337203685477.5807"},
        {kMinRaw, "-922337203685477.5808"},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.expected);
        const Currency amount = Currency::fromRaw(row.raw);
        EXPECT_EQ(amount.toText(), QString::fromLatin1(row.expected));
        // What is printed reads back as the same amount.
        EXPECT_EQ(parsedRaw(amount.toText()), row.raw);
    }
}

TEST(Currency, FromDoubleRoundsTheFourthDecimalHalfToEven)
{
    const struct {
        double value;
        std::int64_t expectedRaw;
    } rows[] = {
        {12.5, 125000}, {0.1, 1000},      {-0.0001, -1},
        {0.00025, 2},   {0.00035, 4},     {-0.00025, -2},
        {0.00005, 0},   {1.23455, 12346}, {-1234.56789, -12345679},
        {0.0, 0},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.value);
        EXPECT_EQ(Currency::fromDouble(row.value).raw(), row.expectedRaw);
    }
    EXPECT_THAT([] { (void)Currency::fromDouble(1e15); }, raisesOverflow());
    EXPECT_THAT([] { (void)Currency::fromDouble(-1e15); }, raisesOverflow());
    EXPECT_THAT([] { (void)Currency::fromDouble(std::nan("")); }, raisesOverflow());
    EXPECT_THAT([] { (void)Currency::fromDouble(std::numeric_limits<double>::infinity()); },
                raisesOverflow());
}

TEST(Currency, FromLongAndToDouble)
{
    EXPECT_EQ(Currency::fromLong(-42).raw(), -420000);
    EXPECT_EQ(Currency::fromLong(922337203685477).raw(), 9223372036854770000);
    EXPECT_THAT([] { (void)Currency::fromLong(922337203685478); }, raisesOverflow());
    EXPECT_THAT([] { (void)Currency::fromLong(-922337203685478); }, raisesOverflow());
    EXPECT_EQ(Currency::fromRaw(125000).toDouble(), 12.5);
    EXPECT_EQ(Currency::fromRaw(-1).toDouble(), -0.0001);
}

TEST(Currency, OrdersByAmount)
{
    EXPECT_LT(Currency::fromText(QStringLiteral("-0.0001")), Currency());
    EXPECT_LT(Currency::fromText(QStringLiteral("9.9999")), Currency::fromLong(10));
    EXPECT_GT(Currency::fromRaw(kMinRaw + 1), Currency::fromRaw(kMinRaw));
}
