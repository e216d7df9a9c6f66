#pragma once

#include <QString>
#include <QStringView>

namespace orv {

// What engines write differently in the statements the system composes itself: the picking
// list's counts and pages over the caller's SELECT. The statements of the lookups and totals
// are fixed texts and never pass through here. Each back end answers its own (see
// DbConnection::dialect()), and every dialect lists rows in the same order: by the ordering
// column without regard to case, Nulls first, as SQLite's NOCASE collation orders them.
class SqlDialect {
public:
    virtual ~SqlDialect();

    // A column name as a quoted identifier: in double quotes, as standard SQL writes it.
    virtual QString escapeIdentifier(const QString &name) const;
    // A SELECT, without a closing semicolon but perhaps ending in a line comment, as a table
    // of a FROM clause.
    virtual QString subquery(const QString &select) const = 0;
    // `expression op literal` (op: "<" or ">="), comparing texts without regard to case.
    virtual QString caseInsensitiveComparison(const QString &expression, QStringView op,
                                              const QString &literal) const = 0;
    // One term of an ORDER BY: Nulls come first ascending and last descending.
    virtual QString orderTerm(const QString &expression, bool caseInsensitive, bool descending) const = 0;
    // Keeps `count` rows after skipping `offset`; it ends the statement. LIMIT and OFFSET, which
    // both engines speak.
    virtual QString limitClause(int count, int offset) const;
    // Orders two texts as caseInsensitiveComparison() and orderTerm() do: less than, equal to or
    // greater than 0 as left comes before, with or after right. By default compareFoldingAscii().
    virtual int compareCaseInsensitive(QStringView left, QStringView right) const;
};

// Compares as UTF-8 bytes with only the ASCII letters folded to lower case: the order of
// SQLite's NOCASE, which every dialect keeps.
int compareFoldingAscii(QStringView left, QStringView right);

} // namespace orv
