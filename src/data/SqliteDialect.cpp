#include "SqliteDialect.h"

#include <algorithm>

namespace orv {

namespace {

char16_t foldAscii(char16_t c)
{
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

// UTF-8 bytes order as code points do; UTF-16 units do too, except that the surrogates of
// the characters above U+FFFF lie below U+E000..U+FFFF. This puts them above.
int codePointOrder(char16_t unit)
{
    if (unit >= 0xE000)
        return unit - 0x800;
    if (unit >= 0xD800)
        return unit + 0x2000;
    return unit;
}

} // namespace

QString SqliteDialect::escapeIdentifier(const QString &name) const
{
    QString quoted = name;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

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

QString SqliteDialect::limitClause(int count, int offset) const
{
    const QString limit = QStringLiteral(" LIMIT %1").arg(count);
    return offset > 0 ? limit + QStringLiteral(" OFFSET %1").arg(offset) : limit;
}

int SqliteDialect::compareCaseInsensitive(QStringView left, QStringView right) const
{
    // Runs once per counted row: it allocates nothing.
    const qsizetype common = std::min(left.size(), right.size());
    for (qsizetype i = 0; i < common; ++i) {
        const char16_t x = foldAscii(left[i].unicode());
        const char16_t y = foldAscii(right[i].unicode());
        if (x != y)
            return codePointOrder(x) < codePointOrder(y) ? -1 : 1;
    }
    return left.size() < right.size() ? -1 : (left.size() > right.size() ? 1 : 0);
}

} // namespace orv
