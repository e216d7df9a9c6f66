#include "data/MemoryResultSet.h"
#include "data/RuntimeError.h"

#include "support/PrintVariant.h"

#include <gtest/gtest.h>

#include <vector>

using namespace orv;

namespace {

const QStringList kColumns = {QStringLiteral("IDAnagrafica"), QStringLiteral("Anagrafica")};

} // namespace

TEST(MemoryResultSet, EmptyHasEofAndBofAndNoRowToRead)
{
    auto rows = MemoryResultSet::empty(kColumns);
    EXPECT_TRUE(rows->Bof());
    EXPECT_EQ(rows->Fields().Count(), 2);
    EXPECT_EQ(walk(*rows, "NF"), "eof #3021 eof");
    EXPECT_THAT([&] { (void)rows->Fields().Item(0).Value(); }, raisesNumber(kErrNoCurrentRow));

    auto bare = MemoryResultSet::empty();
    EXPECT_TRUE(bare->Eof() && bare->Bof());
    EXPECT_THAT([&] { (void)bare->Fields().Item(0); }, raisesNumber(kErrItemNotFound));
}

TEST(MemoryResultSet, RowsInOrderByNameOrPositionNullsKeptThenPastTheEnd)
{
    MemoryResultSet rows(kColumns, {{7, "Dell'Orto Mario"}, {8, Variant::null()}});
    EXPECT_FALSE(rows.Bof());
    EXPECT_EQ(rows.Fields().Item(QStringLiteral("Agente.IDAnagrafica")).Value(), Variant(7));
    EXPECT_EQ(rows.Fields().Item(QStringLiteral("anagrafica")).Value(), Variant("Dell'Orto Mario"));
    EXPECT_EQ(rows.Fields().Item(1).Value(), Variant("Dell'Orto Mario"));
    EXPECT_THAT([&] { (void)rows.Fields().Item(QStringLiteral("Codice")); }, raisesNumber(kErrItemNotFound));
    rows.MoveNext();
    EXPECT_TRUE(rows.Fields().Item(1).Value().isNull());
    EXPECT_EQ(walk(rows, "NNF"), "8 eof #3021 7");
    rows.Close();
    EXPECT_EQ(walk(rows, "N"), "eof #3021");
}
