#include "SqliteConnection.h"

#include "RuntimeError.h"
#include "SqliteDialect.h"
#include "StatementCache.h"
#include "StatementText.h"

#include <QFile>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <strings.h>

#include <sqlite3.h>

namespace orv {

// A compiled statement, shared by the cache and the result set that reads it; `busy` while one
// does, since a loop may run a statement of the same shape while its own rows are still open.
struct SqliteStatement {
    explicit SqliteStatement(sqlite3_stmt *statement) : handle(statement) {}
    ~SqliteStatement() { sqlite3_finalize(handle); }
    SqliteStatement(const SqliteStatement &) = delete;
    SqliteStatement &operator=(const SqliteStatement &) = delete;

    sqlite3_stmt *handle;
    bool busy = false;
};

// A shape seen once (no statement yet), prepared, or refused: it would not prepare, or would
// name its columns otherwise than the text, and runs as the text itself.
struct SqliteShape {
    std::shared_ptr<SqliteStatement> statement;
    bool refused = false;
};

namespace {

constexpr std::size_t kCachedStatements = 128;
constexpr std::size_t kMaxParameters = 64;

[[noreturn]] void raiseSqlite(sqlite3 *db, const QString &context)
{
    raiseError(kErrDatabase, context + QStringLiteral(": ") + QString::fromUtf8(sqlite3_errmsg(db)));
}

// Pragmas known only to read. The engine reports each pragma to the authorizer with its
// argument, both when a statement "PRAGMA x" is compiled and when a query reads the table
// pragma_x (then while the query runs); every other pragma may write, optimize for one, and
// is refused. Many pragmas apply their setting while they are compiled, so refusing the
// compiled statement afterwards would come too late.
bool pragmaOnlyReads(const char *name, const char *argument)
{
    // Their argument names the table or index to describe.
    static constexpr const char *describing[] = {"table_info", "table_xinfo", "table_list",      "index_list",
                                                 "index_info", "index_xinfo", "foreign_key_list"};
    // Without an argument they answer the current value; with one they set it.
    static constexpr const char *settings[] = {
        "application_id", "collation_list", "compile_options", "data_version",  "database_list",
        "encoding",       "foreign_keys",   "freelist_count",  "function_list", "journal_mode",
        "locking_mode",   "module_list",    "page_count",      "page_size",     "pragma_list",
        "schema_version", "user_version"};
    const auto named = [name](const char *known) { return sqlite3_stricmp(name, known) == 0; };
    return std::any_of(std::begin(describing), std::end(describing), named) ||
           (!argument && std::any_of(std::begin(settings), std::end(settings), named));
}

int guardQueries(void *runningScript, int action, const char *name, const char *argument, const char *,
                 const char *)
{
    if (action != SQLITE_PRAGMA || *static_cast<const bool *>(runningScript))
        return SQLITE_OK;
    return name && pragmaOnlyReads(name, argument) ? SQLITE_OK : SQLITE_DENY;
}

class SqliteResultSet final : public DbResultSet {
public:
    SqliteResultSet(std::shared_ptr<SqliteConnection> connection, std::shared_ptr<SqliteStatement> prepared,
                    int options)
        : m_connection(std::move(connection)), m_prepared(std::move(prepared)),
          m_statement(m_prepared->handle), m_rewindable(options == kRewindable)
    {
        m_prepared->busy = true;
        try {
            step();
        } catch (...) {
            // A throwing constructor runs no destructor: release here, or the statement
            // stays busy (or leaks, and keeps the database from ever closing).
            Close();
            throw;
        }
        m_empty = m_eof;
    }
    ~SqliteResultSet() override { Close(); }

