#include "data/SqliteConnection.h"
#include "data/DbUtility.h"
#include "data/RuntimeError.h"

#include "PrintVariant.h"

#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sqlite3.h>

using namespace orv;
using ::testing::HasSubstr;

namespace {

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

const QStringList kDescriptions = {QStringLiteral("Attività"), QStringLiteral("Passività"),
                                   QStringLiteral("Costi")};

class SqliteConnectionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        db->executeScript(QStringLiteral(
            "CREATE TABLE Ramo (IDRamo INTEGER PRIMARY KEY, Descrizione TEXT, Note TEXT, Importo REAL);"
            "INSERT INTO Ramo VALUES (1, 'Attività', NULL, 12.5), (2, 'Passività', 'chiuso', NULL),"
            " (3, 'Costi', '', -0.25);"
            "CREATE TABLE Agente (IDAnagrafica INTEGER, Codice TEXT, IDAzienda INTEGER);"
            "INSERT INTO Agente VALUES (7, 'A01', 1);"
            "CREATE TABLE Grandi (Valore INTEGER);"
            "INSERT INTO Grandi VALUES (2147483647), (-2147483648), (2147483648), (-3000000000),"
            " (9007199254740993);"));
    }

    std::unique_ptr<DbResultSet> open(const char *sql, int options = kForwardOnly)
    {
        return db->OpenResultSet(QString::fromUtf8(sql), options);
    }

    // The first column of every row.
    QStringList firstColumn(const char *sql = "SELECT Descrizione FROM Ramo ORDER BY IDRamo")
    {
        QStringList result;
        for (auto rows = open(sql); !rows->Eof(); rows->MoveNext())
            result << rows->Fields().Item(0).Value().toText();
        return result;
    }

    Variant scalar(const char *sql) { return open(sql)->Fields().Item(0).Value(); }

    // Statements prepared on the database and not yet finalized.
    int openStatements() const
    {
        int count = 0;
        for (sqlite3_stmt *statement = sqlite3_next_stmt(db->handle(), nullptr); statement;
             statement = sqlite3_next_stmt(db->handle(), statement))
            ++count;
        return count;
    }

    std::shared_ptr<SqliteConnection> db = SqliteConnection::open(QStringLiteral(":memory:"));
};

} // namespace

TEST_F(SqliteConnectionTest, RewindableRowsStartOverAndForwardOnlyRowsRefuse)
{
    // One row, as a lookup by id reads it: back to its row after MoveNext.
    auto one = open("SELECT IDRamo, Descrizione FROM Ramo WHERE IDRamo = 2", kRewindable);
    ASSERT_FALSE(one->Eof());
    EXPECT_FALSE(one->Bof());
    one->MoveNext();
    EXPECT_TRUE(one->Eof());
    one->MoveFirst();
    ASSERT_FALSE(one->Eof());
    EXPECT_EQ(one->Fields().Item(QStringLiteral("IDRamo")).Value(), Variant(2));
    EXPECT_EQ(one->Fields().Item(QStringLiteral("Descrizione")).Value(), Variant("Passività"));
    one->MoveNext();
    EXPECT_TRUE(one->Eof());

    auto many = open("SELECT IDRamo FROM Ramo ORDER BY IDRamo", kRewindable);
    many->MoveNext();
    many->MoveNext();
    EXPECT_EQ(many->Fields().Item(0).Value(), Variant(3));
    many->MoveFirst();
    EXPECT_EQ(many->Fields().Item(0).Value(), Variant(1));
    many->MoveNext();
    EXPECT_EQ(many->Fields().Item(0).Value(), Variant(2));

    auto single = open("SELECT IDRamo FROM Ramo WHERE IDRamo = 1");
    single->MoveNext();
    ASSERT_TRUE(single->Eof());
    EXPECT_THAT([&] { single->MoveFirst(); }, raisesNumber(kErrForwardOnly));
    // No current row past the end.
    EXPECT_THAT([&] { (void)single->Fields().Item(0).Value(); }, raisesNumber(3021));
    EXPECT_THAT([&] { single->MoveNext(); }, raisesNumber(3021));
    auto forward = open("SELECT IDRamo FROM Ramo ORDER BY IDRamo", kForwardOnly);
    forward->MoveNext();
    EXPECT_THAT([&] { forward->MoveFirst(); }, raisesNumber(kErrForwardOnly));
    EXPECT_EQ(firstColumn(), kDescriptions);
}

