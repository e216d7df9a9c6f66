#include "BenchDatabase.h"

#include "data/picker/SqlTableModel.h"
#include "support/Listings.h"

#include <QFile>
#include <QRandomGenerator>

#include <benchmark/benchmark.h>

#include <memory>

namespace orv::bench {

namespace {

// Argument 0 lists by code (the lookup by code), 1 by name (the lookup by description).
QList<SqlTableModel::Column> customerColumns(bool byName)
{
    QList<SqlTableModel::Column> columns = {
        {QStringLiteral("Codice"), QStringLiteral("Codice")},
        {QStringLiteral("Anagrafica"), QStringLiteral("Anagrafica")},
        {QStringLiteral("Nome"), QStringLiteral("Nome")},
        {QStringLiteral("Codice Fiscale"), QStringLiteral("CodiceFiscale")},
        {QStringLiteral("Partita IVA"), QStringLiteral("PartitaIva")}};
    if (byName)
        columns.swapItemsAt(0, 1);
    return columns;
}

// Texts a user types: spread over the whole list, for codes and for names.
QStringList searchTexts(bool byName)
{
    if (byName)
        return {QStringLiteral("Agos"),  QStringLiteral("bianchi"), QStringLiteral("Fer"),
                QStringLiteral("Lomb"),  QStringLiteral("MAR"),     QStringLiteral("Ric"),
                QStringLiteral("Rossi"), QStringLiteral("Vit")};
    return {QStringLiteral("C00001"), QStringLiteral("C0120"),    QStringLiteral("C0250"),
            QStringLiteral("C04"),    QStringLiteral("c0500000"), QStringLiteral("C0666"),
            QStringLiteral("C08"),    QStringLiteral("C0990")};
}

// Resident memory of the process, from the kernel's status file.
double residentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble();
    }
    return 0;
}

std::unique_ptr<SqlTableModel> openModel(bool byName, int countStepMs)
{
    auto model = std::make_unique<SqlTableModel>();
    model->setCountStep(countStepMs);
    model->setQuery(database(), test::kCustomerListing, customerColumns(byName));
    return model;
}

// What the picking list does before it shows: run the listing and read the first page.
// Arguments: by name; milliseconds of counting in the first step (20 is the default).
void BM_PickerModelReady(benchmark::State &state)
{
    const bool byName = state.range(0) != 0;
    const int countStep = static_cast<int>(state.range(1));
    int rows = 0;
    for (auto _ : state) {
        auto model = openModel(byName, countStep);
        benchmark::DoNotOptimize(model->data(model->index(0, 0)));
        if (model->hasError())
            state.SkipWithError(model->errorText().toUtf8().constData());
        rows = model->rowCount();
    }
    state.counters["rowsCountedAtOpen"] = rows;
}
BENCHMARK(BM_PickerModelReady)
    ->ArgsProduct({{0, 1}, {0, SqlTableModel::kDefaultCountStepMs}})
    ->ArgNames({"byName", "stepMs"})
    ->Unit(benchmark::kMillisecond);

// Positioning on a text in a list whose rows are all counted: the picker while the user types.
// Each position also reads the page it lands on.
void BM_PickerPositionOnText(benchmark::State &state)
{
    const bool byName = state.range(0) != 0;
    auto model = openModel(byName, 0);
    model->countAll();
    const QStringList texts = searchTexts(byName);
    qsizetype next = 0;
    for (auto _ : state) {
        const int row = model->rowForPrefix(texts.at(next++ % texts.size()));
        benchmark::DoNotOptimize(model->data(model->index(row, 0)));
    }
    if (model->hasError())
        state.SkipWithError(model->errorText().toUtf8().constData());
    state.counters["rows"] = model->rowCount();
}
BENCHMARK(BM_PickerPositionOnText)->Arg(0)->Arg(1)->ArgName("byName")->Unit(benchmark::kMillisecond);

// Opening on a search text from the middle of the list with nothing counted yet: the pass
// must count the rows up to the text first.
void BM_PickerOpenOnMiddleText(benchmark::State &state)
{
    const bool byName = state.range(0) != 0;
    const QString text = byName ? QStringLiteral("M") : QStringLiteral("C0500000");
    int row = 0;
    for (auto _ : state) {
        auto model = openModel(byName, 0);
        row = model->rowForPrefix(text);
        benchmark::DoNotOptimize(model->data(model->index(row, 0)));
        if (model->hasError())
            state.SkipWithError(model->errorText().toUtf8().constData());
    }
    state.counters["row"] = row;
}
BENCHMARK(BM_PickerOpenOnMiddleText)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("byName")
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

// Reading pages anywhere in a counted list, as a dragged scroll bar does.
void BM_PickerRandomPage(benchmark::State &state)
{
    const bool byName = state.range(0) != 0;
    auto model = openModel(byName, 0);
    model->countAll();
    QRandomGenerator random(7);
    for (auto _ : state) {
        const int row = static_cast<int>(random.bounded(model->rowCount()));
        benchmark::DoNotOptimize(model->data(model->index(row, 1)));
    }
    state.counters["cachedPages"] = model->cachedPageCount();
}
BENCHMARK(BM_PickerRandomPage)->Arg(0)->Arg(1)->ArgName("byName")->Unit(benchmark::kMillisecond);

// The whole pass: exact row count and anchors. Memory growth shows that the model keeps no
// per-row data: bounded anchors and pages, whatever the number of rows.
void BM_PickerCountAll(benchmark::State &state)
{
    const bool byName = state.range(0) != 0;
    double growth = 0;
    int rows = 0, anchors = 0;
    for (auto _ : state) {
        const double before = residentKiB();
        auto model = openModel(byName, 0);
        model->countAll();
        for (int row = 0; row < model->rowCount(); row += model->rowCount() / 64)
            benchmark::DoNotOptimize(model->data(model->index(row, 0)));
        growth = residentKiB() - before;
        rows = model->rowCount();
        anchors = model->anchorCount();
        if (model->hasError())
            state.SkipWithError(model->errorText().toUtf8().constData());
    }
    state.counters["rows"] = rows;
    state.counters["anchors"] = anchors;
    state.counters["rssGrowthKiB"] = growth;
}
BENCHMARK(BM_PickerCountAll)->Arg(0)->Arg(1)->ArgName("byName")->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

} // namespace orv::bench
