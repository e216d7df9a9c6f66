#include "BenchDatabase.h"

#include "data/querymodel/LazyQueryModel.h"
#include "support/Listings.h"

#include <QFile>
#include <QRandomGenerator>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>

namespace orv::bench {

namespace {

// Argument 0 lists by code (the lookup by code), 1 by name (the lookup by description).
QList<LazyQueryModel::Column> customerColumns(bool byName)
{
    QList<LazyQueryModel::Column> columns = {
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

// The list as the picking list opens it: ties ordered by the registry id, at a start text.
std::unique_ptr<LazyQueryModel> openModel(bool byName, int countStepMs, const QString &startText = QString())
{
    auto model = std::make_unique<LazyQueryModel>();
    model->setCountStep(countStepMs);
    model->setKeyColumn(QStringLiteral("Anagrafica.IDAnagrafica"));
    model->setQuery(database(), test::kCustomerListing, customerColumns(byName), startText);
    return model;
}

// What the picking list does before it shows: run the listing and read the first page.
void BM_PickerModelReady(benchmark::State &state)
{
    const bool byName = state.range(0) != 0;
    int rows = 0;
    for (auto _ : state) {
        auto model = openModel(byName, LazyQueryModel::kDefaultCountStepMs);
        benchmark::DoNotOptimize(model->data(model->index(0, 0)));
        if (model->hasError())
            state.SkipWithError(model->errorText().toUtf8().constData());
        rows = model->rowCount();
    }
    state.counters["rowsCountedAtOpen"] = rows;
}
BENCHMARK(BM_PickerModelReady)->Arg(0)->Arg(1)->ArgName("byName")->Unit(benchmark::kMillisecond);

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

// Opening on a search text from the middle of the list, as the picking list does: the list
// opens at the text, and the first rows on screen (the page before it and the page after).
void BM_PickerOpenOnMiddleText(benchmark::State &state)
{
    const bool byName = state.range(0) != 0;
    const QString text = byName ? QStringLiteral("M") : QStringLiteral("C0500000");
    int row = 0;
    for (auto _ : state) {
        auto model = openModel(byName, 0, text);
        row = model->rowForPrefix(text);
        for (int shown = std::max(0, row - 5); shown < row + 30; ++shown)
            benchmark::DoNotOptimize(model->data(model->index(shown, 0)));
        if (model->hasError())
            state.SkipWithError(model->errorText().toUtf8().constData());
    }
    state.counters["startRow"] = row; // the rows counted before the text
}
BENCHMARK(BM_PickerOpenOnMiddleText)->Arg(0)->Arg(1)->ArgName("byName")->Unit(benchmark::kMillisecond);

// Typing a text far from the rows counted so far: the list opens again at the text.
void BM_PickerJumpToFarText(benchmark::State &state)
{
    const bool byName = state.range(0) != 0;
    const QStringList texts = searchTexts(byName);
    auto model = openModel(byName, 0, texts.front());
    qsizetype next = 1;
    for (auto _ : state) {
        const int row = model->rowForPrefix(texts.at(next++ % texts.size()));
        benchmark::DoNotOptimize(model->data(model->index(row, 0)));
    }
    if (model->hasError())
        state.SkipWithError(model->errorText().toUtf8().constData());
}
BENCHMARK(BM_PickerJumpToFarText)->Arg(0)->Arg(1)->ArgName("byName")->Unit(benchmark::kMillisecond);

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
