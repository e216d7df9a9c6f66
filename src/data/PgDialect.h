#pragma once

#include "SqlDialect.h"

namespace orv {

// PostgreSQL's dialect: identifiers in double quotes, subqueries with an alias, LIMIT and
// OFFSET. Texts compare and order by lower() under the "C" collation, which folds the ASCII
// letters only and then compares bytes: SQLite's NOCASE order, whatever the column's type or
// the database's locale. Nulls are placed as SQLite places them.
class PgDialect final : public SqlDialect {
public:
    QString subquery(const QString &select) const override;
    QString caseInsensitiveComparison(const QString &expression, QStringView op,
                                      const QString &literal) const override;
    QString orderTerm(const QString &expression, bool caseInsensitive, bool descending) const override;
};

} // namespace orv
