#include "data/SqliteConnection.h"
#include "data/DbUtility.h"
#include "data/RuntimeError.h"

#include "support/Engines.h"
#include "support/PrintVariant.h"

#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sqlite3.h>

using namespace orv;

namespace {

const QString kDescriptions = QStringLiteral("Attività|Passività|Costi");

class SqliteConnectionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        db->executeScript(QStringLiteral(
            "CREATE TABLE Ramo (IDRamo INTEGER PRIMARY KEY, Descrizione TEXT, Note TEXT, Importo REAL);"
            "INSERT INTO Ramo VALUES (1, 'Attività', NULL, 12.5), (2, 'Passività', 'chiuso', NULL),"
            " (3, 'Costi', '', -0.25);"
            "CREATE TABLE Agente (IDAnagrafica INTEGER, Codice TEXT, IDAzienda INTEGER);"
            "INSERT INTO Agente VALUES (7, 'A01', 1);"));
    }

    Variant scalar(const QString &sql) { return db->OpenResultSet(sql)->Fields().Item(0).Value(); }

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

// Bof means an empty result; with no current row a read raises 3021. On each engine.
using ResultRows = test::EngineTest;

TEST_P(ResultRows, RewindableRowsStartOverAndForwardOnlyRowsRefuse)
{
    // clang-format off
    const struct { const char *sql; int options; const char *moves, *expected; } rows[] = {
        {"SELECT IDAzienda FROM Azienda WHERE IDAzienda = 2", kRewindable, "NFN", "2 eof 2 eof"},
        {"SELECT IDAzienda FROM Azienda ORDER BY IDAzienda", kRewindable, "NNFN", "1 2 eof 1 2"},
        {"SELECT IDAzienda FROM Azienda WHERE IDAzienda = 1", kForwardOnly, "NFN", "1 eof #3219 #3021"},
        {"SELECT IDAzienda FROM Azienda ORDER BY IDAzienda", kForwardOnly, "NF", "1 2 #3219"},
        {"SELECT IDAzienda FROM Azienda WHERE IDAzienda = 99", kForwardOnly, "F", "eof eof"},
        {"SELECT IDAzienda FROM Azienda WHERE IDAzienda = 99", kRewindable, "F", "eof eof"},
    };
    // clang-format on
    for (const auto &row : rows) {
        SCOPED_TRACE(testing::Message() << row.sql << " moves " << row.moves);
        auto result = db->OpenResultSet(row.sql, row.options);
        EXPECT_EQ(walk(*result, row.moves), row.expected);
        EXPECT_EQ(result->Bof(), QLatin1String(row.expected).startsWith(QLatin1String("eof")));
        if (result->Eof()) {
            EXPECT_THAT([&] { (void)result->Fields().Item(0).Value(); }, raisesNumber(kErrNoCurrentRow));
        }
    }
}

ORV_ON_EVERY_ENGINE(ResultRows);

// Integers beyond 32 bits come back as Double (a Variant compares its type too); Null stays Null.
TEST_F(SqliteConnectionTest, ColumnValuesAndTheirTypes)
{
    // clang-format off
    const struct { const char *sql; Variant expected; } rows[] = {
        {"IDRamo FROM Ramo WHERE IDRamo = 1", 1}, {"Descrizione FROM Ramo WHERE IDRamo = 1", "Attività"},
        {"Note FROM Ramo WHERE IDRamo = 1", Variant::null()}, {"Importo FROM Ramo WHERE IDRamo = 1", 12.5},
        {"Note FROM Ramo WHERE IDRamo = 3", QString()}, {"SUM(Importo) FROM Ramo WHERE 0", Variant::null()},
        {"2147483647", 2147483647}, {"-2147483648", -2147483647 - 1}, {"2147483648", 2147483648.0},
        {"-3000000000", -3000000000.0}, {"9007199254740993", 9007199254740992.0}
    };
    // clang-format on
    for (const auto &row : rows) {
        SCOPED_TRACE(row.sql);
        EXPECT_EQ(scalar(QStringLiteral("SELECT ") + QString::fromUtf8(row.sql)), row.expected);
    }
}