    void Close() override
    {
        if (m_statement) {
            // Back to the cache, ready to run again; the last holder finalizes it.
            sqlite3_reset(m_statement);
            sqlite3_clear_bindings(m_statement);
            m_prepared->busy = false;
            m_prepared.reset();
            m_statement = nullptr;
        }
        m_eof = true;
    }
    bool Bof() const override { return m_empty; }
    bool Eof() const override { return m_eof; }
    void MoveNext() override
    {
        if (m_eof)
            raiseError(kErrNoCurrentRow,
                       QStringLiteral("Either BOF or EOF is True, or the current record has been deleted"));
        ++m_position;
        step();
    }
    void MoveFirst() override
    {
        if (!m_statement)
            raiseError(kErrNoCurrentRow, QStringLiteral("The result set is closed"));
        if (m_position == 0)
            return;
        if (!m_rewindable)
            raiseError(kErrForwardOnly,
                       QStringLiteral("The result set is forward-only and cannot return to its "
                                      "first row"));
        sqlite3_reset(m_statement);
        m_position = 0;
        m_eof = false;
        step();
    }
    int columnCount() const override { return m_statement ? sqlite3_column_count(m_statement) : 0; }
    QString columnName(int column) const override
    {
        if (!m_statement || column < 0 || column >= columnCount())
            return {};
        return QString::fromUtf8(sqlite3_column_name(m_statement, column));
    }
    Variant value(int column) const override
    {
        if (m_eof)
            raiseError(kErrNoCurrentRow,
                       QStringLiteral("Either BOF or EOF is True, or the current record has been deleted"));
        if (column < 0 || column >= columnCount())
            raiseError(kErrItemNotFound, QStringLiteral("Item not found in this collection: %1").arg(column));
        switch (sqlite3_column_type(m_statement, column)) {
        case SQLITE_NULL:
            return Variant::null();
        case SQLITE_INTEGER: {
            const sqlite3_int64 number = sqlite3_column_int64(m_statement, column);
            if (number >= INT32_MIN && number <= INT32_MAX)
                return Variant(static_cast<std::int32_t>(number));
            return Variant(static_cast<double>(number));
        }
        case SQLITE_FLOAT:
            return Variant(sqlite3_column_double(m_statement, column));
        default: {
            const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(m_statement, column));
            return Variant(QString::fromUtf8(text, sqlite3_column_bytes(m_statement, column)));
        }
        }
    }

private:
    void step()
    {
        const int rc = sqlite3_step(m_statement);
        if (rc == SQLITE_ROW) {
            m_eof = false;
        } else if (rc == SQLITE_DONE) {
            m_eof = true;
        } else if (rc == SQLITE_AUTH) {
            // A pragma table that may write, refused by the guard before it ran.
            m_eof = true;
            raiseError(kErrNotReadOnly, QStringLiteral("Only queries that read may run: %1")
                                            .arg(QString::fromUtf8(sqlite3_sql(m_statement)).left(80)));
        } else {
            m_eof = true;
            raiseSqlite(sqlite3_db_handle(m_statement), QStringLiteral("The query failed"));
        }
    }

    std::shared_ptr<SqliteConnection> m_connection; // keeps the database open while rows are read
    std::shared_ptr<SqliteStatement> m_prepared;
    sqlite3_stmt *m_statement;
    bool m_rewindable;
    bool m_eof = true;
    bool m_empty = true;
    qint64 m_position = 0;
};

void bindLiterals(sqlite3_stmt *statement, const std::vector<NumericLiteral> &literals)
{
    for (std::size_t i = 0; i < literals.size(); ++i) {
        const char *digits = literals[i].digits.c_str();
        const int parameter = static_cast<int>(i) + 1;
        if (literals[i].decimal)
            sqlite3_bind_double(statement, parameter, std::strtod(digits, nullptr));
        else
            sqlite3_bind_int64(statement, parameter, std::strtoll(digits, nullptr, 10));
    }
}

} // namespace

SqliteConnection::SqliteConnection(sqlite3 *db)
    : m_db(db), m_cache(std::make_unique<StatementCache<SqliteShape>>(kCachedStatements))
{}

std::shared_ptr<SqliteConnection> SqliteConnection::open(const QString &path, bool readOnly)
{
    sqlite3 *db = nullptr;
    const int flags = readOnly ? SQLITE_OPEN_READONLY : (SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &db, flags, nullptr);
    if (rc != SQLITE_OK) {
        const QString message = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QStringLiteral("out of memory");
        sqlite3_close(db);
        raiseError(kErrDatabase, QStringLiteral("Cannot open the database %1: %2").arg(path, message));
    }
    sqlite3_busy_timeout(db, 5000);
    std::shared_ptr<SqliteConnection> connection(new SqliteConnection(db));
    sqlite3_set_authorizer(db, guardQueries, &connection->m_runningScript);
    return connection;
}

SqliteConnection::~SqliteConnection()
{
    m_cache.reset();
    sqlite3_close_v2(m_db);
}

