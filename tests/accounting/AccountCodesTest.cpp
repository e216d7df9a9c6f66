#include "ChartFixture.h"

#include "accounting/AccountCodes.h"
#include "accounting/AutomaticAccounts.h"
#include "data/AnsiText.h"

#include <gtest/gtest.h>

namespace orv::test {
namespace {

using namespace orv::accounting;

// A chart with a two-character separator and three levels, a top branch without a code, a Null
// own code, and two branches whose parents point at each other.
const char *const kSmallChart = R"sql(
INSERT INTO PianoDeiConti (IDPianoDeiConti, PianoDeiConti, IDEsercizio, SeparatoreCodifica) VALUES
    (7, 'Piano sette', 2024, ' :: '), (8, 'Piano senza anno', NULL, NULL);
INSERT INTO ElementoPDC (IDElementoPDC, IDPianoDeiConti, IDElementoPDCPadre, Codifica, ElementoPDC, ElementoTerminale) VALUES
    (1, 7, NULL, ' A ', 'Radice', 0),
    (2, 7, 1, 'B', 'Ramo', 0),
    (3, 7, 2, 'C', 'Foglia', 1),
    (4, 7, 5, 'X', 'Anello uno', 1),
    (5, 7, 4, 'Y', 'Anello due', 0),
    (6, 7, NULL, NULL, 'Senza codice', 1);
INSERT INTO ContoPDC (IDContoPDC, Codifica, ContoPDC) VALUES
    (10, ' 42 ', 'Conto'), (11, NULL, 'Conto senza codice'), (12, '9', 'Conto nel vuoto'), (13, '5', 'Conto ad anello');
INSERT INTO ContoPerPDC (IDElementoPDC, IDContoPDC) VALUES (3, 10), (3, 11), (6, 12), (4, 13);
)sql";

class SmallChart : public ::testing::Test {
protected:
    ChartFixture f{ChartFixture::withRows(QString::fromLatin1(kSmallChart)), 7, QStringLiteral("::")};
};

TEST_F(SmallChart, SeparatorAndFiscalYearAreReadFromTheChartRow)
{
    EXPECT_EQ(fnGetSeparatoreCodifica(f.recorder.get(), 7), QStringLiteral("::")); // trimmed
    EXPECT_EQ(fnGetSeparatoreCodifica(f.recorder.get(), 8), QString());            // Null
    EXPECT_EQ(fnGetSeparatoreCodifica(f.recorder.get(), -3), QString());           // no row
    EXPECT_EQ(errorOf([] { fnGetSeparatoreCodifica(nullptr, 1); }), kErrNoConnection);
    auto demo = demoDatabase();
    EXPECT_EQ(fnGetSeparatoreCodifica(demo.get(), 2), QStringLiteral("-"));
    EXPECT_EQ(fnGetSeparatoreCodifica(demo.get(), 3), QStringLiteral("/"));

    const Variant year = fnGetEsercizioPDC(f.recorder.get(), 7);
    EXPECT_EQ(year.type(), Variant::Type::Long);
    EXPECT_EQ(year.toLong(), 2024);
    const Variant none = fnGetEsercizioPDC(f.recorder.get(), 70);
    EXPECT_EQ(none.type(), Variant::Type::Integer);
    EXPECT_EQ(none.toLong(), -1);
    EXPECT_TRUE(fnGetEsercizioPDC(f.recorder.get(), 8).isEmpty()); // a Null year
}

TEST_F(SmallChart, AccountCodesTrimSegmentsAndFailOnNullOrLoopingParents)
{
    EXPECT_EQ(fnGetCodificaConto(f.s, 10), QStringLiteral("A::B::C::42"));
    EXPECT_EQ(fnGetCodificaConto(f.s, 12), QStringLiteral("::9")); // under a top branch without a code
    EXPECT_EQ(fnGetCodificaRamo(f.s, Variant(6)), QString());      // Null own code of a top branch
    EXPECT_TRUE(f.s.colCodificheRami->contains(QStringLiteral(" 6")));

    // A Null account code fails after its branch was remembered.
    EXPECT_EQ(errorOf([&] { fnGetCodificaConto(f.s, 11); }), kErrInvalidUseOfNull);
    EXPECT_EQ(f.s.colCodificheRami->value(QStringLiteral(" 3")), QStringLiteral("A::B::C"));

    ChartFixture loop(ChartFixture::withRows(QString::fromLatin1(kSmallChart)), 7, QStringLiteral("::"));
    EXPECT_EQ(errorOf([&] { fnGetCodificaRamo(loop.s, Variant(4)); }), kErrOutOfStackSpace);
    EXPECT_EQ(loop.take().size(), kMaxBranchDepth);
    EXPECT_TRUE(loop.s.colCodificheRami->isEmpty());
    EXPECT_EQ(errorOf([&] { fnGetCodificaConto(loop.s, 13); }), kErrOutOfStackSpace);
}

TEST(DemoAccountCode, IsTheChainOfOwnCodes)
{
    struct Row {
        std::int32_t chart, account;
        const char *separator, *expected;
    };
    for (const Row &row : {Row{1, 1, ".", "01.01.01.001"},        // four levels
                           Row{1, 56, ".", "00.01"},              // under a top-level branch
                           Row{1, 28, ".", "02.15.01.001"},       // under a branch with a Null terminal flag
                           Row{1, 13, ".", "01.10.006"},          // archived account (VirtualDelete 2)
                           Row{1, 55, ".", "04.90.001"},          // archived branch and link
                           Row{1, 14, ".", ""},                   // deleted account (VirtualDelete 1)
                           Row{1, 47, ".", ""},                   // in a deleted branch
                           Row{1, 301, ".", ""},                  // an account of another chart
                           Row{1, 9999, ".", ""},                 // no such account
                           Row{2, 303, "-", "02-1-001"},          // another chart and separator
                           Row{1, 1, "", "010101001"},            // separator not loaded
                           Row{1, 1, "::", "01::01::01::001"}}) { // several characters
        SCOPED_TRACE(row.account);
        ChartFixture f(demoDatabase(), row.chart, QString::fromLatin1(row.separator));
        EXPECT_EQ(fnGetCodificaConto(f.s, row.account), QString::fromLatin1(row.expected));
    }
}

TEST(AccountCode, AgreesWithTheStoredFullCodeOfEveryLiveLinkOfTheDemo)
{
    ChartFixture f(demoDatabase());
    QString sql =
        QStringLiteral("SELECT CPP.IDContoPDC, CPP.CodificaCompleta FROM ContoPerPDC CPP, ElementoPDC E"
                       " WHERE E.IDElementoPDC = CPP.IDElementoPDC AND E.IDPianoDeiConti = 1"
                       " AND E.VirtualDelete <> 1 AND CPP.VirtualDelete <> 1");
    auto rs = runSql(f.db.get(), sql);
    int checked = 0;
    for (; !rs->Eof(); rs->MoveNext(), ++checked) {
        const std::int32_t account = rs->Fields().Item(0).Value().toLong();
        if (account != 14) { // the deleted account itself
            EXPECT_EQ(fnGetCodificaConto(f.s, account), rs->Fields().Item(1).Value().toText()) << account;
        }
    }
    EXPECT_GT(checked, 80);
}

TEST(AccountCode, RemembersBranchesAndAsksOnlyForWhatItLacks)
{
    ChartFixture f(demoDatabase());
    EXPECT_EQ(fnGetCodificaConto(f.s, 1), QStringLiteral("01.01.01.001"));
    EXPECT_EQ(f.take().size(), 4); // the account, then its branch and both parents
    EXPECT_EQ(fnGetCodificaConto(f.s, 2), QStringLiteral("01.01.01.002"));
    EXPECT_EQ(f.take().size(), 1); // same branch
    EXPECT_EQ(fnGetCodificaConto(f.s, 6), QStringLiteral("01.01.02.001"));
    EXPECT_EQ(f.take().size(), 2); // a cousin shares the two upper levels

    ChartFixture failing(demoDatabase());
    failing.recorder->failOnStatement(3); // the second branch of the chain
    EXPECT_EQ(errorOf([&] { fnGetCodificaConto(failing.s, 1); }), kErrDatabase);
    EXPECT_TRUE(!failing.s.colCodificheRami || failing.s.colCodificheRami->isEmpty());
}

TEST(BranchCode, IsRememberedUnderTheSignBlankKeyAndOutlivesChangesOfDataAndChart)
{
    ChartFixture f(demoDatabase());
    EXPECT_EQ(fnGetCodificaRamo(f.s, Variant::null()), QString());
    EXPECT_EQ(fnGetCodificaRamo(f.s, Variant(QString())), QString());
    EXPECT_EQ(fnGetCodificaRamo(f.s, Variant()), QString());
    EXPECT_TRUE(f.take().isEmpty()); // no id: nothing asked

    EXPECT_EQ(fnGetCodificaRamo(f.s, Variant(1034)), QStringLiteral("03.90")); // VirtualDelete 1
    EXPECT_EQ(fnGetCodificaRamo(f.s, Variant(1042)), QStringLiteral("04.90")); // VirtualDelete 2
    EXPECT_EQ(fnGetCodificaRamo(f.s, Variant(1013)), QStringLiteral("01.05"));
    EXPECT_EQ(f.s.colCodificheRami->value(QStringLiteral(" 1013")), QStringLiteral("01.05"));
    EXPECT_EQ(f.s.colCodificheRami->value(QStringLiteral(" 1001")), QStringLiteral("01"));
    f.take();

    f.execute(QStringLiteral("UPDATE ElementoPDC SET Codifica = '77' WHERE IDElementoPDC = 1013"));
    f.s.IDPDC = 2;
    f.s.sSeparatoreCodifica = QStringLiteral("-");
    EXPECT_EQ(fnGetCodificaRamo(f.s, Variant(1013)), QStringLiteral("01.05"));
    EXPECT_EQ(fnGetCodificaRamo(f.s, Variant(QStringLiteral("1013"))), QStringLiteral("01.05")); // same key
    EXPECT_TRUE(f.take().isEmpty());
    // A sibling not yet known is built with today's separator on the remembered parent.
    EXPECT_EQ(fnGetCodificaConto(f.s, 101), QString()); // chart 2 does not hold it
    f.s.IDPDC = 1;
    EXPECT_EQ(fnGetCodificaRamo(f.s, Variant(1014)), QStringLiteral("01-10"));

    // A missing branch is empty and asked again each time.
    f.take();
    EXPECT_EQ(fnGetCodificaRamo(f.s, Variant(1100)), QString()); // a branch of chart 2
    EXPECT_EQ(fnGetCodificaRamo(f.s, Variant(1100)), QString());
    EXPECT_EQ(f.take().size(), 2);
    EXPECT_FALSE(f.s.colCodificheRami->contains(QStringLiteral(" 1100")));
}

TEST(ContainsSeparator, ComparesSingleCharactersWithTheWholeSeparator)
{
    struct Row {
        const char *separator, *text;
        bool expected;
    };
    for (const Row &row :
         {Row{".", "01.05", true}, Row{".", "0105", false}, Row{".", "", false}, Row{".", "01.", true},
          Row{"", "01.05", false}, Row{"::", "01::05", false}, Row{"a", "01A", false}, Row{"-", "-", true}}) {
        SCOPED_TRACE(std::string(row.separator) + " in " + row.text);
        EXPECT_EQ(fnContieneSeparatore(QString::fromLatin1(row.separator), QString::fromLatin1(row.text)),
                  row.expected);
    }
}

TEST(AutomaticAccount, ReadsTheRoleOfTheCompanyOrOfTheOffice)
{
    ChartFixture f(demoDatabase());
    const auto account = [&](std::int32_t company, std::int32_t office, const char *role) {
        QString name = QString::fromLatin1(role);
        return fnGetIDContoFromContoAutomatico(f.recorder.get(), company, office, name);
    };
    EXPECT_EQ(account(1, 0, "IDContoCassa").type(), Variant::Type::Double);
    EXPECT_EQ(account(1, 0, "IDContoCassa").toDouble(), 8.0);
    EXPECT_EQ(account(1, 2, "IDContoCassa").toDouble(), 12.0);
    EXPECT_EQ(account(1, 2, "IDContoVendite").type(), Variant::Type::Double); // not set for the office
    EXPECT_EQ(account(1, 2, "IDContoVendite").toDouble(), 0.0);
    EXPECT_TRUE(account(5, 0, "IDContoVendite").isEmpty());
    EXPECT_EQ(errorOf([&] { account(1, 0, "NoSuchRole"); }), kErrDatabase);
}

// The exact texts that the schema's statement list checks on the demo data; the other statements
// are checked by what they answer.
TEST(CodeStatements, AreTheTextsTheSchemaChecks)
{
    ChartFixture f(demoDatabase());
    fnGetCodificaConto(f.s, 1);
    EXPECT_EQ(f.take().first(),
              QStringLiteral("SELECT Epdc.IDElementoPDC,Cp.Codifica FROM ElementoPDC AS Epdc, ContoPerPDC AS "
                             "Cpp,ContoPDC AS Cp WHERE Epdc.IDPianoDeiConti = 1 AND Epdc.IDElementoPDC = "
                             "Cpp.IDElementoPDC AND Cpp.IDContoPDC = Cp.IDContoPDC AND Cp.IDContoPDC = 1 AND "
                             "(Epdc.VirtualDelete = 0 or Epdc.VirtualDelete = 2) AND (Cpp.VirtualDelete = 0 "
                             "or Cpp.VirtualDelete = 2) AND (Cp.VirtualDelete = 0 or Cp.VirtualDelete = 2)"));
    EXPECT_EQ(SelectAllAccounts(1),
              QStringLiteral(
                  "SELECT CP.IDContoPDC, ContoPDC, CP.IDTipoConto, CP.Codifica FROM ElementoPDC as EPDC, "
                  "ContoPerPDC as CPP, ContoPDC As CP WHERE IDPianoDeiConti =  1 AND EPDC.IDElementoPDC = "
                  "CPP.IDElementoPDC AND CPP.IDContoPDC = CP.IDContoPDC AND CP.VirtualDelete = 0 AND "
                  "CPP.VirtualDelete = 0 AND EPDC.VirtualDelete = 0"));
}

} // namespace
} // namespace orv::test
