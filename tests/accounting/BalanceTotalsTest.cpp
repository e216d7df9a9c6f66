#include "ChartFixture.h"
#include "FloorQueries.h"

#include "accounting/BalanceTotals.h"
#include "data/AnsiText.h"

#include <gtest/gtest.h>

namespace orv::test {
namespace {

using namespace orv::accounting;

Currency money(const char *text)
{
    return Currency::fromText(QString::fromLatin1(text));
}

// Chart 9: a root with a terminal branch (a live, an archived and a deleted link, an account
// without totals), a branch with a Null terminal flag over a terminal one, a deleted and an
// archived terminal branch, an empty terminal branch and one flagged -1. Branch 20 holds two
// accounts whose debits together pass the currency range; accounts 40 and 41 have Null amounts.
const char *const kTotalsChart = R"sql(
INSERT INTO PianoDeiConti (IDPianoDeiConti, PianoDeiConti, SeparatoreCodifica) VALUES (9, 'Piano nove', '.');
INSERT INTO ElementoPDC (IDElementoPDC, IDPianoDeiConti, IDElementoPDCPadre, Codifica, ElementoTerminale, VirtualDelete) VALUES
    (1, 9, NULL, '1', 0, 0),
    (2, 9, 1, '01', 1, 0),
    (3, 9, 1, '02', NULL, 0),
    (4, 9, 3, '01', 1, 0),
    (5, 9, 1, '03', 1, 1),
    (6, 9, 1, '04', 1, 2),
    (7, 9, 1, '05', 1, 0),
    (8, 9, 1, '06', -1, 0),
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

// The arguments of one call, with the amounts the caller passes in.
struct Call {
    std::int32_t id = 0;
    std::int16_t type = 0;
    Currency dare = money("7.77");
    Currency avere = money("8.88");
    std::int32_t esercizio = 2024;
    std::int16_t mese = 3;
    std::int16_t anno = 2024;
    std::int32_t periodo = 5;
    std::int16_t categoria = -1;

