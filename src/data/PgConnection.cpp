#include "PgConnection.h"

#include "PgDialect.h"
#include "RuntimeError.h"
#include "StatementCache.h"
#include "StatementText.h"

#include <libpq-fe.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace orv {

namespace {

// Type oids of the server's built-in types (pg_type.dat); types of extensions such as citext
// arrive as text.
enum TypeOid : Oid {
    kBool = 16,
    kInt8 = 20,
    kInt2 = 21,
    kInt4 = 23,
    kFloat4 = 700,
    kFloat8 = 701,
    kNumeric = 1700,
};

constexpr std::size_t kCachedStatements = 128;
constexpr std::size_t kMaxParameters = 64;
// A cursor's first batch holds a list's first page and a little more; the batches after it
// grow up to the largest.
constexpr int kFirstBatch = 300;
constexpr int kLargestBatch = 10000;

QString messageOf(const pg_conn *connection)
{
    return QString::fromUtf8(PQerrorMessage(connection)).trimmed();
}

QString messageOf(const PGresult *result, const pg_conn *connection)
{
    return result && PQresultErrorMessage(result)[0]
               ? QString::fromUtf8(PQresultErrorMessage(result)).trimmed()
               : messageOf(connection);
}

bool succeeded(const PGresult *result)
{
    const ExecStatusType status = PQresultStatus(result);
    return status == PGRES_TUPLES_OK || status == PGRES_COMMAND_OK;
}

[[noreturn]] void raiseServer(const QString &context, const QString &message)
{
    raiseError(kErrDatabase, context + QStringLiteral(": ") + message);
}

[[noreturn]] void raiseNotReadOnly(const QString &sql)
{
    raiseError(kErrNotReadOnly, QStringLiteral("Only queries that read may run: %1").arg(sql.left(80)));
}

[[noreturn]] void raiseNoCurrentRow()
{
    raiseError(kErrNoCurrentRow,
               QStringLiteral("Either BOF or EOF is True, or the current record has been deleted"));
}

[[noreturn]] void raiseForwardOnly()
{
    raiseError(kErrForwardOnly,
               QStringLiteral("The result set is forward-only and cannot return to its first row"));
}

// The type the server gives the literal in a text: int4, int8 beyond it, numeric with a point.
Oid typeOf(const NumericLiteral &literal)
{
    if (literal.decimal)
        return kNumeric;
    return std::strtoll(literal.digits.c_str(), nullptr, 10) <= INT32_MAX ? kInt4 : kInt8;
}

Variant valueAt(const PGresult *result, int row, int column)
{
    if (PQgetisnull(result, row, column))
        return Variant::null();
    const char *text = PQgetvalue(result, row, column);
    switch (PQftype(result, column)) {
    case kInt2:
    case kInt4:
    case kInt8: {
        const long long number = std::strtoll(text, nullptr, 10);
        if (number >= INT32_MIN && number <= INT32_MAX)
            return Variant(static_cast<std::int32_t>(number));
        return Variant(static_cast<double>(number));
    }
    case kNumeric:
        // The server writes amounts in full ("27447.0000"): read them without a double.
        return Variant(Currency::fromText(QString::fromLatin1(text)));
    case kFloat4:
    case kFloat8:
        return Variant(std::strtod(text, nullptr));
    case kBool:
        return Variant::boolean(text[0] == 't');
    default:
        return Variant(QString::fromUtf8(text, PQgetlength(result, row, column)));
    }
}

// The columns of a batch of rows, as both kinds of result set read them.
class PgRows : public DbResultSet {
public:
    int columnCount() const override { return m_result ? PQnfields(m_result) : 0; }
    QString columnName(int column) const override
    {
        if (column < 0 || column >= columnCount())
            return {};
        return QString::fromUtf8(PQfname(m_result, column));
    }
    Variant value(int column) const override
    {
        if (Eof())
            raiseNoCurrentRow();
        if (column < 0 || column >= columnCount())
            raiseError(kErrItemNotFound, QStringLiteral("Item not found in this collection: %1").arg(column));
        return valueAt(m_result, m_row, column);
    }
    bool Eof() const override { return m_row >= m_rows; }

protected:
    ~PgRows() override { clear(); }
    void take(PGresult *result)
    {
        clear();
        m_result = result;
        m_rows = PQntuples(result);
        m_row = 0;
    }
    void clear()
    {
        if (m_result)
            PQclear(m_result);
        m_result = nullptr;
    }

