#pragma once

#include "DbConnection.h"

#include <QString>

#include <memory>

struct pg_conn;

namespace orv {

// The server back end over libpq. The session is read-only by construction: every transaction
// starts read-only (default_transaction_read_only in the start-up options), and OpenResultSet
// sends one query that reads, refusing any other text before the server sees it (error 3001).
// Texts travel as UTF-8. A connection that broke is opened again by the next statement.
class PgConnection final : public DbConnection, public std::enable_shared_from_this<PgConnection> {
public:
    // `connectionInfo` is a libpq connection string ("host=/run/postgresql dbname=ditta").
    // Failures raise RuntimeError 3000 with the server's message.
    static std::shared_ptr<PgConnection> open(const QString &connectionInfo);
    ~PgConnection() override;

    std::unique_ptr<DbResultSet> OpenResultSet(const QString &sql, int options = kForwardOnly) override;
    const SqlDialect &dialect() const override;

    // Administration for the owner of the database (schema set-up, loading, tests); the control
    // never calls it. Runs every statement of the script in one read-write transaction.
    void executeScript(const QString &script);

    pg_conn *handle() const { return m_connection; }

private:
    explicit PgConnection(pg_conn *connection) : m_connection(connection) {}
    void reconnectIfBroken();
    pg_conn *m_connection;
};

} // namespace orv
