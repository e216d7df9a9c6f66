#include "ChartFixture.h"

#include "accounting/AccountCodes.h"
#include "accounting/AutomaticAccounts.h"
#include "data/AnsiText.h"

#include <gtest/gtest.h>

namespace orv::test {
namespace {

using namespace orv::accounting;

// A chart with a two-character separator and three levels, a top branch without a code, a Null
// own code,
// and two branches whose parents point at each other.
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

TEST(ChartSeparator, IsReadTrimmedFromTheChartRow)
{
    ChartFixture f(ChartFixture::withRows(QString::fromLatin1(kSmallChart)));
    EXPECT_EQ(fnGetSeparatoreCodifica(f.recorder.get(), 7), QStringLiteral("::"));
    EXPECT_EQ(f.take(), QStringList{QStringLiteral(
                            "SELECT SeparatoreCodifica FROM PianoDeiConti WHERE IDPianoDeiConti = 7")});
    EXPECT_EQ(fnGetSeparatoreCodifica(f.recorder.get(), 8), QString());  // Null
    EXPECT_EQ(fnGetSeparatoreCodifica(f.recorder.get(), -3), QString()); // no row
    EXPECT_EQ(f.take().last(),
              QStringLiteral("SELECT SeparatoreCodifica FROM PianoDeiConti WHERE IDPianoDeiConti = -3"));
}

TEST(ChartSeparator, DemoChartsUseTheirOwn)
{
    auto db = demoDatabase();
    EXPECT_EQ(fnGetSeparatoreCodifica(db.get(), 1), QStringLiteral("."));
    EXPECT_EQ(fnGetSeparatoreCodifica(db.get(), 2), QStringLiteral("-"));
    EXPECT_EQ(fnGetSeparatoreCodifica(db.get(), 3), QStringLiteral("/"));
}

TEST(ChartSeparator, WithoutConnectionTheCallFails)
{
    EXPECT_EQ(errorOf([] { fnGetSeparatoreCodifica(nullptr, 1); }), kErrNoConnection);
}

struct AccountCodeRow {
    std::int32_t chart;
    std::int32_t account;
    const char *separator;
    const char *expected;
};

class DemoAccountCode : public ::testing::TestWithParam<AccountCodeRow> {};

TEST_P(DemoAccountCode, IsTheChainOfOwnCodes)
{
    const AccountCodeRow row = GetParam();
    ChartFixture f(demoDatabase(), row.chart, QString::fromLatin1(row.separator));
    EXPECT_EQ(fnGetCodificaConto(f.s, row.account), QString::fromLatin1(row.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, DemoAccountCode,
    ::testing::Values(AccountCodeRow{1, 1, ".", "01.01.01.001"},  // four levels
                      AccountCodeRow{1, 101, ".", "01.05.001"},   // a customer's account
                      AccountCodeRow{1, 56, ".", "00.01"},        // under a top-level branch
                      AccountCodeRow{1, 28, ".", "02.15.01.001"}, // under a branch with a Null terminal flag
                      AccountCodeRow{1, 13, ".", "01.10.006"},    // archived account (VirtualDelete 2)
                      AccountCodeRow{1, 55, ".", "04.90.001"},    // archived branch and link
                      AccountCodeRow{1, 14, ".", ""},             // deleted account (VirtualDelete 1)
                      AccountCodeRow{1, 47, ".", ""},             // in a deleted branch
                      AccountCodeRow{1, 301, ".", ""},            // an account of another chart
                      AccountCodeRow{1, 9999, ".", ""},           // no such account
                      AccountCodeRow{2, 301, "-", "01-7"},        // one level, separator -
                      AccountCodeRow{2, 303, "-", "02-1-001"},    //
                      AccountCodeRow{1, 1, "", "010101001"},      // separator not loaded
                      AccountCodeRow{1, 1, "::", "01::01::01::001"})); // several characters

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
        const QString stored = rs->Fields().Item(1).Value().toText();
        if (account == 14)
            continue; // the deleted account itself
        EXPECT_EQ(fnGetCodificaConto(f.s, account), stored) << account;
    }
    EXPECT_GT(checked, 80);
}

TEST(AccountCode, ColdThenWarmStatements)
{
    ChartFixture f(demoDatabase());
    EXPECT_EQ(fnGetCodificaConto(f.s, 1), QStringLiteral("01.01.01.001"));
    const QStringList cold = f.take();
    ASSERT_EQ(cold.size(), 4);
    EXPECT_EQ(cold[0],
              QStringLiteral("SELECT Epdc.IDElementoPDC,Cp.Codifica FROM ElementoPDC AS Epdc, ContoPerPDC AS "
                             "Cpp,ContoPDC AS Cp WHERE Epdc.IDPianoDeiConti = 1 AND Epdc.IDElementoPDC = "
                             "Cpp.IDElementoPDC AND Cpp.IDContoPDC = Cp.IDContoPDC AND Cp.IDContoPDC = 1 AND "
                             "(Epdc.VirtualDelete = 0 or Epdc.VirtualDelete = 2) AND (Cpp.VirtualDelete = 0 "
                             "or Cpp.VirtualDelete = 2) AND (Cp.VirtualDelete = 0 or Cp.VirtualDelete = 2)"));
    EXPECT_EQ(cold[1],
              QStringLiteral("SELECT Codifica, IDElementoPDCPadre FROM ElementoPDC WHERE IDPianoDeiConti = 1 "
                             "AND IDElementoPDC = 11"));
    EXPECT_TRUE(cold[2].endsWith(QStringLiteral(" AND IDElementoPDC = 10"))) << cold[2].toStdString();
    EXPECT_TRUE(cold[3].endsWith(QStringLiteral(" AND IDElementoPDC = 1"))) << cold[3].toStdString();

    // The sibling account's branch and its parents are remembered: one statement.
    EXPECT_EQ(fnGetCodificaConto(f.s, 2), QStringLiteral("01.01.01.002"));
    EXPECT_EQ(f.take().size(), 1);
    // A cousin shares the two upper levels.
    EXPECT_EQ(fnGetCodificaConto(f.s, 6), QStringLiteral("01.01.02.001"));
    EXPECT_EQ(f.take().size(), 2);
}

TEST(AccountCode, NegativeChartIsWrittenWithItsSign)
{
    ChartFixture f(demoDatabase(), -4);
    EXPECT_EQ(fnGetCodificaConto(f.s, -2), QString());
    EXPECT_TRUE(f.take().first().contains(QStringLiteral("WHERE Epdc.IDPianoDeiConti =-4 AND")));
}

TEST(AccountCode, OuterBlanksOfSegmentsGoAndAnEmptyBranchCodeLeavesTheSeparatorInFront)
{
    ChartFixture f(ChartFixture::withRows(QString::fromLatin1(kSmallChart)), 7, QStringLiteral("::"));
    EXPECT_EQ(fnGetCodificaConto(f.s, 10), QStringLiteral("A::B::C::42"));
    EXPECT_EQ(fnGetCodificaConto(f.s, 12), QStringLiteral("::9")); // under a top branch without a code
}

TEST(AccountCode, NullOwnCodeIsAnInvalidUseOfNullAfterTheBranchWasRemembered)
{
    ChartFixture f(ChartFixture::withRows(QString::fromLatin1(kSmallChart)), 7, QStringLiteral("::"));
    EXPECT_EQ(errorOf([&] { fnGetCodificaConto(f.s, 11); }), kErrInvalidUseOfNull);
    ASSERT_TRUE(f.s.colCodificheRami.has_value());
    EXPECT_EQ(f.s.colCodificheRami->value(QStringLiteral(" 3")), QStringLiteral("A::B::C"));
}

TEST(AccountCode, DatabaseErrorsReachTheCaller)
{
    ChartFixture f(demoDatabase());
    f.recorder->failOnStatement(3); // the second branch of the chain
    EXPECT_EQ(errorOf([&] { fnGetCodificaConto(f.s, 1); }), kErrDatabase);
    // Nothing of the chain was remembered: the lower branch waits for its parent's code.
    EXPECT_TRUE(!f.s.colCodificheRami || f.s.colCodificheRami->isEmpty());
}

TEST(BranchCode, NullOrEmptyIdAnswersEmptyWithoutAsking)
{
    ChartFixture f(demoDatabase());
    EXPECT_EQ(fnGetCodificaRamo(f.s, Variant::null()), QString());
    EXPECT_EQ(fnGetCodificaRamo(f.s, Variant(QString())), QString());
    EXPECT_EQ(fnGetCodificaRamo(f.s, Variant()), QString());
    EXPECT_TRUE(f.take().isEmpty());
}

TEST(BranchCode, IsRememberedUnderTheSignBlankKeyAndOutlivesChangesOfDataAndChart)
{
    ChartFixture f(demoDatabase());
    EXPECT_EQ(fnGetCodificaRamo(f.s, Variant(13)), QStringLiteral("01.05"));
    ASSERT_TRUE(f.s.colCodificheRami.has_value());
    EXPECT_EQ(f.s.colCodificheRami->value(QStringLiteral(" 13")), QStringLiteral("01.05"));
    EXPECT_EQ(f.s.colCodificheRami->value(QStringLiteral(" 1")), QStringLiteral("01"));
    f.take();

    f.execute(QStringLiteral("UPDATE ElementoPDC SET Codifica = '77' WHERE IDElementoPDC = 13"));
    f.s.IDPDC = 2;
    f.s.sSeparatoreCodifica = QStringLiteral("-");
    EXPECT_EQ(fnGetCodificaRamo(f.s, Variant(13)), QStringLiteral("01.05"));
    EXPECT_EQ(fnGetCodificaRamo(f.s, Variant(QStringLiteral("13"))), QStringLiteral("01.05")); // same key
    EXPECT_TRUE(f.take().isEmpty());
    // A sibling not yet known is built with today's separator on the remembered parent.
    EXPECT_EQ(fnGetCodificaConto(f.s, 101), QString()); // chart 2 does not hold it
    f.s.IDPDC = 1;
    EXPECT_EQ(fnGetCodificaRamo(f.s, Variant(14)), QStringLiteral("01-10"));
}

TEST(BranchCode, MissingBranchIsEmptyAndNotRemembered)
{
    ChartFixture f(demoDatabase());
    EXPECT_EQ(fnGetCodificaRamo(f.s, Variant(100)), QString()); // a branch of chart 2
    EXPECT_EQ(fnGetCodificaRamo(f.s, Variant(100)), QString());
    EXPECT_EQ(f.take().size(), 2);
    EXPECT_FALSE(f.s.colCodificheRami->contains(QStringLiteral(" 100")));
}

TEST(BranchCode, DeletedBranchesStillHaveTheirCode)
{
    ChartFixture f(demoDatabase());
    EXPECT_EQ(fnGetCodificaRamo(f.s, Variant(34)), QStringLiteral("03.90")); // VirtualDelete 1
    EXPECT_EQ(fnGetCodificaRamo(f.s, Variant(42)), QStringLiteral("04.90")); // VirtualDelete 2
}

TEST(BranchCode, NullOwnCodeOfATopBranchIsEmpty)
{
    ChartFixture f(ChartFixture::withRows(QString::fromLatin1(kSmallChart)), 7, QStringLiteral("::"));
    EXPECT_EQ(fnGetCodificaRamo(f.s, Variant(6)), QString());
    EXPECT_TRUE(f.s.colCodificheRami->contains(QStringLiteral(" 6")));
}

TEST(BranchCode, ParentsThatLoopEndWithAnErrorAndRememberNothing)
{
    ChartFixture f(ChartFixture::withRows(QString::fromLatin1(kSmallChart)), 7, QStringLiteral("::"));
    EXPECT_EQ(errorOf([&] { fnGetCodificaRamo(f.s, Variant(4)); }), kErrOutOfStackSpace);
    EXPECT_EQ(f.take().size(), kMaxBranchDepth);
    EXPECT_TRUE(f.s.colCodificheRami->isEmpty());
    EXPECT_EQ(errorOf([&] { fnGetCodificaConto(f.s, 13); }), kErrOutOfStackSpace);
}

struct SeparatorRow {
    const char *separator;
    const char *text;
    bool expected;
};

class ContainsSeparator : public ::testing::TestWithParam<SeparatorRow> {};

TEST_P(ContainsSeparator, ComparesSingleCharactersWithTheWholeSeparator)
{
    const SeparatorRow row = GetParam();
    EXPECT_EQ(fnContieneSeparatore(QString::fromLatin1(row.separator), QString::fromLatin1(row.text)),
              row.expected);
}

INSTANTIATE_TEST_SUITE_P(Rows, ContainsSeparator,
                         ::testing::Values(SeparatorRow{".", "01.05", true}, SeparatorRow{".", "0105", false},
                                           SeparatorRow{".", "", false}, SeparatorRow{".", "01.", true},
                                           SeparatorRow{"", "01.05", false},
                                           SeparatorRow{"::", "01::05", false},
                                           SeparatorRow{"a", "01A", false}, SeparatorRow{"-", "-", true}));

TEST(FiscalYearOfChart, IsTheChartsYearOrMinusOne)
{
    ChartFixture f(ChartFixture::withRows(QString::fromLatin1(kSmallChart)));
    const Variant year = fnGetEsercizioPDC(f.recorder.get(), 7);
    EXPECT_EQ(year.type(), Variant::Type::Long);
    EXPECT_EQ(year.toLong(), 2024);
    EXPECT_EQ(f.take(),
              QStringList{QStringLiteral("SELECT PianoDeiConti.IDEsercizio FROM PianoDeiConti WHERE "
                                         "PianoDeiConti.IDPianoDeiConti = 7")});
    const Variant none = fnGetEsercizioPDC(f.recorder.get(), 70);
    EXPECT_EQ(none.type(), Variant::Type::Integer);
    EXPECT_EQ(none.toLong(), -1);
    EXPECT_TRUE(fnGetEsercizioPDC(f.recorder.get(), 8).isEmpty()); // a Null year
}

TEST(AutomaticAccount, ReadsTheRoleOfTheCompanyOrOfTheOffice)
{
    ChartFixture f(demoDatabase());
    std::int32_t company = 1;
    std::int32_t office = 0;
    QString role = QStringLiteral("IDContoCassa");
    Variant account = fnGetIDContoFromContoAutomatico(f.recorder.get(), company, office, role);
    EXPECT_EQ(account.type(), Variant::Type::Double);
    EXPECT_EQ(account.toDouble(), 8.0);
    office = 2;
    EXPECT_EQ(fnGetIDContoFromContoAutomatico(f.recorder.get(), company, office, role).toDouble(), 12.0);
    role = QStringLiteral("IDContoVendite"); // not set for the office
    account = fnGetIDContoFromContoAutomatico(f.recorder.get(), company, office, role);
    EXPECT_EQ(account.type(), Variant::Type::Double);
    EXPECT_EQ(account.toDouble(), 0.0);
    EXPECT_EQ(
        f.take(),
        (QStringList{
            QStringLiteral("SELECT IDContoCassa FROM ContoAutomatico WHERE IDAzienda = 1"),
            QStringLiteral("SELECT IDContoCassa FROM ContoAutomatico WHERE IDAzienda = 1 AND IDFiliale = 2"),
            QStringLiteral("SELECT IDContoVendite FROM ContoAutomatico WHERE IDAzienda = 1 AND "
                           "IDFiliale = 2"),
        }));
    company = 5;
    office = 0;
    EXPECT_TRUE(fnGetIDContoFromContoAutomatico(f.recorder.get(), company, office, role).isEmpty());
    role = QStringLiteral("NoSuchRole");
    company = 1;
    EXPECT_EQ(errorOf([&] { fnGetIDContoFromContoAutomatico(f.recorder.get(), company, office, role); }),
              kErrDatabase);
}

TEST(AllAccounts, StatementNamesTheChartInSignBlankFormAndListsEveryLiveLink)
{
    EXPECT_EQ(SelectAllAccounts(1),
              QStringLiteral(
                  "SELECT CP.IDContoPDC, ContoPDC, CP.IDTipoConto, CP.Codifica FROM ElementoPDC as EPDC, "
                  "ContoPerPDC as CPP, ContoPDC As CP WHERE IDPianoDeiConti =  1 AND EPDC.IDElementoPDC = "
                  "CPP.IDElementoPDC AND CPP.IDContoPDC = CP.IDContoPDC AND CP.VirtualDelete = 0 AND "
                  "CPP.VirtualDelete = 0 AND EPDC.VirtualDelete = 0"));
    EXPECT_TRUE(SelectAllAccounts(-2).contains(QStringLiteral("IDPianoDeiConti = -2 AND")));

    auto db = demoDatabase();
    QString sql = SelectAllAccounts(1);
    auto rs = runSql(db.get(), sql);
    QList<std::int32_t> ids;
    for (; !rs->Eof(); rs->MoveNext())
        ids << rs->Fields().Item(QStringLiteral("IDContoPDC")).Value().toLong();
    EXPECT_EQ(ids.size(), 84);      // 58 general accounts less 13, 14, 47, 55; 20 customers; 10 suppliers
    EXPECT_FALSE(ids.contains(13)); // archived account
    EXPECT_FALSE(ids.contains(47)); // in a deleted branch
    EXPECT_TRUE(ids.contains(120));
}

} // namespace
} // namespace orv::test
