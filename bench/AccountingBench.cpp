#include "BenchDatabase.h"

#include "FloorQueries.h"
#include "control/OrvSearchACS2.h"
#include "control/OrvSearchACS2_p.h"
#include "data/AnsiText.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

// The accounting questions of an account field on the generated chart (chart 1, five levels of
// branches, accounts below the fifth, twelve months, four periods and the year 2026 of totals),
// each next to its floor: the same answer from one statement run straight on SQLite.

namespace orv::bench {

namespace {

constexpr std::int32_t kChart = 1;
constexpr std::int32_t kYear = 2026;

std::int32_t firstLong(QString sql)
{
    auto rs = runSql(database().get(), sql);
    return rs->Eof() ? 0 : rs->Fields().Item(0).Value().toLong();
}

// A thousand accounts spread over the whole chart.
const std::vector<std::int32_t> &sampleAccounts()
{
    static const std::vector<std::int32_t> accounts = [] {
        std::vector<std::int32_t> ids;
        QString sql =
            QStringLiteral("SELECT IDContoPDC FROM ContoPDC WHERE IDContoPDC % 50 = 7 ORDER BY IDContoPDC");
        for (auto rs = runSql(database().get(), sql); !rs->Eof(); rs->MoveNext())
            ids.push_back(rs->Fields().Item(0).Value().toLong());
        return ids;
    }();
    return accounts;
}

// The top-level branch with the most accounts below it, and a third-level branch under it.
std::int32_t rootBranch()
{
    static const std::int32_t id =
        firstLong(QStringLiteral("SELECT r.IDElementoPDC FROM ElementoPDC r WHERE r.IDPianoDeiConti = 1 AND "
                                 "r.IDElementoPDCPadre IS NULL"
                                 " ORDER BY (SELECT count(*) FROM ElementoPDC e WHERE e.IDElementoPDCPadre = "
                                 "r.IDElementoPDC) DESC, 1 LIMIT 1"));
    return id;
}

std::int32_t midBranch()
{
    static const std::int32_t id =
        firstLong(QStringLiteral("SELECT e3.IDElementoPDC FROM ElementoPDC e2 JOIN ElementoPDC e3 ON "
                                 "e3.IDElementoPDCPadre = e2.IDElementoPDC WHERE e2.IDElementoPDCPadre = %1 "
                                 "ORDER BY e3.IDElementoPDC LIMIT 1")
                      .arg(rootBranch()));
    return id;
}

// The accounts under a branch, for the figures of the report.
std::int64_t accountsUnder(std::int32_t branch)
{
    return firstLong(
        QStringLiteral("WITH RECURSIVE sub(id) AS (SELECT %1 UNION ALL SELECT e.IDElementoPDC FROM "
                       "ElementoPDC e JOIN sub ON e.IDElementoPDCPadre = sub.id) SELECT count(*) FROM "
                       "ContoPerPDC c JOIN sub ON c.IDElementoPDC = sub.id")
            .arg(branch));
}

std::unique_ptr<OrvSearchACS2> accountField()
{
    auto field = std::make_unique<OrvSearchACS2>();
    field->setConnection(database());
    field->setIDPDC(kChart);
    field->setSearchType(OrvSearchAccounts);
    return field;
}

// --- Full account codes ---------------------------------------------------------------------

// Every call starts from an empty branch-code cache: one statement for the account, one per
// level of branches above it.
void BM_AccountCodeCold(benchmark::State &state)
{
    auto field = accountField();
    const auto &accounts = sampleAccounts();
    std::size_t next = 0;
    for (auto _ : state) {
        state.PauseTiming();
        fieldContextOf(*field).work().colCodificheRami.reset();
        std::int32_t account = accounts[next++ % accounts.size()];
        state.ResumeTiming();
        benchmark::DoNotOptimize(field->fnGetCodificaConto(account));
    }
}
BENCHMARK(BM_AccountCodeCold)->Unit(benchmark::kMicrosecond);

// Every branch already in the cache: the account statement alone.
void BM_AccountCodeWarm(benchmark::State &state)
{
    auto field = accountField();
    const auto &accounts = sampleAccounts();
    for (std::int32_t account : accounts)
        field->fnGetCodificaConto(account);
    std::size_t next = 0;
    for (auto _ : state) {
        std::int32_t account = accounts[next++ % accounts.size()];
        benchmark::DoNotOptimize(field->fnGetCodificaConto(account));
    }
}
BENCHMARK(BM_AccountCodeWarm)->Unit(benchmark::kMicrosecond);

void BM_AccountCodeFloor(benchmark::State &state)
{
    const auto &accounts = sampleAccounts();
    {
        auto field = accountField();
        for (std::size_t i = 0; i < accounts.size(); i += 97) {
            std::int32_t account = accounts[i];
            if (runRaw(test::accountCodeFloorSql(kChart, account, QStringLiteral("."))).text !=
                field->fnGetCodificaConto(account)) {
                state.SkipWithError("the floor and the field disagree on a full code");
                return;
            }
        }
    }
    std::size_t next = 0;
    for (auto _ : state) {
        const std::int32_t account = accounts[next++ % accounts.size()];
        benchmark::DoNotOptimize(runRaw(test::accountCodeFloorSql(kChart, account, QStringLiteral("."))));
    }
}
BENCHMARK(BM_AccountCodeFloor)->Unit(benchmark::kMicrosecond);

// --- Branch totals --------------------------------------------------------------------------

void branchTotals(benchmark::State &state, std::int32_t branch)
{
    auto field = accountField();
    std::int16_t type = 0;
    Currency dare;
    Currency avere;
    std::int32_t esercizio = kYear;
    std::int16_t mese = 0;
    std::int16_t anno = 0;
    std::int32_t periodo = 0;
    for (auto _ : state) {
        std::int32_t id = branch;
        field->sbCalcolaProgressiviGruppo(id, type, dare, avere, esercizio, mese, anno, periodo);
        benchmark::DoNotOptimize(dare);
    }
    const RawRow floor = runRaw(test::branchTotalsFloorSql(branch, kYear, onPostgres()));
    if (dare != Currency::fromDouble(floor.first) || avere != Currency::fromDouble(floor.second))
        state.SkipWithError("the floor and the field disagree on the branch totals");
    state.counters["accounts"] = static_cast<double>(accountsUnder(branch));
}

void branchTotalsFloor(benchmark::State &state, std::int32_t branch)
{
    const QString sql = test::branchTotalsFloorSql(branch, kYear, onPostgres());
    for (auto _ : state)
        benchmark::DoNotOptimize(runRaw(sql));
}

void BM_BranchTotalsRoot(benchmark::State &state)
{
    branchTotals(state, rootBranch());
}
BENCHMARK(BM_BranchTotalsRoot)->Unit(benchmark::kMillisecond);

void BM_BranchTotalsRootFloor(benchmark::State &state)
{
    branchTotalsFloor(state, rootBranch());
}
BENCHMARK(BM_BranchTotalsRootFloor)->Unit(benchmark::kMillisecond);

void BM_BranchTotalsMid(benchmark::State &state)
{
    branchTotals(state, midBranch());
}
BENCHMARK(BM_BranchTotalsMid)->Unit(benchmark::kMillisecond);

void BM_BranchTotalsMidFloor(benchmark::State &state)
{
    branchTotalsFloor(state, midBranch());
}
BENCHMARK(BM_BranchTotalsMidFloor)->Unit(benchmark::kMillisecond);

// --- Chart totals ---------------------------------------------------------------------------

void BM_ChartTotals(benchmark::State &state)
{
    auto field = accountField();
    std::int16_t type = 0;
    std::int16_t categoria = -1;
    Currency dare;
    Currency avere;
    std::int32_t esercizio = kYear;
    std::int16_t mese = 0;
    std::int16_t anno = 0;
    std::int32_t periodo = 0;
    for (auto _ : state) {
        field->sbCalcolaTotaleProgressiviConti(type, categoria, dare, avere, esercizio, mese, anno, periodo);
        benchmark::DoNotOptimize(dare);
    }
    Currency rootsDare;
    Currency rootsAvere;
    QString roots = QStringLiteral("SELECT IDElementoPDC FROM ElementoPDC WHERE IDPianoDeiConti = 1 AND "
                                   "IDElementoPDCPadre IS NULL");
    for (auto rs = runSql(database().get(), roots); !rs->Eof(); rs->MoveNext()) {
        const RawRow floor =
            runRaw(test::branchTotalsFloorSql(rs->Fields().Item(0).Value().toLong(), kYear, onPostgres()));
        rootsDare += Currency::fromDouble(floor.first);
        rootsAvere += Currency::fromDouble(floor.second);
    }
    if (dare != rootsDare || avere != rootsAvere)
        state.SkipWithError("the chart totals disagree with the totals of the top-level branches");
}
BENCHMARK(BM_ChartTotals)->Unit(benchmark::kMillisecond);

// The chart-wide sum needs no walk of the tree: one join over the live links, run raw.
void BM_ChartTotalsFloor(benchmark::State &state)
{
    const QString sql = QStringLiteral(
        "SELECT COALESCE(SUM(p.Dare), 0), COALESCE(SUM(p.Avere), 0) FROM ElementoPDC e JOIN ContoPerPDC c ON "
        "c.IDElementoPDC = "
        "e.IDElementoPDC JOIN ContoPDC a ON a.IDContoPDC = c.IDContoPDC JOIN ProgressivoContoEsercizio p ON "
        "p.IDContoPDC = a.IDContoPDC WHERE e.IDPianoDeiConti = 1 AND p.IDEsercizio = 2026 AND "
        "e.VirtualDelete = 0 "
        "AND c.VirtualDelete = 0 AND a.VirtualDelete = 0");
    for (auto _ : state)
        benchmark::DoNotOptimize(runRaw(sql));
}
BENCHMARK(BM_ChartTotalsFloor)->Unit(benchmark::kMillisecond);

} // namespace

} // namespace orv::bench
