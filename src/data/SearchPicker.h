#pragma once

#include "DbConnection.h"

#include <QString>

#include <memory>

namespace orv {

// A modal picking list: shows the rows of an SQL text in columns and returns the row the
// user chose.
class SearchPicker {
public:
    virtual ~SearchPicker();

    virtual void SearchText(const QString &text) = 0;
    virtual void Caption(const QString &caption) = 0;
    virtual void KeyField(const QString &column) = 0;
    virtual void QueryText(const QString &sql) = 0;
    virtual void Connection(DbConnectionPtr connection) = 0;
    // Adds one visible column, in call order. The flag is kept for the caller's sake.
    virtual void AddColumn(const QString &header, const QString &column, int flag) = 0;
    // Shows the list modally. A result set on the chosen row, or an empty one (Eof and Bof).
    // A query or read that fails meanwhile is the error of the call.
    virtual std::unique_ptr<DbResultSet> Pick() = 0;
};

} // namespace orv
