#pragma once

#include "DbConnection.h"
#include "Variant.h"

#include <QString>

namespace orv {

// SQL literals and Null-safe values. One object per thread (dbUtility()), shared by every
// control and dialog on that thread.
class DbUtility {
public:
    // The number as SQL literal text: decimal, a leading minus for negatives, no blanks.
    QString SqlNumber(const Variant &number) const;
    // The text as a quoted literal: apostrophes doubled, enclosed in apostrophes.
    QString SqlText(const Variant &text) const;
    // The value unchanged unless Null; Null becomes Empty (which converts to "" or 0).
    Variant NullToValue(const Variant &value) const;
    Variant NullToValue(const DbField &field) const { return NullToValue(field.Value()); }
};

DbUtility &dbUtility();

// Whole numbers in "sign-blank" form: a blank before a non-negative number, a minus sign
// before a negative one.
QString signBlank(qint64 number);

} // namespace orv
