#include "data/DbUtility.h"
#include "data/RuntimeError.h"
#include "data/SqliteConnection.h"

#include "PrintVariant.h"

#include <QStringList>

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
                                         "INSERT INTO Anagrafica VALUES (1, 'Dell''Orto Mario', NULL),"
                                         " (2, 'Dell''Orto Luigi', 'Luigi'), (3, 'Della Valle', 'Anna'),"
                                         " (-5, 'Rossi', 'Paolo'), (4, 'O''', 'Apostrofo');"));
    }

    // The names the rows WHERE `condition` hold, by name.
    QStringList names(const QString &condition)
    {
        QStringList result;
        auto rows = db->OpenResultSet(QStringLiteral("SELECT Anagrafica FROM Anagrafica WHERE ") + condition +
                                      QStringLiteral(" ORDER BY Anagrafica"));
        for (; !rows->Eof(); rows->MoveNext())
            result << rows->Fields().Item(QStringLiteral("Anagrafica")).Value().toText();
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
    } rows[] = {{"Dell'Orto", "'Dell''Orto'"}, {"abc", "'abc'"}, {"", "''"}, {"'", "''''"}, {"''", "''''''"},
                {" a b ", "' a b '"},          {12, "'12'"}};
    for (const auto &row : rows) {
        SCOPED_TRACE(row.expected);
        EXPECT_EQ(dbUtility().SqlText(row.value), QString::fromUtf8(row.expected));
    }
    // As an equality and, less its closing apostrophe and with "%'" appended, as the prefix
    // pattern the lookups by description build.
    const auto prefix = [](const char *text) { return dbUtility().SqlText(Variant(text)).chopped(1) + "%'"; };
    EXPECT_EQ(names("Anagrafica = " + dbUtility().SqlText(Variant("Dell'Orto Mario"))),
              QStringList{"Dell'Orto Mario"});
    EXPECT_EQ(names("Anagrafica = " + dbUtility().SqlText(Variant("O'"))), QStringList{"O'"});
    EXPECT_EQ(prefix("Dell'Orto"), QStringLiteral("'Dell''Orto%'"));
    EXPECT_EQ(names("Anagrafica LIKE " + prefix("Dell'Orto")),
              QStringList({"Dell'Orto Luigi", "Dell'Orto Mario"}));
    EXPECT_EQ(names("Anagrafica LIKE " + prefix("O'")), QStringList{"O'"});
}

TEST_F(DbUtilityTest, SqlNumberWritesDecimalWithALeadingMinus)
{
    const struct {
        Variant value;
        const char *expected;
    } rows[] = {{-5, "-5"},
                {0, "0"},
                {123, "123"},
                {-2147483647 - 1, "-2147483648"},
                {Variant::integer(-3), "-3"},
                {-12.5, "-12.5"},
                {Currency::fromText(QStringLiteral("-2.5")), "-2.5"},
                {"-7", "-7"}};
    for (const auto &row : rows) {
        SCOPED_TRACE(row.expected);
        EXPECT_EQ(dbUtility().SqlNumber(row.value), QString::fromLatin1(row.expected));
    }
    EXPECT_EQ(names("IDAnagrafica = " + dbUtility().SqlNumber(Variant(-5))), QStringList{"Rossi"});
    auto rows2 = db->OpenResultSet("SELECT 10 - " + dbUtility().SqlNumber(Variant(-5)) + " AS n");
    EXPECT_EQ(rows2->Fields().Item(QStringLiteral("n")).Value(), Variant(15));
}

TEST_F(DbUtilityTest, NullToValueGivesEmptyForNullAndKeepsTheRest)
{
    EXPECT_TRUE(dbUtility().NullToValue(Variant::null()).isEmpty());
    for (const Variant &value : {Variant("abc"), Variant(0), Variant()})
        EXPECT_EQ(dbUtility().NullToValue(value), value);

    auto rows = db->OpenResultSet(QStringLiteral(
        "SELECT Nome, IDAnagrafica FROM Anagrafica WHERE IDAnagrafica IN (1, 2) ORDER BY IDAnagrafica"));
    ASSERT_FALSE(rows->Eof());
    EXPECT_TRUE(rows->Fields().Item(QStringLiteral("Nome")).Value().isNull());
    EXPECT_TRUE(dbUtility().NullToValue(rows->Fields().Item(QStringLiteral("Nome"))).isEmpty());
    rows->MoveNext();
    EXPECT_EQ(dbUtility().NullToValue(rows->Fields().Item(QStringLiteral("Nome"))), Variant("Luigi"));
    EXPECT_EQ(dbUtility().NullToValue(rows->Fields().Item(QStringLiteral("IDAnagrafica"))), Variant(2));
}

TEST(SignBlank, BlankBeforeNonNegativeMinusBeforeNegative)
{
    const struct {
        qint64 number;
        const char *expected;
    } rows[] = {{5, " 5"},
                {-5, "-5"},
                {0, " 0"},
                {3000000000LL, " 3000000000"},
                {std::numeric_limits<qint64>::min(), "-9223372036854775808"}};
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
    std::thread([&other] { other = &dbUtility(); }).join();
    EXPECT_NE(other, mine);
}
