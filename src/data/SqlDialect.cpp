#include "SqlDialect.h"

#include <algorithm>

namespace orv {

SqlDialect::~SqlDialect() = default;

QString SqlDialect::escapeIdentifier(const QString &name) const
{
    QString quoted = name;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

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

int compareFoldingAscii(QStringView left, QStringView right)
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

QString SqlDialect::limitClause(int count, int offset) const
{
    const QString limit = QStringLiteral(" LIMIT %1").arg(count);
    return offset > 0 ? limit + QStringLiteral(" OFFSET %1").arg(offset) : limit;
}

int SqlDialect::compareCaseInsensitive(QStringView left, QStringView right) const
{
    return compareFoldingAscii(left, right);
}

} // namespace orv
