#pragma once

#include "data/SqliteConnection.h"

#include <cstdlib>
#include <memory>

namespace orv::bench {

// The generated database of the run, opened once and shared by the benchmarks.
inline std::shared_ptr<SqliteConnection> database()
{
    static std::shared_ptr<SqliteConnection> db =
        SqliteConnection::open(QString::fromLocal8Bit(std::getenv("ORV_BENCH_DB")), /*readOnly=*/true);
    return db;
}

} // namespace orv::bench
