#include "RecordingConnection.h"

#include "data/RuntimeError.h"

#include <QStringList>

namespace orv::test {

std::unique_ptr<DbResultSet> RecordingConnection::OpenResultSet(const QString &sql, int options)
{
    m_statements.push_back({sql, options});
    if (m_failOn > 0 && static_cast<int>(m_statements.size()) == m_failOn)
        raiseError(kErrDatabase, QStringLiteral("injected failure of statement %1").arg(m_failOn));
    return m_inner->OpenResultSet(sql, options);
}

QStringList RecordingConnection::sqlTexts() const
{
    QStringList texts;
    for (const auto &statement : m_statements)
        texts << statement.sql;
    return texts;
}

} // namespace orv::test
