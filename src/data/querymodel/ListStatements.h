#pragma once

#include <QString>
#include <QStringList>

namespace orv {

class SqlDialect;

// The statements that count and read a list over the caller's SELECT, in the connection's
// dialect. The list is ordered by one column without regard to case, Nulls first, and rows
// with equal values by a key column when there is one. Keys are texts compared with the
// ordering column; "from" a key means its rows and those after them, "before" the rows with
// a smaller key (never those without one).
class ListStatements {
public:
    ListStatements() = default;
    ListStatements(const SqlDialect &dialect, const QString &select);

    // The columns that order the list: the ordering column, then the key columns that tell rows
    // with equal values apart (none when the list is empty).
    void setOrder(const QString &orderColumn, const QStringList &keyColumns);

    // No rows, only the columns.
    QString columnNames() const;
    // Every row in the query's own order, and a page of them.
    QString everyRow() const;
    QString page(int count, int offset) const;

    // The ordering keys, as the counting passes read them.
    QString keysFromFirst() const;
    QString keysFrom(const QString &key) const;
    QString keysBefore(const QString &key) const; // backwards
    QString keysFromLast() const;                 // backwards, the rows without a key left out

    // Pages of rows.
    QString rowsFromFirst(int count, int offset) const;
    QString rowsFrom(const QString &key, int count, int offset) const;
    QString rowsBefore(const QString &key, int count, int offset) const;
    QString rowsFromLast(int count, int offset) const;
    QString rowsWithoutKey(int count, int offset) const;

    // Counts.
    QString countWithoutKey() const;
    QString countFrom(const QString &key) const;
    QString countBetween(const QString &from, const QString &before) const;
    QString countBefore(const QString &key) const; // with the rows without a key

private:
    QString selectFrom(const QString &columns, const QString &where, bool ordered, bool descending) const;
    QString from(const QString &key) const;
    QString before(const QString &key) const;
    QString isNull() const;
    QString isNotNull() const;
    QString keyOrder(bool descending) const;

    const SqlDialect *m_dialect = nullptr;
    QString m_source;         // the caller's SELECT as a subquery
    QString m_orderColumn;    // escaped
    QStringList m_keyColumns; // escaped
};

} // namespace orv
