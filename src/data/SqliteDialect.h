#pragma once

#include "SqlDialect.h"

namespace orv {

// SQLite's dialect: identifiers in double quotes, COLLATE NOCASE (UTF-8 bytes with only the
// ASCII letters folded), LIMIT and OFFSET, subqueries without an alias.
class SqliteDialect final : public SqlDialect {
public:
    QString subquery(const QString &select) const override;
    QString caseInsensitiveComparison(const QString &expression, QStringView op,
                                      const QString &literal) const override;
    QString orderTerm(const QString &expression, bool caseInsensitive, bool descending) const override;
};

} // namespace orv
