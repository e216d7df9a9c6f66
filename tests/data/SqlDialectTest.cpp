#include "data/SqlDialect.h"
#include "data/DbUtility.h"

#include "support/Engines.h"

#include <QStringList>

#include <gtest/gtest.h>

using namespace orv;

namespace {

QStringList column(DbConnection &db, const QString &sql)
{
    QStringList values;
    for (auto rows = db.OpenResultSet(sql); !rows->Eof(); rows->MoveNext())
        values << (rows->value(0).isNull() ? QStringLiteral("NULL") : rows->value(0).toText());
    return values;
}

using SqlDialectTest = test::EngineTest;

// The engine is the judge: every pair of texts compares on it as the dialect says, ASCII letters
// without regard to case and characters above U+FFFF after those below, SQLite's NOCASE order.
TEST_P(SqlDialectTest, ComparesTextsAsTheEngineOrdersThem)
{
    const SqlDialect &dialect = db->dialect();
    const QStringList texts = {"",  "a", "A",          "ab",          "aB",     "a b",    "_",
                               "Z", "z", "[",          "é",           "É",      "ss",     "SS",
                               "€", "ﬁ", "\U0001D538", "\U0001D538a", "\uFFFD", "a\u00A0"};
    for (const QString &left : texts) {
        for (const QString &right : texts) {
            const QString l = dbUtility().SqlText(left), r = dbUtility().SqlText(right);
            const int engine =
                column(*db, QStringLiteral("SELECT CASE WHEN %1 THEN 1 WHEN %2 THEN -1 ELSE 0 END")
                                .arg(dialect.caseInsensitiveComparison(r, u"<", l),
                                     dialect.caseInsensitiveComparison(l, u"<", r)))
                    .value(0)
                    .toInt();
            const int ours = dialect.compareCaseInsensitive(left, right);
            EXPECT_EQ((ours > 0) - (ours < 0), engine) << l.toStdString() << " " << r.toStdString();
        }
    }
}

// A column whose name holds a quote, from a subquery that ends in a line comment.
TEST_P(SqlDialectTest, ComposesStatementsTheEngineRunsWithNullsFirstAscending)
{
    const SqlDialect &dialect = db->dialect();
    const QString name = dialect.escapeIdentifier(QStringLiteral("Co\"dice"));
    const QString select =
        QStringLiteral("SELECT ") + name + QStringLiteral(" FROM ") +
        dialect.subquery(QStringLiteral("SELECT 'b' AS \"Co\"\"dice\" UNION ALL SELECT 'A'"
                                        " UNION ALL SELECT NULL UNION ALL SELECT 'c' -- end"));
    const auto from = [&](const char *key) {
        return QStringLiteral(" WHERE ") +
               dialect.caseInsensitiveComparison(name, u">=", QString::fromLatin1(key));
    };
    const struct {
        QString where;
        bool descending;
        int count, offset;
        QStringList rows;
    } cases[] = {{{}, false, 9, 0, {"NULL", "A", "b", "c"}},
                 {{}, true, 2, 1, {"b", "A"}},
                 {from("'B'"), false, 1, 1, {"c"}}};
    for (const auto &c : cases) {
        EXPECT_EQ(column(*db, select + c.where + QStringLiteral(" ORDER BY ") +
                                  dialect.orderTerm(name, true, c.descending) +
                                  dialect.limitClause(c.count, c.offset)),
                  c.rows);
    }
}

ORV_ON_EVERY_ENGINE(SqlDialectTest);

} // namespace
