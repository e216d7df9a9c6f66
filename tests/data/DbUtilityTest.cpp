#include "data/DbUtility.h"
#include "data/RuntimeError.h"
#include "data/SqliteConnection.h"

#include "PrintVariant.h"

#include <QStringList>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <limits>
#include <thread>

using namespace orv;

namespace {

class DbUtilityTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        db = SqliteConnection::open(QStringLiteral(":memory:"));
        db->executeScript(QStringLiteral("CREATE TABLE Anagrafica (IDAnagrafica INTEGER PRIMARY KEY,"
                                         " Anagrafica TEXT, Nome TEXT);"
                                         "INSERT INTO Anagrafica VALUES (1, 'Dell''Orto Mario', NULL);"
                                         "INSERT INTO Anagrafica VALUES (2, 'Dell''Orto Luigi', 'Luigi');"
                                         "INSERT INTO Anagrafica VALUES (3, 'Della Valle', 'Anna');"
                                         "INSERT INTO Anagrafica VALUES (-5, 'Rossi', 'Paolo');"
                                         "INSERT INTO Anagrafica VALUES (4, 'O''', 'Apostrofo');"));
    }

    QStringList names(const QString &sql)
    {
        QStringList result;
        auto rows = db->OpenResultSet(sql);
        while (!rows->Eof()) {
            result << rows->Fields().Item(QStringLiteral("Anagrafica")).Value().toText();
            rows->MoveNext();
        }
        return result;
    }

    std::shared_ptr<SqliteConnection> db;
};

} // namespace

TEST_F(DbUtilityTest, SqlTextQuotesAndDoublesApostrophes)
{
    const struct {
        Variant value;
        const char *expected;
    } rows[] = {
        {Variant("Dell'Orto"), "'Dell''Orto'"},
        {Variant("abc"), "'abc'"},
        {Variant(""), "''"},
        {Variant("'"), "''''"},
        {Variant("''"), "''''''"},
        {Variant(" a b "), "' a b '"},
        {Variant(12), "'12'"},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.expected);
        EXPECT_EQ(dbUtility().SqlText(row.value), QString::fromUtf8(row.expected));
    }
}

TEST_F(DbUtilityTest, SqlTextLiteralFindsTheTextWithApostrophes)
{
    const QString equal = QStringLiteral("SELECT Anagrafica FROM Anagrafica WHERE Anagrafica = ");
    EXPECT_EQ(names(equal + dbUtility().SqlText(Variant("Dell'Orto Mario"))),
              QStringList{QStringLiteral("Dell'Orto Mario")});
    EXPECT_EQ(names(equal + dbUtility().SqlText(Variant("O'"))), QStringList{QStringLiteral("O'")});
}

TEST_F(DbUtilityTest, SqlTextLiteralBecomesAPrefixPattern)
{
    // Drop the closing apostrophe and append "%'": the lookups by description build their
    // prefix patterns this way.
    QString pattern = dbUtility().SqlText(Variant("Dell'Orto"));
    pattern.chop(1);
    pattern += QStringLiteral("%'");
    EXPECT_EQ(pattern, QStringLiteral("'Dell''Orto%'"));
    EXPECT_EQ(names(QStringLiteral("SELECT Anagrafica FROM Anagrafica WHERE Anagrafica LIKE ") + pattern +
                    QStringLiteral(" ORDER BY Anagrafica")),
              (QStringList{QStringLiteral("Dell'Orto Luigi"), QStringLiteral("Dell'Orto Mario")}));

    QString bare = dbUtility().SqlText(Variant("O'"));
    bare.chop(1);
    bare += QStringLiteral("%'");
    EXPECT_EQ(names(QStringLiteral("SELECT Anagrafica FROM Anagrafica WHERE Anagrafica LIKE ") + bare),
              QStringList{QStringLiteral("O'")});
}

