#include "data/SqliteConnection.h"
#include "data/DbUtility.h"
#include "data/RuntimeError.h"

#include "PrintVariant.h"

#include <QStringList>
#include <QTemporaryDir>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>

#include <sqlite3.h>

using namespace orv;
using ::testing::Eq;
using ::testing::HasSubstr;
using ::testing::Property;
using ::testing::Throws;

namespace {

auto raisesNumber(int number)
{
    return Throws<RuntimeError>(Property(&RuntimeError::number, Eq(number)));
}

// The error a call raises; a call that returns gives number 0.
RuntimeError raisedBy(const std::function<void()> &call)
{
    try {
        call();
    } catch (const RuntimeError &error) {
        return error;
    }
    return RuntimeError(0, QString());
}

class SqliteConnectionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        db = SqliteConnection::open(QStringLiteral(":memory:"));
        db->executeScript(QStringLiteral(
            "CREATE TABLE Ramo (IDRamo INTEGER PRIMARY KEY, Descrizione TEXT, Note TEXT, Importo REAL);"
            "INSERT INTO Ramo VALUES (1, 'Attività', NULL, 12.5);"
            "INSERT INTO Ramo VALUES (2, 'Passività', 'chiuso', NULL);"
            "INSERT INTO Ramo VALUES (3, 'Costi', '', -0.25);"
            "CREATE TABLE Agente (IDAnagrafica INTEGER, Codice TEXT, IDAzienda INTEGER);"
            "INSERT INTO Agente VALUES (7, 'A01', 1);"
            "CREATE TABLE Grandi (Valore INTEGER);"
            "INSERT INTO Grandi VALUES (2147483647), (-2147483648), (2147483648), (-3000000000),"
            " (9007199254740993);"));
    }

    QStringList descriptions()
    {
        QStringList result;
        auto rows = db->OpenResultSet(QStringLiteral("SELECT Descrizione FROM Ramo ORDER BY IDRamo"));
        for (; !rows->Eof(); rows->MoveNext())
            result << rows->Fields().Item(0).Value().toText();
        return result;
    }

    Variant scalar(const char *sql)
    {
        auto rows = db->OpenResultSet(QString::fromLatin1(sql));
        return rows->Fields().Item(0).Value();
    }

    // Statements prepared on the database and not yet finalized.
    int openStatements() const
    {
        int count = 0;
        for (sqlite3_stmt *statement = sqlite3_next_stmt(db->handle(), nullptr); statement;
             statement = sqlite3_next_stmt(db->handle(), statement))
            ++count;
        return count;
    }

    std::shared_ptr<SqliteConnection> db;
};

} // namespace

TEST_F(SqliteConnectionTest, OneRowRewindableReturnsToItsRowAfterMoveNext)
{
    auto rows = db->OpenResultSet(QStringLiteral("SELECT IDRamo, Descrizione FROM Ramo WHERE IDRamo = 2"),
                                  kRewindable);
    ASSERT_FALSE(rows->Eof());
    EXPECT_FALSE(rows->Bof());
    rows->MoveNext();
    EXPECT_TRUE(rows->Eof());
    rows->MoveFirst();
    ASSERT_FALSE(rows->Eof());
    EXPECT_EQ(rows->Fields().Item(QStringLiteral("IDRamo")).Value(), Variant(2));
    EXPECT_EQ(rows->Fields().Item(QStringLiteral("Descrizione")).Value().toText(),
              QStringLiteral("Passività"));
    rows->MoveNext();
    EXPECT_TRUE(rows->Eof());
}

TEST_F(SqliteConnectionTest, RewindableManyRowsStartsOverFromTheFirst)
{
    auto rows = db->OpenResultSet(QStringLiteral("SELECT IDRamo FROM Ramo ORDER BY IDRamo"), kRewindable);
    rows->MoveNext();
    rows->MoveNext();
    EXPECT_EQ(rows->Fields().Item(0).Value(), Variant(3));
    rows->MoveFirst();
    EXPECT_EQ(rows->Fields().Item(0).Value(), Variant(1));
    rows->MoveNext();
    EXPECT_EQ(rows->Fields().Item(0).Value(), Variant(2));
}

