#pragma once

#include "DbConnection.h"

#include <QString>

#include <memory>
#include <optional>
#include <string>

struct pg_conn;
struct pg_result;

namespace orv {

template <typename Entry> class StatementCache;
struct LiteralShape;
struct PgShape;
class PgCursor;

// The server back end over libpq. The session is read-only by construction: every transaction
// starts read-only (default_transaction_read_only in the start-up options), and OpenResultSet
// sends one query that reads, refusing any other text before the server sees it (error 3001).
// Texts travel as UTF-8. A connection that broke is opened again by the next statement.
// A text seen a second time is prepared on the server once for its shape: texts that differ only
// in their numeric literals share one prepared statement, the literals bound as typed parameters.
// A streamed result set is a cursor read in batches; while one is open, the statements of the
// connection run in its read-only transaction, each behind a savepoint so that one that fails
// leaves the others' cursors open.
class PgConnection final : public DbConnection, public std::enable_shared_from_this<PgConnection> {
public:
    // `connectionInfo` is a libpq connection string ("host=/run/postgresql dbname=ditta").
    // Failures raise RuntimeError 3000 with the server's message.
    static std::shared_ptr<PgConnection> open(const QString &connectionInfo);
    ~PgConnection() override;
    PgConnection(const PgConnection &) = delete;
    PgConnection &operator=(const PgConnection &) = delete;

    std::unique_ptr<DbResultSet> OpenResultSet(const QString &sql, int options = kForwardOnly) override;
    const SqlDialect &dialect() const override;

    // Administration for the owner of the database (schema set-up, loading, tests); the control
    // never calls it. Runs every statement of the script in one read-write transaction.
    void executeScript(const QString &script);

    pg_conn *handle() const { return m_connection; }
    // How many statements this connection has prepared on the server since it was opened.
    int statementsPrepared() const { return m_prepared; }

private:
    friend class PgCursor;
    explicit PgConnection(pg_conn *connection);
    void reconnectIfBroken();
    template <typename Call> pg_result *guarded(Call call);
    pg_result *execute(const char *text, const std::optional<LiteralShape> &shape);
    void ensureStillReadOnly(const QString &sql);
    // The rows of a result, or its error raised with the result freed.
    pg_result *rowsOrRaise(pg_result *result, const QString &sql);
    std::unique_ptr<DbResultSet> openCursor(const char *text, const QString &sql);
    pg_result *fetchCursor(const std::string &name, int rows, unsigned session, const QString &sql);
    void closeCursor(const std::string &name, unsigned session);
    void endIdleTransaction();

    pg_conn *m_connection;
    int m_prepared = 0;
    unsigned m_nextName = 0;
    std::unique_ptr<StatementCache<PgShape>> m_cache;
    unsigned m_session = 0; // counts the times the connection was opened again
    int m_openCursors = 0;
    bool m_inTransaction = false;
};

} // namespace orv