TEST_F(DbUtilityTest, SqlNumberWritesDecimalWithALeadingMinus)
{
    const struct {
        Variant value;
        const char *expected;
    } rows[] = {
        {Variant(-5), "-5"},
        {Variant(0), "0"},
        {Variant(123), "123"},
        {Variant(-2147483647 - 1), "-2147483648"},
        {Variant::integer(-3), "-3"},
        {Variant(-12.5), "-12.5"},
        {Variant(Currency::fromText(QStringLiteral("-2.5"))), "-2.5"},
        {Variant("-7"), "-7"},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.expected);
        EXPECT_EQ(dbUtility().SqlNumber(row.value), QString::fromLatin1(row.expected));
    }
}

TEST_F(DbUtilityTest, SqlNumberOfANegativeIdRunsInAWhereClause)
{
    EXPECT_EQ(names(QStringLiteral("SELECT Anagrafica FROM Anagrafica WHERE IDAnagrafica = ") +
                    dbUtility().SqlNumber(Variant(-5))),
              QStringList{QStringLiteral("Rossi")});
    auto rows = db->OpenResultSet(QStringLiteral("SELECT 10 - ") + dbUtility().SqlNumber(Variant(-5)) +
                                  QStringLiteral(" AS n"));
    EXPECT_EQ(rows->Fields().Item(QStringLiteral("n")).Value(), Variant(15));
}

TEST_F(DbUtilityTest, NullToValueGivesEmptyForNull)
{
    const Variant empty = dbUtility().NullToValue(Variant::null());
    EXPECT_TRUE(empty.isEmpty());
    EXPECT_EQ(empty.toText(), QString());
    EXPECT_EQ(empty.toLong(), 0);
    EXPECT_EQ(empty.toDouble(), 0.0);
    EXPECT_EQ(empty.toCurrency(), Currency());

    EXPECT_EQ(dbUtility().NullToValue(Variant("abc")), Variant("abc"));
    EXPECT_EQ(dbUtility().NullToValue(Variant(0)), Variant(0));
    EXPECT_EQ(dbUtility().NullToValue(Variant()), Variant());
}

TEST_F(DbUtilityTest, NullToValueReadsAFieldOfTheCurrentRow)
{
    auto rows = db->OpenResultSet(QStringLiteral(
        "SELECT Nome, IDAnagrafica FROM Anagrafica WHERE IDAnagrafica IN (1, 2) ORDER BY IDAnagrafica"));
    ASSERT_FALSE(rows->Eof());
    const DbField nome = rows->Fields().Item(QStringLiteral("Nome"));
    EXPECT_TRUE(nome.Value().isNull());
    EXPECT_TRUE(dbUtility().NullToValue(nome).isEmpty());
    EXPECT_EQ(dbUtility().NullToValue(nome).toText(), QString());
    rows->MoveNext();
    EXPECT_EQ(dbUtility().NullToValue(rows->Fields().Item(QStringLiteral("Nome"))), Variant("Luigi"));
    EXPECT_EQ(dbUtility().NullToValue(rows->Fields().Item(QStringLiteral("IDAnagrafica"))), Variant(2));
}

TEST(SignBlank, BlankBeforeNonNegativeMinusBeforeNegative)
{
    const struct {
        qint64 number;
        const char *expected;
    } rows[] = {
        {5, " 5"},
        {-5, "-5"},
        {0, " 0"},
        {3000000000LL, " 3000000000"},
        {std::numeric_limits<qint64>::min(), "-9223372036854775808"},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.expected);
        EXPECT_EQ(signBlank(row.number), QString::fromLatin1(row.expected));
    }
}

TEST(DbUtilityObject, OnePerThread)
{
    DbUtility *mine = &dbUtility();
    EXPECT_EQ(&dbUtility(), mine);
    DbUtility *other = nullptr;
    std::thread worker([&other] { other = &dbUtility(); });
    worker.join();
    EXPECT_NE(other, mine);
}
