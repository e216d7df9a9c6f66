#include <QApplication>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

// Benchmarks run against a generated company database named by ORV_BENCH_DB or ORV_BENCH_PG (./run bench
// makes one); the field benchmarks need an application object for their widgets.
int main(int argc, char **argv)
{
    if (!std::getenv("ORV_BENCH_DB") && !std::getenv("ORV_BENCH_PG")) {
        std::fprintf(stderr,
                     "Set ORV_BENCH_DB to a generated database, or ORV_BENCH_PG to one on a PostgreSQL "
                     "server (./run bench [--pg] does).\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
