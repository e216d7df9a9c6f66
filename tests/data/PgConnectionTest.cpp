#include "data/PgConnection.h"
#include "data/RuntimeError.h"

#include "support/Database.h"
#include "support/PrintVariant.h"

#include <gtest/gtest.h>

using namespace orv;
using ::testing::HasSubstr;
using ::testing::ThrowsMessage;

namespace {

class PgConnectionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!db)
            GTEST_SKIP() << "no PostgreSQL server in this run (ORV_PG_DEMO)";
    }
    QString scalar(const QString &sql, int options = kForwardOnly)
    {
        return textOf([&] { return db->OpenResultSet(sql, options)->Fields().Item(0).Value().toText(); });
    }
    std::shared_ptr<PgConnection> db = test::pgDemoDatabase();
};

// Amounts arrive as text and are read exactly, to the edges of Currency; integers beyond 32 bits
// come back as Double, as on SQLite.
TEST_F(PgConnectionTest, ColumnValuesAndTheirTypes)
{
    // clang-format off
    const struct { const char *sql; Variant expected; } rows[] = {
        {"NULL", Variant::null()}, {"7", 7}, {"3000000000", 3000000000.0}, {"'Dell''Orto'", "Dell'Orto"},
        {"'Disponibilità'::citext", "Disponibilità"}, {"0.25::float8", 0.25},
        {"27447.0000::numeric(19,4)", Currency::fromRaw(274470000)},
        {"922337203685477.5807::numeric(19,4)", Currency::fromRaw(INT64_MAX)},
        {"-922337203685477.5808::numeric(19,4)", Currency::fromRaw(INT64_MIN)},
        {"-0.0001::numeric(19,4)", Currency::fromRaw(-1)},
        {"SUM(Dare) FROM ProgressivoContoEsercizio WHERE IDContoPDC = 9 AND IDEsercizio = 2025",
         Currency::fromText("201340.5")},
    };
    // clang-format on
    for (const auto &row : rows) {
        SCOPED_TRACE(row.sql);
        EXPECT_EQ(db->OpenResultSet(QStringLiteral("SELECT ") + QString::fromUtf8(row.sql))
                      ->Fields()
                      .Item(0)
                      .Value(),
                  row.expected);
    }
    EXPECT_EQ(scalar("SELECT 922337203685477.5808::numeric(19,4)"), "#6");
}

// What is refused here never reaches the server: on it these would be other errors (an unknown
// table, a syntax error) or would run.
TEST_F(PgConnectionTest, OnlyOneReadRunsAndTheSessionStaysReadOnly)
{
    // clang-format off
    const struct { const char *sql; const char *expected; } rows[] = {
        {"INSERT INTO Nessuna VALUES (1)", "#3001"}, {"DELETE FROM Azienda", "#3001"}, {"BEGIN READ WRITE", "#3001"},
        {"SET default_transaction_read_only = off", "#3001"}, {"SELECT 1; SELEC", "#3001"},
        {"SELECT 1; DELETE FROM Azienda", "#3001"}, {"SELECT 1 /* a */ /* b /* c */ */; DROP TABLE Azienda", "#3001"},
        {"", "#3001"}, {"-- nulla", "#3001"},
        // Refused by the read-only transaction on the server.
        {"WITH gone AS (DELETE FROM Azienda RETURNING 1) SELECT count(*) FROM gone", "#3000"},
        {"SELECT IDAzienda FROM Azienda FOR UPDATE", "#3000"},
        {"SELECT set_config('default_transaction_read_only', 'off', false)", "#3001"},
        // Semicolons inside texts, identifiers and comments end nothing.
        {"SELECT ';' AS \"a;b\" -- ;\n;", ";"}, {"SELECT $x$;'$x$ /* ; */", ";'"}, {"SELECT E'\\';'", "';"},
        {"SELECT current_setting('default_transaction_read_only')", "on"},
        {"SELECT count(*) FROM Azienda", "2"},
    };
    // clang-format on
    for (const auto &row : rows) {
        SCOPED_TRACE(row.sql);
        EXPECT_EQ(scalar(QString::fromUtf8(row.sql)), QString::fromUtf8(row.expected));
    }
    EXPECT_THAT([&] { (void)db->OpenResultSet("SELECT * FROM Mancante"); },
                ThrowsMessage<RuntimeError>(HasSubstr("relation \"mancante\" does not exist")));
    EXPECT_THAT([] { (void)PgConnection::open("host=/nonexistent"); },
                ThrowsMessage<RuntimeError>(HasSubstr("Cannot connect to the server: ")));
}

} // namespace
