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
    " FROM (((Anagrafica LEFT JOIN Cliente ON  Anagrafica.IDAnagrafica = Cliente.IDAnagrafica)  LEFT JOIN "
    "ProvvClienteAgente ON Cliente.IDAnagrafica =  ProvvClienteAgente.IDAnagraficaCliente) LEFT JOIN  Agente "
    "ON "
    "ProvvClienteAgente.IDAnagraficaAgente =  Agente.IDAnagrafica) LEFT JOIN Anagrafica AS  AnagraficaAgente "
    "ON "
    "Agente.IDAnagrafica =  AnagraficaAgente.IDAnagrafica WHERE Anagrafica.VirtualDelete = 0  AND "
    "Cliente.IDAzienda = 1 AND Agente.IDAzienda = 1");
const QString kAgentsForCustomerByCodeFrom = QStringLiteral(
    " FROM ((ProvvClienteAgente RIGHT JOIN Agente  ON ProvvClienteAgente.IDAnagraficaAgente =  "
    "Agente.IDAnagrafica) INNER JOIN Anagrafica ON  Agente.IDAnagrafica = Anagrafica.IDAnagrafica) LEFT JOIN "
    " "
    "(Cliente LEFT JOIN Anagrafica AS AnagraficaCliente ON  Cliente.IDAnagrafica = "
    "AnagraficaCliente.IDAnagrafica)  ON ProvvClienteAgente.IDAnagraficaCliente =  Cliente.IDAnagrafica "
    "WHERE "
    "Anagrafica.VirtualDelete = 0  AND Agente.IDAzienda = 1 AND Cliente.IDAzienda = 1");
const QString kAgentsForCustomerByDescriptionFrom = QStringLiteral(
    " FROM ((Anagrafica LEFT JOIN Agente ON Anagrafica.IDAnagrafica =  Agente.IDAnagrafica) LEFT JOIN "
    "ProvvClienteAgente ON  Agente.IDAnagrafica = ProvvClienteAgente.IDAnagraficaAgente)  LEFT JOIN (Cliente "
    "LEFT JOIN Anagrafica AS AnagraficaCliente  ON Cliente.IDAnagrafica = AnagraficaCliente.IDAnagrafica) ON "
    " "
    "ProvvClienteAgente.IDAnagraficaCliente = Cliente.IDAnagrafica WHERE Agente.IDAzienda = 1 AND "
    "Cliente.IDAzienda = 1 AND Anagrafica.VirtualDelete = 0");

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

QString build(const GoldenCase &c)
{
    ControlState s;
    s.SearchType = c.searchType;
    s.IDFirm = c.firm;
    s.Filter = c.filter;
    s.AttivaFiltroBlocco = c.blockActive;
    s.BloccoEmissioneDoc = c.blockedOnly;
    switch (c.builder) {
    case Builder::Code:
        return fnSQLCodiceSearch(s, c.mode, c.text, false);
    case Builder::CodePrefix:
        return fnSQLCodiceSearch(s, c.mode, c.text, true);
    case Builder::Description:
        return fnSQLDescrizioneSearch(s, c.mode, c.text);
    }
    return {};
}

