#include "BenchDatabase.h"

#include "browser/ChartTreeModel.h"
#include "browser/ResultList.h"
#include "browser/frmSearchAccount.h"
#include "data/AnsiText.h"
#include "data/querymodel/LazyQueryModel.h"
#include "support/RecordingConnection.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>
#include <QTreeView>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <deque>
#include <functional>
#include <memory>

#include <malloc.h>
#include <time.h>

// The chart-of-accounts browser on the generated chart (chart 1: five levels of branches, the
// accounts below the fifth), each figure next to its floor: the statements the step sent, run
// straight on SQLite, every row read.

namespace orv::bench {

namespace {

using browser::ChartTreeModel;

double elapsedMs(const QElapsedTimer &timer)
{
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

// The processor time of this thread: on a machine shared with other work, the wall time of one
// step may include time the thread was not running.
double threadCpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

// The worst wall and processor times of the steps measured.
struct Worst {
    double wallMs = 0;
    double cpuMs = 0;
    void note(double wall, double cpu)
    {
        wallMs = std::max(wallMs, wall);
        cpuMs = std::max(cpuMs, cpu);
    }
};

// The heap in use: unlike the resident size it falls again when memory is freed, so the growth
// of one step shows even after other benchmarks ran.
double heapKiB()
{
    const struct mallinfo2 info = mallinfo2();
    return static_cast<double>(info.uordblks + info.hblkhd) / 1024;
}

// The floor of a step: its statements straight on the engine.
double floorMs(const QStringList &statements)
{
    QElapsedTimer timer;
    timer.start();
    for (const QString &sql : statements)
        benchmark::DoNotOptimize(runRaw(ansiRoundTrip(sql)));
    return elapsedMs(timer);
}

// A browser on the bench database, every statement recorded.
struct Browser {
    Browser()
    {
        dialog.oConnect = recorder;
        dialog.lIDPDC = 1;
        dialog.sSepCod = QStringLiteral(".");
        dialog.sCaption = QStringLiteral("Ricerca conto");
    }

    // Opens the dialog, runs `inside` in it once it shows, and closes it.
    void run(const std::function<void()> &inside)
    {
        QTimer::singleShot(0, &dialog, [&] {
            inside();
            dialog.reject();
        });
        dialog.exec();
    }

    template <typename T> T *child(const char *name)
    {
        return dialog.findChild<T *>(QString::fromLatin1(name));
    }
    QTreeView *treeView() { return child<QTreeView>("trvTreeView"); }
    ChartTreeModel *tree() { return qobject_cast<ChartTreeModel *>(treeView()->model()); }

    // Types the text into a search box and presses Enter, then lets the dialog draw.
    // Types the text into a search box and presses Enter; then the tree and the list draw what
    // they show. The counting that goes on afterwards in the background is not waited for.
    void enter(const char *box, const QString &text)
    {
        auto *edit = child<QLineEdit>(box);
        edit->setText(text);
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QCoreApplication::sendEvent(edit, &press);
        treeView()->viewport()->repaint();
        child<browser::ResultList>("lstListView")->viewport()->repaint();
    }

    std::shared_ptr<test::RecordingConnection> recorder =
        std::make_shared<test::RecordingConnection>(database());
    frmSearchAccount dialog;
};

// Notes the first time a widget paints.
class FirstPaint : public QObject {
public:
    FirstPaint(QWidget *widget, const QElapsedTimer &clock) : m_clock(clock)
    {
        widget->installEventFilter(this);
    }
    double ms = -1;
    double cpuStart = 0;
    double cpuMs = -1;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && ms < 0) {
            ms = elapsedMs(m_clock);
            cpuMs = threadCpuMs() - cpuStart;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    const QElapsedTimer &m_clock;
};

void reportFloor(benchmark::State &state, double floorTotal, const Worst &worst)
{
    const double iterations = static_cast<double>(std::max<benchmark::IterationCount>(1, state.iterations()));
    state.counters["floorMs"] = floorTotal / iterations;
    state.counters["worstMs"] = worst.wallMs;
    state.counters["worstCpuMs"] = worst.cpuMs;
}

// From exec() to the tree's first paint: the two top levels of the chart and the empty list; in
// customer mode, the paths to every customer account and the accounts themselves.
void BM_BrowserOpenToFirstPaint(benchmark::State &state)
{
    double floorTotal = 0;
    Worst worst;
    int nodes = 0;
    for (auto _ : state) {
        Browser browser;
        browser.dialog.bCliente = state.range(0) != 0;
        QElapsedTimer clock;
        FirstPaint paint(browser.treeView()->viewport(), clock);
        QTimer::singleShot(0, &browser.dialog, [&] {
            // Until the tree has drawn itself, or a second at most.
            QElapsedTimer waited;
            waited.start();
            while (paint.ms < 0 && waited.elapsed() < 1000)
                QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
            browser.dialog.reject();
        });
        const double cpu = threadCpuMs();
        paint.cpuStart = cpu;
        clock.start();
        browser.dialog.exec();
        if (paint.ms < 0)
            state.SkipWithError("the tree never painted");
        state.SetIterationTime(paint.ms / 1000);
        worst.note(paint.ms, paint.cpuMs);
        floorTotal += floorMs(browser.recorder->sqlTexts());
        nodes = browser.tree()->nodeCount();
    }
    reportFloor(state, floorTotal, worst);
    state.counters["treeNodes"] = nodes;
}
BENCHMARK(BM_BrowserOpenToFirstPaint)->UseManualTime()->Unit(benchmark::kMillisecond)->Arg(0);
BENCHMARK(BM_BrowserOpenToFirstPaint)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Arg(1)
    ->ArgName("customers")
    ->Iterations(2);

// One expansion each, breadth first from the top: the level below the children is read and drawn.
void BM_BrowserExpand(benchmark::State &state)
{
    double floorTotal = 0;
    Worst worst;
    Browser browser;
    browser.run([&] {
        ChartTreeModel &tree = *browser.tree();
        std::deque<int> pending;
        for (int i = 0; i < tree.childCount(1); ++i)
            pending.push_back(tree.child(1, i));
        for (auto _ : state) {
            while (!pending.empty() && tree.tag(pending.front()).toText() == QLatin1String("12"))
                pending.pop_front();
            if (pending.empty()) {
                state.SkipWithError("no branch left to expand");
                break;
            }
            const int node = pending.front();
            pending.pop_front();
            browser.recorder->clear();
            const double cpu = threadCpuMs();
            QElapsedTimer clock;
            clock.start();
            browser.treeView()->expand(tree.indexOf(node));
            browser.treeView()->scrollTo(tree.indexOf(node), QAbstractItemView::PositionAtTop);
            browser.treeView()->viewport()->repaint();
            const double ms = elapsedMs(clock);
            state.SetIterationTime(ms / 1000);
            worst.note(ms, threadCpuMs() - cpu);
            floorTotal += floorMs(browser.recorder->sqlTexts());
            for (int i = 0; i < tree.childCount(node); ++i)
                pending.push_back(tree.child(node, i));
        }
    });
    reportFloor(state, floorTotal, worst);
    state.counters["treeNodes"] = browser.tree()->nodeCount();
}
BENCHMARK(BM_BrowserExpand)->UseManualTime()->Iterations(200)->Unit(benchmark::kMillisecond);

// Full codes of accounts five levels down, spread over the chart.
QStringList deepAccountCodes()
{
    QStringList codes;
    QString sql =
        QStringLiteral("SELECT CodificaCompleta FROM ContoPerPDC WHERE IDContoPDC % 389 = 11 "
                       "AND length(CodificaCompleta) - length(replace(CodificaCompleta, '.', '')) = 5 "
                       "ORDER BY IDContoPDC LIMIT 64");
    for (auto rs = runSql(database().get(), sql); !rs->Eof(); rs->MoveNext())
        codes << rs->Fields().Item(0).Value().toText();
    return codes;
}

// A fresh dialog each time; the code of an account whose branches are not loaded yet: the walk
// loads them, the account is selected and listed.
void BM_BrowserCodeSearch(benchmark::State &state)
{
    const QStringList codes = deepAccountCodes();
    if (codes.isEmpty()) {
        state.SkipWithError("the chart has no account five levels down");
        return;
    }
    double floorTotal = 0;
    Worst worst;
    qsizetype next = 0;
    for (auto _ : state) {
        Browser browser;
        const QString code = codes.at(next++ % codes.size());
        browser.run([&] {
            browser.recorder->clear();
            const double cpu = threadCpuMs();
            QElapsedTimer clock;
            clock.start();
            browser.enter("txtCodifica", code);
            const double ms = elapsedMs(clock);
            state.SetIterationTime(ms / 1000);
            worst.note(ms, threadCpuMs() - cpu);
            floorTotal += floorMs(browser.recorder->sqlTexts());
            const int selected = browser.tree()->nodeOf(browser.treeView()->currentIndex());
            if (!browser.tree()->key(selected).endsWith(QLatin1Char('L')))
                state.SkipWithError("the code search selected no account");
        });
    }
    reportFloor(state, floorTotal, worst);
}
BENCHMARK(BM_BrowserCodeSearch)->UseManualTime()->Iterations(32)->Unit(benchmark::kMillisecond);

// Descriptions that thousands of accounts and branches begin with, and the first screen of them.
void BM_BrowserDescriptionSearch(benchmark::State &state)
{
    const QStringList prefixes = {QStringLiteral("Ca"), QStringLiteral("Ri"), QStringLiteral("C"),
                                  QStringLiteral("Ma")};
    double floorTotal = 0;
    Worst worst;
    int rows = 0;
    Browser browser;
    browser.run([&] {
        auto *list = browser.child<browser::ResultList>("lstListView");
        qsizetype next = 0;
        for (auto _ : state) {
            browser.recorder->clear();
            const double cpu = threadCpuMs();
            QElapsedTimer clock;
            clock.start();
            browser.enter("txtDescrizione", prefixes.at(next++ % prefixes.size()));
            const double ms = elapsedMs(clock);
            state.SetIterationTime(ms / 1000);
            worst.note(ms, threadCpuMs() - cpu);
            floorTotal += floorMs(browser.recorder->sqlTexts());
            list->rows()->countAll();
            rows = std::max(rows, list->rowCount());
        }
    });
    reportFloor(state, floorTotal, worst);
    state.counters["mostRows"] = rows;
}
BENCHMARK(BM_BrowserDescriptionSearch)->UseManualTime()->Iterations(16)->Unit(benchmark::kMillisecond);

// What the dialog holds, as heap growth: open, then listing every account and branch of the
// chart, counting them all and going to the last row. Only what is shown is kept: the two levels
// of the tree, the pages on screen; run it on charts of two sizes to compare.
void BM_BrowserMemory(benchmark::State &state)
{
    for (auto _ : state) {
        const double before = heapKiB();
        Browser browser;
        browser.run([&] {
            auto *list = browser.child<browser::ResultList>("lstListView");
            state.counters["openKiB"] = heapKiB() - before;
            QElapsedTimer clock;
            clock.start();
            browser.enter("txtDescrizione", QString());
            state.counters["allRowsFirstScreenMs"] = elapsedMs(clock);
            state.counters["allRowsShownKiB"] = heapKiB() - before;
            list->rows()->countAll();
            list->scrollTo(list->model()->index(list->rowCount() - 1, 0));
            list->viewport()->repaint();
            state.counters["allRowsCountedKiB"] = heapKiB() - before;
            state.counters["rows"] = list->rowCount();
            state.counters["cachedPages"] = list->rows()->cachedPageCount();
            state.counters["treeNodes"] = browser.tree()->nodeCount();
        });
    }
}
BENCHMARK(BM_BrowserMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

} // namespace orv::bench
