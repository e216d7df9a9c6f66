#include "support/ChartFixture.h"
#include "support/PrintVariant.h"

#include "accounting/BalanceTotals.h"
#include "data/AnsiText.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace orv::test {
namespace {

using namespace orv::accounting;
using ::testing::Contains;

// Chart 9: a root with a terminal branch (a live, an archived and a deleted link, an account
// without totals), a branch with a Null terminal flag over a terminal one, a deleted and an
// archived terminal branch, an empty terminal branch and one flagged -1. Branch 20 holds two
// accounts whose debits together pass the currency range; accounts 40 and 41 have Null amounts.
const char *const kTotalsChart = R"sql(
INSERT INTO PianoDeiConti (IDPianoDeiConti, PianoDeiConti, SeparatoreCodifica) VALUES (9, 'Piano nove', '.');
INSERT INTO ElementoPDC (IDElementoPDC, IDPianoDeiConti, IDElementoPDCPadre, Codifica, ElementoTerminale, VirtualDelete) VALUES
    (1, 9, NULL, '1', 0, 0), (2, 9, 1, '01', 1, 0), (3, 9, 1, '02', NULL, 0), (4, 9, 3, '01', 1, 0),
    (5, 9, 1, '03', 1, 1), (6, 9, 1, '04', 1, 2), (7, 9, 1, '05', 1, 0), (8, 9, 1, '06', -1, 0),
    (20, 9, NULL, '2', 1, 0);
INSERT INTO ContoPDC (IDContoPDC, Codifica, CategoriaConto) VALUES
    (10, '1', 1), (11, '2', 1), (12, '3', 2), (13, '4', 2), (14, '5', 3), (15, '6', 3), (16, '7', 3), (17, '8', 4),
    (30, '1', 1), (31, '2', 1), (40, '9', 1), (41, '10', 1);
INSERT INTO ContoPerPDC (IDElementoPDC, IDContoPDC, VirtualDelete) VALUES
    (2, 10, 0), (2, 11, 0), (2, 15, 1), (2, 16, 2), (4, 12, 0), (5, 13, 0), (6, 14, 0), (8, 17, 0),
    (20, 30, 0), (20, 31, 0);
INSERT INTO ProgressivoContoEsercizio (IDContoPDC, IDEsercizio, Dare, Avere) VALUES
    (10, 2024, 0.1, 0.2), (12, 2024, 1000.5, 250.25), (13, 2024, 5000, 5000), (14, 2024, 0.2, 0.1),
    (15, 2024, 7, 7), (16, 2024, 3.3333, 0), (17, 2024, 10, 20),
    (30, 2024, 900000000000000, 1), (31, 2024, 900000000000000, 1),
    (40, 2024, NULL, 5), (41, 2024, 6, NULL);
INSERT INTO ProgressivoContoMese (IDContoPDC, Anno, Mese, Dare, Avere) VALUES
    (10, 2024, 3, 1, 2), (12, 2024, 3, 3, 4), (12, 2024, 4, 50, 60);
INSERT INTO ProgressivoContoPeriodo (IDContoPDC, IDPeriodoContabilizzazione, Dare, Avere) VALUES
    (10, 5, 11, 12), (14, 5, 13, 14), (12, 6, 100, 100);
)sql";

enum class Method { Account, Branch, Chart };

// One call of a totals method, always for month 3 of 2024 and period 5.
struct Call {
    Method method;
    std::int32_t id; // the account, the branch or the chart
    std::int16_t type = kByFiscalYear;
    std::int16_t categoria = -1;
    std::int32_t esercizio = 2024;

    // The caller's amounts, passed in as 7.77 and 8.88, after the call; "#" and the error
    // number first when it raises.
    QString on(DbConnection *db) const
    {
        Currency dare = Currency::fromRaw(77700), avere = Currency::fromRaw(88800);
        std::int32_t account = id, year = esercizio, periodo = 5;
        std::int16_t kind = type, category = categoria, mese = 3, anno = 2024;
        const QString error = textOf([&] {
            if (method == Method::Account)
                sbCalcolaProgressiviConto(db, account, kind, dare, avere, year, mese, anno, periodo);
            else if (method == Method::Branch)
                sbCalcolaProgressiviGruppo(db, account, kind, dare, avere, year, mese, anno, periodo);
            else
                sbCalcolaTotaleProgressiviConti(db, id, kind, category, dare, avere, year, mese, anno,
                                                periodo);
            return QString();
        });
        return (error.isEmpty() ? error : error + u' ') + dare.toText() + u' ' + avere.toText();
    }
};

