#include "lookup/QueryBuilders.h"

#include "field/OrvEnums.h"
#include "support/ChartFixture.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace orv::lookup {
namespace {

enum class Builder { Code, Prefix, Description };

QString build(const ControlState &s, Builder builder, std::int16_t mode, const QString &text)
{
    if (builder == Builder::Description)
        return fnSQLDescrizioneSearch(s, mode, text);
    return fnSQLCodiceSearch(s, mode, text, builder == Builder::Prefix);
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

// A row of the registry statements of the schema's list: its name less "registry.", how to build
// it, and the type when the family's own does not build it.
struct Listed {
    const char *name;
    Builder builder;
    std::int16_t mode;
    const char *text;
    const char *filter = "";
    int block = 0;
    int searchType = -1;
};

// Every registry statement of the schema's list, so that the list and the builders cannot drift
// apart; then the places where a builder can go wrong beyond the list.
TEST(QueryBuilders, BuildEveryListedRegistryStatementExactly)
{
    // clang-format off
    const std::map<QString, int> families = {
        {"customer", OrvSearchCustomers}, {"supplier", OrvSearchSuppliers}, {"agent", OrvSearchAgents},
        {"customer_for_agent", OrvSearchCustomersForAgent}, {"collaborator", OrvSearchCollaborators},
        {"agent_for_customer", OrvSearchAgentsForCustomer}, {"clerk", OrvSearchClerks},
        {"agent_or_clerk", OrvSearchAgentsAndClerks}, {"any", OrvSearchAllAnagraphics}};
    using enum Builder;
    constexpr std::int16_t Count = kModeCount, Rows = kModeRows, All = kModeAllRows;
    const Listed rows[] = {
        {"customer.count.code", Code, Count, " C001 "}, {"customer.rows.code", Code, Rows, "C001"},
        {"customer.count.code_prefix", Prefix, Count, "C01"}, {"customer.all", Code, 7, "C001"},
        {"customer.count.code_prefix_lower_case", Prefix, Count, "c02"},
        {"customer.rows.code_prefix", Prefix, Rows, "C02"},
        {"customer.count.code_other_company_code", Code, Count, "C050"},
        {"customer.count.description", Description, Count, "Ross"},
        {"customer.rows.description_apostrophe", Description, Rows, " Dell'Orto "},
        {"customer.count.description_blocked_excluded", Description, Count, "R", "", 1},
        {"customer.count.description_no_block_filter", Description, Count, "R", "   "},
        {"customer.all_blocked_only", Code, All, "C001", "", 2},
        {"customer.rows.code_blocked_excluded", Code, Rows, "C012", "", 1},
        {"customer.all_with_filter", Description, All, "x", "Anagrafica.IDComune = 1"},
        {"supplier.count.code", Code, Count, "F001"}, {"supplier.count.code_prefix", Prefix, Count, "F00"},
        // Accounts and an unknown type get the supplier's statements; suppliers have no block filter.
        {"supplier.rows.code", Code, Rows, "F009", "", 0, OrvSearchAccounts},
        {"supplier.all", Description, All, "x", "", 0, 11},
        {"supplier.rows.description_apostrophe", Description, Rows, "dell'a", "", 2},
        {"agent.count.code_ambiguous", Code, Count, "A01"}, {"agent.rows.code", Code, Rows, "A02"},
        {"agent.count.code_cancelled", Code, Count, "A03"}, {"agent.count.code_prefix", Prefix, Count, "A"},
        {"agent.all", Code, All, "A01"}, {"agent.rows.description", Description, Rows, "mor"},
        {"agent.count.description_cancelled_included", Description, Count, "Fab"},
        {"agent.all_by_description", Description, All, "mor"}, {"clerk.count.code", Code, Count, "I01"},
        {"clerk.count.code_of_agent", Code, Count, "A02"},
        {"clerk.rows.description", Description, Rows, "Pell"}, {"clerk.all", Prefix, All, "I"},
        {"agent_or_clerk.count.code", Code, Count, "A01"}, {"agent_or_clerk.rows.code", Code, Rows, "I02"},
        {"agent_or_clerk.all", Code, All, ""}, {"agent_or_clerk.count.description", Description, Count, "S"},
        {"agent_or_clerk.rows.description", Description, Rows, "Car"},
        {"customer_for_agent.count.code", Code, Count, "C001"},
        {"customer_for_agent.rows.code", Code, Rows, "C001", "", 2},
        {"customer_for_agent.count.code_prefix", Prefix, Count, "C00"},
        {"customer_for_agent.count.description", Description, Count, "Ross"},
        {"customer_for_agent.rows.description", Description, Rows, "Russo"},
        {"customer_for_agent.all", Code, All, ""}, {"collaborator.count.code", Code, Count, "CO01"},
        {"collaborator.rows.code", Code, Rows, "CO01"},
        {"collaborator.count.code_prefix", Prefix, Count, "CO"},
        {"collaborator.rows.description", Description, Rows, "Test"},
        {"collaborator.all", Description, All, ""}, {"agent_for_customer.count.code", Code, Count, "A01"},
        {"agent_for_customer.rows.code_with_filter", Code, Rows, "A01", "Cliente.IDAnagrafica = 1"},
        {"agent_for_customer.count.code_prefix", Prefix, Count, "A0"},
        {"agent_for_customer.all", Code, All, ""},
        {"agent_for_customer.count.description", Description, Count, "Villa"},
        {"agent_for_customer.rows.description", Description, Rows, "Sart"},
        {"agent_for_customer.all_by_description", Description, All, ""},
        {"any.count.code", Prefix, Count, "C"}, {"any.all", Code, Rows, "C001"}, // no code condition
        {"any.rows.description", Description, Rows, "Banca"},
        {"any.count.description", Description, Count, "Comune di"},
    };
    // clang-format on
    std::set<QString> built;
    for (const Listed &row : rows) {
        const QString name = QString::fromLatin1(row.name);
        SCOPED_TRACE(row.name);
        const int type = row.searchType >= 0 ? row.searchType : families.at(name.section(u'.', 0, 0));
        const ControlState s = stateOf(type, row.block, QString::fromLatin1(row.filter));
        EXPECT_EQ(build(s, row.builder, row.mode, QString::fromUtf8(row.text)),
                  test::listedStatement(QStringLiteral("registry.") + name));
        built.insert(QStringLiteral("registry.") + name);
    }
    for (const auto &[name, sql] : test::listedStatements()) {
        if (name.startsWith(QLatin1String("registry."))) {
            EXPECT_TRUE(built.count(name)) << "no row builds " << name.toStdString();
        }
    }

    // The block filter comes before the caller's filter, which keeps its own blanks.
    EXPECT_EQ(fnSQLCodiceSearch(stateOf(OrvSearchCustomers, 1, "Anagrafica.IDComune = 1"), kModeRows, "C012",
                                false),
              test::listedStatement("registry.customer.rows.code_blocked_excluded") +
                  " AND Anagrafica.IDComune = 1");
    EXPECT_EQ(fnSQLCodiceSearch(stateOf(OrvSearchSuppliers, 0, "  Fornitore.IDAnagrafica > 30"), kModeCount,
                                "F001", false),
              test::listedStatement("registry.supplier.count.code") + " AND   Fornitore.IDAnagrafica > 30");
    // Blanks are spaces only: a tab is a filter of its own, and other white space stays in a code.
    EXPECT_EQ(fnSQLCodiceSearch(stateOf(OrvSearchSuppliers, 0, "\t"), kModeCount, "F001", false),
              test::listedStatement("registry.supplier.count.code") + " AND \t");
    EXPECT_EQ(
        fnSQLCodiceSearch(stateOf(OrvSearchSuppliers), kModeCount, QStringLiteral(" F001\t\u00a0 "), false),
        test::listedStatement("registry.supplier.count.code")
            .replace(QLatin1String("'F001'"), QStringLiteral("'F001\t\u00a0'")));
    // An empty description matches every name.
    EXPECT_EQ(fnSQLDescrizioneSearch(stateOf(OrvSearchAllAnagraphics), kModeCount, "   "),
              test::listedStatement("registry.any.count.code") + " AND Anagrafica  LIKE '%'");
    // A prefix keeps the code's trailing blanks before the %; a negative company keeps its sign.
    EXPECT_EQ(
        fnSQLCodiceSearch(stateOf(OrvSearchCustomers), kModeCount, "  C0 ", true),
        "SELECT count(*) FROM Anagrafica INNER JOIN Cliente ON Anagrafica.IDAnagrafica = Cliente.IDAnagrafica"
        " AND Cliente.IDAzienda = 1 WHERE Anagrafica.VirtualDelete = 0 AND Codice LIKE 'C0 %'");
    EXPECT_EQ(fnSQLCodiceSearch(stateOf(0, 0, "", -3), kModeCount, "F", true),
              "SELECT count(*) FROM Anagrafica INNER JOIN Fornitore ON Anagrafica.IDAnagrafica = "
              "Fornitore.IDAnagrafica"
              " AND Fornitore.IDAzienda = -3 WHERE Anagrafica.VirtualDelete = 0 AND Codice LIKE 'F%'");
}

} // namespace
} // namespace orv::lookup