TEST_F(SqliteConnectionTest, OnlyAReadRunsWritesSettingsAndSecondStatementsAreRefusedBeforeRunning)
{
    // clang-format off
    const char *statements[] = {
        "INSERT INTO Ramo (IDRamo, Descrizione) VALUES (9, 'Nuovo')", "DELETE FROM Ramo", "DROP TABLE Ramo",
        "INSERT INTO Ramo (IDRamo, Descrizione) VALUES (9, 'Nuovo') RETURNING IDRamo", "BEGIN",
        "UPDATE Ramo SET Descrizione = 'Cambiato'", "UPDATE Ramo SET Note = 'x' RETURNING Descrizione",
        "WITH x AS (SELECT 1) DELETE FROM Ramo RETURNING IDRamo", "CREATE TABLE Altro (x)",
        "REPLACE INTO Ramo (IDRamo, Descrizione) VALUES (1, 'Sostituito')", "ALTER TABLE Ramo RENAME TO Rami",
        "CREATE TEMP TABLE Altro AS SELECT * FROM Ramo", "PRAGMA user_version = 7",
        // The engine applies these settings while it compiles them, so they must be refused before compiling.
        "PRAGMA case_sensitive_like = 1", "PRAGMA query_only = 1", "PRAGMA foreign_keys = ON",
        "PRAGMA foreign_keys(1)", "PRAGMA busy_timeout = 1", "PRAGMA locking_mode = EXCLUSIVE",
        "PRAGMA journal_mode = OFF", "SELECT 1; DELETE FROM Ramo", "SELECT 1;DELETE FROM Ramo;",
        "SELECT 1 /* fine */; DELETE FROM Ramo", "SELECT 1;\n-- poi\nDELETE FROM Ramo", "; DELETE FROM Ramo",
        "SELECT 1; ; UPDATE Ramo SET Descrizione = 'Cambiato'",
        // Pragmas that act without a value.
        "PRAGMA wal_checkpoint", "PRAGMA incremental_vacuum", "PRAGMA shrink_memory"
    };
    // clang-format on
    for (const char *sql : statements) {
        SCOPED_TRACE(sql);
        EXPECT_EQ(textOf([&] { return scalar(QString::fromUtf8(sql)).toText(); }), "#3001");
        EXPECT_EQ(openStatements(), 0);
    }
    EXPECT_EQ(scalar("SELECT group_concat(Descrizione, '|') FROM Ramo").toText(), kDescriptions);
    QStringList after;
    for (const char *sql : {"PRAGMA user_version", "SELECT COUNT(*) FROM sqlite_master WHERE name = 'Altro'",
                            "SELECT COUNT(*) FROM sqlite_temp_master", "SELECT 'a' LIKE 'A'",
                            "PRAGMA foreign_keys", "PRAGMA locking_mode", "PRAGMA main.table_info(Ramo)",
                            "SELECT COUNT(*) FROM pragma_index_list('Ramo')"})
        after << scalar(QString::fromLatin1(sql)).toText();
    EXPECT_EQ(after, QStringList({"0", "0", "0", "1", "0", "normal", "0", "0"}));
    // Had BEGIN run, this script would nest a transaction and fail; had query_only been set,
    // the insert would fail.
    EXPECT_NO_THROW(
        db->executeScript(QStringLiteral("BEGIN; INSERT INTO Agente VALUES (8, 'A02', 1); COMMIT;")));

    // One read followed by semicolons or comments runs, and so does a reading pragma.
    for (const char *end : {";", " ; ;", " -- il ramo dei costi", "; -- il ramo dei costi",
                            "; /* il ramo dei costi */", "\n;\n"}) {
        const QString sql = QStringLiteral("  SELECT IDRamo FROM Ramo WHERE IDRamo = 3") + QLatin1String(end);
        SCOPED_TRACE(sql.toStdString());
        EXPECT_EQ(textOf([&] { return scalar(sql).toText(); }), "3");
    }
    EXPECT_EQ(scalar("SELECT name FROM pragma_table_info('Ramo') WHERE cid = 1"), Variant("Descrizione"));
}

// A pragma that is not known to only read is refused whether it comes as a statement or as a
// table in a query (a host's Filter can hold one), and the file stays exactly as it was.
TEST(SqliteConnectionFile, ReadsLeaveTheFileByteForByteAndPragmasThatWriteAreRefused)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("ditta.db"));
    auto db = SqliteConnection::open(path);
    db->executeScript(
        QStringLiteral("CREATE TABLE Ramo (IDRamo INTEGER PRIMARY KEY, Codice TEXT); CREATE INDEX "
                       "Ramo_Codice ON Ramo (Codice);"
                       "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 500)"
                       " INSERT INTO Ramo SELECT i, printf('R%03d', i) FROM n;"));
    // A lookup through the index is what makes the engine's optimizer want to analyse the table.
    EXPECT_EQ(db->OpenResultSet("SELECT IDRamo FROM Ramo WHERE Codice = 'R007'")->Fields().Item(0).Value(),
              Variant(7));
    const auto bytes = [&] {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    ASSERT_FALSE(bytes().isEmpty());
    // clang-format off
    const char *refused[] = {
        "PRAGMA optimize", "PRAGMA main.optimize", "PRAGMA OPTIMIZE", "SELECT * FROM pragma_optimize",
        "SELECT IDRamo FROM Ramo WHERE Codice >= 'R' AND EXISTS (SELECT 1 FROM pragma_optimize)",
        "SELECT * FROM pragma_optimize(0x10002)", "PRAGMA optimize(0x10002)", "ANALYZE",
        "DELETE FROM Ramo WHERE IDRamo = 1", "UPDATE Ramo SET Codice = 'X'"
    };
    // clang-format on
    for (const char *sql : refused) {
        SCOPED_TRACE(sql);
        const QByteArray before = bytes();
        EXPECT_THAT([&] { walk(*db->OpenResultSet(QString::fromUtf8(sql)), "NNN"); },
                    raisesNumber(kErrNotReadOnly));
        EXPECT_TRUE(bytes() == before);
    }
}

TEST(SqliteConnectionOpen, ReadOnlyAnswersQueriesAndAMissingFileRaises3000)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    EXPECT_THAT([&] { (void)SqliteConnection::open(dir.filePath(QStringLiteral("manca.db")), true); },
                raisesNumber(kErrDatabase));
    const QString path = dir.filePath(QStringLiteral("ditta.db"));
    SqliteConnection::open(path)->executeScript(
        QStringLiteral("CREATE TABLE Azienda (IDAzienda INTEGER); INSERT INTO Azienda VALUES (1);"));
    auto rows =
        SqliteConnection::open(path, true)->OpenResultSet(QStringLiteral("SELECT IDAzienda FROM Azienda"));
    EXPECT_EQ(rows->Fields().Item(0).Value(), Variant(1));
}