    void conto(DbConnection *db)
    {
        sbCalcolaProgressiviConto(db, id, type, dare, avere, esercizio, mese, anno, periodo);
    }
    void gruppo(DbConnection *db)
    {
        sbCalcolaProgressiviGruppo(db, id, type, dare, avere, esercizio, mese, anno, periodo);
    }
    void totale(DbConnection *db, std::int32_t chart)
    {
        sbCalcolaTotaleProgressiviConti(db, chart, type, categoria, dare, avere, esercizio, mese, anno,
                                        periodo);
    }
};

class Totals : public ::testing::Test {
protected:
    ChartFixture f{ChartFixture::withRows(QString::fromLatin1(kTotalsChart)), 9};
    DbConnection *db() { return f.recorder.get(); }
    // The caller's amounts come back untouched.
    static void expectKept(const Call &call)
    {
        EXPECT_EQ(call.dare, money("7.77"));
        EXPECT_EQ(call.avere, money("8.88"));
    }
};

struct AmountRow {
    std::int32_t id;
    std::int16_t type;
    const char *dare, *avere;
};

TEST_F(Totals, AccountReadsTheRowOfThePeriodOrKeepsTheCallersAmounts)
{
    for (const AmountRow &row :
         {AmountRow{10, 0, "0.1", "0.2"}, AmountRow{12, 1, "3", "4"}, AmountRow{14, 2, "13", "14"},
          AmountRow{10, 5, "11", "12"},     // any type other than 0 and 1: the period
          AmountRow{10, -1, "11", "12"},    //
          AmountRow{11, 0, "7.77", "8.88"}, // no row: the caller's amounts, not zero
          AmountRow{-12, 0, "7.77", "8.88"}}) {
        SCOPED_TRACE(row.id);
        Call call;
        call.id = row.id;
        call.type = row.type;
        call.conto(db());
        EXPECT_EQ(call.dare, money(row.dare));
        EXPECT_EQ(call.avere, money(row.avere));
    }
}

TEST_F(Totals, AccountWithANullDebitFailsBeforeWritingAndANullCreditAfterTheDebit)
{
    Call nullDebit;
    nullDebit.id = 40;
    EXPECT_EQ(errorOf([&] { nullDebit.conto(db()); }), kErrInvalidUseOfNull);
    expectKept(nullDebit);

    Call nullCredit;
    nullCredit.id = 41;
    EXPECT_EQ(errorOf([&] { nullCredit.conto(db()); }), kErrInvalidUseOfNull);
    EXPECT_EQ(nullCredit.dare, money("6"));
    EXPECT_EQ(nullCredit.avere, money("8.88"));
}

TEST_F(Totals, BranchSumsEveryAccountBelowExactly)
{
    for (const AmountRow &row :
         {// 0.1 + 1000.5 + 0.2 + 3.3333 + 10: account 11 (no row) adds zero, the deleted branch 5 and
          // the deleted link of account 15 are left out, the archived branch 6 and link of 16 count.
          AmountRow{1, 0, "1014.1333", "270.55"},
          AmountRow{2, 0, "3.4333", "0.2"},    // 0.1 + 3.3333 exactly, not a binary approximation
          AmountRow{3, 0, "1000.5", "250.25"}, // Null terminal flag: summed over its child branch
          AmountRow{6, 0, "0.2", "0.1"},       // an archived branch asked for itself
          AmountRow{7, 0, "0", "0"},           // a terminal branch without accounts
          AmountRow{8, 0, "10", "20"},         // terminal flag -1
          AmountRow{1, 1, "4", "6"},           // month 3 of 2024
          AmountRow{1, 2, "24", "26"},         // period 5: accounts 10 and 14
          AmountRow{1, 9, "24", "26"}}) {      // any other type reads the period too
        SCOPED_TRACE(testing::Message() << row.id << " type " << row.type);
        Call call;
        call.id = row.id;
        call.type = row.type;
        call.gruppo(db());
        EXPECT_EQ(call.dare, money(row.dare));
        EXPECT_EQ(call.avere, money(row.avere));
    }
    // One statement per branch and per account: branch 3, its children, branch 4, its links, account 12.
    f.take();
    Call call;
    call.id = 3;
    call.gruppo(db());
    EXPECT_EQ(f.take().size(), 5);
}

TEST_F(Totals, BranchFailuresLeaveTheCallersAmounts)
{
    Call deleted; // asked for itself, a deleted branch has no row to read
    deleted.id = 5;
    EXPECT_EQ(errorOf([&] { deleted.gruppo(db()); }), kErrNoCurrentRow);
    expectKept(deleted);

    Call missing;
    missing.id = 999;
    EXPECT_EQ(errorOf([&] { missing.gruppo(db()); }), kErrNoCurrentRow);

    Call overflow; // 900 000 000 000 000 twice passes the currency range
    overflow.id = 20;
    EXPECT_EQ(errorOf([&] { overflow.gruppo(db()); }), kErrOverflow);
    expectKept(overflow);

    Call broken; // the fifth statement (the totals of the first account of branch 2) fails
    broken.id = 1;
    f.take();
    f.recorder->failOnStatement(5);
    EXPECT_EQ(errorOf([&] { broken.gruppo(db()); }), kErrDatabase);
    expectKept(broken);

    f.execute(QStringLiteral(
        "INSERT INTO ElementoPDC (IDElementoPDC, IDPianoDeiConti, IDElementoPDCPadre, Codifica, "
        "ElementoTerminale) VALUES (50, 9, 51, 'x', 0), (51, 9, 50, 'y', 0)"));
    Call loop; // parents that point at each other
    loop.id = 50;
    EXPECT_EQ(errorOf([&] { loop.gruppo(f.db.get()); }), 28);
    expectKept(loop);
}

TEST(DemoBranchTotals, AgreeWithOneRecursiveStatementForEveryBranch)
{
    ChartFixture f(demoDatabase());
    QString sql = QStringLiteral("SELECT IDElementoPDC FROM ElementoPDC WHERE VirtualDelete <> 1");
    auto branches = runSql(f.db.get(), sql);
    int checked = 0;
    for (; !branches->Eof(); branches->MoveNext(), ++checked) {
        Call call;
        call.id = branches->Fields().Item(0).Value().toLong();
        call.esercizio = 2026;
        call.gruppo(f.db.get());
        QString floor = branchTotalsFloorSql(call.id, 2026);
        auto expected = runSql(f.db.get(), floor);
        EXPECT_EQ(call.dare, expected->Fields().Item(0).Value().toCurrency()) << call.id;
        EXPECT_EQ(call.avere, expected->Fields().Item(1).Value().toCurrency()) << call.id;
    }
    EXPECT_GT(checked, 30);
}

TEST_F(Totals, ChartSumsEveryLiveLinkByTypeAndCategory)
{
    f.execute(QStringLiteral("DELETE FROM ProgressivoContoEsercizio WHERE IDContoPDC IN (30, 31, 40, 41)"));
    struct Row {
        std::int16_t type, categoria;
        std::int32_t esercizio;
        const char *dare, *avere;
    };
    for (const Row &row : {// Live links only: 10, 12, 17 (the archived branch 6, the archived link of 16 and
                           // the deleted branch 5 are out here, unlike in the branch totals).
                           Row{0, -1, 2024, "1010.6", "270.45"}, Row{0, 2, 2024, "1000.5", "250.25"},
                           Row{0, 4, 2024, "10", "20"}, Row{1, -1, 0, "4", "6"},
                           Row{2, -1, 0, "11", "12"},    // period 5: account 14 sits in the archived branch
                           Row{0, -1, 1999, "0", "0"},   // no rows: Null sums read as zero
                           Row{0, 7, 2024, "0", "0"}}) { // a category without accounts
        SCOPED_TRACE(testing::Message() << "type " << row.type << " category " << row.categoria);
        Call call;
        call.type = row.type;
        call.categoria = row.categoria;
        call.esercizio = row.esercizio;
        call.totale(db(), 9);
        EXPECT_EQ(call.dare, money(row.dare));
        EXPECT_EQ(call.avere, money(row.avere));
    }
}

TEST_F(Totals, ChartFailuresKeepTheCallersAmounts)
{
    Call unknown; // a type other than 0, 1 and 2 leaves the statement without a totals table
    unknown.type = 3;
    EXPECT_EQ(errorOf([&] { unknown.totale(db(), 9); }), kErrDatabase);
    expectKept(unknown);
    EXPECT_TRUE(f.take().first().contains(QStringLiteral("ContoPerPDC as CPP, AND ELE.IDPianoDeiConti = 9")));

    f.execute(QStringLiteral(
        "UPDATE ProgressivoContoEsercizio SET Dare = 470000000000000 WHERE IDContoPDC IN (30, 31)"));
    Call call;
    EXPECT_EQ(errorOf([&] { call.totale(db(), 9); }), kErrOverflow);
    expectKept(call);
    // A sum whose text takes an exponent (1.2E+15) still reads as the whole number.
    f.execute(QStringLiteral(
        "UPDATE ProgressivoContoEsercizio SET Dare = 600000000000000 WHERE IDContoPDC IN (30, 31)"));
    EXPECT_EQ(errorOf([&] { call.totale(db(), 9); }), kErrOverflow);
    expectKept(call);
}

// The exact texts, numbers written as the host's own formatting does (a blank before a positive
// number in some, none in others): the schema's statement list checks these texts on the data.
// The exact text that the schema's statement list checks on the demo data.
TEST(ChartTotalsStatement, IsTheTextTheSchemaChecks)
{
    EXPECT_EQ(totaleProgressiviContiSql(9, 0, -1, 2024, 3, 2024, 5),
              QStringLiteral(
                  "SELECT SUM(PROG.Dare), SUM(PROG.Avere) FROM ElementoPDC as ELE, ContoPDC as CP, "
                  "ContoPerPDC as CPP, ProgressivoContoEsercizio as PROG WHERE PROG.IDEsercizio =  2024 AND "
                  "ELE.IDPianoDeiConti = 9 AND ELE.IDElementoPDC = CPP.IDElementoPDC AND CPP.IDContoPDC = "
                  "CP.IDContoPDC AND CP.IDContoPDC = PROG.IDContoPDC AND ELE.VirtualDelete = 0 AND "
                  "CPP.VirtualDelete = 0 AND CP.VirtualDelete = 0"));
    // The other types and a category change only the table and the conditions, which the rows of
    // ChartSumsEveryLiveLinkByTypeAndCategory check by their sums.
}

} // namespace
} // namespace orv::test