TEST_F(SqliteConnectionTest, EmptyResultHasEofAndBofAtOnce)
{
    for (int options : {kForwardOnly, kRewindable}) {
        SCOPED_TRACE(options);
        auto rows = open("SELECT IDRamo FROM Ramo WHERE IDRamo = 99", options);
        EXPECT_TRUE(rows->Eof());
        EXPECT_TRUE(rows->Bof());
        EXPECT_THAT([&] { (void)rows->Fields().Item(QStringLiteral("IDRamo")).Value(); }, raisesNumber(3021));
        if (options == kRewindable) {
            rows->MoveFirst();
            EXPECT_TRUE(rows->Eof());
            EXPECT_TRUE(rows->Bof());
        }
    }
}

// Integers beyond 32 bits come back as Double; Null stays Null and raises 94 when read as text.
TEST_F(SqliteConnectionTest, ColumnValuesAndTheirTypes)
{
    using enum Variant::Type;
    const struct {
        const char *sql;
        Variant expected;
        Variant::Type type;
    } rows[] = {
        // clang-format off
        {"IDRamo FROM Ramo WHERE IDRamo = 1", 1, Long},
        {"Descrizione FROM Ramo WHERE IDRamo = 1", "Attività", String},
        {"Note FROM Ramo WHERE IDRamo = 1", Variant::null(), Null},
        {"Importo FROM Ramo WHERE IDRamo = 1", 12.5, Double},
        {"Note FROM Ramo WHERE IDRamo = 3", QString(), String},
        {"SUM(Importo) AS Dare FROM Ramo WHERE IDRamo = 99", Variant::null(), Null},
        {"Valore FROM Grandi WHERE rowid = 1", 2147483647, Long},
        {"Valore FROM Grandi WHERE rowid = 2", -2147483647 - 1, Long},
        {"Valore FROM Grandi WHERE rowid = 3", 2147483648.0, Double},
        {"Valore FROM Grandi WHERE rowid = 4", -3000000000.0, Double},
        {"Valore FROM Grandi WHERE rowid = 5", 9007199254740992.0, Double}
        // clang-format on
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.sql);
        const Variant value =
            db->OpenResultSet("SELECT " + QString::fromUtf8(row.sql))->Fields().Item(0).Value();
        EXPECT_EQ(value.type(), row.type);
        EXPECT_EQ(value, row.expected);
    }
    EXPECT_EQ(open("SELECT IDRamo, Descrizione, Note, Importo FROM Ramo")->Fields().Count(), 4);
    auto sumRows = open("SELECT SUM(Importo) AS Dare FROM Ramo WHERE IDRamo = 99");
    const DbField sum = sumRows->Fields().Item(QStringLiteral("Dare"));
    EXPECT_THAT([&] { (void)sum.Value().toText(); }, raisesNumber(94));
    EXPECT_EQ(dbUtility().NullToValue(sum).toText(), QString());
}

TEST_F(SqliteConnectionTest, FieldsByNameIgnoreCaseAndTablePrefixOrByPosition)
{
    auto rows =
        open("SELECT Agente.IDAnagrafica, Agente.Codice, Ramo.IDRamo AS IDRamo, Ramo.Descrizione AS Ramo,"
             " Agente.IDAnagrafica AS IDCliente FROM Agente, Ramo WHERE Ramo.IDRamo = 2");
    ASSERT_FALSE(rows->Eof());
    const DbFields fields = rows->Fields();
    const struct {
        const char *name;
        Variant expected;
    } cases[] = {
        // clang-format off
        {"IDAnagrafica", 7}, {"idanagrafica", 7}, {"Agente.IDAnagrafica", 7}, {"AGENTE.CODICE", "A01"},
        {"IDRamo", 2}, {"idramo", 2}, {"Ramo", "Passività"}, {"x.Ramo", "Passività"}, {"IDCliente", 7}
        // clang-format on
    };
    for (const auto &entry : cases) {
        SCOPED_TRACE(entry.name);
        EXPECT_EQ(fields.Item(QString::fromLatin1(entry.name)).Value(), entry.expected);
    }
    EXPECT_EQ(fields.Item(QStringLiteral("Agente.IDAnagrafica")).Name(), QStringLiteral("IDAnagrafica"));
    EXPECT_EQ(fields.Item(1).Value(), Variant("A01"));
    EXPECT_EQ(fields.Item(2).Name(), QStringLiteral("IDRamo"));
    for (const char *name : {"Note", "Descrizione", "IDClient", ""}) {
        SCOPED_TRACE(name);
        EXPECT_THAT([&] { (void)fields.Item(QString::fromLatin1(name)); }, raisesNumber(3265));
    }
    EXPECT_THAT([&] { (void)fields.Item(5); }, raisesNumber(3265));
    EXPECT_THAT([&] { (void)fields.Item(-1); }, raisesNumber(3265));
}

