#include "PgConnection.h"

#include "PgDialect.h"
#include "RuntimeError.h"
#include "StatementText.h"

#include <libpq-fe.h>

#include <cstdint>
#include <cstdlib>

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

QString messageOf(const pg_conn *connection)
{
    return QString::fromUtf8(PQerrorMessage(connection)).trimmed();
}

[[noreturn]] void raiseServer(const QString &context, const QString &message)
{
    raiseError(kErrDatabase, context + QStringLiteral(": ") + message);
}

[[noreturn]] void raiseNotReadOnly(const QString &sql)
{
    raiseError(kErrNotReadOnly, QStringLiteral("Only queries that read may run: %1").arg(sql.left(80)));
}

// The rows arrive whole; forward-only sets refuse MoveFirst as they do on every engine.
class PgResultSet final : public DbResultSet {
public:
    PgResultSet(PGresult *result, int options)
        : m_result(result), m_rows(PQntuples(result)), m_rewindable(options == kRewindable)
    {}
    ~PgResultSet() override { Close(); }

    void Close() override
    {
        if (m_result) {
            PQclear(m_result);
            m_result = nullptr;
        }
        m_row = m_rows;
    }
    bool Bof() const override { return m_rows == 0; }
    bool Eof() const override { return m_row >= m_rows; }
    void MoveNext() override
    {
        if (Eof())
            raiseError(kErrNoCurrentRow,
                       QStringLiteral("Either BOF or EOF is True, or the current record has been deleted"));
        ++m_row;
    }
    void MoveFirst() override
    {
        if (!m_result)
            raiseError(kErrNoCurrentRow, QStringLiteral("The result set is closed"));
        if (m_row == 0)
            return;
        if (!m_rewindable)
            raiseError(kErrForwardOnly,
                       QStringLiteral("The result set is forward-only and cannot return to its "
                                      "first row"));
        m_row = 0;
    }
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
            raiseError(kErrNoCurrentRow,
                       QStringLiteral("Either BOF or EOF is True, or the current record has been deleted"));
        if (column < 0 || column >= columnCount())
            raiseError(kErrItemNotFound, QStringLiteral("Item not found in this collection: %1").arg(column));
        if (PQgetisnull(m_result, m_row, column))
            return Variant::null();
        const char *text = PQgetvalue(m_result, m_row, column);
        switch (PQftype(m_result, column)) {
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
            return Variant(QString::fromUtf8(text, PQgetlength(m_result, m_row, column)));
        }
    }

private:
    PGresult *m_result;
    int m_rows;
    bool m_rewindable;
    int m_row = 0;
};

} // namespace

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

PgConnection::~PgConnection()
{
    PQfinish(m_connection);
}

void PgConnection::reconnectIfBroken()
{
    if (PQstatus(m_connection) == CONNECTION_OK)
        return;
    PQreset(m_connection);
    if (PQstatus(m_connection) != CONNECTION_OK)
        raiseServer(QStringLiteral("Cannot connect to the server"), messageOf(m_connection));
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
    // The extended protocol, which runs one statement at most, even had the checks above missed.
    PGresult *result = PQexecParams(m_connection, text, 0, nullptr, nullptr, nullptr, nullptr, 0);
    const ExecStatusType status = PQresultStatus(result);
    if (status != PGRES_TUPLES_OK) {
        const QString message = result && PQresultErrorMessage(result)[0]
                                    ? QString::fromUtf8(PQresultErrorMessage(result)).trimmed()
                                    : messageOf(m_connection);
        PQclear(result);
        if (status == PGRES_COMMAND_OK)
            raiseNotReadOnly(sql);
        raiseServer(QStringLiteral("The query failed"), message);
    }
    // A query may call set_config() to let the next transactions write: undo it at once.
    const char *readOnly = PQparameterStatus(m_connection, "default_transaction_read_only");
    if (!readOnly || QByteArrayView(readOnly) != "on") {
        PQclear(result);
        PQclear(PQexec(m_connection, "SET default_transaction_read_only = on"));
        raiseNotReadOnly(sql);
    }
    return std::make_unique<PgResultSet>(result, options);
}

const SqlDialect &PgConnection::dialect() const
{
    static const PgDialect postgres;
    return postgres;
}

void PgConnection::executeScript(const QString &script)
{
    reconnectIfBroken();
    const QByteArray text =
        QByteArrayLiteral("BEGIN READ WRITE;\n") + script.toUtf8() + QByteArrayLiteral("\n;COMMIT;");
    PGresult *result = PQexec(m_connection, text.constData());
    const bool failed =
        PQresultStatus(result) != PGRES_COMMAND_OK && PQresultStatus(result) != PGRES_TUPLES_OK;
    const QString message = failed ? QString::fromUtf8(PQresultErrorMessage(result)).trimmed() : QString();
    PQclear(result);
    if (failed) {
        PQclear(PQexec(m_connection, "ROLLBACK"));
        raiseServer(QStringLiteral("The script failed"), message);
    }
}

} // namespace orv
