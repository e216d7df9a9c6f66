#include "data/MemoryResultSet.h"
#include "data/RuntimeError.h"

#include "support/PrintVariant.h"

#include <gtest/gtest.h>

using namespace orv;

TEST(MemoryResultSet, RowsInOrderByNameOrPositionThenPastTheEndAndEmptyHasEofAndBof)
{
    MemoryResultSet rows({"IDAnagrafica", "Anagrafica"}, {{7, "Dell'Orto Mario"}, {8, Variant::null()}});
    EXPECT_FALSE(rows.Bof());
    EXPECT_EQ(rows.Fields().Item(QStringLiteral("Agente.IDAnagrafica")).Value(), Variant(7));
    EXPECT_EQ(rows.Fields().Item(QStringLiteral("anagrafica")).Value(), Variant("Dell'Orto Mario"));
    EXPECT_THAT([&] { (void)rows.Fields().Item(QStringLiteral("Codice")); }, raisesNumber(kErrItemNotFound));
    rows.MoveNext();
    EXPECT_TRUE(rows.Fields().Item(1).Value().isNull());
    EXPECT_EQ(walk(rows, "NNF"), "8 eof #3021 7");
    rows.Close();
    EXPECT_EQ(walk(rows, "N"), "eof #3021");

    auto empty = MemoryResultSet::empty({"IDAnagrafica"});
    EXPECT_TRUE(empty->Bof());
    EXPECT_EQ(walk(*empty, "NF"), "eof #3021 eof");
    EXPECT_THAT([&] { (void)empty->Fields().Item(0).Value(); }, raisesNumber(kErrNoCurrentRow));
    EXPECT_THAT([&] { (void)empty->Fields().Item(1); }, raisesNumber(kErrItemNotFound)); // one past the last
}
