#include "Variant.h"

#include "RuntimeError.h"

#include <cmath>
#include <limits>

namespace orv {

namespace {

template <class... Ts> struct Overloaded : Ts... {
    using Ts::operator()...;
};
template <class... Ts> Overloaded(Ts...) -> Overloaded<Ts...>;

// A whole text that is a number: optional sign, digits, optional fraction and exponent.
bool parseNumber(const QString &text, double &out)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return false;
    bool ok = false;
    out = trimmed.toDouble(&ok); // C locale: point as separator
    return ok && std::isfinite(out);
}

std::int64_t roundedInRange(double value, std::int64_t low, std::int64_t high)
{
    const double rounded = roundHalfEven(value);
    if (!(rounded >= static_cast<double>(low) && rounded <= static_cast<double>(high)))
        raiseOverflow();
    return static_cast<std::int64_t>(rounded);
}

// Currency to a whole number, half to even, without going through a double.
std::int64_t roundCurrency(Currency value)
{
    const std::int64_t raw = value.raw();
    std::int64_t whole = raw / Currency::kScale;
    const std::int64_t rest = raw % Currency::kScale;
    const std::int64_t half = Currency::kScale / 2;
    if (rest > half || (rest == half && whole % 2 != 0))
        ++whole;
    else if (rest < -half || (rest == -half && whole % 2 != 0))
        --whole;
    return whole;
}

} // namespace

Variant Variant::null()
{
    return Variant(Storage(NullTag{}));
}

Variant Variant::boolean(bool value)
{
    return Variant(Storage(Bool{value}));
}

Variant Variant::integer(std::int16_t value)
{
    return Variant(Storage(Int16{value}));
}

Variant::Type Variant::type() const
{
    return std::visit(Overloaded{[](std::monostate) { return Type::Empty; },
                                 [](NullTag) { return Type::Null; }, [](Bool) { return Type::Boolean; },
                                 [](Int16) { return Type::Integer; }, [](std::int32_t) { return Type::Long; },
                                 [](double) { return Type::Double; }, [](Currency) { return Type::Currency; },
                                 [](const QString &) { return Type::String; }},
                      m_value);
}

bool Variant::isNumeric() const
{
    switch (type()) {
    case Type::Empty:
    case Type::Boolean:
    case Type::Integer:
    case Type::Long:
    case Type::Double:
    case Type::Currency:
        return true;
    case Type::Null:
        return false;
    case Type::String: {
        double ignored = 0;
        return parseNumber(std::get<QString>(m_value), ignored);
    }
    }
    return false;
}

QString Variant::toText() const
{
    return std::visit(
        Overloaded{[](std::monostate) { return QString(); },
                   [](NullTag) -> QString { raiseInvalidUseOfNull(); },
                   [](Bool b) { return b.value ? QStringLiteral("True") : QStringLiteral("False"); },
                   [](Int16 i) { return QString::number(i.value); },
                   [](std::int32_t l) { return QString::number(l); },
                   [](double d) {
                       QString text = QString::number(d, 'g', 15);
                       return text.replace(u'e', u'E');
                   },
                   [](Currency c) { return c.toText(); }, [](const QString &s) { return s; }},
        m_value);
}

double Variant::toDouble() const
{
    return std::visit(Overloaded{[](std::monostate) { return 0.0; },
                                 [](NullTag) -> double { raiseInvalidUseOfNull(); },
                                 [](Bool b) { return b.value ? -1.0 : 0.0; },
                                 [](Int16 i) { return static_cast<double>(i.value); },
                                 [](std::int32_t l) { return static_cast<double>(l); },
                                 [](double d) { return d; }, [](Currency c) { return c.toDouble(); },
                                 [](const QString &s) {
                                     double value = 0;
                                     if (!parseNumber(s, value))
                                         raiseTypeMismatch();
                                     return value;
                                 }},
                      m_value);
}

std::int32_t Variant::toLong() const
{
    constexpr auto low = std::numeric_limits<std::int32_t>::min();
    constexpr auto high = std::numeric_limits<std::int32_t>::max();
    switch (type()) {
    case Type::Long:
        return std::get<std::int32_t>(m_value);
    case Type::Currency: {
        const std::int64_t whole = roundCurrency(std::get<Currency>(m_value));
        if (whole < low || whole > high)
            raiseOverflow();
        return static_cast<std::int32_t>(whole);
    }
    default:
        return static_cast<std::int32_t>(roundedInRange(toDouble(), low, high));
    }
}

std::int16_t Variant::toInteger() const
{
    constexpr auto low = std::numeric_limits<std::int16_t>::min();
    constexpr auto high = std::numeric_limits<std::int16_t>::max();
    const std::int32_t value = toLong();
    if (value < low || value > high)
        raiseOverflow();
    return static_cast<std::int16_t>(value);
}

Currency Variant::toCurrency() const
{
    switch (type()) {
    case Type::Currency:
        return std::get<Currency>(m_value);
    case Type::Integer:
    case Type::Long:
    case Type::Boolean:
        return Currency::fromLong(toLong());
    case Type::String: {
        const QString &text = std::get<QString>(m_value);
        double value = 0;
        if (!parseNumber(text, value))
            raiseTypeMismatch();
        // Plain decimal texts convert exactly; exponent forms go through the double.
        const QString trimmed = text.trimmed();
        if (!trimmed.contains(u'e', Qt::CaseInsensitive))
            return Currency::fromText(trimmed);
        return Currency::fromDouble(value);
    }
    default:
        return Currency::fromDouble(toDouble());
    }
}

bool Variant::toBool() const
{
    if (type() == Type::String) {
        const QString text = std::get<QString>(m_value).trimmed();
        if (text.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
            return true;
        if (text.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
            return false;
    }
    return toDouble() != 0.0;
}

double roundHalfEven(double value)
{
    return std::nearbyint(value); // the default rounding mode is to nearest, ties to even
}

double leadingNumber(const QString &text)
{
    qsizetype pos = 0;
    while (pos < text.size() && (text[pos] == u' ' || text[pos] == u'\t'))
        ++pos;
    const qsizetype start = pos;
    if (pos < text.size() && (text[pos] == u'-' || text[pos] == u'+'))
        ++pos;
    qsizetype end = start;
    bool seenDigit = false;
    for (; pos < text.size() && text[pos].isDigit() && text[pos].unicode() < 128; ++pos) {
        seenDigit = true;
        end = pos + 1;
    }
    if (pos < text.size() && text[pos] == u'.') {
        for (++pos; pos < text.size() && text[pos].isDigit() && text[pos].unicode() < 128; ++pos) {
            seenDigit = true;
            end = pos + 1;
        }
    }
    if (!seenDigit)
        return 0.0;
    // An exponent belongs to the number, so that a Double's own text ("5.5E-17") reads back.
    if (pos < text.size() && (text[pos] == u'E' || text[pos] == u'e')) {
        qsizetype exponent = pos + 1;
        if (exponent < text.size() && (text[exponent] == u'-' || text[exponent] == u'+'))
            ++exponent;
        if (exponent < text.size() && text[exponent].isDigit() && text[exponent].unicode() < 128) {
            while (exponent < text.size() && text[exponent].isDigit() && text[exponent].unicode() < 128)
                ++exponent;
            end = exponent;
        }
    }
    const double value = text.mid(start, end - start).toDouble();
    return std::isfinite(value) ? value : 0.0;
}

std::int32_t leadingLong(const Variant &value)
{
    if (value.isNull() || value.isEmpty())
        return 0;
    return Variant(leadingNumber(value.toText())).toLong();
}

} // namespace orv