struct Row {
    Call call;
    const char *expected;
};

class Totals : public ::testing::TestWithParam<Engine> {
protected:
    ChartFixture f{ChartFixture::withRows(GetParam(), QString::fromLatin1(kTotalsChart)), 9};

    void expectRows(std::initializer_list<Row> rows)
    {
        for (const Row &row : rows) {
            SCOPED_TRACE(testing::Message() << row.call.id << " type " << row.call.type << " category "
                                            << row.call.categoria << " year " << row.call.esercizio);
            EXPECT_EQ(row.call.on(f.recorder.get()), QString::fromLatin1(row.expected));
        }
    }
};

using enum Method;
using TotalsStatements = EngineTest;

// A failing call leaves the caller's amounts, except that a Null credit fails after the debit.
TEST_P(Totals, AccountReadsTheRowOfThePeriodOrKeepsTheCallersAmounts)
{
    expectRows({
        // clang-format off
        {{Account, 10, 0}, "0.1 0.2"}, {{Account, 12, 1}, "3 4"}, {{Account, 14, 2}, "13 14"},
        // Any type other than 0 and 1 reads the period; without a row the caller's amounts stay, not zero.
        {{Account, 10, 5}, "11 12"}, {{Account, 10, -1}, "11 12"},
        {{Account, 11, 0}, "7.77 8.88"}, {{Account, -12, 0}, "7.77 8.88"},
        {{Account, 40, 0}, "#94 7.77 8.88"}, {{Account, 41, 0}, "#94 6 8.88"}, // a Null debit, a Null credit
        // clang-format on
    });
}

TEST_P(Totals, BranchSumsEveryAccountBelowExactlyOrFailsKeepingTheCallersAmounts)
{
    expectRows({
        // clang-format off
        // 0.1 + 1000.5 + 0.2 + 3.3333 + 10: account 11 (no row) adds zero, the deleted branch 5 and
        // the deleted link of account 15 are left out, the archived branch 6 and link of 16 count.
        {{Branch, 1, 0}, "1014.1333 270.55"},
        {{Branch, 2, 0}, "3.4333 0.2"},     // 0.1 + 3.3333 exactly, not a binary approximation
        {{Branch, 3, 0}, "1000.5 250.25"},  // Null terminal flag: summed over its child branch
        {{Branch, 6, 0}, "0.2 0.1"},        // an archived branch asked for itself
        {{Branch, 7, 0}, "0 0"},            // a terminal branch without accounts
        {{Branch, 8, 0}, "10 20"},          // terminal flag -1
        {{Branch, 1, 1}, "4 6"},            // month 3 of 2024
        {{Branch, 1, 2}, "24 26"},          // period 5: accounts 10 and 14
        {{Branch, 1, 9}, "24 26"},          // any other type reads the period too
        {{Branch, 5, 0}, "#3021 7.77 8.88"},   // asked for itself, a deleted branch has no row to read
        {{Branch, 999, 0}, "#3021 7.77 8.88"},
        {{Branch, 20, 0}, "#6 7.77 8.88"},     // 900 000 000 000 000 twice passes the currency range
        // clang-format on
    });
    // One statement per branch and per account: branch 3, its children, branch 4, its links, account 12.
    f.take();
    Call{Branch, 3}.on(f.recorder.get());
    EXPECT_EQ(f.take().size(), 5);
    // The fifth statement (the totals of the first account of branch 2) fails.
    f.recorder->failOnStatement(5);
    EXPECT_EQ((Call{Branch, 1}.on(f.recorder.get())), "#3000 7.77 8.88");
    f.execute(QStringLiteral(
        "INSERT INTO ElementoPDC (IDElementoPDC, IDPianoDeiConti, IDElementoPDCPadre, Codifica, "
        "ElementoTerminale) VALUES (50, 9, 51, 'x', 0), (51, 9, 50, 'y', 0)"));
    EXPECT_EQ((Call{Branch, 50}.on(f.db.get())), "#28 7.77 8.88"); // parents that point at each other
}

