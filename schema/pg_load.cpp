// orv_pg_load: copies a company database from SQLite into a PostgreSQL database.
//
//   orv_pg_load IN.sqlite|--demo "CONNECTION INFO" [--schema-dir DIR]
//
// --demo copies the demo company, made in memory from schema.sql and seed.sql.
// The target database must be empty and the user a superuser (postgres_setup.sql creates the
// extensions and gives citext's LIKE a form the planner sees into). The PostgreSQL schema is
// schema.sql with three changes: NOCASE texts become citext COLLATE "C", NUMERIC amounts
// numeric(19,4), and the generated period id is STORED. Every table of IN is copied row for row,
// then postgres_indexes.sql adds the indexes of the LIKE patterns and the statistics.

#include <libpq-fe.h>
#include <sqlite3.h>

#include <fstream>
#include <iostream>
#include <regex>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#ifndef ORV_SCHEMA_DIR
#define ORV_SCHEMA_DIR "schema"
#endif

namespace {

std::string readFile(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string postgresSchema(const std::string &sqlite)
{
    std::string schema =
        std::regex_replace(sqlite, std::regex("TEXT COLLATE NOCASE"), "citext COLLATE \"C\"");
    schema = std::regex_replace(schema, std::regex("\\bNUMERIC\\b"), "numeric(19,4)");
    return std::regex_replace(schema, std::regex("\\) VIRTUAL"), ") STORED");
}

void execute(PGconn *pg, const std::string &sql)
{
    PGresult *result = PQexec(pg, sql.c_str());
    const ExecStatusType status = PQresultStatus(result);
    const std::string message = PQresultErrorMessage(result);
    PQclear(result);
    if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK)
        throw std::runtime_error(message);
}

// One value in COPY's text format.
void appendCopyValue(std::string &line, const char *value)
{
    if (!value) {
        line += "\\N";
        return;
    }
    for (const char *p = value; *p; ++p) {
        switch (*p) {
        case '\\':
            line += "\\\\";
            break;
        case '\t':
            line += "\\t";
            break;
        case '\n':
            line += "\\n";
            break;
        case '\r':
            line += "\\r";
            break;
        default:
            line += *p;
        }
    }
}

std::vector<std::string> tablesOf(sqlite3 *db)
{
    std::vector<std::string> tables;
    sqlite3_stmt *statement = nullptr;
    sqlite3_prepare_v2(db, "SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite_%'",
                       -1, &statement, nullptr);
    while (sqlite3_step(statement) == SQLITE_ROW)
        tables.emplace_back(reinterpret_cast<const char *>(sqlite3_column_text(statement, 0)));
    sqlite3_finalize(statement);
    return tables;
}

// The stored columns of a table; table_info leaves the generated ones out.
std::vector<std::string> columnsOf(sqlite3 *db, const std::string &table)
{
    std::vector<std::string> columns;
    sqlite3_stmt *statement = nullptr;
    sqlite3_prepare_v2(db, ("PRAGMA table_info(\"" + table + "\")").c_str(), -1, &statement, nullptr);
    while (sqlite3_step(statement) == SQLITE_ROW)
        columns.emplace_back(reinterpret_cast<const char *>(sqlite3_column_text(statement, 1)));
    sqlite3_finalize(statement);
    return columns;
}

std::size_t copyTable(sqlite3 *db, PGconn *pg, const std::string &table)
{
    std::string list;
    for (const std::string &column : columnsOf(db, table))
        list += (list.empty() ? "" : ", ") + column;
    PGresult *copying = PQexec(pg, ("COPY " + table + " (" + list + ") FROM STDIN").c_str());
    const bool started = PQresultStatus(copying) == PGRES_COPY_IN;
    const std::string refusal = PQresultErrorMessage(copying);
    PQclear(copying);
    if (!started)
        throw std::runtime_error(table + ": " + refusal);
    sqlite3_stmt *statement = nullptr;
    if (sqlite3_prepare_v2(db, ("SELECT " + list + " FROM \"" + table + "\"").c_str(), -1, &statement,
                           nullptr) != SQLITE_OK)
        throw std::runtime_error(sqlite3_errmsg(db));
    std::size_t rows = 0;
    std::string chunk;
    const int columns = sqlite3_column_count(statement);
    while (sqlite3_step(statement) == SQLITE_ROW) {
        for (int column = 0; column < columns; ++column) {
            if (column > 0)
                chunk += '\t';
            appendCopyValue(chunk, reinterpret_cast<const char *>(sqlite3_column_text(statement, column)));
        }
        chunk += '\n';
        ++rows;
        if (chunk.size() > (1 << 20)) {
            PQputCopyData(pg, chunk.data(), static_cast<int>(chunk.size()));
            chunk.clear();
        }
    }
    sqlite3_finalize(statement);
    if (!chunk.empty())
        PQputCopyData(pg, chunk.data(), static_cast<int>(chunk.size()));
    PQputCopyEnd(pg, nullptr);
    PGresult *result = PQgetResult(pg);
    const bool failed = PQresultStatus(result) != PGRES_COMMAND_OK;
    const std::string message = PQresultErrorMessage(result);
    PQclear(result);
    while ((result = PQgetResult(pg)))
        PQclear(result);
    if (failed)
        throw std::runtime_error(table + ": " + message);
    return rows;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 3) {
        std::cerr << "usage: orv_pg_load IN.sqlite \"CONNECTION INFO\" [--schema-dir DIR]\n";
        return 2;
    }
    const std::string schemaDir =
        argc >= 5 && std::string(argv[3]) == "--schema-dir" ? argv[4] : ORV_SCHEMA_DIR;
    sqlite3 *db = nullptr;
    PGconn *pg = nullptr;
    int status = 0;
    try {
        const bool demo = std::string(argv[1]) == "--demo";
        if (sqlite3_open_v2(demo ? ":memory:" : argv[1], &db,
                            demo ? SQLITE_OPEN_READWRITE : SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK)
            throw std::runtime_error(std::string("cannot open ") + argv[1]);
        for (const char *script : {"/schema.sql", "/seed.sql"}) {
            if (demo && sqlite3_exec(db, readFile(schemaDir + script).c_str(), nullptr, nullptr, nullptr) !=
                            SQLITE_OK)
                throw std::runtime_error(std::string(script) + ": " + sqlite3_errmsg(db));
        }
        pg = PQconnectdb((std::string(argv[2]) + " client_encoding=UTF8").c_str());
        if (PQstatus(pg) != CONNECTION_OK)
            throw std::runtime_error(PQerrorMessage(pg));
        execute(pg, "SET client_min_messages = warning");
        execute(pg, readFile(schemaDir + "/postgres_setup.sql"));
        execute(pg, "BEGIN");
        execute(pg, postgresSchema(readFile(schemaDir + "/schema.sql")));
        std::size_t rows = 0;
        const std::vector<std::string> tables = tablesOf(db);
        for (const std::string &table : tables)
            rows += copyTable(db, pg, table);
        std::cout << "orv_pg_load: " << tables.size() << " tables, " << rows << " rows\n";
        execute(pg, "COMMIT");
        execute(pg, readFile(schemaDir + "/postgres_indexes.sql"));
        execute(pg, "VACUUM ANALYZE"); // the visibility map lets index-only scans skip the rows
    } catch (const std::exception &e) {
        std::cerr << "orv_pg_load: " << e.what() << "\n";
        status = 1;
    }
    PQfinish(pg);
    sqlite3_close(db);
    return status;
}
