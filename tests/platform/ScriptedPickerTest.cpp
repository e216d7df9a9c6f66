#include "support/FakeServices.h"

#include "data/SqliteConnection.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

using namespace orv;
using orv::test::PickChoice;
using orv::test::PickRow;
using orv::test::ScriptedPickerFactory;
using orv::test::ServiceOverride;

namespace {

const QString kCustomers = QStringLiteral("SELECT 10 AS IDAnagrafica, 'Rossi' AS Anagrafica"
                                          " UNION ALL SELECT 20, 'Bianchi'"
                                          " UNION ALL SELECT 30, 'Verdi'");

// Opens a picker the way the control does and returns what Pick handed back.
std::unique_ptr<DbResultSet> pickCustomer(const DbConnectionPtr &connection)
{
    std::unique_ptr<SearchPicker> picker = services::pickers().create(nullptr);
    picker->SearchText(QStringLiteral("R"));
    picker->Caption(QStringLiteral("Ricerca clienti"));
    picker->KeyField(QStringLiteral("IDAnagrafica"));
    picker->QueryText(kCustomers);
    picker->Connection(connection);
    picker->AddColumn(QStringLiteral("Cliente"), QStringLiteral("Anagrafica"), 0);
    return picker->Pick();
}

} // namespace

TEST(ScriptedPicker, HandsBackTheScriptedRowAloneAndRecordsEverySettingInOrder)
{
    const DbConnectionPtr db = SqliteConnection::open(QStringLiteral(":memory:"));
    ServiceOverride<ScriptedPickerFactory> pickers;
    pickers->then(PickChoice::row(1))
        .then(PickChoice::withValue(QStringLiteral("anagrafica"), Variant("Verdi")))
        .then(PickChoice::where(
            [](const PickRow &row) { return row.value(QStringLiteral("IDAnagrafica")).toLong() < 15; }))
        .then(PickChoice::cancel());
    for (int expected : {20, 30, 10, 0}) {
        SCOPED_TRACE(expected);
        std::unique_ptr<DbResultSet> chosen = pickCustomer(db);
        EXPECT_EQ(chosen->Bof(), expected == 0);
        if (expected) {
            ASSERT_FALSE(chosen->Eof());
            EXPECT_EQ(chosen->Fields().Item(QStringLiteral("IDAnagrafica")).Value().toLong(), expected);
            chosen->MoveNext();
        }
        EXPECT_TRUE(chosen->Eof());
    }
    EXPECT_EQ(pickers->pendingChoices(), 0u);

    ASSERT_EQ(pickers->pickers().size(), 4u);
    const auto &record = pickers->last();
    EXPECT_EQ(record.calls, QStringList({"SearchText", "Caption", "KeyField", "QueryText", "Connection",
                                         "AddColumn", "Pick"}));
    EXPECT_EQ(record.searchText, QStringLiteral("R"));
    EXPECT_EQ(record.caption, QStringLiteral("Ricerca clienti"));
    EXPECT_EQ(record.keyField, QStringLiteral("IDAnagrafica"));
    EXPECT_EQ(record.queryText, kCustomers);
    EXPECT_EQ(record.connection, db);
    ASSERT_EQ(record.columns.size(), 1u);
    EXPECT_EQ(record.columns[0].header, QStringLiteral("Cliente"));
    EXPECT_EQ(record.columns[0].column, QStringLiteral("Anagrafica"));
    EXPECT_EQ(record.rowsOffered, 3);
    EXPECT_FALSE(record.chosenRow.has_value());
}

TEST(ScriptedPicker, AScriptThatMatchesNothingFailsTheTest)
{
    const DbConnectionPtr db = SqliteConnection::open(QStringLiteral(":memory:"));
    ServiceOverride<ScriptedPickerFactory> pickers;
    pickers->then(PickChoice::row(3));
    EXPECT_NONFATAL_FAILURE(EXPECT_TRUE(pickCustomer(db)->Eof()), "found no row for row 3");
    EXPECT_NONFATAL_FAILURE(pickCustomer(db), "no scripted choice");
}
