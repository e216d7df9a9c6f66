#include "data/Variant.h"
#include "data/RuntimeError.h"

#include "support/PrintVariant.h"

#include <QLocale>

#include <gtest/gtest.h>

#include <cmath>

using namespace orv;

namespace {

Currency money(const char *text)
{
    return Currency::fromText(QString::fromLatin1(text));
}

// A conversion under test: its name and the text of the number it gives.
struct To {
    const char *name;
    QString (*convert)(const Variant &);
};

// clang-format off
const To Long{"Long", [](const Variant &v) { return QString::number(v.toLong()); }};
const To Integer{"Integer", [](const Variant &v) { return QString::number(v.toInteger()); }};
const To Raw{"Currency", [](const Variant &v) { return QString::number(v.toCurrency().raw()); }};
const To Bool{"Boolean", [](const Variant &v) { return QString::number(v.toBool()); }};
const To Double{"Double", [](const Variant &v) { return QString::number(v.toDouble()); }};
const To Leading{"leadingLong", [](const Variant &v) { return QString::number(leadingLong(v)); }};
// clang-format on

} // namespace

TEST(Variant, ConvertsEveryTypeToTextWithAPointWhateverTheLocale)
{
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    // clang-format off
    const struct { Variant value; const char *expected; } rows[] = {
        {{}, ""}, {Variant::boolean(true), "True"}, {Variant::boolean(false), "False"},
        {Variant::integer(-7), "-7"}, {123456, "123456"}, {-2147483647 - 1, "-2147483648"}, {12.5, "12.5"},
        {-0.25, "-0.25"}, {0.1, "0.1"}, {3.0, "3"}, {1234567.875, "1234567.875"}, {money("12.5"), "12.5"},
        {money("-0.0001"), "-0.0001"}, {"Dell'Orto", "Dell'Orto"}, {"", ""}, {Variant::null(), "#94"}
    };
    // clang-format on
    for (const auto &row : rows) {
        SCOPED_TRACE(row.expected);
        EXPECT_EQ(textOf([&] { return row.value.toText(); }), QString::fromUtf8(row.expected));
    }
    QLocale::setDefault(saved);
    EXPECT_TRUE(Variant::null().isNull() && !Variant::null().isEmpty() && Variant().isEmpty());
}