TEST_F(SqliteConnectionTest, ForwardOnlyRefusesMoveFirstAfterMoveNext)
{
    auto single = db->OpenResultSet(QStringLiteral("SELECT IDRamo FROM Ramo WHERE IDRamo = 1"));
    single->MoveNext();
    ASSERT_TRUE(single->Eof());
    EXPECT_THAT([&] { single->MoveFirst(); }, raisesNumber(kErrForwardOnly));

    auto many = db->OpenResultSet(QStringLiteral("SELECT IDRamo FROM Ramo ORDER BY IDRamo"), kForwardOnly);
    many->MoveNext();
    EXPECT_THAT([&] { many->MoveFirst(); }, raisesNumber(kErrForwardOnly));
}

TEST_F(SqliteConnectionTest, ReadsRowsInOrderUntilEof)
{
    EXPECT_EQ(descriptions(), (QStringList{QStringLiteral("Attività"), QStringLiteral("Passività"),
                                           QStringLiteral("Costi")}));
}

TEST_F(SqliteConnectionTest, NoCurrentRowPastTheEnd)
{
    auto rows = db->OpenResultSet(QStringLiteral("SELECT IDRamo FROM Ramo WHERE IDRamo = 1"));
    rows->MoveNext();
    ASSERT_TRUE(rows->Eof());
    EXPECT_THAT([&] { (void)rows->Fields().Item(0).Value(); }, raisesNumber(3021));
    EXPECT_THAT([&] { rows->MoveNext(); }, raisesNumber(3021));
}

TEST_F(SqliteConnectionTest, EmptyResultHasEofAndBofAtOnce)
{
    auto rows = db->OpenResultSet(QStringLiteral("SELECT IDRamo FROM Ramo WHERE IDRamo = 99"));
    EXPECT_TRUE(rows->Eof());
    EXPECT_TRUE(rows->Bof());
    EXPECT_THAT([&] { (void)rows->Fields().Item(QStringLiteral("IDRamo")).Value(); }, raisesNumber(3021));

    auto rewindable =
        db->OpenResultSet(QStringLiteral("SELECT IDRamo FROM Ramo WHERE IDRamo = 99"), kRewindable);
    rewindable->MoveFirst();
    EXPECT_TRUE(rewindable->Eof());
    EXPECT_TRUE(rewindable->Bof());
}

TEST_F(SqliteConnectionTest, ColumnValuesAndTheirTypes)
{
    auto rows = db->OpenResultSet(
        QStringLiteral("SELECT IDRamo, Descrizione, Note, Importo FROM Ramo WHERE IDRamo = 1"));
    const DbFields fields = rows->Fields();
    EXPECT_EQ(fields.Count(), 4);
    EXPECT_EQ(fields.Item(QStringLiteral("IDRamo")).Value(), Variant(1));
    EXPECT_EQ(fields.Item(QStringLiteral("Descrizione")).Value(), Variant(QStringLiteral("Attività")));
    EXPECT_TRUE(fields.Item(QStringLiteral("Note")).Value().isNull());
    EXPECT_EQ(fields.Item(QStringLiteral("Importo")).Value(), Variant(12.5));

    auto sum = db->OpenResultSet(QStringLiteral("SELECT SUM(Importo) AS Dare FROM Ramo WHERE IDRamo = 99"));
    ASSERT_FALSE(sum->Eof());
    EXPECT_TRUE(sum->Fields().Item(QStringLiteral("Dare")).Value().isNull());
    EXPECT_THAT([&] { (void)sum->Fields().Item(QStringLiteral("Dare")).Value().toText(); }, raisesNumber(94));
    EXPECT_EQ(dbUtility().NullToValue(sum->Fields().Item(QStringLiteral("Dare"))).toText(), QString());

    auto empty = db->OpenResultSet(QStringLiteral("SELECT Note FROM Ramo WHERE IDRamo = 3"));
    EXPECT_EQ(empty->Fields().Item(0).Value(), Variant(QString()));
}

TEST_F(SqliteConnectionTest, IntegersBeyondThirtyTwoBitsComeBackAsDouble)
{
    const struct {
        Variant expected;
        Variant::Type type;
    } rows[] = {
        {Variant(2147483647), Variant::Type::Long},           {Variant(-2147483647 - 1), Variant::Type::Long},
        {Variant(2147483648.0), Variant::Type::Double},       {Variant(-3000000000.0), Variant::Type::Double},
        {Variant(9007199254740992.0), Variant::Type::Double},
    };
    auto result = db->OpenResultSet(QStringLiteral("SELECT Valore FROM Grandi ORDER BY rowid"));
    for (const auto &row : rows) {
        SCOPED_TRACE(row.expected.toText().toStdString());
        ASSERT_FALSE(result->Eof());
        const Variant value = result->Fields().Item(QStringLiteral("Valore")).Value();
        EXPECT_EQ(value.type(), row.type);
        EXPECT_EQ(value, row.expected);
        result->MoveNext();
    }
    EXPECT_TRUE(result->Eof());
}