    PGresult *m_result = nullptr;
    int m_rows = 0;
    int m_row = 0;
};

// The rows arrive whole; forward-only sets refuse MoveFirst as they do on every engine.
class PgResultSet final : public PgRows {
public:
    PgResultSet(PGresult *result, int options) : m_rewindable(options == kRewindable) { take(result); }
    ~PgResultSet() override { Close(); }

    void Close() override
    {
        clear();
        m_row = m_rows;
    }
    bool Bof() const override { return m_rows == 0; }
    void MoveNext() override
    {
        if (Eof())
            raiseNoCurrentRow();
        ++m_row;
    }
    void MoveFirst() override
    {
        if (!m_result)
            raiseError(kErrNoCurrentRow, QStringLiteral("The result set is closed"));
        if (m_row == 0)
            return;
        if (!m_rewindable)
            raiseForwardOnly();
        m_row = 0;
    }

private:
    bool m_rewindable;
};

} // namespace

// A shape seen once (no name yet), prepared under its name, or refused by the server (it runs as
// the text itself).
struct PgShape {
    std::string name;
    bool refused = false;
};

// A streamed result set: a cursor of the connection's transaction, read a batch at a time and
// closed on the server once its last row has arrived.
class PgCursor final : public PgRows {
public:
    PgCursor(std::shared_ptr<PgConnection> connection, std::string name, QString sql)
        : m_connection(std::move(connection)), m_name(std::move(name)), m_sql(std::move(sql)),
          m_session(m_connection->m_session)
    {
        try {
            fetch();
        } catch (...) {
            Close();
            throw;
        }
        m_empty = m_rows == 0;
    }
    ~PgCursor() override { Close(); }

    void Close() override
    {
        release();
        clear();
        m_closed = true;
        m_row = m_rows;
    }
    bool Bof() const override { return m_empty; }
    void MoveNext() override
    {
        if (Eof())
            raiseNoCurrentRow();
        ++m_row;
        ++m_position;
        if (m_row >= m_rows && m_open)
            fetch();
    }
    void MoveFirst() override
    {
        if (m_closed)
            raiseError(kErrNoCurrentRow, QStringLiteral("The result set is closed"));
        if (m_position != 0)
            raiseForwardOnly();
    }

private:
    void fetch()
    {
        take(m_connection->fetchCursor(m_name, m_batch, m_session, m_sql));
        if (m_rows < m_batch)
            release();
        m_batch = std::min(m_batch * 4, kLargestBatch);
    }
    void release()
    {
        if (m_open)
            m_connection->closeCursor(m_name, m_session);
        m_open = false;
    }

    std::shared_ptr<PgConnection> m_connection;
    std::string m_name;
    QString m_sql;
    unsigned m_session;
    int m_batch = kFirstBatch;
    bool m_open = true; // the cursor is open on the server
    bool m_closed = false;
    bool m_empty = true;
    long long m_position = 0;
};

std::shared_ptr<PgConnection> PgConnection::open(const QString &connectionInfo)
{
    // Later settings win over those of the caller's text.
    const QString info = connectionInfo + QStringLiteral(" client_encoding=UTF8"
                                                         " options='-c default_transaction_read_only=on'");
    pg_conn *connection = PQconnectdb(info.toUtf8().constData());
    if (!connection)
        raiseError(kErrDatabase, QStringLiteral("Cannot connect to the server: out of memory"));
    if (PQstatus(connection) != CONNECTION_OK) {
        const QString message = messageOf(connection);
        PQfinish(connection);
        raiseServer(QStringLiteral("Cannot connect to the server"), message);
    }
    return std::shared_ptr<PgConnection>(new PgConnection(connection));
}

PgConnection::PgConnection(pg_conn *connection)
    : m_connection(connection), m_cache(std::make_unique<StatementCache<PgShape>>(kCachedStatements))
{}

