#include "BenchDatabase.h"

#include "data/AnsiText.h"
#include "data/DbUtility.h"

#include <benchmark/benchmark.h>

namespace orv::bench {

namespace {

// A customer code from the middle of the registry, so the lookup is a real index seek.
QString middleCustomerCode()
{
    static const QString code = [] {
        QString sql =
            QStringLiteral("SELECT Codice FROM Cliente WHERE IDAzienda = 1 ORDER BY IDAnagrafica LIMIT 1 "
                           "OFFSET (SELECT count(*) / 2 FROM Cliente WHERE IDAzienda = 1)");
        auto rs = runSql(database().get(), sql);
        return rs->Fields().Item(0).Value().toText();
    }();
    return code;
}

QString exactCodeStatement()
{
    return QStringLiteral(
               "SELECT Anagrafica.IDAnagrafica, Anagrafica.Anagrafica, Anagrafica.Nome, Cliente.Codice"
               " FROM Anagrafica INNER JOIN Cliente ON Anagrafica.IDAnagrafica = Cliente.IDAnagrafica"
               " AND Cliente.IDAzienda = 1 WHERE Anagrafica.VirtualDelete = 0 AND Codice = ") +
           dbUtility().SqlText(middleCustomerCode());
}

// The exact-code lookup through the connection interface: run, read three columns by name.
void BM_ExactCodeThroughDbConnection(benchmark::State &state)
{
    const QString statement = exactCodeStatement();
    auto *db = database().get();
    for (auto _ : state) {
        QString sql = statement;
        auto rs = runSql(db, sql);
        if (rs->Eof())
            state.SkipWithError("the code was not found");
        benchmark::DoNotOptimize(rs->Fields().Item(QStringLiteral("IDAnagrafica")).Value().toLong());
        benchmark::DoNotOptimize(rs->Fields().Item(QStringLiteral("Anagrafica")).Value().toText());
        benchmark::DoNotOptimize(rs->Fields().Item(QStringLiteral("Nome")).Value().toText());
        rs->Close();
    }
}
BENCHMARK(BM_ExactCodeThroughDbConnection)->Unit(benchmark::kMicrosecond);

// The same statement straight on the engine's C API.
void BM_ExactCodeRaw(benchmark::State &state)
{
    const QString statement = exactCodeStatement();
    for (auto _ : state) {
        if (!runRaw(statement).found)
            state.SkipWithError("the code was not found");
    }
}
BENCHMARK(BM_ExactCodeRaw)->Unit(benchmark::kMicrosecond);

} // namespace

} // namespace orv::bench
