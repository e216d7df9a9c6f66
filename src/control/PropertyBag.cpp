#include "PropertyBag.h"

#include "data/RuntimeError.h"

#include <QFontInfo>

#include <algorithm>
#include <limits>

namespace orv {

namespace {

// What a saved form records of a font, and nothing else.
QFont recordedFont(const QFont &font)
{
    QFont recorded(font.family());
    const qreal points = font.pointSizeF() > 0 ? font.pointSizeF() : QFontInfo(font).pointSizeF();
    recorded.setPointSizeF(points);
    recorded.setBold(font.bold());
    recorded.setItalic(font.italic());
    recorded.setUnderline(font.underline());
    recorded.setStrikeOut(font.strikeOut());
    return recorded;
}

bool sameRecordedFont(const QFont &a, const QFont &b)
{
    return a.family() == b.family() && a.pointSizeF() == b.pointSizeF() && a.bold() == b.bold() &&
           a.italic() == b.italic() && a.underline() == b.underline() && a.strikeOut() == b.strikeOut();
}

bool isNumber(PropertyType type)
{
    return type == PropertyType::Long || type == PropertyType::Integer;
}

} // namespace

QString propertyTypeName(PropertyType type)
{
    switch (type) {
    case PropertyType::Long:
        return QStringLiteral("Long");
    case PropertyType::Integer:
        return QStringLiteral("Integer");
    case PropertyType::Boolean:
        return QStringLiteral("Boolean");
    case PropertyType::String:
        return QStringLiteral("String");
    case PropertyType::Font:
        return QStringLiteral("Font");
    }
    return {};
}

PropertyValue::PropertyValue(const QFont &font) : m_value(recordedFont(font)) {}

void PropertyValue::mismatch(PropertyType wanted) const
{
    raiseError(kErrTypeMismatch, QStringLiteral("Type mismatch: a %1 where a %2 belongs")
                                     .arg(propertyTypeName(type()), propertyTypeName(wanted)));
}

std::int32_t PropertyValue::toLong() const
{
    if (const auto *value = std::get_if<std::int32_t>(&m_value))
        return *value;
    if (const auto *value = std::get_if<std::int16_t>(&m_value))
        return *value;
    mismatch(PropertyType::Long);
}

std::int16_t PropertyValue::toInteger() const
{
    if (const auto *value = std::get_if<std::int16_t>(&m_value))
        return *value;
    if (const auto *value = std::get_if<std::int32_t>(&m_value)) {
        if (*value < std::numeric_limits<std::int16_t>::min() ||
            *value > std::numeric_limits<std::int16_t>::max())
            raiseError(kErrOverflow, QStringLiteral("Overflow: %1 does not fit an Integer").arg(*value));
        return static_cast<std::int16_t>(*value);
    }
    mismatch(PropertyType::Integer);
}

bool PropertyValue::toBoolean() const
{
    if (const auto *value = std::get_if<bool>(&m_value))
        return *value;
    mismatch(PropertyType::Boolean);
}

QString PropertyValue::toString() const
{
    if (const auto *value = std::get_if<QString>(&m_value))
        return *value;
    mismatch(PropertyType::String);
}

QFont PropertyValue::toFont() const
{
    if (const auto *value = std::get_if<QFont>(&m_value))
        return *value;
    mismatch(PropertyType::Font);
}

bool operator==(const PropertyValue &a, const PropertyValue &b)
{
    if (isNumber(a.type()) && isNumber(b.type()))
        return a.toLong() == b.toLong();
    if (a.type() != b.type())
        return false;
    if (a.type() == PropertyType::Font)
        return sameRecordedFont(a.toFont(), b.toFont());
    return a.m_value == b.m_value;
}

void PropertyBag::WriteProperty(const QString &key, const PropertyValue &value,
                                const PropertyValue &defaultValue)
{
    if (value == defaultValue)
        remove(key);
    else
        store(key, value);
}

PropertyValue PropertyBag::ReadProperty(const QString &key, const PropertyValue &defaultValue) const
{
    return value(key).value_or(defaultValue);
}

std::optional<PropertyValue> PropertyBag::value(const QString &key) const
{
    const auto found = std::find_if(m_entries.begin(), m_entries.end(),
                                    [&key](const auto &entry) { return entry.first == key; });
    if (found == m_entries.end())
        return std::nullopt;
    return found->second;
}

void PropertyBag::store(const QString &key, const PropertyValue &value)
{
    const auto found = std::find_if(m_entries.begin(), m_entries.end(),
                                    [&key](const auto &entry) { return entry.first == key; });
    if (found == m_entries.end())
        m_entries.emplace_back(key, value);
    else
        found->second = value;
}

void PropertyBag::remove(const QString &key)
{
    std::erase_if(m_entries, [&key](const auto &entry) { return entry.first == key; });
}

QStringList PropertyBag::keys() const
{
    QStringList list;
    for (const auto &entry : m_entries)
        list << entry.first;
    return list;
}

} // namespace orv
