#pragma once

#include "Variant.h"

#include <QString>

#include <memory>

namespace orv {

class DbResultSet;
class SqlDialect;

// Options of OpenResultSet. Only rewindable result sets accept MoveFirst after MoveNext. A
// streamed set is forward-only and may hand out its rows as the engine reads them, keeping the
// read open on the server until it is closed: for long lists read a step at a time.
enum ResultSetOptions : int { kForwardOnly = 0, kStreamed = 1, kRewindable = 2 };

// An open database connection owned by the host; the control keeps a counted reference.
// The control only reads: an implementation refuses any statement that would write, and
// any text that holds more than one statement, before it runs anything.
class DbConnection {
public:
    virtual ~DbConnection();

    // Runs the statement at once. The result set is on its first row, or has Eof() and
    // Bof() both true when there are no rows. Failures raise RuntimeError.
    virtual std::unique_ptr<DbResultSet> OpenResultSet(const QString &sql, int options = kForwardOnly) = 0;

    // How this engine writes the statements the system composes itself (identifiers,
    // collation, paging); it lives as long as the connection.
    virtual const SqlDialect &dialect() const = 0;
};

using DbConnectionPtr = std::shared_ptr<DbConnection>;

class DbField;

// The columns of the current row. Cheap to copy; valid while its result set lives.
class DbFields {
public:
    explicit DbFields(const DbResultSet &owner) : m_owner(&owner) {}

    // By the name or alias of the SELECT list, without regard to case; a table prefix on
    // either side is ignored ("Agente.IDAnagrafica" finds IDAnagrafica).
    DbField Item(const QString &name) const;
    DbField Item(int position) const;
    int Count() const;

private:
    const DbResultSet *m_owner;
};

class DbField {
public:
    DbField(const DbResultSet &owner, int column) : m_owner(&owner), m_column(column) {}

    Variant Value() const;
    QString Name() const;

private:
    const DbResultSet *m_owner;
    int m_column;
};

// The rows of one SELECT with a current-row cursor. EOF is a C macro, hence Eof()/Bof().
class DbResultSet {
public:
    virtual ~DbResultSet();

    virtual void Close() = 0;
    virtual bool Bof() const = 0;
    virtual bool Eof() const = 0;
    virtual void MoveNext() = 0;
    virtual void MoveFirst() = 0;

    virtual int columnCount() const = 0;
    virtual QString columnName(int column) const = 0;
    // The value of a column of the current row; raises kErrNoCurrentRow without one.
    virtual Variant value(int column) const = 0;

    DbFields Fields() const { return DbFields(*this); }
    // -1 when the result has no such column.
    int columnIndex(const QString &name) const;
};

} // namespace orv
