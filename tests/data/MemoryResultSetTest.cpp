#include "data/MemoryResultSet.h"
#include "data/RuntimeError.h"

#include "PrintVariant.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <vector>

using namespace orv;
using ::testing::Eq;
using ::testing::Property;
using ::testing::Throws;

namespace {

auto raisesNumber(int number)
{
    return Throws<RuntimeError>(Property(&RuntimeError::number, Eq(number)));
}

const QStringList kColumns = {QStringLiteral("IDAnagrafica"), QStringLiteral("Anagrafica")};

} // namespace

TEST(MemoryResultSet, EmptyHasEofAndBof)
{
    auto rows = MemoryResultSet::empty(kColumns);
    EXPECT_TRUE(rows->Eof());
    EXPECT_TRUE(rows->Bof());
    EXPECT_EQ(rows->Fields().Count(), 2);
    EXPECT_THAT([&] { (void)rows->Fields().Item(QStringLiteral("IDAnagrafica")).Value(); },
                raisesNumber(3021));
    EXPECT_THAT([&] { rows->MoveNext(); }, raisesNumber(3021));
    rows->MoveFirst();
    EXPECT_TRUE(rows->Eof());

    auto bare = MemoryResultSet::empty();
    EXPECT_TRUE(bare->Eof());
    EXPECT_TRUE(bare->Bof());
    EXPECT_THAT([&] { (void)bare->Fields().Item(0); }, raisesNumber(3265));
}

TEST(MemoryResultSet, OneRowThenPastTheEnd)
{
    MemoryResultSet rows(kColumns, {{Variant(7), Variant("Dell'Orto Mario")}});
    ASSERT_FALSE(rows.Eof());
    EXPECT_FALSE(rows.Bof());
    EXPECT_EQ(rows.Fields().Item(QStringLiteral("Agente.IDAnagrafica")).Value(), Variant(7));
    EXPECT_EQ(rows.Fields().Item(QStringLiteral("anagrafica")).Value(), Variant("Dell'Orto Mario"));
    EXPECT_EQ(rows.Fields().Item(1).Value(), Variant("Dell'Orto Mario"));
    EXPECT_THAT([&] { (void)rows.Fields().Item(QStringLiteral("Codice")); }, raisesNumber(3265));

    rows.MoveNext();
    EXPECT_TRUE(rows.Eof());
    EXPECT_THAT([&] { (void)rows.Fields().Item(0).Value(); }, raisesNumber(3021));
    EXPECT_THAT([&] { rows.MoveNext(); }, raisesNumber(3021));

    rows.MoveFirst();
    ASSERT_FALSE(rows.Eof());
    EXPECT_EQ(rows.Fields().Item(QStringLiteral("IDAnagrafica")).Value(), Variant(7));
}

TEST(MemoryResultSet, RowsInOrderAndNullsKept)
{
    MemoryResultSet rows(
        kColumns,
        {{Variant(1), Variant("Rossi")}, {Variant(2), Variant::null()}, {Variant(3), Variant("Verdi")}});
    std::vector<std::int32_t> ids;
    std::vector<bool> nullNames;
    for (; !rows.Eof(); rows.MoveNext()) {
        ids.push_back(rows.Fields().Item(QStringLiteral("IDAnagrafica")).Value().toLong());
        nullNames.push_back(rows.Fields().Item(QStringLiteral("Anagrafica")).Value().isNull());
    }
    EXPECT_EQ(ids, (std::vector<std::int32_t>{1, 2, 3}));
    EXPECT_EQ(nullNames, (std::vector<bool>{false, true, false}));
}

TEST(MemoryResultSet, CloseReleasesTheRows)
{
    MemoryResultSet rows(kColumns, {{Variant(1), Variant("Rossi")}});
    rows.Close();
    EXPECT_TRUE(rows.Eof());
    EXPECT_THAT([&] { (void)rows.Fields().Item(0).Value(); }, raisesNumber(3021));
}