PgConnection::~PgConnection()
{
    PQfinish(m_connection);
}

void PgConnection::reconnectIfBroken()
{
    if (PQstatus(m_connection) == CONNECTION_OK)
        return;
    // A new session: the prepared statements, the cursors and their transaction are gone.
    m_cache->clear();
    ++m_session;
    m_openCursors = 0;
    m_inTransaction = false;
    PQreset(m_connection);
    if (PQstatus(m_connection) != CONNECTION_OK)
        raiseServer(QStringLiteral("Cannot connect to the server"), messageOf(m_connection));
}

template <typename Call> PGresult *PgConnection::guarded(Call call)
{
    if (!m_inTransaction)
        return call();
    PQclear(PQexec(m_connection, "SAVEPOINT orv_step"));
    PGresult *result = call();
    if (!succeeded(result))
        PQclear(PQexec(m_connection, "ROLLBACK TO SAVEPOINT orv_step"));
    PQclear(PQexec(m_connection, "RELEASE SAVEPOINT orv_step"));
    return result;
}

PGresult *PgConnection::execute(const char *text, const std::optional<LiteralShape> &shape)
{
    if (shape) {
        // "SELECT $1" is one statement for 7 and another for 3000000000: the key holds the types.
        std::vector<Oid> types;
        std::string key;
        for (const NumericLiteral &literal : shape->literals) {
            types.push_back(typeOf(literal));
            key += types.back() == kInt4 ? 'i' : types.back() == kInt8 ? 'l' : 'n';
        }
        key += ':' + shape->text;
        PgShape *cached = m_cache->find(key);
        if (!cached) {
            // A text that may never come again runs as it is.
            const std::optional<PgShape> dropped = m_cache->insert(key, PgShape{});
            if (dropped && !dropped->name.empty())
                PQclear(
                    guarded([&] { return PQexec(m_connection, ("DEALLOCATE " + dropped->name).c_str()); }));
        } else if (cached->name.empty() && !cached->refused) {
            const std::string name = "orv_" + std::to_string(++m_nextName);
            PGresult *prepared = guarded([&] {
                return PQprepare(m_connection, name.c_str(), shape->text.c_str(),
                                 static_cast<int>(types.size()), types.data());
            });
            cached->refused = PQresultStatus(prepared) != PGRES_COMMAND_OK;
            cached->name = cached->refused ? std::string() : name;
            m_prepared += cached->refused ? 0 : 1;
            PQclear(prepared);
        }
        if (cached && !cached->name.empty()) {
            std::vector<const char *> values;
            for (const NumericLiteral &literal : shape->literals)
                values.push_back(literal.digits.c_str());
            return guarded([&] {
                return PQexecPrepared(m_connection, cached->name.c_str(), static_cast<int>(values.size()),
                                      values.data(), nullptr, nullptr, 0);
            });
        }
    }
    // The extended protocol, which runs one statement at most, even had the guards missed.
    return guarded(
        [&] { return PQexecParams(m_connection, text, 0, nullptr, nullptr, nullptr, nullptr, 0); });
}

void PgConnection::ensureStillReadOnly(const QString &sql)
{
    // A query may call set_config() to let the next transactions write: undo it at once.
    const char *readOnly = PQparameterStatus(m_connection, "default_transaction_read_only");
    if (!readOnly || QByteArrayView(readOnly) != "on") {
        PQclear(PQexec(m_connection, "SET default_transaction_read_only = on"));
        raiseNotReadOnly(sql);
    }
}

std::unique_ptr<DbResultSet> PgConnection::OpenResultSet(const QString &sql, int options)
{
    const QByteArray utf8 = sql.toUtf8();
    const char *text = utf8.constData();
    if (onlyTrivia(text))
        raiseError(kErrNotReadOnly, QStringLiteral("The text holds no statement"));
    if (!onlyTrivia(endOfFirstStatement(text)))
        raiseError(kErrNotReadOnly,
                   QStringLiteral("The text holds more than one statement; only one query may run"));
    if (!startsWithQuery(text))
        raiseNotReadOnly(sql);
    reconnectIfBroken();
    if (options == kStreamed)
        return openCursor(text, sql);
    PGresult *result = execute(text, numericLiteralsAsParameters(text, '$', kMaxParameters));
    return std::make_unique<PgResultSet>(rowsOrRaise(result, sql), options);
}

