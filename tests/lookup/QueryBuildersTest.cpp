#include "lookup/QueryBuilders.h"

#include "control/OrvEnums.h"
#include "data/AnsiText.h"
#include "data/DbUtility.h"
#include "data/RuntimeError.h"
#include "support/Database.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringList>

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace orv::lookup {
namespace {

enum class Builder { Code, CodePrefix, Description };

QString build(const ControlState &s, Builder builder, std::int16_t mode, const QString &text)
{
    if (builder == Builder::Description)
        return fnSQLDescrizioneSearch(s, mode, text);
    return fnSQLCodiceSearch(s, mode, text, builder == Builder::CodePrefix);
}

// Block: 0 no block filter, 1 blocked customers left out, 2 blocked customers only.
ControlState stateOf(int searchType, int block = 0, const QString &filter = QString(), std::int32_t firm = 1)
{
    ControlState s;
    s.SearchType = searchType;
    s.IDFirm = firm;
    s.AttivaFiltroBlocco = block != 0;
    s.BloccoEmissioneDoc = block == 2;
    s.Filter = filter;
    return s;
}

// The statements of schema/statements.sql by name; the schema tests run each on the demo data.
std::map<QString, QString> listedStatements()
{
    QFile file(test::schemaPath(QStringLiteral("statements.sql")));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    std::map<QString, QString> byName;
    QString name;
    for (const QString &line : QString::fromUtf8(file.readAll()).split(u'\n')) {
        if (line.startsWith(QLatin1String("-- @name ")))
            name = line.mid(9).trimmed();
        else if (!line.startsWith(QLatin1String("--")) && line.trimmed().endsWith(u';'))
            byName[std::exchange(name, QString())] = line.trimmed().chopped(1);
    }
    return byName;
}

struct Golden {
    QString expected;
    int searchType;
    Builder builder;
    std::int16_t mode;
    QString text;
    QString filter = QString();
    int block = 0;
    std::int32_t firm = 1;
};

// Every registry statement of the list, and the places where a builder can go wrong beyond it:
// a join, a blank, a condition's order.
TEST(QueryBuilders, BuildEveryListedRegistryStatementExactly)
{
    const std::map<QString, QString> listed = listedStatements();
    std::set<QString> used;
    const auto L = [&](const char *name) {
        const QString key = QStringLiteral("registry.") + QLatin1String(name);
        used.insert(key);
        return listed.count(key) ? listed.at(key) : QStringLiteral("<not listed: %1>").arg(key);
    };
    using enum Builder;
    const Golden rows[] = {
        // clang-format off
        {L("customer.count.code"), OrvSearchCustomers, Code, kModeCount, " C001 "}, // outer blanks go
        {L("customer.rows.code"), OrvSearchCustomers, Code, kModeRows, "C001"},
        {L("customer.count.code_prefix"), OrvSearchCustomers, CodePrefix, kModeCount, "C01"},
        {L("customer.count.code_prefix_lower_case"), OrvSearchCustomers, CodePrefix, kModeCount, "c02"},
        {L("customer.rows.code_prefix"), OrvSearchCustomers, CodePrefix, kModeRows, "C02"},
        {L("customer.all"), OrvSearchCustomers, Code, 7, "C001"}, // a mode other than 1 and 2 lists all rows
        {L("customer.count.code_other_company_code"), OrvSearchCustomers, Code, kModeCount, "C050"},
        {L("customer.count.description"), OrvSearchCustomers, Description, kModeCount, "Ross"},
        {L("customer.rows.description_apostrophe"), OrvSearchCustomers, Description, kModeRows, " Dell'Orto "},
        {L("customer.count.description_blocked_excluded"), OrvSearchCustomers, Description, kModeCount, "R", "", 1},
        {L("customer.count.description_no_block_filter"), OrvSearchCustomers, Description, kModeCount, "R", "   "},
        {L("customer.all_blocked_only"), OrvSearchCustomers, Code, kModeAllRows, "C001", "", 2},
        {L("customer.rows.code_blocked_excluded"), OrvSearchCustomers, Code, kModeRows, "C012", "", 1},
        {L("customer.all_with_filter"), OrvSearchCustomers, Description, kModeAllRows, "x", "Anagrafica.IDComune = 1"},
        {L("supplier.count.code"), OrvSearchSuppliers, Code, kModeCount, "F001"},
        {L("supplier.rows.code"), OrvSearchAccounts, Code, kModeRows, "F009"}, // accounts get the supplier one
        {L("supplier.count.code_prefix"), OrvSearchSuppliers, CodePrefix, kModeCount, "F00"},
        {L("supplier.rows.description_apostrophe"), OrvSearchSuppliers, Description, kModeRows, "dell'a", "", 2},
        {L("supplier.all"), 11, Description, kModeAllRows, "x"}, // and so does an unknown type
        {L("agent.count.code_ambiguous"), OrvSearchAgents, Code, kModeCount, "A01"},
        {L("agent.rows.code"), OrvSearchAgents, Code, kModeRows, "A02"},
        {L("agent.count.code_cancelled"), OrvSearchAgents, Code, kModeCount, "A03"},
        {L("agent.count.code_prefix"), OrvSearchAgents, CodePrefix, kModeCount, "A"},
        {L("agent.all"), OrvSearchAgents, Code, kModeAllRows, "A01"},
        {L("agent.count.description_cancelled_included"), OrvSearchAgents, Description, kModeCount, "Fab"},
        {L("agent.rows.description"), OrvSearchAgents, Description, kModeRows, "mor"},
        {L("agent.all_by_description"), OrvSearchAgents, Description, kModeAllRows, "mor"},
        {L("clerk.count.code"), OrvSearchClerks, Code, kModeCount, "I01"},
        {L("clerk.count.code_of_agent"), OrvSearchClerks, Code, kModeCount, "A02"},
        {L("clerk.rows.description"), OrvSearchClerks, Description, kModeRows, "Pell"},
        {L("clerk.all"), OrvSearchClerks, CodePrefix, kModeAllRows, "I"},
        {L("agent_or_clerk.count.code"), OrvSearchAgentsAndClerks, Code, kModeCount, "A01"},
        {L("agent_or_clerk.rows.code"), OrvSearchAgentsAndClerks, Code, kModeRows, "I02"},
        {L("agent_or_clerk.all"), OrvSearchAgentsAndClerks, Code, kModeAllRows, ""},
        {L("agent_or_clerk.count.description"), OrvSearchAgentsAndClerks, Description, kModeCount, "S"},
        {L("agent_or_clerk.rows.description"), OrvSearchAgentsAndClerks, Description, kModeRows, "Car"},
        {L("customer_for_agent.count.code"), OrvSearchCustomersForAgent, Code, kModeCount, "C001"},
        {L("customer_for_agent.rows.code"), OrvSearchCustomersForAgent, Code, kModeRows, "C001", "", 2},
        {L("customer_for_agent.count.code_prefix"), OrvSearchCustomersForAgent, CodePrefix, kModeCount, "C00"},
        {L("customer_for_agent.count.description"), OrvSearchCustomersForAgent, Description, kModeCount, "Ross"},
        {L("customer_for_agent.rows.description"), OrvSearchCustomersForAgent, Description, kModeRows, "Russo"},
        {L("customer_for_agent.all"), OrvSearchCustomersForAgent, Code, kModeAllRows, ""},
        {L("collaborator.count.code"), OrvSearchCollaborators, Code, kModeCount, "CO01"},
        {L("collaborator.rows.code"), OrvSearchCollaborators, Code, kModeRows, "CO01"},
        {L("collaborator.count.code_prefix"), OrvSearchCollaborators, CodePrefix, kModeCount, "CO"},
        {L("collaborator.rows.description"), OrvSearchCollaborators, Description, kModeRows, "Test"},
        {L("collaborator.all"), OrvSearchCollaborators, Description, kModeAllRows, ""},
        {L("agent_for_customer.count.code"), OrvSearchAgentsForCustomer, Code, kModeCount, "A01"},
        {L("agent_for_customer.rows.code_with_filter"), OrvSearchAgentsForCustomer, Code, kModeRows, "A01",
         "Cliente.IDAnagrafica = 1"},
        {L("agent_for_customer.count.code_prefix"), OrvSearchAgentsForCustomer, CodePrefix, kModeCount, "A0"},
        {L("agent_for_customer.all"), OrvSearchAgentsForCustomer, Code, kModeAllRows, ""},
        {L("agent_for_customer.count.description"), OrvSearchAgentsForCustomer, Description, kModeCount, "Villa"},
        {L("agent_for_customer.rows.description"), OrvSearchAgentsForCustomer, Description, kModeRows, "Sart"},
        {L("agent_for_customer.all_by_description"), OrvSearchAgentsForCustomer, Description, kModeAllRows, ""},
        {L("any.count.code"), OrvSearchAllAnagraphics, CodePrefix, kModeCount, "C"}, // no code condition
        {L("any.all"), OrvSearchAllAnagraphics, Code, kModeRows, "C001"},
        {L("any.rows.description"), OrvSearchAllAnagraphics, Description, kModeRows, "Banca"},
        {L("any.count.description"), OrvSearchAllAnagraphics, Description, kModeCount, "Comune di"},
        // Beyond the list: the block filter comes before the caller's filter, which keeps its own blanks.
        {L("customer.rows.code_blocked_excluded") + " AND Anagrafica.IDComune = 1", OrvSearchCustomers, Code,
         kModeRows, "C012", "Anagrafica.IDComune = 1", 1},
        {L("supplier.count.code") + " AND   Fornitore.IDAnagrafica > 30", OrvSearchSuppliers, Code, kModeCount,
         "F001", "  Fornitore.IDAnagrafica > 30"},
        {L("any.count.code") + " AND Anagrafica  LIKE '%'", OrvSearchAllAnagraphics, Description, kModeCount, "   "},
        // A prefix keeps the code's trailing blanks before the %; a negative company keeps its sign.
        {"SELECT count(*) FROM Anagrafica INNER JOIN Cliente ON Anagrafica.IDAnagrafica = Cliente.IDAnagrafica"
         " AND Cliente.IDAzienda = 1 WHERE Anagrafica.VirtualDelete = 0 AND Codice LIKE 'C0 %'",
         OrvSearchCustomers, CodePrefix, kModeCount, "  C0 "},
        {"SELECT count(*) FROM Anagrafica INNER JOIN Fornitore ON Anagrafica.IDAnagrafica = Fornitore.IDAnagrafica"
         " AND Fornitore.IDAzienda = -3 WHERE Anagrafica.VirtualDelete = 0 AND Codice LIKE 'F%'",
         0, CodePrefix, kModeCount, "F", "", 0, -3},
        // clang-format on
    };
    for (const Golden &row : rows) {
        SCOPED_TRACE(QStringLiteral("type %1 text '%2'").arg(row.searchType).arg(row.text).toStdString());
        const ControlState s = stateOf(row.searchType, row.block, row.filter, row.firm);
        EXPECT_EQ(build(s, row.builder, row.mode, row.text).toStdString(), row.expected.toStdString());
    }
    for (const auto &[name, sql] : listed) {
        if (name.startsWith(QLatin1String("registry."))) {
            EXPECT_TRUE(used.count(name)) << "no row builds " << name.toStdString();
        }
    }
}

// --- The statements on the schema and the demo data -------------------------------------------

std::int32_t rowsOf(const std::shared_ptr<SqliteConnection> &db, QString sql)
{
    std::int32_t n = 0;
    for (auto rs = runSql(db.get(), sql); !rs->Eof(); rs->MoveNext())
        ++n;
    return n;
}

// The all-rows statement, which the host's search and the lookup by code share, depends on
// neither the text nor useLike.
TEST(QueryBuildersOnTheSchema, EveryStatementRunsCountAgreesWithRowsAndAllRowsIgnoreTheText)
{
    auto db = test::demoDatabase();
    for (int type = 0; type <= 11; ++type) {
        for (const int block : {0, 1}) {
            for (const QString &filter : {QString(), QStringLiteral("Anagrafica.IDAnagrafica > 2")}) {
                const ControlState s = stateOf(type, block, filter);
                for (const QString text : {"C0", "A01", "R", "Dell'", " ", "Ω"}) {
                    for (const Builder builder : {Builder::Code, Builder::CodePrefix, Builder::Description}) {
                        SCOPED_TRACE(QStringLiteral("type %1 block %2 filter '%3' text '%4' builder %5")
                                         .arg(QString::number(type), QString::number(block), filter, text,
                                              QString::number(static_cast<int>(builder)))
                                         .toStdString());
                        QString count = build(s, builder, kModeCount, text);
                        const std::int32_t n = runSql(db.get(), count)->Fields().Item(0).Value().toLong();
                        EXPECT_EQ(rowsOf(db, build(s, builder, kModeRows, text)), n);
                        const QString all = build(s, builder, kModeAllRows, text);
                        const Builder other = builder == Builder::Description ? builder : Builder::Code;
                        EXPECT_EQ(all, build(s, other, kModeAllRows, QStringLiteral("zz")));
                        EXPECT_GE(rowsOf(db, all), n);
                    }
                }
            }
        }
    }
}

// Whether the plan of a statement searches `table` through an index on `range`, and scans none
// of the registry and role tables (a scan would read every entry of a company).
::testing::AssertionResult searchesThroughAnIndex(SqliteConnection &db, const QString &sql,
                                                  const QString &table, const QString &range)
{
    static const QRegularExpression scanOfEntries(
        QStringLiteral("^SCAN (Anagrafica|Cliente|Fornitore|Agente|Collaboratore|AnagraficaCliente|"
                       "AnagraficaAgente)\\b"),
        QRegularExpression::MultilineOption);
    const QRegularExpression search(
        QStringLiteral("^SEARCH %1 USING .*INDEX .*%2").arg(table, QRegularExpression::escape(range)),
        QRegularExpression::MultilineOption);
    QStringList plan;
    QString explain = QStringLiteral("EXPLAIN QUERY PLAN ") + sql;
    for (auto rs = runSql(&db, explain); !rs->Eof(); rs->MoveNext())
        plan << rs->Fields().Item(QStringLiteral("detail")).Value().toText();
    const QString steps = plan.join(u'\n');
    if (search.match(steps).hasMatch() && !scanOfEntries.match(steps).hasMatch())
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << sql.toStdString() << "\n" << steps.toStdString();
}

TEST(QueryBuildersOnTheSchema, LookupsWithAConditionSearchTheirTablesThroughAnIndex)
{
    auto db = test::demoDatabase();
    // The table whose index must serve the code, per type; registry entries have no code.
    const std::map<int, QString> codeTable = {
        // clang-format off
        {OrvSearchCustomers, "Cliente"}, {OrvSearchSuppliers, "Fornitore"}, {OrvSearchAgents, "Agente"},
        {OrvSearchCustomersForAgent, "Cliente"}, {OrvSearchCollaborators, "Collaboratore"},
        {OrvSearchAgentsForCustomer, "Agente"}, {OrvSearchClerks, "Agente"}, {OrvSearchAgentsAndClerks, "Agente"},
        {OrvSearchAllAnagraphics, ""}
        // clang-format on
    };
    for (const auto &[type, table] : codeTable) {
        for (const int block : {0, 1}) {
            for (const std::int16_t mode : {kModeCount, kModeRows}) {
                const ControlState s = stateOf(type, block);
                const QString byName = fnSQLDescrizioneSearch(s, mode, QStringLiteral("Ross"));
                EXPECT_TRUE(
                    searchesThroughAnIndex(*db, byName, "Anagrafica", "Anagrafica>? AND Anagrafica<?"));
                if (table.isEmpty())
                    continue;
                const QString byCode = fnSQLCodiceSearch(s, mode, QStringLiteral("C001"), false);
                EXPECT_TRUE(searchesThroughAnIndex(*db, byCode, table, "Codice=?"));
                const QString byPrefix = fnSQLCodiceSearch(s, mode, QStringLiteral("C0"), true);
                EXPECT_TRUE(searchesThroughAnIndex(*db, byPrefix, table, "Codice>? AND Codice<?"));
            }
        }
    }
}

} // namespace
} // namespace orv::lookup
