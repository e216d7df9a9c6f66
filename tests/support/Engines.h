#pragma once

#include "support/Database.h"

#include <gtest/gtest.h>

#include <string>

namespace orv::test {

// The engines a database test runs on, each with the demo company: SQLite in memory, and the
// PostgreSQL server of the run (skipped when the run has none, ORV_PG=off).
enum class Engine { Sqlite, Postgres };

inline DbConnectionPtr demoDatabaseOn(Engine engine)
{
    return engine == Engine::Sqlite ? DbConnectionPtr(demoDatabase()) : DbConnectionPtr(pgDemoDatabase());
}

// A test of one engine: `db` holds its demo company.
class EngineTest : public ::testing::TestWithParam<Engine> {
protected:
    void SetUp() override
    {
        db = demoDatabaseOn(GetParam());
        if (!db)
            GTEST_SKIP() << "no PostgreSQL server in this run (ORV_PG_DEMO)";
    }
    DbConnectionPtr db;
};

inline std::string engineName(const ::testing::TestParamInfo<Engine> &info)
{
    return info.param == Engine::Sqlite ? "Sqlite" : "Postgres";
}

} // namespace orv::test

// Runs every test of `suite` (an EngineTest) on both engines.
#define ORV_ON_EVERY_ENGINE(suite)                                                                           \
    INSTANTIATE_TEST_SUITE_P(Engines, suite,                                                                 \
                             ::testing::Values(::orv::test::Engine::Sqlite, ::orv::test::Engine::Postgres),  \
                             ::orv::test::engineName)
