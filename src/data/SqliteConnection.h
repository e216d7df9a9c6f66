#pragma once

#include "DbConnection.h"

#include <QString>

#include <memory>

struct sqlite3;

namespace orv {

// The embedded back end over the SQLite C API. OpenResultSet runs one statement that reads and
// refuses anything else, pragmas that may write included, before it runs (error 3001).
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

private:
    explicit SqliteConnection(sqlite3 *db) : m_db(db) {}
    sqlite3 *m_db;
    bool m_runningScript = false; // lifts the guard on pragmas for executeScript
};

} // namespace orv