TEST_F(SqliteConnectionTest, FieldsByNameIgnoreCaseAndTablePrefix)
{
    auto rows = db->OpenResultSet(QStringLiteral(
        "SELECT Agente.IDAnagrafica, Agente.Codice, Ramo.IDRamo AS IDRamo, Ramo.Descrizione AS Ramo"
        " FROM Agente, Ramo WHERE Ramo.IDRamo = 2 AND Agente.IDAzienda = 1"));
    ASSERT_FALSE(rows->Eof());
    const DbFields fields = rows->Fields();
    const struct {
        const char *name;
        Variant expected;
    } cases[] = {
        {"IDAnagrafica", Variant(7)},
        {"idanagrafica", Variant(7)},
        {"Agente.IDAnagrafica", Variant(7)},
        {"AGENTE.CODICE", Variant("A01")},
        {"IDRamo", Variant(2)},
        {"idramo", Variant(2)},
        {"Ramo", Variant("Passività")},
        {"x.Ramo", Variant("Passività")},
    };
    for (const auto &entry : cases) {
        SCOPED_TRACE(entry.name);
        EXPECT_EQ(fields.Item(QString::fromLatin1(entry.name)).Value(), entry.expected);
    }
    EXPECT_EQ(fields.Item(QStringLiteral("Agente.IDAnagrafica")).Name(), QStringLiteral("IDAnagrafica"));
}

TEST_F(SqliteConnectionTest, FieldsByPosition)
{
    auto rows = db->OpenResultSet(QStringLiteral("SELECT Codice, IDAnagrafica FROM Agente"));
    EXPECT_EQ(rows->Fields().Item(0).Value(), Variant("A01"));
    EXPECT_EQ(rows->Fields().Item(1).Value(), Variant(7));
    EXPECT_EQ(rows->Fields().Item(1).Name(), QStringLiteral("IDAnagrafica"));
    EXPECT_THAT([&] { (void)rows->Fields().Item(2); }, raisesNumber(3265));
    EXPECT_THAT([&] { (void)rows->Fields().Item(-1); }, raisesNumber(3265));
}

TEST_F(SqliteConnectionTest, UnknownColumnNameRaises3265)
{
    auto rows = db->OpenResultSet(QStringLiteral("SELECT IDAnagrafica AS IDCliente FROM Agente"));
    for (const char *name : {"Codice", "IDAnagrafica", "IDClient", ""}) {
        SCOPED_TRACE(name);
        EXPECT_THAT([&] { (void)rows->Fields().Item(QString::fromLatin1(name)); }, raisesNumber(3265));
    }
    EXPECT_EQ(rows->Fields().Item(QStringLiteral("IDCliente")).Value(), Variant(7));
}