// Each row is a place where a builder can go wrong: a join, a blank, a condition's order.
std::vector<GoldenCase> goldenCases()
{
    const QString unblocked =
        QStringLiteral(" AND (Cliente.BloccoEmissioneDoc IS NULL OR Cliente.BloccoEmissioneDoc = 0)");
    return {
        {"customer count leaves out the address joins", OrvSearchCustomers, Builder::Code, kModeCount,
         QStringLiteral(" C001 "),
         kCustomerCount + QStringLiteral(" WHERE Anagrafica.VirtualDelete = 0 AND Codice = 'C001'")},
        {"customer rows carry the joins, then block filter, then the caller's filter", OrvSearchCustomers,
         Builder::Code, kModeRows, QStringLiteral("C001"),
         kCustomerRows + kAddressJoins +
             QStringLiteral(" WHERE Anagrafica.VirtualDelete = 0 AND Codice = 'C001'") + unblocked +
             QStringLiteral(" AND Anagrafica.IDComune = 1"),
         QStringLiteral("Anagrafica.IDComune = 1"), true, false},
        {"customer all rows keep the blocked-only filter without a search condition", OrvSearchCustomers,
         Builder::Code, kModeAllRows, QStringLiteral("C001"),
         kCustomerRows + kAddressJoins +
             QStringLiteral(" WHERE Anagrafica.VirtualDelete = 0 AND Cliente.BloccoEmissioneDoc <> 0"),
         QString(), true, true},
        {"a mode other than 1 and 2 lists all rows", OrvSearchCustomers, Builder::Code, 7,
         QStringLiteral("C001"),
         kCustomerRows + kAddressJoins + QStringLiteral(" WHERE Anagrafica.VirtualDelete = 0")},
        {"a prefix keeps the code's trailing blanks before the %", OrvSearchCustomers, Builder::CodePrefix,
         kModeCount, QStringLiteral("  C0 "),
         kCustomerCount + QStringLiteral(" WHERE Anagrafica.VirtualDelete = 0 AND Codice LIKE 'C0 %'")},
        {"an apostrophe is doubled and the pattern precedes the block filter", OrvSearchCustomers,
         Builder::Description, kModeCount, QStringLiteral(" Dell'Orto "),
         kCustomerCount +
             QStringLiteral(" WHERE Anagrafica.VirtualDelete = 0 AND Anagrafica  LIKE 'Dell''Orto%'") +
             unblocked,
         QString(), true, false},
        {"a blank filter adds nothing", OrvSearchCustomers, Builder::Description, kModeCount,
         QStringLiteral("R"),
         kCustomerCount + QStringLiteral(" WHERE Anagrafica.VirtualDelete = 0 AND Anagrafica  LIKE 'R%'"),
         QStringLiteral("   ")},
        {"a filter is appended with its own blanks", OrvSearchSuppliers, Builder::Code, kModeCount,
         QStringLiteral("F001"),
         QStringLiteral(
             "SELECT count(*) FROM Anagrafica INNER JOIN Fornitore ON Anagrafica.IDAnagrafica = "
             "Fornitore.IDAnagrafica AND Fornitore.IDAzienda = 1 WHERE Anagrafica.VirtualDelete = 0 AND "
             "Codice = 'F001' AND   Fornitore.IDAnagrafica > 30"),
         QStringLiteral("  Fornitore.IDAnagrafica > 30")},
        {"suppliers ignore the block filter", OrvSearchSuppliers, Builder::Description, kModeRows,
         QStringLiteral("Dell'"),
         kSupplierRows + kAddressJoins +
             QStringLiteral(" WHERE Anagrafica.VirtualDelete = 0 AND Anagrafica  LIKE 'Dell''%'"),
         QString(), true, true},
        {"accounts get the supplier statement", OrvSearchAccounts, Builder::Code, kModeRows,
         QStringLiteral("F001"),
         kSupplierRows + kAddressJoins +
             QStringLiteral(" WHERE Anagrafica.VirtualDelete = 0 AND Codice = 'F001'")},
        {"an unknown type gets the supplier statement", 11, Builder::Description, kModeAllRows,
         QStringLiteral("x"),
         kSupplierRows + kAddressJoins + QStringLiteral(" WHERE Anagrafica.VirtualDelete = 0")},
        {"a negative company is written with its sign", 0, Builder::CodePrefix, kModeCount,
         QStringLiteral("F"),
         QStringLiteral(
             "SELECT count(*) FROM Anagrafica INNER JOIN Fornitore ON Anagrafica.IDAnagrafica = "
             "Fornitore.IDAnagrafica AND Fornitore.IDAzienda = -3 WHERE Anagrafica.VirtualDelete = 0 AND "
             "Codice LIKE 'F%'"),
         QString(), false, false, -3},
        {"agents count their ids and keep out cancelled contracts", OrvSearchAgents, Builder::Code,
         kModeCount, QStringLiteral("A01"),
         QStringLiteral(
             "SELECT COUNT(Agente.IDAnagrafica) FROM Agente INNER JOIN Anagrafica ON "
             "Anagrafica.IDAnagrafica = Agente.IDAnagrafica WHERE Anagrafica.VirtualDelete = 0 AND "
             "Agente.IDAzienda = 1 AND (Agente.IDTipoAgente IS NULL OR Agente.IDTipoAgente = 1) AND "
             "Codice = 'A01' AND Agente.Annullato = 0")},
        {"all agents still leave out cancelled contracts", OrvSearchAgents, Builder::Code, kModeAllRows,
         QStringLiteral("A01"),
         kAgentRows +
             QStringLiteral(" FROM Agente INNER JOIN Anagrafica ON Anagrafica.IDAnagrafica = "
                            "Agente.IDAnagrafica WHERE Anagrafica.VirtualDelete = 0 AND Agente.IDAzienda = 1 "
                            "AND (Agente.IDTipoAgente IS NULL OR Agente.IDTipoAgente = 1) AND "
                            "Agente.Annullato = 0")},
        {"agents by description have no blank before the 1 and no cancelled condition", OrvSearchAgents,
         Builder::Description, kModeRows, QStringLiteral("Mor"),
         kAgentRows +
             QStringLiteral(" FROM Anagrafica INNER JOIN Agente ON Anagrafica.IDAnagrafica = "
                            "Agente.IDAnagrafica WHERE Agente.IDAzienda = 1 AND Anagrafica.VirtualDelete = 0 "
                            "AND (Agente.IDTipoAgente IS NULL OR Agente.IDTipoAgente =1) AND Anagrafica "
                            "LIKE 'Mor%'")},
        {"clerks by code", OrvSearchClerks, Builder::CodePrefix, kModeRows, QStringLiteral("I0"),
         kAgentRows +
             QStringLiteral(" FROM Agente INNER JOIN Anagrafica ON Anagrafica.IDAnagrafica = "
                            "Agente.IDAnagrafica WHERE Anagrafica.VirtualDelete = 0 AND Agente.IDAzienda = 1 "
                            "AND Agente.IDTipoAgente = 2 AND Codice LIKE 'I0%' AND Agente.Annullato = 0")},
        {"clerks by description", OrvSearchClerks, Builder::Description, kModeCount, QStringLiteral("Pel"),
         QStringLiteral(
             "SELECT COUNT(Agente.IDAnagrafica) FROM Anagrafica INNER JOIN Agente ON "
             "Anagrafica.IDAnagrafica = Agente.IDAnagrafica WHERE Agente.IDAzienda = 1 AND "
             "Anagrafica.VirtualDelete = 0 AND Agente.IDTipoAgente = 2 AND Anagrafica LIKE 'Pel%'")},
        {"agents and clerks by code join the agent type", OrvSearchAgentsAndClerks, Builder::Code, kModeRows,
         QStringLiteral("I01"),
         kAgentRows +
             QStringLiteral(", TipoAgente.TipoAgente FROM (Agente INNER JOIN Anagrafica ON "
                            "Anagrafica.IDAnagrafica = Agente.IDAnagrafica) INNER JOIN TipoAgente ON "
                            "TipoAgente.IDTipoAgente = Agente.IDTipoAgente WHERE Anagrafica.VirtualDelete = "
                            "0 AND Agente.IDAzienda = 1 AND Codice = 'I01' AND Agente.Annullato = 0")},
        {"agents and clerks by description", OrvSearchAgentsAndClerks, Builder::Description, kModeCount,
         QStringLiteral("F"),
         QStringLiteral("SELECT COUNT(Agente.IDAnagrafica) FROM (Anagrafica INNER JOIN Agente ON "
                        "Anagrafica.IDAnagrafica = Agente.IDAnagrafica) INNER JOIN TipoAgente ON "
                        "TipoAgente.IDTipoAgente = Agente.IDTipoAgente WHERE Agente.IDAzienda = 1 AND "
                        "Anagrafica.VirtualDelete = 0 AND Anagrafica LIKE 'F%'")},
        {"customers of an agent by code: two blanks after AS", OrvSearchCustomersForAgent, Builder::Code,
         kModeRows, QStringLiteral("C001"),
         QStringLiteral("SELECT Anagrafica.IDAnagrafica, Anagrafica.Anagrafica , Anagrafica.CodiceFiscale , "
                        "Anagrafica.PartitaIva , Anagrafica.Nome, Cliente.Codice, Cliente.IDPDCContabile AS "
                        "IDPDCContabile, Agente.Codice AS  CodiceAgente, Agente.Enasarco, "
                        "AnagraficaAgente.Anagrafica AS CognomeAgente, AnagraficaAgente.Nome AS NomeAgente") +
             kCustomersForAgentFrom + QStringLiteral(" AND Cliente.Codice = 'C001'"),
         QString(), true, true},
        {"customers of an agent by description have their own select list", OrvSearchCustomersForAgent,
         Builder::Description, kModeRows, QStringLiteral("Ros"),
         QStringLiteral("SELECT Anagrafica.IDAnagrafica , Anagrafica.Anagrafica ,  Anagrafica.CodiceFiscale, "
                        "Anagrafica.PartitaIva , Anagrafica.Nome, Cliente.Codice, Cliente.IDPDCContabile, "
                        "Agente.Codice AS  CodiceAgente, Agente.Enasarco, AnagraficaAgente.Anagrafica AS "
                        "CognomeAgente, AnagraficaAgente.Nome AS NomeAgente") +
             kCustomersForAgentFrom + QStringLiteral(" AND Anagrafica.Anagrafica  LIKE 'Ros%'")},
        {"customers of an agent, count by prefix", OrvSearchCustomersForAgent, Builder::CodePrefix,
         kModeCount, QStringLiteral("C00"),
         QStringLiteral("SELECT count(*)") + kCustomersForAgentFrom +
             QStringLiteral(" AND Cliente.Codice LIKE 'C00%'")},
        {"collaborators by code", OrvSearchCollaborators, Builder::Code, kModeRows, QStringLiteral("CO01"),
         QStringLiteral(
             "SELECT Anagrafica.IDAnagrafica, Anagrafica, CodiceFiscale, PartitaIva, Nome, Codice FROM "
             "Anagrafica, Collaboratore WHERE Anagrafica.IDAnagrafica = Collaboratore.IDAnagrafica AND "
             "Collaboratore.IDAzienda = 1 AND Anagrafica.VirtualDelete = 0 AND Codice = 'CO01'")},
        {"collaborators by description list the name before the tax code", OrvSearchCollaborators,
         Builder::Description, kModeRows, QStringLiteral("Te"),
         QStringLiteral(
             "SELECT Anagrafica.IDAnagrafica, Anagrafica, Nome, CodiceFiscale, PartitaIva, Codice FROM "
             "Anagrafica, Collaboratore WHERE Anagrafica.IDAnagrafica = Collaboratore.IDAnagrafica AND "
             "Collaboratore.IDAzienda = 1 AND Anagrafica.VirtualDelete = 0 AND Anagrafica  LIKE 'Te%'")},
        {"agents of a customer by code", OrvSearchAgentsForCustomer, Builder::Code, kModeRows,
         QStringLiteral("A02"),
         QStringLiteral(
             "SELECT Agente.Codice, Anagrafica.Anagrafica, Anagrafica.Nome, Anagrafica.PartitaIva, "
             "Anagrafica.CodiceFiscale, Anagrafica.IDAnagrafica AS IDAnagrafica, "
             "AnagraficaCliente.Anagrafica AS CognomeCliente, AnagraficaCliente.Nome AS NomeCliente, "
             "Cliente.Codice AS CodiceCliente") +
             kAgentsForCustomerByCodeFrom +
             QStringLiteral(" AND Agente.Codice = 'A02' AND Cliente.IDAnagrafica = 1"),
         QStringLiteral("Cliente.IDAnagrafica = 1")},
        {"agents of a customer by description", OrvSearchAgentsForCustomer, Builder::Description, kModeRows,
         QStringLiteral("Vil"),
         QStringLiteral(
             "SELECT Agente.Codice, Anagrafica.Anagrafica, Anagrafica.Nome, Anagrafica.PartitaIva, "
             "Anagrafica.CodiceFiscale, Anagrafica.IDAnagrafica, AnagraficaCliente.Anagrafica AS "
             "CognomeCliente, AnagraficaCliente.Nome AS NomeCliente, Cliente.Codice AS CodiceCliente") +
             kAgentsForCustomerByDescriptionFrom + QStringLiteral(" AND Anagrafica.Anagrafica  LIKE 'Vil%'")},
        {"registry entries have no code condition", OrvSearchAllAnagraphics, Builder::Code, kModeRows,
         QStringLiteral("C001"),
         QStringLiteral(
             "SELECT IDAnagrafica, Anagrafica, CodiceFiscale, PartitaIva, Nome FROM Anagrafica WHERE "
             "Anagrafica.VirtualDelete = 0")},
        {"registry entries counted by code count them all", OrvSearchAllAnagraphics, Builder::CodePrefix,
         kModeCount, QStringLiteral("C"),
         QStringLiteral("SELECT count(*) FROM Anagrafica WHERE Anagrafica.VirtualDelete = 0")},
        {"registry entries by description", OrvSearchAllAnagraphics, Builder::Description, kModeRows,
         QStringLiteral("Banca"),
         QStringLiteral(
             "SELECT IDAnagrafica, Anagrafica, CodiceFiscale, PartitaIva, Nome FROM Anagrafica WHERE "
             "Anagrafica.VirtualDelete = 0 AND Anagrafica  LIKE 'Banca%'")},
        {"an empty description matches everything", OrvSearchAllAnagraphics, Builder::Description, kModeCount,
         QStringLiteral("   "),
         QStringLiteral(
             "SELECT count(*) FROM Anagrafica WHERE Anagrafica.VirtualDelete = 0 AND Anagrafica  LIKE '%'")},
    };
}

