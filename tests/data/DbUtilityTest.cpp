#include "data/DbUtility.h"
#include "data/RuntimeError.h"
#include "data/SqliteConnection.h"

#include "support/PrintVariant.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <limits>

using namespace orv;

namespace {

class DbUtilityTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        db->executeScript(QStringLiteral("CREATE TABLE Anagrafica (IDAnagrafica INTEGER PRIMARY KEY,"
                                         " Anagrafica TEXT, Nome TEXT);"
                                         "INSERT INTO Anagrafica VALUES (1, 'Dell''Orto Mario', NULL),"
                                         " (2, 'Dell''Orto Luigi', 'Luigi'), (3, 'Della Valle', 'Anna'),"
                                         " (-5, 'Rossi', 'Paolo'), (4, 'O''', 'Apostrofo');"));
    }

    // The names of the rows WHERE `condition` holds, by name, joined with '|'.
    QString names(const QString &condition)
    {
        QStringList result;
        auto rows = db->OpenResultSet(QStringLiteral("SELECT Anagrafica FROM Anagrafica WHERE ") + condition +
                                      QStringLiteral(" ORDER BY Anagrafica"));
        for (; !rows->Eof(); rows->MoveNext())
            result << rows->Fields().Item(0).Value().toText();
        return result.join(u'|');
    }

    std::shared_ptr<SqliteConnection> db = SqliteConnection::open(QStringLiteral(":memory:"));
};

} // namespace

// Text literals double their apostrophes; numbers are decimal with a leading minus; Null is Null.
// NullToValue makes Null Empty.
TEST_F(DbUtilityTest, SqlLiteralsOfTextAndNumbersWorkInStatements)
{
    // clang-format off
    const struct { Variant value; const char *text, *number; } rows[] = {
        {"Dell'Orto", "'Dell''Orto'", "#13"}, {"abc", "'abc'", "#13"}, {"", "''", "#13"},
        {"'", "''''", "#13"}, {"''", "''''''", "#13"}, {" a b ", "' a b '", "#13"}, {12, "'12'", "12"},
        {-5, "'-5'", "-5"}, {0, "'0'", "0"}, {-2147483647 - 1, "'-2147483648'", "-2147483648"},
        {Variant::integer(-3), "'-3'", "-3"}, {-12.5, "'-12.5'", "-12.5"},
        {Currency::fromText(QStringLiteral("-2.5")), "'-2.5'", "-2.5"}, {"-7", "'-7'", "-7"},
        {Variant::null(), "Null", "Null"}
    };
    // clang-format on
    for (const auto &row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(textOf([&] { return dbUtility().SqlText(row.value); }), QString::fromUtf8(row.text));
        EXPECT_EQ(textOf([&] { return dbUtility().SqlNumber(row.value); }), QString::fromUtf8(row.number));
    }
    // As an equality and, less its closing apostrophe and with "%'" appended, as the prefix
    // pattern the lookups by description build.
    const auto prefix = [](const char *text) { return dbUtility().SqlText(Variant(text)).chopped(1) + "%'"; };
    EXPECT_EQ(names("Anagrafica = " + dbUtility().SqlText(Variant("Dell'Orto Mario"))), "Dell'Orto Mario");
    EXPECT_EQ(names("Anagrafica = " + dbUtility().SqlText(Variant("O'"))), "O'");
    EXPECT_EQ(names("Anagrafica LIKE " + prefix("Dell'Orto")), "Dell'Orto Luigi|Dell'Orto Mario");
    EXPECT_EQ(names("Anagrafica LIKE " + prefix("O'")), "O'");
    EXPECT_EQ(names("IDAnagrafica = " + dbUtility().SqlNumber(Variant(-5))), "Rossi");
    EXPECT_EQ(names("10 - " + dbUtility().SqlNumber(Variant(-5)) + " = 15 AND IDAnagrafica = 3"),
              "Della Valle");

    EXPECT_TRUE(dbUtility().NullToValue(Variant::null()).isEmpty());
    EXPECT_EQ(dbUtility().NullToValue(Variant(0)), Variant(0));
    // Whole numbers in sign-blank form: a blank before a non-negative one.
    EXPECT_EQ(QStringList({signBlank(5), signBlank(-5), signBlank(0), signBlank(3000000000LL),
                           signBlank(std::numeric_limits<qint64>::min())}),
              QStringList({" 5", "-5", " 0", " 3000000000", "-9223372036854775808"}));
}