TEST_F(SqliteConnectionTest, WritesAreRefusedBeforeAnythingRuns)
{
    const char *statements[] = {
        "INSERT INTO Ramo (IDRamo, Descrizione) VALUES (9, 'Nuovo')",
        "INSERT INTO Ramo (IDRamo, Descrizione) VALUES (9, 'Nuovo') RETURNING IDRamo",
        "UPDATE Ramo SET Descrizione = 'Cambiato'",
        "UPDATE Ramo SET Descrizione = 'Cambiato' RETURNING Descrizione",
        "DELETE FROM Ramo",
        "WITH x AS (SELECT 1) DELETE FROM Ramo RETURNING IDRamo",
        "REPLACE INTO Ramo (IDRamo, Descrizione) VALUES (1, 'Sostituito')",
        "CREATE TABLE Altro (x)",
        "CREATE TEMP TABLE Altro AS SELECT * FROM Ramo",
        "DROP TABLE Ramo",
        "ALTER TABLE Ramo RENAME TO Rami",
        "PRAGMA user_version = 7",
        // The engine applies these settings while it compiles them, so they must be refused
        // before compiling.
        "PRAGMA case_sensitive_like = 1",
        "PRAGMA query_only = 1",
        "PRAGMA foreign_keys = ON",
        "PRAGMA foreign_keys(1)",
        "PRAGMA busy_timeout = 1",
        "PRAGMA locking_mode = EXCLUSIVE",
        "PRAGMA journal_mode = OFF",
        "BEGIN",
        "SELECT 1; DELETE FROM Ramo",
        "SELECT 1;DELETE FROM Ramo;",
        "SELECT 1 /* fine */; DELETE FROM Ramo",
        "SELECT 1;\n-- poi\nDELETE FROM Ramo",
        "SELECT 1; ; UPDATE Ramo SET Descrizione = 'Cambiato'",
        "; DELETE FROM Ramo",
    };
    for (const char *sql : statements) {
        SCOPED_TRACE(sql);
        const RuntimeError error = raisedBy([&] { (void)db->OpenResultSet(QString::fromLatin1(sql)); });
        EXPECT_EQ(error.number(), kErrNotReadOnly) << error.description().toStdString();
        EXPECT_EQ(openStatements(), 0);
    }
    EXPECT_EQ(descriptions(), (QStringList{QStringLiteral("Attività"), QStringLiteral("Passività"),
                                           QStringLiteral("Costi")}));
    auto version = db->OpenResultSet(QStringLiteral("PRAGMA user_version"));
    EXPECT_EQ(version->Fields().Item(0).Value(), Variant(0));
    auto tables =
        db->OpenResultSet(QStringLiteral("SELECT COUNT(*) FROM sqlite_master WHERE name = 'Altro'"));
    EXPECT_EQ(tables->Fields().Item(0).Value(), Variant(0));
    auto temps = db->OpenResultSet(QStringLiteral("SELECT COUNT(*) FROM sqlite_temp_master"));
    EXPECT_EQ(temps->Fields().Item(0).Value(), Variant(0));
    EXPECT_EQ(scalar("SELECT 'a' LIKE 'A'"), Variant(1));
    EXPECT_EQ(scalar("PRAGMA foreign_keys"), Variant(0));
    EXPECT_EQ(scalar("PRAGMA locking_mode"), Variant("normal"));
    // Had BEGIN run, this script would nest a transaction and fail; had query_only been set,
    // the insert would fail.
    EXPECT_NO_THROW(
        db->executeScript(QStringLiteral("BEGIN; INSERT INTO Agente VALUES (8, 'A02', 1); COMMIT;")));
}

TEST_F(SqliteConnectionTest, ASelectWithTrailingSemicolonOrCommentRuns)
{
    const char *statements[] = {
        "SELECT IDRamo FROM Ramo WHERE IDRamo = 3;",
        "SELECT IDRamo FROM Ramo WHERE IDRamo = 3 ; ;",
        "SELECT IDRamo FROM Ramo WHERE IDRamo = 3 -- il ramo dei costi",
        "SELECT IDRamo FROM Ramo WHERE IDRamo = 3; -- il ramo dei costi",
        "SELECT IDRamo FROM Ramo WHERE IDRamo = 3; /* il ramo dei costi */",
        "  SELECT IDRamo FROM Ramo WHERE IDRamo = 3\n;\n",
    };
    for (const char *sql : statements) {
        SCOPED_TRACE(sql);
        const RuntimeError error = raisedBy([&] {
            auto rows = db->OpenResultSet(QString::fromLatin1(sql));
            ASSERT_FALSE(rows->Eof());
            EXPECT_EQ(rows->Fields().Item(0).Value(), Variant(3));
        });
        EXPECT_EQ(error.number(), 0) << error.description().toStdString();
    }
}

TEST_F(SqliteConnectionTest, PragmasThatOnlyReadStillRun)
{
    EXPECT_EQ(scalar("PRAGMA user_version"), Variant(0));
    EXPECT_EQ(scalar("SELECT name FROM pragma_table_info('Ramo') WHERE cid = 1"), Variant("Descrizione"));
}

TEST_F(SqliteConnectionTest, QueriesOpenedWhileReadingLeaveTheOuterRowsAlone)
{
    auto outer = db->OpenResultSet(QStringLiteral("SELECT IDRamo FROM Ramo ORDER BY IDRamo"), kRewindable);
    QStringList seen;
    for (; !outer->Eof(); outer->MoveNext()) {
        const Variant id = outer->Fields().Item(0).Value();
        auto inner =
            db->OpenResultSet(QStringLiteral("SELECT Descrizione FROM Ramo WHERE IDRamo = ") + id.toText());
        seen << inner->Fields().Item(0).Value().toText();
        EXPECT_THROW((void)db->OpenResultSet(QStringLiteral("PRAGMA foreign_keys = ON")), RuntimeError);
    }
    EXPECT_EQ(seen, (QStringList{QStringLiteral("Attività"), QStringLiteral("Passività"),
                                 QStringLiteral("Costi")}));
    outer->MoveFirst();
    EXPECT_EQ(outer->Fields().Item(0).Value(), Variant(1));
}

