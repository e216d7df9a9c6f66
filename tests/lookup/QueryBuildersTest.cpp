#include "lookup/QueryBuilders.h"

#include "control/OrvEnums.h"
#include "data/AnsiText.h"
#include "data/DbUtility.h"
#include "data/RuntimeError.h"
#include "support/Database.h"

#include <QRegularExpression>
#include <QStringList>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <tuple>

namespace orv::lookup {
namespace {

// The address joins of the customer and supplier row statements.
const QString kAddressJoins = QStringLiteral(
    " LEFT JOIN Comune ON Anagrafica.IDComune = Comune.IDComune LEFT JOIN Provincia ON Comune.IDProvincia = "
    "Provincia.IDProvincia LEFT JOIN Nazione ON Anagrafica.IDNazione = Nazione.IDNazione");
const QString kCustomerRows = QStringLiteral(
    "SELECT Anagrafica.IDAnagrafica, Anagrafica.Anagrafica, Anagrafica.CodiceFiscale, Anagrafica.PartitaIva, "
    "Anagrafica.Nome, Cliente.Codice, Cliente.IDPDCContabile, Anagrafica.Indirizzo, Anagrafica.Cap, "
    "Comune.Comune, Provincia.Provincia, Nazione.Nazione FROM Anagrafica INNER JOIN Cliente ON "
    "Anagrafica.IDAnagrafica = Cliente.IDAnagrafica AND Cliente.IDAzienda = 1");
const QString kCustomerCount =
    QStringLiteral("SELECT count(*) FROM Anagrafica INNER JOIN Cliente ON Anagrafica.IDAnagrafica = "
                   "Cliente.IDAnagrafica AND Cliente.IDAzienda = 1");
const QString kSupplierRows = QStringLiteral(
    "SELECT Anagrafica.IDAnagrafica, Anagrafica.Anagrafica, Anagrafica.CodiceFiscale, Anagrafica.PartitaIva, "
    "Anagrafica.Nome, Anagrafica.Indirizzo, Fornitore.Codice, Fornitore.IDPDCContabile, Comune.CAP, "
    "Comune.Comune, Provincia.Provincia, Nazione.Nazione FROM Anagrafica INNER JOIN Fornitore ON "
    "Anagrafica.IDAnagrafica = Fornitore.IDAnagrafica AND Fornitore.IDAzienda = 1");
const QString kAgentRows =
    QStringLiteral("SELECT Agente.IDAnagrafica, Agente.Codice, Agente.Enasarco, Anagrafica.CodiceFiscale, "
                   "Anagrafica.PartitaIva, Anagrafica.Anagrafica, Anagrafica.Nome");
const QString kCustomersForAgentFrom = QStringLiteral(
    " FROM (((Anagrafica LEFT JOIN Cliente ON  Anagrafica.IDAnagrafica = Cliente.IDAnagrafica)  LEFT "
    "JOIN ProvvClienteAgente ON Cliente.IDAnagrafica =  ProvvClienteAgente.IDAnagraficaCliente) LEFT "
    "JOIN  Agente ON ProvvClienteAgente.IDAnagraficaAgente =  Agente.IDAnagrafica) LEFT JOIN Anagrafica "
    "AS  AnagraficaAgente ON Agente.IDAnagrafica =  AnagraficaAgente.IDAnagrafica WHERE "
    "Anagrafica.VirtualDelete = 0  AND Cliente.IDAzienda = 1 AND Agente.IDAzienda = 1");
const QString kAgentsForCustomerByCodeFrom = QStringLiteral(
    " FROM ((ProvvClienteAgente RIGHT JOIN Agente  ON ProvvClienteAgente.IDAnagraficaAgente =  "
    "Agente.IDAnagrafica) INNER JOIN Anagrafica ON  Agente.IDAnagrafica = Anagrafica.IDAnagrafica) LEFT "
    "JOIN  (Cliente LEFT JOIN Anagrafica AS AnagraficaCliente ON  Cliente.IDAnagrafica = "
    "AnagraficaCliente.IDAnagrafica)  ON ProvvClienteAgente.IDAnagraficaCliente =  Cliente.IDAnagrafica "
    "WHERE Anagrafica.VirtualDelete = 0  AND Agente.IDAzienda = 1 AND Cliente.IDAzienda = 1");
const QString kAgentsForCustomerByDescriptionFrom = QStringLiteral(
    " FROM ((Anagrafica LEFT JOIN Agente ON Anagrafica.IDAnagrafica =  Agente.IDAnagrafica) LEFT JOIN "
    "ProvvClienteAgente ON  Agente.IDAnagrafica = ProvvClienteAgente.IDAnagraficaAgente)  LEFT JOIN "
    "(Cliente LEFT JOIN Anagrafica AS AnagraficaCliente  ON Cliente.IDAnagrafica = "
    "AnagraficaCliente.IDAnagrafica) ON  ProvvClienteAgente.IDAnagraficaCliente = Cliente.IDAnagrafica "
    "WHERE Agente.IDAzienda = 1 AND Cliente.IDAzienda = 1 AND Anagrafica.VirtualDelete = 0");

enum class Builder { Code, CodePrefix, Description };

struct GoldenCase {
    const char *name;
    int searchType;
    Builder builder;
    std::int16_t mode;
    QString text;
    QString expected;
    QString filter = QString();
    bool blockActive = false;
    bool blockedOnly = false;
    std::int32_t firm = 1;
};

QString build(const ControlState &s, Builder builder, std::int16_t mode, const QString &text)
{
    if (builder == Builder::Description)
        return fnSQLDescrizioneSearch(s, mode, text);
    return fnSQLCodiceSearch(s, mode, text, builder == Builder::CodePrefix);
}

// Each row is a place where a builder can go wrong: a join, a blank, a condition's order.
std::vector<GoldenCase> goldenCases()
{
    const QString live = QStringLiteral(" WHERE Anagrafica.VirtualDelete = 0");
    const QString unblocked =
        QStringLiteral(" AND (Cliente.BloccoEmissioneDoc IS NULL OR Cliente.BloccoEmissioneDoc = 0)");
    const QString supplierCount = QStringLiteral(
        "SELECT count(*) FROM Anagrafica INNER JOIN Fornitore ON Anagrafica.IDAnagrafica = "
        "Fornitore.IDAnagrafica AND Fornitore.IDAzienda = %1 WHERE Anagrafica.VirtualDelete = 0 AND ");
    const QString agentByCode =
        QStringLiteral(" FROM Agente INNER JOIN Anagrafica ON Anagrafica.IDAnagrafica = Agente.IDAnagrafica "
                       "WHERE Anagrafica.VirtualDelete = 0 AND Agente.IDAzienda = 1 AND ");
    const QString agentByDescription =
        QStringLiteral(" FROM Anagrafica INNER JOIN Agente ON Anagrafica.IDAnagrafica = Agente.IDAnagrafica "
                       "WHERE Agente.IDAzienda = 1 AND Anagrafica.VirtualDelete = 0 AND ");
    const QString withType =
        QStringLiteral(" INNER JOIN TipoAgente ON TipoAgente.IDTipoAgente = Agente.IDTipoAgente");
    const QString collaborators = QStringLiteral(
        " FROM Anagrafica, Collaboratore WHERE Anagrafica.IDAnagrafica = Collaboratore.IDAnagrafica AND "
        "Collaboratore.IDAzienda = 1 AND Anagrafica.VirtualDelete = 0 AND ");
    const QString agentsOfCustomer =
        QStringLiteral("SELECT Agente.Codice, Anagrafica.Anagrafica, Anagrafica.Nome, Anagrafica.PartitaIva, "
                       "Anagrafica.CodiceFiscale, Anagrafica.IDAnagrafica%1, AnagraficaCliente.Anagrafica AS "
                       "CognomeCliente, "
                       "AnagraficaCliente.Nome AS NomeCliente, Cliente.Codice AS CodiceCliente");
    const QString registry =
        QStringLiteral("SELECT IDAnagrafica, Anagrafica, CodiceFiscale, PartitaIva, Nome FROM Anagrafica");
    const QString registryCount = QStringLiteral("SELECT count(*) FROM Anagrafica");
    const QString customers = kCustomerRows + kAddressJoins + live;
    const QString suppliers = kSupplierRows + kAddressJoins + live;
    using enum Builder;
    return {
        {"customer count leaves out the address joins", OrvSearchCustomers, Code, kModeCount, " C001 ",
         kCustomerCount + live + " AND Codice = 'C001'"},
        {"customer rows carry the joins, then block filter, then the caller's filter", OrvSearchCustomers,
         Code, kModeRows, "C001",
         customers + " AND Codice = 'C001'" + unblocked + " AND Anagrafica.IDComune = 1",
         "Anagrafica.IDComune = 1", true, false},
        {"customer all rows keep the blocked-only filter without a search condition", OrvSearchCustomers,
         Code, kModeAllRows, "C001", customers + " AND Cliente.BloccoEmissioneDoc <> 0", "", true, true},
        {"a mode other than 1 and 2 lists all rows", OrvSearchCustomers, Code, 7, "C001", customers},
        {"a prefix keeps the code's trailing blanks before the %", OrvSearchCustomers, CodePrefix, kModeCount,
         "  C0 ", kCustomerCount + live + " AND Codice LIKE 'C0 %'"},
        {"an apostrophe is doubled and the pattern precedes the block filter", OrvSearchCustomers,
         Description, kModeCount, " Dell'Orto ",
         kCustomerCount + live + " AND Anagrafica  LIKE 'Dell''Orto%'" + unblocked, "", true, false},
        {"a blank filter adds nothing", OrvSearchCustomers, Description, kModeCount, "R",
         kCustomerCount + live + " AND Anagrafica  LIKE 'R%'", "   "},
        {"a filter is appended with its own blanks", OrvSearchSuppliers, Code, kModeCount, "F001",
         supplierCount.arg(1) + "Codice = 'F001' AND   Fornitore.IDAnagrafica > 30",
         "  Fornitore.IDAnagrafica > 30"},
        {"suppliers ignore the block filter", OrvSearchSuppliers, Description, kModeRows, "Dell'",
         suppliers + " AND Anagrafica  LIKE 'Dell''%'", "", true, true},
        {"accounts get the supplier statement", OrvSearchAccounts, Code, kModeRows, "F001",
         suppliers + " AND Codice = 'F001'"},
        {"an unknown type gets the supplier statement", 11, Description, kModeAllRows, "x", suppliers},
        {"a negative company is written with its sign", 0, CodePrefix, kModeCount, "F",
         supplierCount.arg(-3) + "Codice LIKE 'F%'", "", false, false, -3},
        {"agents count their ids and keep out cancelled contracts", OrvSearchAgents, Code, kModeCount, "A01",
         "SELECT COUNT(Agente.IDAnagrafica)" + agentByCode +
             "(Agente.IDTipoAgente IS NULL OR Agente.IDTipoAgente = 1) AND Codice = 'A01' AND "
             "Agente.Annullato = 0"},
        {"all agents still leave out cancelled contracts", OrvSearchAgents, Code, kModeAllRows, "A01",
         kAgentRows + agentByCode +
             "(Agente.IDTipoAgente IS NULL OR Agente.IDTipoAgente = 1) AND Agente.Annullato = 0"},
        {"agents by description have no blank before the 1 and no cancelled condition", OrvSearchAgents,
         Description, kModeRows, "Mor",
         kAgentRows + agentByDescription +
             "(Agente.IDTipoAgente IS NULL OR Agente.IDTipoAgente =1) AND Anagrafica LIKE 'Mor%'"},
        {"clerks by code", OrvSearchClerks, CodePrefix, kModeRows, "I0",
         kAgentRows + agentByCode + "Agente.IDTipoAgente = 2 AND Codice LIKE 'I0%' AND Agente.Annullato = 0"},
        {"clerks by description", OrvSearchClerks, Description, kModeCount, "Pel",
         "SELECT COUNT(Agente.IDAnagrafica)" + agentByDescription +
             "Agente.IDTipoAgente = 2 AND Anagrafica LIKE 'Pel%'"},
        {"agents and clerks by code join the agent type", OrvSearchAgentsAndClerks, Code, kModeRows, "I01",
         kAgentRows +
             ", TipoAgente.TipoAgente FROM (Agente INNER JOIN Anagrafica ON Anagrafica.IDAnagrafica = "
             "Agente.IDAnagrafica)" +
             withType +
             " WHERE Anagrafica.VirtualDelete = 0 AND Agente.IDAzienda = 1 AND Codice = 'I01' AND "
             "Agente.Annullato = 0"},
        {"agents and clerks by description", OrvSearchAgentsAndClerks, Description, kModeCount, "F",
         "SELECT COUNT(Agente.IDAnagrafica) FROM (Anagrafica INNER JOIN Agente ON Anagrafica.IDAnagrafica = "
         "Agente.IDAnagrafica)" +
             withType +
             " WHERE Agente.IDAzienda = 1 AND Anagrafica.VirtualDelete = 0 AND Anagrafica LIKE 'F%'"},
        {"customers of an agent by code: two blanks after AS", OrvSearchCustomersForAgent, Code, kModeRows,
         "C001",
         "SELECT Anagrafica.IDAnagrafica, Anagrafica.Anagrafica , Anagrafica.CodiceFiscale , "
         "Anagrafica.PartitaIva , Anagrafica.Nome, Cliente.Codice, Cliente.IDPDCContabile AS IDPDCContabile, "
         "Agente.Codice AS  CodiceAgente, Agente.Enasarco, AnagraficaAgente.Anagrafica AS CognomeAgente, "
         "AnagraficaAgente.Nome AS NomeAgente" +
             kCustomersForAgentFrom + " AND Cliente.Codice = 'C001'",
         "", true, true},
        {"customers of an agent by description have their own select list", OrvSearchCustomersForAgent,
         Description, kModeRows, "Ros",
         "SELECT Anagrafica.IDAnagrafica , Anagrafica.Anagrafica ,  Anagrafica.CodiceFiscale, "
         "Anagrafica.PartitaIva , Anagrafica.Nome, Cliente.Codice, Cliente.IDPDCContabile, Agente.Codice AS  "
         "CodiceAgente, Agente.Enasarco, AnagraficaAgente.Anagrafica AS CognomeAgente, AnagraficaAgente.Nome "
         "AS "
         "NomeAgente" +
             kCustomersForAgentFrom + " AND Anagrafica.Anagrafica  LIKE 'Ros%'"},
        {"customers of an agent, count by prefix", OrvSearchCustomersForAgent, CodePrefix, kModeCount, "C00",
         "SELECT count(*)" + kCustomersForAgentFrom + " AND Cliente.Codice LIKE 'C00%'"},
        {"collaborators by code", OrvSearchCollaborators, Code, kModeRows, "CO01",
         "SELECT Anagrafica.IDAnagrafica, Anagrafica, CodiceFiscale, PartitaIva, Nome, Codice" +
             collaborators + "Codice = 'CO01'"},
        {"collaborators by description list the name before the tax code", OrvSearchCollaborators,
         Description, kModeRows, "Te",
         "SELECT Anagrafica.IDAnagrafica, Anagrafica, Nome, CodiceFiscale, PartitaIva, Codice" +
             collaborators + "Anagrafica  LIKE 'Te%'"},
        {"agents of a customer by code", OrvSearchAgentsForCustomer, Code, kModeRows, "A02",
         agentsOfCustomer.arg(" AS IDAnagrafica") + kAgentsForCustomerByCodeFrom +
             " AND Agente.Codice = 'A02' AND Cliente.IDAnagrafica = 1",
         "Cliente.IDAnagrafica = 1"},
        {"agents of a customer by description", OrvSearchAgentsForCustomer, Description, kModeRows, "Vil",
         agentsOfCustomer.arg("") + kAgentsForCustomerByDescriptionFrom +
             " AND Anagrafica.Anagrafica  LIKE 'Vil%'"},
        {"registry entries have no code condition", OrvSearchAllAnagraphics, Code, kModeRows, "C001",
         registry + live},
        {"registry entries counted by code count them all", OrvSearchAllAnagraphics, CodePrefix, kModeCount,
         "C", registryCount + live},
        {"registry entries by description", OrvSearchAllAnagraphics, Description, kModeRows, "Banca",
         registry + live + " AND Anagrafica  LIKE 'Banca%'"},
        {"an empty description matches everything", OrvSearchAllAnagraphics, Description, kModeCount, "   ",
         registryCount + live + " AND Anagrafica  LIKE '%'"},
    };
}

ControlState stateOf(int searchType, bool blockActive = false, const QString &filter = QString())
{
    ControlState s;
    s.SearchType = searchType;
    s.IDFirm = 1;
    s.AttivaFiltroBlocco = blockActive;
    s.Filter = filter;
    return s;
}

TEST(QueryBuilders, StatementsAreExactForEveryTypeAndMode)
{
    for (const GoldenCase &c : goldenCases()) {
        SCOPED_TRACE(c.name);
        ControlState s = stateOf(c.searchType, c.blockActive, c.filter);
        s.IDFirm = c.firm;
        s.BloccoEmissioneDoc = c.blockedOnly;
        EXPECT_EQ(build(s, c.builder, c.mode, c.text).toStdString(), c.expected.toStdString());
    }
}

TEST(QueryBuilders, MenuSearchAndCodeLookupShareOneAllRowsStatement)
{
    // The all-rows statement does not depend on the text or on useLike.
    for (int type = 1; type <= 10; ++type) {
        SCOPED_TRACE(type);
        const ControlState s = stateOf(type);
        EXPECT_EQ(fnSQLCodiceSearch(s, kModeAllRows, QStringLiteral("A01"), false),
                  fnSQLCodiceSearch(s, kModeAllRows, QStringLiteral("zz"), true));
        EXPECT_EQ(fnSQLDescrizioneSearch(s, kModeAllRows, QStringLiteral("A")),
                  fnSQLDescrizioneSearch(s, kModeAllRows, QStringLiteral("B")));
    }
}

// --- The statements on the schema and the demo data -------------------------------------------
// What each statement finds on the demo data is checked by tests/schema/StatementsTest.cpp.

std::int32_t rowsOf(const std::shared_ptr<SqliteConnection> &db, QString sql)
{
    std::int32_t n = 0;
    for (auto rs = runSql(db.get(), sql); !rs->Eof(); rs->MoveNext())
        ++n;
    return n;
}

TEST(QueryBuildersOnTheSchema, EveryStatementRunsAndCountAgreesWithRows)
{
    auto db = test::demoDatabase();
    const QStringList texts = {"C0", "A01", "R", "Dell'", " ", "Ω"};
    for (int type = 0; type <= 11; ++type) {
        for (const bool blockActive : {false, true}) {
            for (const QString &filter : {QString(), QStringLiteral("Anagrafica.IDAnagrafica > 2")}) {
                const ControlState s = stateOf(type, blockActive, filter);
                for (const QString &text : texts) {
                    SCOPED_TRACE(QStringLiteral("type %1 block %2 filter '%3' text '%4'")
                                     .arg(QString::number(type), QString::number(blockActive), filter, text)
                                     .toStdString());
                    for (const Builder builder : {Builder::Code, Builder::CodePrefix, Builder::Description}) {
                        QString count = build(s, builder, kModeCount, text);
                        const std::int32_t n = runSql(db.get(), count)->Fields().Item(0).Value().toLong();
                        EXPECT_EQ(rowsOf(db, build(s, builder, kModeRows, text)), n);
                        EXPECT_GE(rowsOf(db, build(s, builder, kModeAllRows, text)), n);
                    }
                }
            }
        }
    }
}

// The plan of a statement, one line per step, e.g. "SEARCH Agente USING INDEX ...".
QStringList planOf(const std::shared_ptr<SqliteConnection> &db, const QString &sql)
{
    QStringList steps;
    QString explain = QStringLiteral("EXPLAIN QUERY PLAN ") + sql;
    for (auto rs = runSql(db.get(), explain); !rs->Eof(); rs->MoveNext())
        steps << rs->Fields().Item(QStringLiteral("detail")).Value().toText();
    return steps;
}

TEST(QueryBuildersOnTheSchema, LookupsWithAConditionSearchTheirTablesThroughAnIndex)
{
    auto db = test::demoDatabase();
    // The registry and role tables; a scan of any of them would read every entry of a company.
    static const QRegularExpression scanOfEntries(QStringLiteral(
        "^SCAN (Anagrafica|Cliente|Fornitore|Agente|Collaboratore|AnagraficaCliente|AnagraficaAgente)\\b"));
    // Where the condition is, per type: the table whose index must serve the code.
    const std::map<int, QString> codeTable = {
        {OrvSearchCustomers, QStringLiteral("Cliente")},
        {OrvSearchSuppliers, QStringLiteral("Fornitore")},
        {OrvSearchAgents, QStringLiteral("Agente")},
        {OrvSearchCustomersForAgent, QStringLiteral("Cliente")},
        {OrvSearchCollaborators, QStringLiteral("Collaboratore")},
        {OrvSearchAgentsForCustomer, QStringLiteral("Agente")},
        {OrvSearchClerks, QStringLiteral("Agente")},
        {OrvSearchAgentsAndClerks, QStringLiteral("Agente")},
    };
    for (int type = 1; type <= 10; ++type) {
        if (type == OrvSearchAccounts)
            continue;
        for (const bool blockActive : {false, true}) {
            const ControlState s = stateOf(type, blockActive);
            // Statement, the table the condition is on, and the index range it must give.
            std::vector<std::tuple<QString, QString, QString>> statements;
            for (const std::int16_t mode : {kModeCount, kModeRows}) {
                if (type != OrvSearchAllAnagraphics) {
                    statements.emplace_back(fnSQLCodiceSearch(s, mode, QStringLiteral("C001"), false),
                                            codeTable.at(type), QStringLiteral("Codice=?"));
                    statements.emplace_back(fnSQLCodiceSearch(s, mode, QStringLiteral("C0"), true),
                                            codeTable.at(type), QStringLiteral("Codice>? AND Codice<?"));
                }
                statements.emplace_back(fnSQLDescrizioneSearch(s, mode, QStringLiteral("Ross")),
                                        QStringLiteral("Anagrafica"),
                                        QStringLiteral("Anagrafica>? AND Anagrafica<?"));
            }
            for (const auto &[sql, table, range] : statements) {
                SCOPED_TRACE(sql.toStdString());
                const QStringList plan = planOf(db, sql);
                for (const QString &step : plan)
                    EXPECT_FALSE(scanOfEntries.match(step).hasMatch()) << step.toStdString();
                const QString searched = QStringLiteral("SEARCH %1 USING").arg(table);
                const bool found = std::any_of(plan.begin(), plan.end(), [&](const QString &step) {
                    return step.startsWith(searched) && step.contains(QLatin1String("INDEX")) &&
                           step.contains(range);
                });
                EXPECT_TRUE(found) << plan.join(QLatin1String(" | ")).toStdString();
            }
        }
    }
}

} // namespace
} // namespace orv::lookup
