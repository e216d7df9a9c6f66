#include "ListStatements.h"

#include "data/DbUtility.h"
#include "data/SqlDialect.h"

namespace orv {

namespace {

// The caller's text without its closing semicolons, which a subquery cannot hold.
QString withoutClosingSemicolons(const QString &sql)
{
    QString text = sql.trimmed();
    while (text.endsWith(QLatin1Char(';')))
        text = text.chopped(1).trimmed();
    return text;
}

} // namespace

ListStatements::ListStatements(const SqlDialect &dialect, const QString &select)
    : m_dialect(&dialect), m_source(dialect.subquery(withoutClosingSemicolons(select)))
{}

void ListStatements::setOrder(const QString &orderColumn, const QStringList &keyColumns)
{
    m_orderColumn = m_dialect->escapeIdentifier(orderColumn);
    m_keyColumns.clear();
    for (const QString &key : keyColumns)
        m_keyColumns << m_dialect->escapeIdentifier(key);
}

QString ListStatements::keyOrder(bool descending) const
{
    QStringList terms;
    for (const QString &key : m_keyColumns)
        terms << m_dialect->orderTerm(key, false, descending);
    return terms.join(QStringLiteral(", "));
}

QString ListStatements::selectFrom(const QString &columns, const QString &where, bool ordered,
                                   bool descending) const
{
    QString sql = QStringLiteral("SELECT ") + columns + QStringLiteral(" FROM ") + m_source;
    if (!where.isEmpty())
        sql += QStringLiteral(" WHERE ") + where;
    if (ordered) {
        sql += QStringLiteral(" ORDER BY ") + m_dialect->orderTerm(m_orderColumn, true, descending);
        if (!m_keyColumns.isEmpty())
            sql += QStringLiteral(", ") + keyOrder(descending);
    }
    return sql;
}

QString ListStatements::from(const QString &key) const
{
    return m_dialect->caseInsensitiveComparison(m_orderColumn, u">=", dbUtility().SqlText(key));
}

QString ListStatements::before(const QString &key) const
{
    return m_dialect->caseInsensitiveComparison(m_orderColumn, u"<", dbUtility().SqlText(key));
}

QString ListStatements::isNull() const
{
    return m_orderColumn + QStringLiteral(" IS NULL");
}

QString ListStatements::isNotNull() const
{
    return m_orderColumn + QStringLiteral(" IS NOT NULL");
}

QString ListStatements::columnNames() const
{
    return selectFrom(QStringLiteral("*"), {}, false, false) + m_dialect->limitClause(0, 0);
}

QString ListStatements::everyRow() const
{
    return selectFrom(QStringLiteral("1"), {}, false, false);
}

QString ListStatements::page(int count, int offset) const
{
    return selectFrom(QStringLiteral("*"), {}, false, false) + m_dialect->limitClause(count, offset);
}

QString ListStatements::keysFromFirst() const
{
    return selectFrom(m_orderColumn, {}, true, false);
}

QString ListStatements::keysFrom(const QString &key) const
{
    return selectFrom(m_orderColumn, from(key), true, false);
}

QString ListStatements::keysBefore(const QString &key) const
{
    return selectFrom(m_orderColumn, before(key), true, true);
}

QString ListStatements::keysFromLast() const
{
    return selectFrom(m_orderColumn, isNotNull(), true, true);
}

QString ListStatements::rowsFromFirst(int count, int offset) const
{
    return selectFrom(QStringLiteral("*"), {}, true, false) + m_dialect->limitClause(count, offset);
}

QString ListStatements::rowsFrom(const QString &key, int count, int offset) const
{
    return selectFrom(QStringLiteral("*"), from(key), true, false) + m_dialect->limitClause(count, offset);
}

QString ListStatements::rowsBefore(const QString &key, int count, int offset) const
{
    return selectFrom(QStringLiteral("*"), before(key), true, true) + m_dialect->limitClause(count, offset);
}

QString ListStatements::rowsFromLast(int count, int offset) const
{
    return selectFrom(QStringLiteral("*"), isNotNull(), true, true) + m_dialect->limitClause(count, offset);
}

QString ListStatements::rowsWithoutKey(int count, int offset) const
{
    QString sql = selectFrom(QStringLiteral("*"), isNull(), false, false);
    if (!m_keyColumns.isEmpty())
        sql += QStringLiteral(" ORDER BY ") + keyOrder(false);
    return sql + m_dialect->limitClause(count, offset);
}

QString ListStatements::countWithoutKey() const
{
    return selectFrom(QStringLiteral("count(*)"), isNull(), false, false);
}

QString ListStatements::countFrom(const QString &key) const
{
    return selectFrom(QStringLiteral("count(*)"), from(key), false, false);
}

QString ListStatements::countBetween(const QString &fromKey, const QString &beforeKey) const
{
    return selectFrom(QStringLiteral("count(*)"), from(fromKey) + QStringLiteral(" AND ") + before(beforeKey),
                      false, false);
}

QString ListStatements::countBefore(const QString &key) const
{
    return selectFrom(QStringLiteral("count(*)"),
                      QLatin1Char('(') + before(key) + QStringLiteral(" OR ") + isNull() + QLatin1Char(')'),
                      false, false);
}

} // namespace orv