TEST_F(SqliteConnectionTest, BadSqlRaises3000WithTheEngineMessage)
{
    const struct {
        const char *sql;
        const char *engineMessage;
    } rows[] = {
        {"SELECT * FROM Mancante", "no such table: Mancante"},
        {"SELECT Manca FROM Ramo", "no such column: Manca"},
        {"SELEC 1", "syntax error"},
        // Fails only when the engine steps to the row, not while preparing.
        {"SELECT abs(-9223372036854775807 - 1)", "integer overflow"},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.sql);
        const RuntimeError error = raisedBy([&] { (void)db->OpenResultSet(QString::fromLatin1(row.sql)); });
        EXPECT_EQ(error.number(), 3000);
        EXPECT_THAT(error.description().toStdString(), HasSubstr(row.engineMessage));
        EXPECT_EQ(openStatements(), 0);
    }
}

TEST_F(SqliteConnectionTest, AnErrorOnALaterRowRaisesFromMoveNext)
{
    auto rows = db->OpenResultSet(QStringLiteral(
        "SELECT abs(x) AS v FROM (SELECT 1 AS x UNION ALL SELECT -9223372036854775807 - 1 AS x)"));
    ASSERT_FALSE(rows->Eof());
    EXPECT_EQ(rows->Fields().Item(QStringLiteral("v")).Value(), Variant(1));
    const RuntimeError error = raisedBy([&] { rows->MoveNext(); });
    EXPECT_EQ(error.number(), 3000);
    EXPECT_THAT(error.description().toStdString(), HasSubstr("integer overflow"));
    EXPECT_TRUE(rows->Eof());
}

TEST_F(SqliteConnectionTest, TextWithoutAStatementIsRefused)
{
    for (const char *sql : {"", "   ", "-- solo un commento", ";"}) {
        SCOPED_TRACE(sql);
        EXPECT_THROW((void)db->OpenResultSet(QString::fromLatin1(sql)), RuntimeError);
    }
}

TEST_F(SqliteConnectionTest, CloseEndsTheRows)
{
    auto rows = db->OpenResultSet(QStringLiteral("SELECT IDRamo FROM Ramo"), kRewindable);
    ASSERT_EQ(openStatements(), 1);
    rows->Close();
    EXPECT_EQ(openStatements(), 0);
    EXPECT_TRUE(rows->Eof());
    EXPECT_THROW((void)rows->Fields().Item(0).Value(), RuntimeError);
    EXPECT_THROW(rows->MoveFirst(), RuntimeError);
    EXPECT_NO_THROW(rows->Close());
}

TEST_F(SqliteConnectionTest, AResultSetKeepsTheDatabaseAlive)
{
    auto rows = db->OpenResultSet(QStringLiteral("SELECT Descrizione FROM Ramo ORDER BY IDRamo"));
    const std::weak_ptr<SqliteConnection> watch = db;
    db.reset();
    EXPECT_FALSE(watch.expired());
    EXPECT_EQ(rows->Fields().Item(0).Value().toText(), QStringLiteral("Attività"));
    rows->MoveNext();
    EXPECT_EQ(rows->Fields().Item(0).Value().toText(), QStringLiteral("Passività"));
    rows.reset();
    EXPECT_TRUE(watch.expired());
}

TEST(SqliteConnectionOpen, AMissingFileOpenedReadOnlyRaises3000)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    EXPECT_THAT([&] { (void)SqliteConnection::open(dir.filePath(QStringLiteral("manca.db")), true); },
                raisesNumber(3000));
}

TEST(SqliteConnectionOpen, AReadOnlyDatabaseStillAnswersQueries)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("ditta.db"));
    SqliteConnection::open(path)->executeScript(
        QStringLiteral("CREATE TABLE Azienda (IDAzienda INTEGER); INSERT INTO Azienda VALUES (1);"));
    auto db = SqliteConnection::open(path, true);
    auto rows = db->OpenResultSet(QStringLiteral("SELECT IDAzienda FROM Azienda"));
    EXPECT_EQ(rows->Fields().Item(0).Value(), Variant(1));
}
