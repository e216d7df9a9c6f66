#include "data/AnsiText.h"
#include "data/RuntimeError.h"
#include "support/Database.h"
#include "support/QtPrinters.h"

#include <QRegularExpression>
#include <QStringList>

#include <gtest/gtest.h>

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
    static void SetUpTestSuite() { db = test::demoDatabase(); }
    static void TearDownTestSuite() { db.reset(); }
    static inline std::shared_ptr<SqliteConnection> db;
};

TEST_P(StatementsTest, RunsOnTheDemoCompanyWithTheExpectedRows)
{
    const Entry &entry = GetParam();
    QString sql = entry.sql;
    std::unique_ptr<DbResultSet> rs;
    ASSERT_NO_THROW(rs = runSql(db.get(), sql));
    QStringList first;
    for (int column = 0; column < entry.first.size() && !rs->Eof(); ++column) {
        const Variant value = rs->Fields().Item(column).Value();
        // Numbers compare as numbers, so that "12.5" matches 12.50.
        bool number = false;
        const double expected = entry.first[column].toDouble(&number);
        first << (value.isNull()                                                ? QStringLiteral("NULL")
                  : number && value.isNumeric() && value.toDouble() == expected ? entry.first[column]
                                                                                : value.toText());
    }
    EXPECT_EQ(first, entry.first);
    int rows = 0;
    for (; !rs->Eof(); rs->MoveNext())
        ++rows;
    if (entry.rows >= 0) {
        EXPECT_EQ(rows, entry.rows);
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
