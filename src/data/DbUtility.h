#pragma once

#include "DbConnection.h"
#include "Variant.h"

#include <QString>

#include <cstdint>

class QObject;

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

    // Gives a form of the suite its look before it shows: every text of the form and of its
    // children in Tahoma (by a style sheet, so this layer needs no widgets). `options` is the
    // suite's option word; 0 asks for nothing more, and no other value is used.
    void PrepareForm(QObject *form, int options) const;

    // Whether the user holds the right on objects of the type in the office (branch), granted
    // there or in every office (DirittoUtente.IDFiliale 0). A database error is the exception
    // of the call.
    void UserHasRight(DbConnection *connection, std::int32_t user, std::int32_t branch,
                      std::int32_t objectType, std::int32_t right, bool &hasRight) const;
    // The suite keeps remembered passwords with each printable ASCII character mirrored within
    // the printable range ('!' <-> '~', 'A' <-> '^', '0' <-> 'o', ...); the mapping is its own inverse, so
    // the same call turns a password into its stored form and the stored form back. Blanks and characters
    // outside ASCII stay as they are.
    QString TransformPassword(const QString &text) const;
};

DbUtility &dbUtility();

// Whole numbers in "sign-blank" form: a blank before a non-negative number, a minus sign
// before a negative one.
QString signBlank(qint64 number);

} // namespace orv
