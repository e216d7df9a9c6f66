#include "SqliteDialect.h"

namespace orv {

QString SqliteDialect::subquery(const QString &select) const
{
    // The line break keeps a trailing line comment from swallowing the closing parenthesis.
    return QLatin1Char('(') + select + QLatin1String("\n)");
}

QString SqliteDialect::caseInsensitiveComparison(const QString &expression, QStringView op,
                                                 const QString &literal) const
{
    return expression + QLatin1String(" COLLATE NOCASE ") + op.toString() + QLatin1Char(' ') + literal;
}

QString SqliteDialect::orderTerm(const QString &expression, bool caseInsensitive, bool descending) const
{
    // SQLite puts Nulls first ascending on its own.
    return expression + (caseInsensitive ? QLatin1String(" COLLATE NOCASE") : QLatin1String()) +
           (descending ? QLatin1String(" DESC") : QLatin1String());
}

} // namespace orv