TEST(QueryBuilders, StatementsAreExactForEveryTypeAndMode)
{
    for (const GoldenCase &c : goldenCases()) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(build(c).toStdString(), c.expected.toStdString());
    }
}

TEST(QueryBuilders, MenuSearchAndCodeLookupShareOneAllRowsStatement)
{
    // The all-rows statement does not depend on the text or on useLike.
    ControlState s;
    s.IDFirm = 1;
    for (int type = 1; type <= 10; ++type) {
        s.SearchType = type;
        SCOPED_TRACE(type);
        EXPECT_EQ(fnSQLCodiceSearch(s, kModeAllRows, QStringLiteral("A01"), false),
                  fnSQLCodiceSearch(s, kModeAllRows, QStringLiteral("zz"), true));
        EXPECT_EQ(fnSQLDescrizioneSearch(s, kModeAllRows, QStringLiteral("A")),
                  fnSQLDescrizioneSearch(s, kModeAllRows, QStringLiteral("B")));
    }
}

// --- The statements on the schema and the demo data -------------------------------------------

std::unique_ptr<DbResultSet> run(const std::shared_ptr<SqliteConnection> &db, QString sql)
{
    return runSql(db.get(), sql);
}

std::int32_t countOf(const std::shared_ptr<SqliteConnection> &db, const QString &sql)
{
    auto rs = run(db, sql);
    return rs->Fields().Item(0).Value().toLong();
}