std::unique_ptr<DbResultSet> SqliteConnection::OpenResultSet(const QString &sql, int options)
{
    const QByteArray utf8 = sql.toUtf8();
    // A pragma's argument is judged by the guard, so texts naming one keep their literals.
    std::optional<LiteralShape> shape;
    if (!strcasestr(utf8.constData(), "pragma"))
        shape = numericLiteralsAsParameters(utf8.constData(), '?', kMaxParameters);
    SqliteShape *cached = shape ? m_cache->find(shape->text) : nullptr;
    if (shape && !cached) // a text that may never come again runs as it is
        m_cache->insert(shape->text, SqliteShape{});
    if (!cached || cached->refused || (cached->statement && cached->statement->busy))
        return std::make_unique<SqliteResultSet>(shared_from_this(), prepare(utf8, sql), options);
    if (!cached->statement) {
        // The text itself passes the guards first; its shape then runs in its place.
        std::shared_ptr<SqliteStatement> raw = prepare(utf8, sql);
        cached->statement = prepareShape(shape->text, *raw);
        cached->refused = !cached->statement;
        if (cached->refused)
            return std::make_unique<SqliteResultSet>(shared_from_this(), std::move(raw), options);
    }
    bindLiterals(cached->statement->handle, shape->literals);
    return std::make_unique<SqliteResultSet>(shared_from_this(), cached->statement, options);
}

std::shared_ptr<SqliteStatement> SqliteConnection::prepareShape(const std::string &shape,
                                                                const SqliteStatement &raw)
{
    sqlite3_stmt *handle = nullptr;
    const char *tail = nullptr;
    if (sqlite3_prepare_v2(m_db, shape.c_str(), static_cast<int>(shape.size()), &handle, &tail) !=
            SQLITE_OK ||
        !handle) {
        sqlite3_finalize(handle);
        return nullptr;
    }
    ++m_prepared;
    auto statement = std::make_shared<SqliteStatement>(handle);
    const int columns = sqlite3_column_count(raw.handle);
    if (!onlyTrivia(tail) || !sqlite3_stmt_readonly(handle) || sqlite3_column_count(handle) != columns)
        return nullptr;
    for (int column = 0; column < columns; ++column) {
        // An expression column is named by its text: "IDConto + 1" must not become "IDConto + ?1".
        if (std::strcmp(sqlite3_column_name(handle, column), sqlite3_column_name(raw.handle, column)) != 0)
            return nullptr;
    }
    return statement;
}

std::shared_ptr<SqliteStatement> SqliteConnection::prepare(const QByteArray &utf8, const QString &sql)
{
    sqlite3_stmt *statement = nullptr;
    const char *tail = nullptr;
    const int rc =
        sqlite3_prepare_v2(m_db, utf8.constData(), static_cast<int>(utf8.size()), &statement, &tail);
    if (rc == SQLITE_AUTH)
        raiseError(kErrNotReadOnly, QStringLiteral("Only queries that read may run: %1").arg(sql.left(80)));
    if (rc != SQLITE_OK)
        raiseSqlite(m_db, QStringLiteral("The statement is not valid"));
    if (statement)
        ++m_prepared;
    if (!statement)
        raiseError(kErrNotReadOnly, QStringLiteral("The text holds no statement"));
    if (!onlyTrivia(tail)) {
        sqlite3_finalize(statement);
        raiseError(kErrNotReadOnly,
                   QStringLiteral("The text holds more than one statement; only one query may run"));
    }
    if (!sqlite3_stmt_readonly(statement) || sqlite3_column_count(statement) == 0) {
        sqlite3_finalize(statement);
        raiseError(kErrNotReadOnly, QStringLiteral("Only queries that read may run: %1").arg(sql.left(80)));
    }
    return std::make_shared<SqliteStatement>(statement);
}

const SqlDialect &SqliteConnection::dialect() const
{
    static const SqliteDialect sqlite;
    return sqlite;
}

void SqliteConnection::executeScript(const QString &script)
{
    char *error = nullptr;
    m_cache->clear();
    m_runningScript = true;
    const int rc = sqlite3_exec(m_db, script.toUtf8().constData(), nullptr, nullptr, &error);
    m_runningScript = false;
    if (rc != SQLITE_OK) {
        const QString message = QString::fromUtf8(error ? error : "unknown error");
        sqlite3_free(error);
        raiseError(kErrDatabase, QStringLiteral("The script failed: %1").arg(message));
    }
}

void SqliteConnection::executeScriptFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        raiseError(kErrDatabase, QStringLiteral("Cannot read %1").arg(path));
    executeScript(QString::fromUtf8(file.readAll()));
}

} // namespace orv
