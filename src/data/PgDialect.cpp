#include "PgDialect.h"

namespace orv {

namespace {

QString foldedText(const QString &expression)
{
    return QStringLiteral("lower((") + expression + QStringLiteral(")::text COLLATE \"C\")");
}

} // namespace

QString PgDialect::subquery(const QString &select) const
{
    // The line break keeps a trailing line comment from swallowing the closing parenthesis.
    return QLatin1Char('(') + select + QLatin1String("\n) AS listed");
}

QString PgDialect::caseInsensitiveComparison(const QString &expression, QStringView op,
                                             const QString &literal) const
{
    return foldedText(expression) + QLatin1Char(' ') + op.toString() + QLatin1Char(' ') + foldedText(literal);
}

QString PgDialect::orderTerm(const QString &expression, bool caseInsensitive, bool descending) const
{
    return (caseInsensitive ? foldedText(expression) : expression) +
           (descending ? QLatin1String(" DESC NULLS LAST") : QLatin1String(" NULLS FIRST"));
}

} // namespace orv