TEST_F(SqliteConnectionTest, WritesSettingsAndSecondStatementsAreRefusedBeforeAnythingRuns)
{
    const char *statements[] = {
        // clang-format off
        "INSERT INTO Ramo (IDRamo, Descrizione) VALUES (9, 'Nuovo')",
        "INSERT INTO Ramo (IDRamo, Descrizione) VALUES (9, 'Nuovo') RETURNING IDRamo",
        "UPDATE Ramo SET Descrizione = 'Cambiato'",
        "UPDATE Ramo SET Descrizione = 'Cambiato' RETURNING Descrizione",
        "DELETE FROM Ramo", "WITH x AS (SELECT 1) DELETE FROM Ramo RETURNING IDRamo",
        "REPLACE INTO Ramo (IDRamo, Descrizione) VALUES (1, 'Sostituito')", "CREATE TABLE Altro (x)",
        "CREATE TEMP TABLE Altro AS SELECT * FROM Ramo", "DROP TABLE Ramo", "ALTER TABLE Ramo RENAME TO Rami",
        "PRAGMA user_version = 7",
        // The engine applies these settings while it compiles them, so they must be refused before compiling.
        "PRAGMA case_sensitive_like = 1", "PRAGMA query_only = 1", "PRAGMA foreign_keys = ON",
        "PRAGMA foreign_keys(1)", "PRAGMA busy_timeout = 1", "PRAGMA locking_mode = EXCLUSIVE",
        "PRAGMA journal_mode = OFF", "BEGIN", "SELECT 1; DELETE FROM Ramo", "SELECT 1;DELETE FROM Ramo;",
        "SELECT 1 /* fine */; DELETE FROM Ramo", "SELECT 1;\n-- poi\nDELETE FROM Ramo",
        "SELECT 1; ; UPDATE Ramo SET Descrizione = 'Cambiato'", "; DELETE FROM Ramo"
        // clang-format on
    };
    for (const char *sql : statements) {
        SCOPED_TRACE(sql);
        const RuntimeError error = raisedBy([&] { (void)open(sql); });
        EXPECT_EQ(error.number(), kErrNotReadOnly) << error.description().toStdString();
        EXPECT_EQ(openStatements(), 0);
    }
    EXPECT_EQ(firstColumn(), kDescriptions);
    EXPECT_EQ(scalar("PRAGMA user_version"), Variant(0));
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM sqlite_master WHERE name = 'Altro'"), Variant(0));
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM sqlite_temp_master"), Variant(0));
    EXPECT_EQ(scalar("SELECT 'a' LIKE 'A'"), Variant(1));
    EXPECT_EQ(scalar("PRAGMA foreign_keys"), Variant(0));
    EXPECT_EQ(scalar("PRAGMA locking_mode"), Variant("normal"));
    // Had BEGIN run, this script would nest a transaction and fail; had query_only been set,
    // the insert would fail.
    EXPECT_NO_THROW(
        db->executeScript(QStringLiteral("BEGIN; INSERT INTO Agente VALUES (8, 'A02', 1); COMMIT;")));
}

TEST_F(SqliteConnectionTest, AReadWithTrailingSemicolonOrCommentOrAReadingPragmaRuns)
{
    for (const char *end : {";", " ; ;", " -- il ramo dei costi", "; -- il ramo dei costi",
                            "; /* il ramo dei costi */", "\n;\n"}) {
        const QString sql =
            QStringLiteral("  SELECT IDRamo FROM Ramo WHERE IDRamo = 3") + QString::fromLatin1(end);
        SCOPED_TRACE(sql.toStdString());
        const RuntimeError error =
            raisedBy([&] { EXPECT_EQ(db->OpenResultSet(sql)->Fields().Item(0).Value(), Variant(3)); });
        EXPECT_EQ(error.number(), 0) << error.description().toStdString();
    }
    EXPECT_EQ(scalar("SELECT name FROM pragma_table_info('Ramo') WHERE cid = 1"), Variant("Descrizione"));
}

