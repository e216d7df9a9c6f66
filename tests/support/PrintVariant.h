#pragma once

#include "data/DbConnection.h"
#include "data/RuntimeError.h"
#include "data/Variant.h"
#include "support/QtPrinters.h"

#include <QStringList>

#include <gmock/gmock.h>

#include <functional>
#include <ostream>

namespace orv {

// Shows a Variant as its type and text in test failure messages.
inline void PrintTo(const Variant &value, std::ostream *out)
{
    static const char *const names[] = {"Empty", "Null",   "Boolean",  "Integer",
                                        "Long",  "Double", "Currency", "String"};
    *out << names[static_cast<int>(value.type())];
    if (!value.isNull() && !value.isEmpty())
        *out << " \"" << value.toText().toStdString() << '"';
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

// What a read gives, or "#" and the number of the runtime error it raised.
inline QString textOf(const std::function<QString()> &read)
{
    try {
        return read();
    } catch (const RuntimeError &error) {
        return QStringLiteral("#%1").arg(error.number());
    }
}

// The first column at the start and after each move (N next, F first), or "eof".
inline QString walk(DbResultSet &rows, const char *moves)
{
    const auto look = [&] {
        return rows.Eof() ? QStringLiteral("eof") : rows.Fields().Item(0).Value().toText();
    };
    QStringList seen{look()};
    for (const char *move = moves; *move; ++move)
        seen << textOf([&] { return *move == 'N' ? rows.MoveNext() : rows.MoveFirst(), look(); });
    return seen.join(u' ');
}

inline auto raisesNumber(int number)
{
    return ::testing::Throws<RuntimeError>(::testing::Property(&RuntimeError::number, ::testing::Eq(number)));
}

} // namespace orv
