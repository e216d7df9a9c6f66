#include "data/AnsiText.h"
#include "data/RuntimeError.h"
#include "support/Database.h"

#include <QRegularExpression>
#include <QStringList>

#include <gtest/gtest.h>

#include <algorithm>

namespace orv {
namespace {

using Entry = test::ListedStatement;

bool sameValue(const Variant &actual, const QString &expectedText)
{
    const QString expected = expectedText.trimmed();
    if (expected == QLatin1String("NULL"))
        return actual.isNull();
    if (actual.isNull())
        return false;
    bool expectedIsNumber = false;
    const double number = expected.toDouble(&expectedIsNumber);
    if (expectedIsNumber && actual.isNumeric())
        return actual.toDouble() == number;
    return actual.toText() == expected;
}

class StatementsTest : public ::testing::TestWithParam<Entry> {
protected:
    static void SetUpTestSuite() { db = test::demoDatabase(); }
    static void TearDownTestSuite() { db.reset(); }
    static inline std::shared_ptr<SqliteConnection> db;
};

TEST_P(StatementsTest, RunsOnTheDemoCompanyWithTheExpectedRows)
{
    const Entry &entry = GetParam();
    QString sql = entry.sql;
    std::unique_ptr<DbResultSet> rs;
    try {
        rs = runSql(db.get(), sql);
    } catch (const RuntimeError &error) {
        FAIL() << entry.name.toStdString() << ": " << error.description().toStdString();
    }
    if (!entry.first.isEmpty()) {
        ASSERT_FALSE(rs->Eof()) << entry.name.toStdString();
        for (int column = 0; column < entry.first.size(); ++column) {
            const Variant value = rs->Fields().Item(column).Value();
            EXPECT_TRUE(sameValue(value, entry.first[column]))
                << entry.name.toStdString() << " column " << column << ": expected "
                << entry.first[column].trimmed().toStdString() << ", got "
                << (value.isNull() ? std::string("NULL") : value.toText().toStdString());
        }
    }
    int rows = 0;
    for (; !rs->Eof(); rs->MoveNext())
        ++rows;
    if (entry.rows >= 0) {
        EXPECT_EQ(rows, entry.rows) << entry.name.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Schema, StatementsTest, ::testing::ValuesIn(test::readListedStatements()),
                         [](const ::testing::TestParamInfo<Entry> &entry) {
                             QString name = entry.param.name;
                             name.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9]")),
                                          QStringLiteral("_"));
                             return name.toStdString();
                         });

// The field loads a branch by asking first for an account with the branch's id, so the demo draws
// both kinds of ids as from one sequence.
TEST(DemoCompany, NoIdIsBothABranchAndAnAccount)
{
    auto db = test::demoDatabase();
    QString sql = QStringLiteral("SELECT count(*), group_concat(IDElementoPDC) FROM ElementoPDC"
                                 " INNER JOIN ContoPDC ON ContoPDC.IDContoPDC = ElementoPDC.IDElementoPDC");
    auto rs = runSql(db.get(), sql);
    EXPECT_EQ(rs->Fields().Item(0).Value().toLong(), 0)
        << "ids of both: " << rs->Fields().Item(1).Value().toText().toStdString();
}

TEST(StatementsFile, HoldsEveryFamily)
{
    const auto entries = test::readListedStatements();
    ASSERT_GE(entries.size(), 50u);
    for (const char *family :
         {"registry.", "lookup.", "codes.", "totals.", "load.", "host.", "recheck.", "launch."}) {
        const bool present = std::any_of(entries.begin(), entries.end(), [family](const Entry &e) {
            return e.name.startsWith(QLatin1String(family));
        });
        EXPECT_TRUE(present) << family;
    }
}

} // namespace
} // namespace orv
