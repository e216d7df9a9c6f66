#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <utility>
#include <variant>
#include <vector>

namespace orv {

// The kinds of value a property bag keeps.
enum class PropertyType { Long, Integer, Boolean, String, Font };

// "Long", "Integer", "Boolean", "String", "Font".
QString propertyTypeName(PropertyType type);

// One value of a property bag, with its type: Long (32 bits), Integer (16 bits), Boolean,
// String or font. A font keeps what a saved form records of it: family, point size, bold,
// italic, underline and strikeout.
class PropertyValue {
public:
    PropertyValue(std::int32_t value) : m_value(value) {}
    PropertyValue(std::int16_t value) : m_value(value) {}
    PropertyValue(bool value) : m_value(value) {}
    PropertyValue(const QString &value) : m_value(value) {}
    PropertyValue(const char *) = delete; // would become a Boolean; say QStringLiteral
    PropertyValue(const QFont &font);

    PropertyType type() const { return static_cast<PropertyType>(m_value.index()); }

    // The value as a field of that type takes it. A Long and an Integer convert into each
    // other when the number fits (otherwise overflow, 6); any other pair of types is a type
    // mismatch (13).
    std::int32_t toLong() const;
    std::int16_t toInteger() const;
    bool toBoolean() const;
    QString toString() const;
    QFont toFont() const;

    // As the bag compares a value with its default: a Long and an Integer by their number,
    // fonts by what is recorded of them, anything else by type and value.
    friend bool operator==(const PropertyValue &a, const PropertyValue &b);

private:
    [[noreturn]] void mismatch(PropertyType wanted) const;

    std::variant<std::int32_t, std::int16_t, bool, QString, QFont> m_value;
};

// A store of named values, as a container keeps a control's settings: written with a
// default, a value is kept only when it differs from it; read with a default, an absent key
// gives the default. A value read back has the type it was written with. Keys are kept in the
// order they were first stored.
class PropertyBag {
public:
    // Stores the value, or removes the key when the value equals the default.
    void WriteProperty(const QString &key, const PropertyValue &value, const PropertyValue &defaultValue);
    PropertyValue ReadProperty(const QString &key, const PropertyValue &defaultValue) const;

    // The stored value of a key, if any.
    std::optional<PropertyValue> value(const QString &key) const;
    // Stores a value as it is, default or not (a saved form read back).
    void store(const QString &key, const PropertyValue &value);
    void remove(const QString &key);

    QStringList keys() const;
    bool isEmpty() const { return m_entries.empty(); }
    int size() const { return static_cast<int>(m_entries.size()); }

private:
    std::vector<std::pair<QString, PropertyValue>> m_entries;
};

} // namespace orv
