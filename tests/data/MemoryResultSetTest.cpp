#include "data/MemoryResultSet.h"
#include "data/RuntimeError.h"

#include "PrintVariant.h"

#include <gtest/gtest.h>

#include <vector>

using namespace orv;

namespace {

const QStringList kColumns = {QStringLiteral("IDAnagrafica"), QStringLiteral("Anagrafica")};

// No current row: reading raises 3021, and so does moving on.
void expectNoCurrentRow(DbResultSet &rows)
{
    EXPECT_TRUE(rows.Eof());
    EXPECT_THAT([&] { (void)rows.Fields().Item(0).Value(); }, raisesNumber(3021));
    EXPECT_THAT([&] { rows.MoveNext(); }, raisesNumber(3021));
}

} // namespace

TEST(MemoryResultSet, EmptyHasEofAndBof)
{
    auto rows = MemoryResultSet::empty(kColumns);
    EXPECT_TRUE(rows->Bof());
    EXPECT_EQ(rows->Fields().Count(), 2);
    expectNoCurrentRow(*rows);
    rows->MoveFirst();
    EXPECT_TRUE(rows->Eof());

    auto bare = MemoryResultSet::empty();
    EXPECT_TRUE(bare->Eof());
    EXPECT_TRUE(bare->Bof());
    EXPECT_THAT([&] { (void)bare->Fields().Item(0); }, raisesNumber(3265));
}

TEST(MemoryResultSet, RowsInOrderByNameOrPositionNullsKeptThenPastTheEnd)
{
    MemoryResultSet rows(kColumns, {{7, "Dell'Orto Mario"}, {8, Variant::null()}});
    ASSERT_FALSE(rows.Eof());
    EXPECT_FALSE(rows.Bof());
    EXPECT_EQ(rows.Fields().Item(QStringLiteral("Agente.IDAnagrafica")).Value(), Variant(7));
    EXPECT_EQ(rows.Fields().Item(QStringLiteral("anagrafica")).Value(), Variant("Dell'Orto Mario"));
    EXPECT_EQ(rows.Fields().Item(1).Value(), Variant("Dell'Orto Mario"));
    EXPECT_THAT([&] { (void)rows.Fields().Item(QStringLiteral("Codice")); }, raisesNumber(3265));
    rows.MoveNext();
    EXPECT_EQ(rows.Fields().Item(0).Value(), Variant(8));
    EXPECT_TRUE(rows.Fields().Item(1).Value().isNull());
    rows.MoveNext();
    expectNoCurrentRow(rows);

    rows.MoveFirst();
    ASSERT_FALSE(rows.Eof());
    EXPECT_EQ(rows.Fields().Item(QStringLiteral("IDAnagrafica")).Value(), Variant(7));
    rows.Close();
    EXPECT_TRUE(rows.Eof());
    EXPECT_THAT([&] { (void)rows.Fields().Item(0).Value(); }, raisesNumber(3021));
}
