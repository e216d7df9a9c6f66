#include "support/ChartFixture.h"
#include "support/PrintVariant.h"

#include "accounting/AccountCodes.h"
#include "accounting/AutomaticAccounts.h"
#include "data/AnsiText.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace orv::test {
namespace {

using namespace orv::accounting;
using ::testing::Contains;

using SmallChart = EngineTest;
using DemoAccountCode = EngineTest;
using BranchCode = EngineTest;
using AutomaticAccount = EngineTest;

// A chart with a two-character separator and three levels, a top branch without a code, a Null
// own code, and two branches whose parents point at each other.
const char *const kSmallChart = R"sql(
INSERT INTO PianoDeiConti (IDPianoDeiConti, PianoDeiConti, IDEsercizio, SeparatoreCodifica) VALUES
    (7, 'Piano sette', 2024, ' :: '), (8, 'Piano senza anno', NULL, NULL);
INSERT INTO ElementoPDC (IDElementoPDC, IDPianoDeiConti, IDElementoPDCPadre, Codifica, ElementoPDC, ElementoTerminale) VALUES
    (1, 7, NULL, ' A ', 'Radice', 0), (2, 7, 1, 'B', 'Ramo', 0), (3, 7, 2, 'C', 'Foglia', 1),
    (4, 7, 5, 'X', 'Anello uno', 1), (5, 7, 4, 'Y', 'Anello due', 0), (6, 7, NULL, NULL, 'Senza codice', 1);
INSERT INTO ContoPDC (IDContoPDC, Codifica, ContoPDC) VALUES
    (10, ' 42 ', 'Conto'), (11, NULL, 'Conto senza codice'), (12, '9', 'Conto nel vuoto'), (13, '5', 'Conto ad anello');
INSERT INTO ContoPerPDC (IDElementoPDC, IDContoPDC) VALUES (3, 10), (3, 11), (6, 12), (4, 13);
)sql";

TEST_P(SmallChart, SeparatorYearAndCodesTrimSegmentsAndFailOnNullOrLoopingParents)
{
    ChartFixture f(ChartFixture::withRows(GetParam(), QString::fromLatin1(kSmallChart)), 7,
                   QStringLiteral("::"));
    EXPECT_EQ(fnGetSeparatoreCodifica(f.recorder.get(), 7), QStringLiteral("::")); // trimmed
    EXPECT_EQ(fnGetSeparatoreCodifica(f.recorder.get(), 8), QString());            // Null
    EXPECT_EQ(fnGetSeparatoreCodifica(f.recorder.get(), -3), QString());           // no row
    EXPECT_EQ(errorNumberOf([] { fnGetSeparatoreCodifica(nullptr, 1); }), kErrNoConnection);
    EXPECT_EQ(fnGetEsercizioPDC(f.recorder.get(), 7), Variant(2024));
    EXPECT_EQ(fnGetEsercizioPDC(f.recorder.get(), 70), Variant::integer(-1)); // no row
    EXPECT_TRUE(fnGetEsercizioPDC(f.recorder.get(), 8).isEmpty());            // a Null year

    EXPECT_EQ(fnGetCodificaConto(f.s, 10), QStringLiteral("A::B::C::42"));
    EXPECT_EQ(fnGetCodificaConto(f.s, 12), QStringLiteral("::9")); // under a top branch without a code
    // A Null account code fails after its branch was remembered.
    EXPECT_EQ(errorNumberOf([&] { fnGetCodificaConto(f.s, 11); }), kErrInvalidUseOfNull);
    EXPECT_EQ(f.cache(), QStringLiteral(" 1=A| 2=A::B| 3=A::B::C| 6=")); // 6: a Null own code of a top branch

    ChartFixture loop(ChartFixture::withRows(GetParam(), QString::fromLatin1(kSmallChart)), 7,
                      QStringLiteral("::"));
    EXPECT_EQ(errorNumberOf([&] { fnGetCodificaRamo(loop.s, Variant(4)); }), kErrOutOfStackSpace);
    EXPECT_EQ(loop.take().size(), kMaxBranchDepth);
    EXPECT_EQ(loop.cache(), QString());
    EXPECT_EQ(errorNumberOf([&] { fnGetCodificaConto(loop.s, 13); }), kErrOutOfStackSpace);
}

// Each row: chart, account, separator, the code, and a statement of the schema's list that it sends.
TEST_P(DemoAccountCode, IsTheChainOfOwnCodesAndSendsTheListedStatements)
{
    // clang-format off
    const struct { std::int32_t chart, account; const char *separator, *expected, *statement; } rows[] = {
        {1, 101, ".", "01.05.001", "codes.account"},
        {1, 28, ".", "02.15.01.001", "codes.branch"},                      // branch 1024
        {1, 13, ".", "01.10.006", "codes.account_archived"},               // VirtualDelete 2
        {1, 55, ".", "04.90.001", "codes.account_archived_branch_and_link"},
        {1, 14, ".", "", "codes.account_deleted"},                         // VirtualDelete 1
        {1, 47, ".", "", "codes.account_in_deleted_branch"},
        {2, 301, "-", "01-7", "codes.account_root_branch"},
        {1, 301, ".", "", nullptr},                                        // an account of another chart
        {1, 9999, ".", "", nullptr},                                       // no such account
        {2, 303, "-", "02-1-001", nullptr},                                // another chart and separator
        {1, 1, "", "010101001", nullptr},                                  // separator not loaded
        {1, 1, "::", "01::01::01::001", nullptr},                          // several characters
    };
    // clang-format on
    for (const auto &row : rows) {
        SCOPED_TRACE(row.account);
        ChartFixture f(db, row.chart, QString::fromLatin1(row.separator));
        EXPECT_EQ(fnGetCodificaConto(f.s, row.account), QString::fromLatin1(row.expected));
        if (row.statement) {
            EXPECT_THAT(f.take(), Contains(listedStatement(QString::fromLatin1(row.statement))));
        }
    }
    ChartFixture f(db);
    EXPECT_EQ(fnGetSeparatoreCodifica(f.recorder.get(), 2), QStringLiteral("-"));
    EXPECT_EQ(fnGetEsercizioPDC(f.recorder.get(), 1), Variant(2026));
    EXPECT_EQ(f.take(),
              QStringList({listedStatement("codes.separator"), listedStatement("codes.fiscal_year")}));
}

