#include "data/AnsiText.h"
#include "data/RuntimeError.h"
#include "support/Database.h"
#include "support/Engines.h"
#include "support/QtPrinters.h"

#include <QRegularExpression>
#include <QStringList>

#include <gtest/gtest.h>
#include <libpq-fe.h>

#include <algorithm>
#include <map>

namespace orv::test {
inline void PrintTo(const ListedStatement &entry, std::ostream *out)
{
    *out << entry.name.toStdString();
}
} // namespace orv::test

namespace orv {
namespace {

using Entry = test::ListedStatement;

// Every statement of schema/statements.sql, which the builder tests match exactly, runs on the
// demo company and gives the rows and the first row it lists.
class StatementsTest : public ::testing::TestWithParam<Entry> {
protected:
    static void SetUpTestSuite()
    {
        db = test::demoDatabase();
        postgres = test::pgDemoDatabase();
    }
    static void TearDownTestSuite()
    {
        db.reset();
        postgres.reset();
    }
    static inline std::shared_ptr<SqliteConnection> db;
    static inline std::shared_ptr<PgConnection> postgres; // none when the run has no server
};

// Each row as one text; numbers compare by value, whichever type an engine gives them.
QStringList rowsOf(DbConnection &db, const QString &sql)
{
    QString text = sql;
    QStringList rows;
    for (auto rs = runSql(&db, text); !rs->Eof(); rs->MoveNext()) {
        QStringList row;
        for (int column = 0; column < rs->columnCount(); ++column) {
            const Variant value = rs->value(column);
            row << (value.isNull()      ? QStringLiteral("NULL")
                    : value.isNumeric() ? QString::number(value.toDouble(), 'g', 17)
                                        : value.toText());
        }
        rows << row.join(u'|');
    }
    return rows;
}

// On SQLite the rows counted and the first row listed; on PostgreSQL the same rows as on SQLite,
// in the same order where an ORDER BY gives one.
TEST_P(StatementsTest, RunsOnTheDemoCompanyWithTheExpectedRows)
{
    const Entry &entry = GetParam();
    QStringList rows;
    ASSERT_NO_THROW(rows = rowsOf(*db, entry.sql));
    if (entry.rows >= 0) {
        EXPECT_EQ(rows.size(), entry.rows);
    }
    QStringList first = rows.isEmpty() ? QStringList() : rows.first().split(u'|').mid(0, entry.first.size());
    for (qsizetype column = 0; column < first.size(); ++column) {
        bool number = false, listedNumber = false;
        const double value = first[column].toDouble(&number);
        if (number && value == entry.first[column].toDouble(&listedNumber) && listedNumber)
            first[column] = entry.first[column]; // "12.5" matches 12.50
    }
    EXPECT_EQ(first, entry.first);
    if (!postgres)
        return;
    QStringList served;
    ASSERT_NO_THROW(served = rowsOf(*postgres, entry.sql));
    if (!entry.sql.contains(QLatin1String("ORDER BY"), Qt::CaseInsensitive)) {
        rows.sort();
        served.sort();
    }
    EXPECT_EQ(served, rows);
}

// On a generated company of thousands of customers (ORV_PG_MID), each shape of statement that the
// lookups and the totals send finds its rows through an index on what it searches, one-letter
// prefixes included: with sequential scans ruled out, none is left in a plan, and an index
// condition names the searched column.
TEST(PostgresPlans, EveryLookupAndTotalShapeIsServedByAnIndexOnWhatItSearches)
{
    const QByteArray server = qgetenv("ORV_PG_MID");
    if (server.isEmpty())
        GTEST_SKIP() << "no generated company on PostgreSQL in this run (ORV_PG_MID)";
    const auto db = PgConnection::open(QString::fromUtf8(server));
    PQclear(PQexec(db->handle(), "SET enable_seqscan = off"));
    std::map<QString, QString> listed;
    for (const Entry &entry : test::readListedStatements())
        listed[entry.name] = entry.sql;
    // clang-format off
    const struct { const char *name, *typed, *instead, *searched; } rows[] = {
        {"registry.customer.count.code", "", "", "(codice = 'C001'::citext)"},
        {"registry.customer.count.code_prefix", "'C01%'", "'C%'", "lower((codice)::text)"},
        {"registry.customer.count.description", "", "", "lower((anagrafica)::text)"},
        {"registry.customer.count.description", "'Ross%'", "'R%'", "lower((anagrafica)::text)"},
        {"lookup.chart.segment_top", "", "", "(codifica = '01'::citext)"},
        {"lookup.chart.accounts_by_description", "", "", "lower((contopdc)::text)"},
        {"lookup.chart.branches_by_description", "", "", "lower((elementopdc)::text)"},
        {"totals.account.year", "", "", "((idcontopdc = 101) AND (idesercizio = 2026))"},
        {"totals.group.accounts", "", "", "(idelementopdc = 1014)"},
        {"totals.group.children", "", "", "(idelementopdcpadre = 1003)"},
    };
    // clang-format on
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        const QString sql = listed[QString::fromLatin1(row.name)].replace(QLatin1String(row.typed),
                                                                          QLatin1String(row.instead));
        PGresult *result = PQexec(db->handle(), ("EXPLAIN " + sql).toUtf8().constData());
        QStringList plan;
        for (int line = 0; line < PQntuples(result); ++line)
            plan << QString::fromUtf8(PQgetvalue(result, line, 0)).trimmed();
        PQclear(result);
        EXPECT_FALSE(plan.join(u'\n').contains(QLatin1String("Seq Scan"))) << plan.join(u'\n').toStdString();
        EXPECT_TRUE(std::any_of(plan.cbegin(), plan.cend(), [&](const QString &line) {
            return line.startsWith(QLatin1String("Index Cond: ")) &&
                   line.contains(QLatin1String(row.searched));
        })) << plan.join(u'\n').toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Schema, StatementsTest, ::testing::ValuesIn(test::readListedStatements()),
    [](const ::testing::TestParamInfo<Entry> &entry) {
        QString name = entry.param.name;
        return name.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9]")), "_").toStdString();
    });

} // namespace
} // namespace orv
