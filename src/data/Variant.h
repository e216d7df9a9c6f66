#pragma once

#include "Currency.h"

#include <QString>

#include <cstdint>
#include <variant>

namespace orv {

// A dynamically typed value as the suite's runtime knows it. Column values arrive as
// Variants; Null is a database Null, Empty an unset value.
class Variant {
public:
    enum class Type { Empty, Null, Boolean, Integer, Long, Double, Currency, String };

    Variant() = default; // Empty
    Variant(const QString &text) : m_value(text) {}
    Variant(const char *text) : m_value(QString::fromUtf8(text)) {}
    Variant(Currency value) : m_value(value) {}
    Variant(double value) : m_value(value) {}
    Variant(std::int32_t value) : m_value(value) {} // Long
    Variant(bool) = delete;                         // would silently be a Long; use Variant::boolean()

    static Variant null();
    static Variant boolean(bool value);
    static Variant integer(std::int16_t value);
    static Variant longValue(std::int32_t value) { return Variant(value); }

    Type type() const;
    bool isEmpty() const { return type() == Type::Empty; }
    bool isNull() const { return type() == Type::Null; }
    bool isNumeric() const;

    // Conversions. Null raises "invalid use of Null" (94); a text that is not a number
    // raises "type mismatch" (13); a value out of the target's range raises overflow (6).
    // Empty converts to "" or 0.
    QString toText() const;
    std::int32_t toLong() const;    // rounds half to even
    std::int16_t toInteger() const; // rounds half to even
    double toDouble() const;
    Currency toCurrency() const;
    bool toBool() const;

    bool operator==(const Variant &other) const = default;

private:
    struct NullTag {
        bool operator==(const NullTag &) const = default;
    };
    struct Int16 {
        std::int16_t value;
        bool operator==(const Int16 &) const = default;
    };
    struct Bool {
        bool value;
        bool operator==(const Bool &) const = default;
    };
    using Storage =
        std::variant<std::monostate, NullTag, Bool, Int16, std::int32_t, double, Currency, QString>;
    explicit Variant(Storage storage) : m_value(std::move(storage)) {}

    Storage m_value;
};

// Rounds to the nearest whole number, ties to even, as the runtime does for Long conversions.
double roundHalfEven(double value);

// The leading-number parse: leading blanks skipped, then the longest leading decimal number
// with an optional sign, a point as decimal separator and an optional exponent; a text
// without one gives 0.
double leadingNumber(const QString &text);

// The conversion chain the loaders use for ids: Null-safe value, as text, leading-number
// parse, nearest Long. Null and Empty give 0.
std::int32_t leadingLong(const Variant &value);

} // namespace orv