std::int32_t rowsOf(const std::shared_ptr<SqliteConnection> &db, const QString &sql)
{
    std::int32_t n = 0;
    for (auto rs = run(db, sql); !rs->Eof(); rs->MoveNext())
        ++n;
    return n;
}

TEST(QueryBuildersOnTheSchema, EveryStatementRunsAndCountAgreesWithRows)
{
    auto db = test::demoDatabase();
    const QStringList texts = {QStringLiteral("C0"),    QStringLiteral("A01"), QStringLiteral("R"),
                               QStringLiteral("Dell'"), QStringLiteral(" "),   QStringLiteral("Ω")};
    for (int type = 0; type <= 11; ++type) {
        for (const bool blockActive : {false, true}) {
            for (const QString &filter : {QString(), QStringLiteral("Anagrafica.IDAnagrafica > 2")}) {
                ControlState s;
                s.SearchType = type;
                s.IDFirm = 1;
                s.AttivaFiltroBlocco = blockActive;
                s.Filter = filter;
                for (const QString &text : texts) {
                    SCOPED_TRACE(QStringLiteral("type %1 block %2 filter '%3' text '%4'")
                                     .arg(type)
                                     .arg(blockActive)
                                     .arg(filter, text)
                                     .toStdString());
                    for (const bool useLike : {false, true}) {
                        const std::int32_t n = countOf(db, fnSQLCodiceSearch(s, kModeCount, text, useLike));
                        EXPECT_EQ(rowsOf(db, fnSQLCodiceSearch(s, kModeRows, text, useLike)), n);
                        EXPECT_GE(rowsOf(db, fnSQLCodiceSearch(s, kModeAllRows, text, useLike)), n);
                    }
                    const std::int32_t n = countOf(db, fnSQLDescrizioneSearch(s, kModeCount, text));
                    EXPECT_EQ(rowsOf(db, fnSQLDescrizioneSearch(s, kModeRows, text)), n);
                    EXPECT_GE(rowsOf(db, fnSQLDescrizioneSearch(s, kModeAllRows, text)), n);
                }
            }
        }
    }
}

