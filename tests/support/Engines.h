#pragma once

#include "support/Database.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace orv::test {

// The engines a database test runs on, each with the demo company: SQLite in memory, and the
// PostgreSQL server of the run when it has one (ORV_PG_DEMO; ORV_PG=off leaves it out).
enum class Engine { Sqlite, Postgres };

std::vector<Engine> enginesOfThisRun();

// The demo company: a private in-memory copy on SQLite, a new connection to the run's demo
// database on PostgreSQL.
DbConnectionPtr demoDatabaseOn(Engine engine);
// The schema without rows: on PostgreSQL the demo's tables emptied for this connection alone.
DbConnectionPtr schemaDatabaseOn(Engine engine);

// Runs a script of a test's own, with the statements and types of the schema (a NOCASE text
// becomes citext COLLATE "C" on PostgreSQL, as the loader maps it). A PostgreSQL session first
// copies every table of the shared database into a temporary table of the same name, which its
// statements find first: what a test writes stays its own and goes with its connection.
void execute(DbConnection &db, const QString &script);

// A test of one engine: `db` holds its demo company.
class EngineTest : public ::testing::TestWithParam<Engine> {
protected:
    void SetUp() override { db = demoDatabaseOn(GetParam()); }
    DbConnectionPtr db;
};

inline std::string engineName(const ::testing::TestParamInfo<Engine> &info)
{
    return info.param == Engine::Sqlite ? "Sqlite" : "Postgres";
}
inline void PrintTo(Engine engine, std::ostream *out)
{
    *out << (engine == Engine::Sqlite ? "Sqlite" : "Postgres");
}

} // namespace orv::test

// Runs every test of `suite` (a test parameterised by Engine) on each engine of the run.
#define ORV_ON_EVERY_ENGINE(suite)                                                                           \
    INSTANTIATE_TEST_SUITE_P(Engines, suite, ::testing::ValuesIn(::orv::test::enginesOfThisRun()),           \
                             ::orv::test::engineName)