pg_result *PgConnection::rowsOrRaise(pg_result *result, const QString &sql)
{
    const ExecStatusType status = PQresultStatus(result);
    if (status != PGRES_TUPLES_OK) {
        const QString message = messageOf(result, m_connection);
        PQclear(result);
        if (status == PGRES_COMMAND_OK)
            raiseNotReadOnly(sql);
        raiseServer(QStringLiteral("The query failed"), message);
    }
    try {
        ensureStillReadOnly(sql);
    } catch (...) {
        PQclear(result);
        throw;
    }
    return result;
}

std::unique_ptr<DbResultSet> PgConnection::openCursor(const char *text, const QString &sql)
{
    // A cursor lives in a transaction block; it is read-only as every transaction of the session.
    if (!m_inTransaction) {
        PGresult *begin = PQexec(m_connection, "BEGIN");
        const bool ok = PQresultStatus(begin) == PGRES_COMMAND_OK;
        const QString message = ok ? QString() : messageOf(begin, m_connection);
        PQclear(begin);
        if (!ok)
            raiseServer(QStringLiteral("The query failed"), message);
        m_inTransaction = true;
    }
    const std::string name = "orv_cursor_" + std::to_string(++m_nextName);
    const std::string declare =
        "DECLARE " + name + " NO SCROLL CURSOR FOR " + std::string(text, endOfFirstStatement(text));
    PGresult *declared = guarded([&] {
        return PQexecParams(m_connection, declare.c_str(), 0, nullptr, nullptr, nullptr, nullptr, 0);
    });
    const bool ok = PQresultStatus(declared) == PGRES_COMMAND_OK;
    const QString message = ok ? QString() : messageOf(declared, m_connection);
    PQclear(declared);
    if (!ok) {
        endIdleTransaction();
        raiseServer(QStringLiteral("The query failed"), message);
    }
    ++m_openCursors;
    return std::make_unique<PgCursor>(shared_from_this(), name, sql);
}

PGresult *PgConnection::fetchCursor(const std::string &name, int rows, unsigned session, const QString &sql)
{
    if (session != m_session)
        raiseError(kErrDatabase,
                   QStringLiteral("The connection to the server was lost while the rows were read"));
    const std::string fetch = "FETCH FORWARD " + std::to_string(rows) + " FROM " + name;
    return rowsOrRaise(guarded([&] { return PQexec(m_connection, fetch.c_str()); }), sql);
}

void PgConnection::closeCursor(const std::string &name, unsigned session)
{
    if (session != m_session)
        return;
    PQclear(guarded([&] { return PQexec(m_connection, ("CLOSE " + name).c_str()); }));
    --m_openCursors;
    endIdleTransaction();
}

void PgConnection::endIdleTransaction()
{
    if (m_inTransaction && m_openCursors == 0) {
        PQclear(PQexec(m_connection, "COMMIT"));
        m_inTransaction = false;
    }
}

const SqlDialect &PgConnection::dialect() const
{
    static const PgDialect postgres;
    return postgres;
}

void PgConnection::executeScript(const QString &script)
{
    reconnectIfBroken();
    // The script may change what the prepared statements read.
    m_cache->clear();
    PQclear(PQexec(m_connection, "DEALLOCATE ALL"));
    const QByteArray text =
        QByteArrayLiteral("BEGIN READ WRITE;\n") + script.toUtf8() + QByteArrayLiteral("\n;COMMIT;");
    PGresult *result = PQexec(m_connection, text.constData());
    const bool failed = !succeeded(result);
    const QString message = failed ? QString::fromUtf8(PQresultErrorMessage(result)).trimmed() : QString();
    PQclear(result);
    if (failed) {
        PQclear(PQexec(m_connection, "ROLLBACK"));
        raiseServer(QStringLiteral("The script failed"), message);
    }
}

} // namespace orv
