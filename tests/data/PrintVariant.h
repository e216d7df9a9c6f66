#pragma once

#include "data/RuntimeError.h"
#include "data/Variant.h"

#include <gmock/gmock.h>

#include <functional>
#include <ostream>

namespace orv {

// Shows a Variant as its type and text in test failure messages.
inline void PrintTo(const Variant &value, std::ostream *out)
{
    static const char *const names[] = {"Empty", "Null",   "Boolean",  "Integer",
                                        "Long",  "Double", "Currency", "String"};
    switch (value.type()) {
    case Variant::Type::Empty:
        *out << "Empty";
        return;
    case Variant::Type::Null:
        *out << "Null";
        return;
    default:
        *out << names[static_cast<int>(value.type())] << " \"" << value.toText().toStdString() << '"';
    }
}

// The runtime error number a call raises, or 0 when it returns normally.
inline int errorNumberOf(const std::function<void()> &call)
{
    try {
        call();
    } catch (const RuntimeError &error) {
        return error.number();
    }
    return 0;
}

inline auto raisesNumber(int number)
{
    return ::testing::Throws<RuntimeError>(::testing::Property(&RuntimeError::number, ::testing::Eq(number)));
}

} // namespace orv