TEST_P(BranchCode, IsRememberedUnderTheSignBlankKeyAndOutlivesChangesOfDataAndChart)
{
    ChartFixture f(db);
    for (const Variant &none : {Variant::null(), Variant(QString()), Variant()})
        EXPECT_EQ(fnGetCodificaRamo(f.s, none), QString());
    EXPECT_TRUE(f.take().isEmpty()); // no id: nothing asked

    EXPECT_EQ(fnGetCodificaRamo(f.s, Variant(1034)), QStringLiteral("03.90")); // VirtualDelete 1
    EXPECT_EQ(fnGetCodificaRamo(f.s, Variant(1042)), QStringLiteral("04.90")); // VirtualDelete 2
    EXPECT_EQ(fnGetCodificaRamo(f.s, Variant(1013)), QStringLiteral("01.05"));
    EXPECT_EQ(f.cache(), QStringLiteral(" 1001=01| 1003=03| 1004=04| 1013=01.05| 1034=03.90| 1042=04.90"));

    f.execute(QStringLiteral("UPDATE ElementoPDC SET Codifica = '77' WHERE IDElementoPDC = 1013"));
    f.s.IDPDC = 2;
    f.s.sSeparatoreCodifica = QStringLiteral("-");
    f.take();
    EXPECT_EQ(fnGetCodificaRamo(f.s, Variant(1013)), QStringLiteral("01.05"));
    EXPECT_EQ(fnGetCodificaRamo(f.s, Variant(QStringLiteral("1013"))), QStringLiteral("01.05")); // same key
    EXPECT_TRUE(f.take().isEmpty());
    // A sibling not yet known is built with today's separator on the remembered parent.
    EXPECT_EQ(fnGetCodificaConto(f.s, 101), QString()); // chart 2 does not hold it
    f.s.IDPDC = 1;
    EXPECT_EQ(fnGetCodificaRamo(f.s, Variant(1014)), QStringLiteral("01-10"));

    // A missing branch is empty, not remembered, and asked again each time.
    f.take();
    EXPECT_EQ(fnGetCodificaRamo(f.s, Variant(1100)), QString()); // a branch of chart 2
    EXPECT_EQ(fnGetCodificaRamo(f.s, Variant(1100)), QString());
    EXPECT_EQ(f.take().size(), 2);
    EXPECT_FALSE(f.cache().contains(QLatin1String(" 1100")));
}

TEST(ContainsSeparator, ComparesSingleCharactersWithTheWholeSeparator)
{
    for (const auto &[separator, text, expected] : {std::tuple{".", "01.05", true},
                                                    {".", "0105", false},
                                                    {".", "01.", true},
                                                    {"", "01.05", false},
                                                    {"::", "01::05", false},
                                                    {"a", "01A", false},
                                                    {"-", "-", true}})
        EXPECT_EQ(fnContieneSeparatore(QString::fromLatin1(separator), QString::fromLatin1(text)), expected)
            << separator << " in " << text;
}

// The role's account as a Double (a Null one as 0), Empty without a row; and the host's statement
// of all accounts, whose chart id keeps the blank of the host's own formatting.
TEST_P(AutomaticAccount, ReadsTheRoleOfTheCompanyOrOfTheOfficeWithTheListedStatements)
{
    ChartFixture f(db);
    // clang-format off
    const struct { std::int32_t company, office; const char *role; Variant id; const char *sql; } rows[] = {
        {1, 0, "IDContoCassa", 8.0, "host.automatic_account.company"},
        {1, 2, "IDContoCassa", 12.0, "host.automatic_account.office"},
        {1, 2, "IDContoErarioIva", 0.0, "host.automatic_account.unset_role"},
        {3, 0, "IDContoCassa", Variant(), "host.automatic_account.no_row"},
    };
    // clang-format on
    for (auto row : rows) {
        SCOPED_TRACE(row.sql);
        QString role = QString::fromLatin1(row.role);
        EXPECT_EQ(fnGetIDContoFromContoAutomatico(f.recorder.get(), row.company, row.office, role), row.id);
        EXPECT_EQ(f.take(), QStringList{listedStatement(QString::fromLatin1(row.sql))});
    }
    std::int32_t company = 1, office = 0;
    QString missing = QStringLiteral("NoSuchRole");
    EXPECT_EQ(
        errorNumberOf([&] { fnGetIDContoFromContoAutomatico(f.recorder.get(), company, office, missing); }),
        kErrDatabase);
    EXPECT_EQ(SelectAllAccounts(1), listedStatement(QStringLiteral("host.all_accounts")));
}

ORV_ON_EVERY_ENGINE(SmallChart);
ORV_ON_EVERY_ENGINE(DemoAccountCode);
ORV_ON_EVERY_ENGINE(BranchCode);
ORV_ON_EVERY_ENGINE(AutomaticAccount);

} // namespace
} // namespace orv::test
