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

// Opens a picker the way the control does and tells what Pick handed back: the id of the one
// row, or "cancel" for none.
QString pickCustomer(const DbConnectionPtr &connection)
{
    std::unique_ptr<SearchPicker> picker = services::pickers().create(nullptr);
    picker->SearchText(QStringLiteral("R"));
    picker->Caption(QStringLiteral("Ricerca clienti"));
    picker->KeyField(QStringLiteral("IDAnagrafica"));
    picker->QueryText(kCustomers);
    picker->Connection(connection);
    picker->AddColumn(QStringLiteral("Cliente"), QStringLiteral("Anagrafica"), 0);
    std::unique_ptr<DbResultSet> chosen = picker->Pick();
    if (chosen->Eof())
        return chosen->Bof() ? QStringLiteral("cancel") : QStringLiteral("not at its row");
    const QString id = chosen->Fields().Item(QStringLiteral("IDAnagrafica")).Value().toText();
    chosen->MoveNext();
    return chosen->Eof() ? id : id + QStringLiteral(" and more");
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
    QStringList picked;
    for (int pick = 0; pick < 4; ++pick)
        picked << pickCustomer(db);
    EXPECT_EQ(picked, QStringList({"20", "30", "10", "cancel"}));
    EXPECT_EQ(pickers->pendingChoices(), 0u);

    ASSERT_EQ(pickers->pickers().size(), 4u);
    const auto &record = pickers->last();
    EXPECT_EQ(record.calls.join(u' '), "SearchText Caption KeyField QueryText Connection AddColumn Pick");
    EXPECT_EQ(QStringList({record.searchText, record.caption, record.keyField, record.queryText}),
              QStringList({"R", "Ricerca clienti", "IDAnagrafica", kCustomers}));
    EXPECT_EQ(record.connection, db);
    ASSERT_EQ(record.columns.size(), 1u);
    EXPECT_EQ(record.columns[0].header + u'=' + record.columns[0].column, "Cliente=Anagrafica");
    EXPECT_EQ(record.rowsOffered, 3);
    EXPECT_FALSE(record.chosenRow.has_value());
}

TEST(ScriptedPicker, AScriptThatMatchesNothingFailsTheTest)
{
    const DbConnectionPtr db = SqliteConnection::open(QStringLiteral(":memory:"));
    ServiceOverride<ScriptedPickerFactory> pickers;
    pickers->then(PickChoice::row(3));
    EXPECT_NONFATAL_FAILURE(EXPECT_EQ(pickCustomer(db), "cancel"), "found no row for row 3");
    EXPECT_NONFATAL_FAILURE(pickCustomer(db), "no scripted choice");
}