// Whole numbers round half to even; errors are 94 for Null, 13 for a type mismatch, 6 for overflow.
TEST(Variant, ConvertsToNumbersAndTruthWithTheRuntimeErrors)
{
    const Variant null = Variant::null(), yes = Variant::boolean(true), no = Variant::boolean(false);
    // clang-format off
    const struct { const To &to; Variant value; const char *expected; } rows[] = {
        {Long, null, "#94"}, {Integer, null, "#94"}, {Raw, null, "#94"}, {Bool, null, "#94"},
        {Double, null, "#94"}, {Double, yes, "-1"}, {Double, no, "0"},
        {Long, 2.5, "2"}, {Long, 3.5, "4"}, {Long, -2.5, "-2"}, {Long, -3.5, "-4"}, {Long, 0.5, "0"},
        {Long, 1.5, "2"}, {Long, 2.4999, "2"}, {Long, 2.5001, "3"}, {Long, "  12 ", "12"}, {Long, "2.5", "2"},
        {Long, "3.5", "4"}, {Long, "-7", "-7"}, {Long, money("2.5"), "2"}, {Long, money("3.5"), "4"},
        {Long, money("-2.5"), "-2"}, {Long, money("-3.5"), "-4"}, {Long, money("2.5001"), "3"},
        {Long, money("-2.5001"), "-3"}, {Long, yes, "-1"}, {Long, no, "0"}, {Long, {}, "0"},
        {Long, Variant::integer(-300), "-300"}, {Long, 2147483647.4, "2147483647"},
        {Long, -2147483648.5, "-2147483648"}, {Long, "abc", "#13"}, {Long, "", "#13"}, {Long, "12abc", "#13"},
        {Long, 2147483647.5, "#6"}, {Long, -2147483649.0, "#6"}, {Long, "3000000000", "#6"},
        {Long, money("2147483648"), "#6"}, {Long, money("-2147483649"), "#6"}, {Long, std::nan(""), "#6"},
        {Integer, 32767, "32767"}, {Integer, -32768.5, "-32768"}, {Integer, 2.5, "2"}, {Integer, yes, "-1"},
        {Integer, "-12", "-12"}, {Integer, 32768, "#6"}, {Integer, 32767.5, "#6"}, {Integer, -32769, "#6"},
        {Integer, "40000", "#6"}, {Integer, 5e9, "#6"}, {Integer, "x", "#13"},
        // A decimal text becomes an amount exactly, not through a Double; an exponent form does.
        {Raw, "12.5", "125000"}, {Raw, "  -3.25 ", "-32500"}, {Raw, "1.23455", "12346"},
        {Raw, "1e3", "10000000"}, {Raw, "922337203685477.5807", "9223372036854775807"}, {Raw, 0.1, "1000"},
        {Raw, 922337203685477.5, "9223372036854775000"}, {Raw, "9.223372036854775E14", "9223372036854775000"},
        {Raw, -12.5, "-125000"}, {Raw, 7, "70000"}, {Raw, Variant::integer(-2), "-20000"},
        {Raw, yes, "-10000"}, {Raw, {}, "0"}, {Raw, money("4.0001"), "40001"}, {Raw, "dodici", "#13"},
        {Raw, "", "#13"}, {Raw, 1e15, "#6"}, {Raw, -1e300, "#6"}, {Raw, "922337203685477.5808", "#6"},
        {Bool, "True", "1"}, {Bool, " false ", "0"}, {Bool, "TRUE", "1"}, {Bool, "0", "0"}, {Bool, "-1", "1"},
        {Bool, "0.5", "1"}, {Bool, 0.0, "0"}, {Bool, 2, "1"}, {Bool, {}, "0"}, {Bool, yes, "1"},
        {Bool, no, "0"}, {Bool, money("0"), "0"}, {Bool, money("-0.0001"), "1"}, {Bool, "forse", "#13"},
        // leadingLong takes the leading number of the text to the nearest Long.
        {Leading, null, "0"}, {Leading, {}, "0"}, {Leading, "3.5", "4"}, {Leading, "2.5", "2"},
        {Leading, "  17abc", "17"}, {Leading, "abc", "0"}, {Leading, "", "0"}, {Leading, 42, "42"},
        {Leading, 41.5, "42"}, {Leading, -41.5, "-42"}, {Leading, money("12.5"), "12"},
        {Leading, yes, "0"}, {Leading, "-8 euro", "-8"}, {Leading, "99999999999", "#6"}
    };
    // clang-format on
    for (const auto &row : rows) {
        SCOPED_TRACE(::testing::PrintToString(row.value) + " to " + row.to.name);
        EXPECT_EQ(textOf([&] { return row.to.convert(row.value); }), row.expected);
    }
}

TEST(Variant, LeadingNumberReadsTheLongestLeadingDecimal)
{
    // clang-format off
    const struct { const char *text; double expected; } rows[] = {
        {"  -12.5abc", -12.5}, {"abc", 0.0}, {".5", 0.5}, {"1.2.3", 1.2}, {"+7", 7.0}, {"", 0.0},
        {"42", 42.0}, {"  7  ", 7.0}, {"12abc", 12.0}, {"12,5", 12.0}, {"-", 0.0}, {"-.5", -0.5},
        {"- 5", 0.0}, {"+-5", 0.0}, {"007", 7.0}, {"12.", 12.0}, {".", 0.0}, {"a12", 0.0}, {"-0", 0.0},
        {"3000000000", 3e9},
        // A Double's own text form reads back whole, exponent included.
        {"5.5E-17", 5.5e-17}, {"1E+20x", 1e20}, {"2e", 2.0}, {"3E+", 3.0}, {"4Ex", 4.0}
    };
    // clang-format on
    for (const auto &row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(leadingNumber(QString::fromUtf8(row.text)), row.expected);
    }
    // The chain the totals use: a sum's floating leftover must stay near zero.
    const double leftover = 0.1 + 0.2 - 0.3;
    EXPECT_NEAR(leadingNumber(Variant(leftover).toText()), leftover, 1e-30);
    EXPECT_EQ(Variant(leadingNumber(Variant(leftover).toText())).toCurrency(), Currency());
}
