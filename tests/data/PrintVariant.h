#pragma once

#include "data/Variant.h"

#include <ostream>

namespace orv {

// Shows a Variant as its type and text in test failure messages.
inline void PrintTo(const Variant &value, std::ostream *out)
{
    switch (value.type()) {
    case Variant::Type::Empty:
        *out << "Empty";
        return;
    case Variant::Type::Null:
        *out << "Null";
        return;
    case Variant::Type::Boolean:
        *out << "Boolean ";
        break;
    case Variant::Type::Integer:
        *out << "Integer ";
        break;
    case Variant::Type::Long:
        *out << "Long ";
        break;
    case Variant::Type::Double:
        *out << "Double ";
        break;
    case Variant::Type::Currency:
        *out << "Currency ";
        break;
    case Variant::Type::String:
        *out << "String ";
        break;
    }
    *out << '"' << value.toText().toStdString() << '"';
}

} // namespace orv
