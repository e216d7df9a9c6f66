#pragma once

#include "data/DbConnection.h"

#include <QString>

#include <vector>

namespace orv::test {

// Wraps any connection and keeps every SQL text and option that reached it, so tests can
// assert exact statements. It can also make the k-th statement fail (1-based).
class RecordingConnection final : public DbConnection {
public:
    struct Statement {
        QString sql;
        int options;
    };

    explicit RecordingConnection(DbConnectionPtr inner) : m_inner(std::move(inner)) {}

    std::unique_ptr<DbResultSet> OpenResultSet(const QString &sql, int options = kForwardOnly) override;
    // The wrapped engine's, so that the statements composed for it are the ones recorded.
    const SqlDialect &dialect() const override { return m_inner->dialect(); }

    const std::vector<Statement> &statements() const { return m_statements; }
    QStringList sqlTexts() const;
    void clear() { m_statements.clear(); }
    void failOnStatement(int k) { m_failOn = k; }

private:
    DbConnectionPtr m_inner;
    std::vector<Statement> m_statements;
    int m_failOn = 0;
};

} // namespace orv::test