struct CountCase {
    const char *name;
    int searchType;
    Builder builder;
    QString text;
    std::int32_t expected;
    bool blockActive = false;
    bool blockedOnly = false;
    std::int32_t firm = 1;
};

TEST(QueryBuildersOnTheSchema, CountsFollowTheRulesOfEachRole)
{
    auto db = test::demoDatabase();
    const std::vector<CountCase> cases = {
        {"the customer's own company only", OrvSearchCustomers, Builder::Code, QStringLiteral("C050"), 0},
        {"the other company has it", OrvSearchCustomers, Builder::Code, QStringLiteral("C050"), 1, false,
         false, 2},
        {"deleted entries are left out", OrvSearchCustomers, Builder::CodePrefix, QStringLiteral("C01"), 9},
        {"codes compare without regard to case", OrvSearchCustomers, Builder::Code, QStringLiteral("c001"),
         1},
        {"no block filter: blocked customers too", OrvSearchCustomers, Builder::Description,
         QStringLiteral("R"), 6},
        {"unblocked only: flags 1 and -1 go, Null stays", OrvSearchCustomers, Builder::Description,
         QStringLiteral("R"), 4, true, false},
        {"blocked only", OrvSearchCustomers, Builder::Description, QStringLiteral("R"), 2, true, true},
        {"unblocked only keeps a Null flag", OrvSearchCustomers, Builder::Code, QStringLiteral("C012"), 1,
         true, false},
        {"blocked only refuses a Null flag", OrvSearchCustomers, Builder::Code, QStringLiteral("C012"), 0,
         true, true},
        {"blocked only finds C007", OrvSearchCustomers, Builder::Code, QStringLiteral("C007"), 1, true, true},
        {"two agents share A01", OrvSearchAgents, Builder::Code, QStringLiteral("A01"), 2},
        {"a cancelled contract is refused by code", OrvSearchAgents, Builder::Code, QStringLiteral("A03"), 0},
        {"a cancelled contract is found by description", OrvSearchAgents, Builder::Description,
         QStringLiteral("Fab"), 1},
        {"a clerk is not an agent", OrvSearchAgents, Builder::Code, QStringLiteral("I01"), 0},
        {"a clerk", OrvSearchClerks, Builder::Code, QStringLiteral("I01"), 1},
        {"an agent without a type is not listed with the types", OrvSearchAgentsAndClerks, Builder::Code,
         QStringLiteral("A01"), 1},
        {"an apostrophe in a name", OrvSearchSuppliers, Builder::Description, QStringLiteral("Dell'Acqua"),
         1},
        {"a character outside the code page matches nothing", OrvSearchAllAnagraphics, Builder::Description,
         QStringLiteral("ΩRossi"), 0},
    };
    for (const CountCase &c : cases) {
        SCOPED_TRACE(c.name);
        ControlState s;
        s.SearchType = c.searchType;
        s.IDFirm = c.firm;
        s.AttivaFiltroBlocco = c.blockActive;
        s.BloccoEmissioneDoc = c.blockedOnly;
        const QString sql = c.builder == Builder::Description
                                ? fnSQLDescrizioneSearch(s, kModeCount, c.text)
                                : fnSQLCodiceSearch(s, kModeCount, c.text, c.builder == Builder::CodePrefix);
        EXPECT_EQ(countOf(db, sql), c.expected);
    }
}

// The plan of a statement, one line per step, e.g. "SEARCH Agente USING INDEX ...".
QStringList planOf(const std::shared_ptr<SqliteConnection> &db, const QString &sql)
{
    QStringList steps;
    for (auto rs = run(db, QStringLiteral("EXPLAIN QUERY PLAN ") + sql); !rs->Eof(); rs->MoveNext())
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
            ControlState s;
            s.SearchType = type;
            s.IDFirm = 1;
            s.AttivaFiltroBlocco = blockActive;
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
