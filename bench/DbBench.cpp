#include "BenchDatabase.h"

#include "data/AnsiText.h"
#include "data/DbUtility.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

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

// The same statement straight on the SQLite C API: prepare, step, read, finalize.
void BM_ExactCodeRawSqlite(benchmark::State &state)
{
    const QByteArray statement = exactCodeStatement().toUtf8();
    sqlite3 *db = database()->handle();
    for (auto _ : state) {
        sqlite3_stmt *stmt = nullptr;
        sqlite3_prepare_v2(db, statement.constData(), static_cast<int>(statement.size()), &stmt, nullptr);
        if (sqlite3_step(stmt) != SQLITE_ROW)
            state.SkipWithError("the code was not found");
        benchmark::DoNotOptimize(sqlite3_column_int(stmt, 0));
        benchmark::DoNotOptimize(
            QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, 1))));
        benchmark::DoNotOptimize(
            QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, 2))));
        sqlite3_finalize(stmt);
    }
}
BENCHMARK(BM_ExactCodeRawSqlite)->Unit(benchmark::kMicrosecond);

} // namespace

} // namespace orv::bench
