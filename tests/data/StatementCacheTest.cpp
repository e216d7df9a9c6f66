#include "data/PgConnection.h"
#include "data/SqliteConnection.h"

#include "support/Engines.h"
#include "support/PrintVariant.h"

using namespace orv;
using namespace orv::test;

namespace {

class StatementCacheTest : public EngineTest {
protected:
    // The first column of every row.
    QString rows(const char *sql, int options = kForwardOnly)
    {
        return textOf([&] {
            QStringList seen;
            for (auto rs = db->OpenResultSet(QString::fromUtf8(sql), options); !rs->Eof(); rs->MoveNext())
                seen << rs->Fields().Item(0).Value().toText();
            return seen.join(u' ');
        });
    }
    int prepared() const
    {
        if (const auto *sqlite = dynamic_cast<const SqliteConnection *>(db.get()))
            return sqlite->statementsPrepared();
        return dynamic_cast<const PgConnection &>(*db).statementsPrepared();
    }
};

// Each pair shares one shape (a text is prepared when its shape comes again): the sibling runs
// the statement prepared for the first text and must still give its own rows.
TEST_P(StatementCacheTest, TextsDifferingInTheirNumbersShareAStatementAndKeepTheirRows)
{
    // clang-format off
    const struct { const char *sql, *expected, *sibling, *siblingExpected; } cases[] = {
        {"SELECT IDAzienda FROM Azienda WHERE IDAzienda = 1", "1", "SELECT IDAzienda FROM Azienda WHERE IDAzienda = 2", "2"},
        {"SELECT count(*) FROM Azienda WHERE IDAzienda < 1.5", "1", "SELECT count(*) FROM Azienda WHERE IDAzienda < 2.5", "2"},
        {"SELECT count(*) FROM Azienda WHERE -IDAzienda < -1", "1", "SELECT count(*) FROM Azienda WHERE -IDAzienda < -3", "0"},
        {"SELECT count(*) FROM Azienda WHERE IDAzienda > 0 AND '5' = '5' AND \"idazienda\" <> 7", "2",
         "SELECT count(*) FROM Azienda WHERE IDAzienda > 1 AND '5' = '5' AND \"idazienda\" <> 7", "1"},
        {"SELECT IDAzienda FROM Azienda WHERE IDAzienda > 0 ORDER BY 1 DESC", "2 1",
         "SELECT IDAzienda FROM Azienda WHERE IDAzienda > 1 ORDER BY 1 DESC", "2"},
        {"SELECT IDAzienda AS v FROM Azienda WHERE IDAzienda = 1 UNION ALL SELECT 7", "1 7",
         "SELECT IDAzienda AS v FROM Azienda WHERE IDAzienda = 2 UNION ALL SELECT 3000000000", "2 3000000000"},
    };
    // clang-format on
    for (const auto &c : cases) {
        SCOPED_TRACE(c.sql);
        EXPECT_EQ(rows(c.sql), QString::fromUtf8(c.expected));
        EXPECT_EQ(rows(c.sql), QString::fromUtf8(c.expected));
        EXPECT_EQ(rows(c.sibling), QString::fromUtf8(c.siblingExpected));
    }
    const int before = prepared();
    for (const auto &c : cases)
        EXPECT_EQ(rows(c.sql), QString::fromUtf8(c.expected)) << c.sql;
    EXPECT_EQ(prepared(), before);
}

// A streamed set reads past its first batch while statements run beside it, one of them failing.
TEST_P(StatementCacheTest, AStreamedSetReadsOnBesideOtherStatements)
{
    auto streamed = db->OpenResultSet(
        "WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE x < 1000) SELECT x FROM n",
        kStreamed);
    QString last;
    for (; !streamed->Eof(); streamed->MoveNext()) {
        last = streamed->Fields().Item(0).Value().toText();
        if (last == QLatin1String("100")) {
            EXPECT_EQ(rows("SELECT * FROM Mancante"), "#3000");
            EXPECT_EQ(rows("SELECT IDAzienda FROM Azienda WHERE IDAzienda = 2"), "2");
        }
    }
    EXPECT_EQ(last, "1000");
}

ORV_ON_EVERY_ENGINE(StatementCacheTest);

} // namespace