TEST_P(Totals, ChartSumsEveryLiveLinkByTypeAndCategoryOrFailsKeepingTheCallersAmounts)
{
    // A sum past the currency range fails, also when its text takes an exponent (1.2E+15).
    for (const char *debit : {"470000000000000", "600000000000000"}) {
        f.execute(
            QStringLiteral("UPDATE ProgressivoContoEsercizio SET Dare = %1 WHERE IDContoPDC IN (30, 31)")
                .arg(debit));
        EXPECT_EQ((Call{Chart, 9}.on(f.recorder.get())), "#6 7.77 8.88") << debit;
    }
    f.execute(QStringLiteral("DELETE FROM ProgressivoContoEsercizio WHERE IDContoPDC IN (30, 31, 40, 41)"));
    expectRows({
        // clang-format off
        // Live links only: 10, 12, 17 (the archived branch 6, the archived link of 16 and the deleted
        // branch 5 are out here, unlike in the branch totals).
        {{Chart, 9, 0, -1}, "1010.6 270.45"}, {{Chart, 9, 0, 2}, "1000.5 250.25"},
        {{Chart, 9, 0, 4}, "10 20"}, {{Chart, 9, 1, -1, 0}, "4 6"},
        {{Chart, 9, 2, -1, 0}, "11 12"},         // period 5: account 14 sits in the archived branch
        {{Chart, 9, 0, -1, 1999}, "0 0"},        // no rows: Null sums read as zero
        {{Chart, 9, 0, 7}, "0 0"},               // a category without accounts
        {{Chart, 9, 3}, "#3000 7.77 8.88"},      // a type other than 0, 1 and 2 names no totals table
        // clang-format on
    });
    EXPECT_TRUE(totaleProgressiviContiSql(9, 3, -1, 2024, 3, 2024, 5)
                    .contains(QStringLiteral("ContoPerPDC as CPP, AND ELE.IDPianoDeiConti = 9")));
}

// The texts, numbers written as the host's own formatting does (a blank before a positive number
// in some, none in others), are those that the schema's statement list checks on the demo data.
TEST_P(TotalsStatements, AreTheListedTexts)
{
    for (const auto &[type, name] :
         {std::pair{kByFiscalYear, "year"}, {kByMonth, "month"}, {kByPeriod, "period"}}) {
        EXPECT_EQ(progressiviContoSql(101, type, 2026, 3, 2026, 5),
                  listedStatement(QStringLiteral("totals.account.") + name));
        EXPECT_EQ(totaleProgressiviContiSql(1, type, -1, 2026, 1, 2026, 5),
                  listedStatement(QStringLiteral("totals.chart.") + name));
    }
    EXPECT_EQ(totaleProgressiviContiSql(1, kByFiscalYear, 4, 2026, 1, 2026, 5),
              listedStatement("totals.chart.year_category"));

    ChartFixture f(db);
    Call({Branch, 1001, kByFiscalYear, -1, 2026}).on(f.recorder.get());
    const QStringList underBranch = f.take();
    for (const char *name :
         {"totals.group.branch", "totals.group.accounts", "totals.account.year"}) // 1013, 1014, 101
        EXPECT_THAT(underBranch, Contains(listedStatement(name)));
    Call({Branch, 1003, kByFiscalYear, -1, 2026}).on(f.recorder.get());
    EXPECT_THAT(f.take(), Contains(listedStatement("totals.group.children")));
    EXPECT_EQ((Call{Branch, 1034}.on(f.recorder.get())), "#3021 7.77 8.88");
    EXPECT_EQ(f.take(), QStringList{listedStatement("totals.group.branch_deleted")});
}

ORV_ON_EVERY_ENGINE(Totals);
ORV_ON_EVERY_ENGINE(TotalsStatements);

} // namespace
} // namespace orv::test
