#include "DbConnection.h"

#include "RuntimeError.h"

namespace orv {

namespace {
QStringView withoutTablePrefix(QStringView name)
{
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot < 0 ? name : name.mid(dot + 1);
}
} // namespace

DbConnection::~DbConnection() = default;
DbResultSet::~DbResultSet() = default;

int DbResultSet::columnIndex(const QString &name) const
{
    const QStringView wanted = withoutTablePrefix(name);
    const int count = columnCount();
    for (int column = 0; column < count; ++column) {
        if (withoutTablePrefix(columnName(column)).compare(wanted, Qt::CaseInsensitive) == 0)
            return column;
    }
    return -1;
}

DbField DbFields::Item(const QString &name) const
{
    const int column = m_owner->columnIndex(name);
    if (column < 0)
        raiseError(kErrItemNotFound, QStringLiteral("Item not found in this collection: %1").arg(name));
    return DbField(*m_owner, column);
}

DbField DbFields::Item(int position) const
{
    if (position < 0 || position >= m_owner->columnCount())
        raiseError(kErrItemNotFound, QStringLiteral("Item not found in this collection: %1").arg(position));
    return DbField(*m_owner, position);
}

int DbFields::Count() const
{
    return m_owner->columnCount();
}

Variant DbField::Value() const
{
    return m_owner->value(m_column);
}

QString DbField::Name() const
{
    return m_owner->columnName(m_column);
}

} // namespace orv
