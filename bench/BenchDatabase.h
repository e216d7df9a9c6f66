#pragma once

#include "data/PgConnection.h"
#include "data/SqliteConnection.h"

#include <QString>

#include <libpq-fe.h>
#include <sqlite3.h>

#include <cstdlib>
#include <memory>

namespace orv::bench {

// The run is on PostgreSQL when ORV_BENCH_PG names a database there (./run bench --pg loads the
// generated database into one), otherwise on the SQLite file ORV_BENCH_DB.
inline bool onPostgres()
{
    return std::getenv("ORV_BENCH_PG") != nullptr;
}

inline std::shared_ptr<SqliteConnection> sqliteDatabase()
{
    static std::shared_ptr<SqliteConnection> db =
        SqliteConnection::open(QString::fromLocal8Bit(std::getenv("ORV_BENCH_DB")), /*readOnly=*/true);
    return db;
}

inline std::shared_ptr<PgConnection> pgDatabase()
{
    static std::shared_ptr<PgConnection> db =
        PgConnection::open(QString::fromLocal8Bit(std::getenv("ORV_BENCH_PG")));
    return db;
}

// The generated database of the run, opened once and shared by the benchmarks.
inline DbConnectionPtr database()
{
    return onPostgres() ? DbConnectionPtr(pgDatabase()) : DbConnectionPtr(sqliteDatabase());
}

// What a bare client of the engine gets from a statement: every value of every row read; the
// first row's first two columns kept as numbers and its first column as text. The floor of the
// field's work.
struct RawRow {
    double first = 0;
    double second = 0;
    QString text;
    bool found = false;
};

inline RawRow runRaw(const QString &sql)
{
    RawRow row;
    const QByteArray utf8 = sql.toUtf8();
    const auto keep = [&row](int column, const char *value) {
        if (column == 0 && value)
            row.text = QString::fromUtf8(value);
        if (column < 2)
            (column == 0 ? row.first : row.second) = value ? std::strtod(value, nullptr) : 0;
    };
    if (onPostgres()) {
        PGresult *result = PQexec(pgDatabase()->handle(), utf8.constData());
        const int columns = PQnfields(result);
        for (int r = 0; r < PQntuples(result); ++r) {
            for (int c = 0; c < columns; ++c) {
                const char *value = PQgetisnull(result, r, c) ? nullptr : PQgetvalue(result, r, c);
                if (r == 0)
                    keep(c, value);
            }
        }
        row.found = PQntuples(result) > 0;
        PQclear(result);
        return row;
    }
    sqlite3_stmt *stmt = nullptr;
    sqlite3_prepare_v2(sqliteDatabase()->handle(), utf8.constData(), static_cast<int>(utf8.size()), &stmt,
                       nullptr);
    while (stmt && sqlite3_step(stmt) == SQLITE_ROW) {
        for (int c = 0; c < sqlite3_column_count(stmt); ++c) {
            const auto *value = reinterpret_cast<const char *>(sqlite3_column_text(stmt, c));
            if (!row.found)
                keep(c, value);
        }
        row.found = true;
    }
    sqlite3_finalize(stmt);
    return row;
}

} // namespace orv::bench