TEST_F(SqliteConnectionTest, QueriesOpenedWhileReadingLeaveTheOuterRowsAlone)
{
    auto outer = open("SELECT IDRamo FROM Ramo ORDER BY IDRamo", kRewindable);
    QStringList seen;
    for (; !outer->Eof(); outer->MoveNext()) {
        const QString id = outer->Fields().Item(0).Value().toText();
        seen << db->OpenResultSet("SELECT Descrizione FROM Ramo WHERE IDRamo = " + id)
                    ->Fields()
                    .Item(0)
                    .Value()
                    .toText();
        EXPECT_THROW((void)open("PRAGMA foreign_keys = ON"), RuntimeError);
    }
    EXPECT_EQ(seen, kDescriptions);
    outer->MoveFirst();
    EXPECT_EQ(outer->Fields().Item(0).Value(), Variant(1));
}

TEST_F(SqliteConnectionTest, BadSqlRaises3000WithTheEngineMessageAndLeaksNothing)
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
        const RuntimeError error = raisedBy([&] { (void)open(row.sql); });
        EXPECT_EQ(error.number(), 3000);
        EXPECT_THAT(error.description().toStdString(), HasSubstr(row.engineMessage));
        EXPECT_EQ(openStatements(), 0);
    }
    for (const char *sql : {"", "   ", "-- solo un commento", ";"}) {
        SCOPED_TRACE(sql);
        EXPECT_THROW((void)open(sql), RuntimeError);
    }

    // An error on a later row raises from MoveNext.
    auto later =
        open("SELECT abs(x) AS v FROM (SELECT 1 AS x UNION ALL SELECT -9223372036854775807 - 1 AS x)");
    ASSERT_FALSE(later->Eof());
    EXPECT_EQ(later->Fields().Item(QStringLiteral("v")).Value(), Variant(1));
    const RuntimeError error = raisedBy([&] { later->MoveNext(); });
    EXPECT_EQ(error.number(), 3000);
    EXPECT_THAT(error.description().toStdString(), HasSubstr("integer overflow"));
    EXPECT_TRUE(later->Eof());
}

TEST_F(SqliteConnectionTest, CloseEndsTheRowsAndOpenRowsKeepTheDatabaseAlive)
{
    auto closed = open("SELECT IDRamo FROM Ramo", kRewindable);
    ASSERT_EQ(openStatements(), 1);
    closed->Close();
    EXPECT_EQ(openStatements(), 0);
    EXPECT_TRUE(closed->Eof());
    EXPECT_THROW((void)closed->Fields().Item(0).Value(), RuntimeError);
    EXPECT_THROW(closed->MoveFirst(), RuntimeError);
    EXPECT_NO_THROW(closed->Close());
    closed.reset();

    auto rows = open("SELECT Descrizione FROM Ramo ORDER BY IDRamo");
    const std::weak_ptr<SqliteConnection> watch = db;
    db.reset();
    EXPECT_FALSE(watch.expired());
    EXPECT_EQ(rows->Fields().Item(0).Value(), Variant("Attività"));
    rows->MoveNext();
    EXPECT_EQ(rows->Fields().Item(0).Value(), Variant("Passività"));
    rows.reset();
    EXPECT_TRUE(watch.expired());
}

TEST(SqliteConnectionOpen, ReadOnlyAnswersQueriesAndAMissingFileRaises3000)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    EXPECT_THAT([&] { (void)SqliteConnection::open(dir.filePath(QStringLiteral("manca.db")), true); },
                raisesNumber(3000));
    const QString path = dir.filePath(QStringLiteral("ditta.db"));
    SqliteConnection::open(path)->executeScript(
        QStringLiteral("CREATE TABLE Azienda (IDAzienda INTEGER); INSERT INTO Azienda VALUES (1);"));
    auto rows =
        SqliteConnection::open(path, true)->OpenResultSet(QStringLiteral("SELECT IDAzienda FROM Azienda"));
    EXPECT_EQ(rows->Fields().Item(0).Value(), Variant(1));
}
