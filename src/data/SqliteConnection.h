#pragma once

#include "DbConnection.h"

#include <QString>

#include <memory>
#include <string>

struct sqlite3;
struct sqlite3_stmt;

namespace orv {

template <typename Entry> class StatementCache;
struct SqliteStatement;
struct SqliteShape;

// The embedded back end over the SQLite C API. OpenResultSet runs one statement that reads and
// refuses anything else, pragmas that may write included, before it runs (error 3001).
// A text seen a second time is prepared once for its shape: texts that differ only in their
// numeric literals share one prepared statement, the literals bound as parameters.
class SqliteConnection final : public DbConnection, public std::enable_shared_from_this<SqliteConnection> {
public:
    // Opens (or creates) a database file; ":memory:" gives a private in-memory database.
    static std::shared_ptr<SqliteConnection> open(const QString &path, bool readOnly = false);
    ~SqliteConnection() override;

    std::unique_ptr<DbResultSet> OpenResultSet(const QString &sql, int options = kForwardOnly) override;
    const SqlDialect &dialect() const override;

    // Administration for the owner of the database (schema set-up, seeding, benchmarks);
    // the control never calls it. Runs every statement of the script.
    void executeScript(const QString &script);
    void executeScriptFile(const QString &path);

    sqlite3 *handle() const { return m_db; }
    // How many statements this connection has compiled.
    int statementsPrepared() const { return m_prepared; }

private:
    explicit SqliteConnection(sqlite3 *db);
    std::shared_ptr<SqliteStatement> prepare(const QByteArray &utf8, const QString &sql);
    std::shared_ptr<SqliteStatement> prepareShape(const std::string &shape, const SqliteStatement &raw);
    sqlite3 *m_db;
    int m_prepared = 0;
    std::unique_ptr<StatementCache<SqliteShape>> m_cache;
    bool m_runningScript = false; // lifts the guard on pragmas for executeScript
};

} // namespace orv
