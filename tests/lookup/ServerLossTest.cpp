#include "lookup/CodeLookup.h"
#include "support/FakeServices.h"
#include "support/FaultingConnection.h"
#include "support/FieldFixture.h"

namespace orv::test {
namespace {

// Ends the server process of the session just before its k-th statement, from a second session,
// and waits until it is gone.
class LosingServer final : public DbConnection {
public:
    LosingServer(DbConnectionPtr inner, int k) : m_inner(std::move(inner)), m_k(k) {}
    std::unique_ptr<DbResultSet> OpenResultSet(const QString &sql, int options = kForwardOnly) override
    {
        if (++m_statements == m_k) {
            const Variant pid =
                m_inner->OpenResultSet(QStringLiteral("SELECT pg_backend_pid()"))->Fields().Item(0).Value();
            pgDemoDatabase()->OpenResultSet(
                QStringLiteral("SELECT pg_terminate_backend(%1, 10000)").arg(pid.toLong()));
        }
        return m_inner->OpenResultSet(sql, options);
    }
    const SqlDialect &dialect() const override { return m_inner->dialect(); }

private:
    DbConnectionPtr m_inner;
    int m_k, m_statements = 0;
};

class ServerLoss : public FieldFixture {
protected:
    ServerLoss() : FieldFixture(Engine::Postgres) {}
    void SetUp() override
    {
        if (!db)
            GTEST_SKIP() << "no PostgreSQL server in this run (ORV_PG_DEMO)";
    }
    // A customer code typed and left, on the connection (a picking list that opens picks
    // nothing); the field as the host sees it then.
    QString lookUp(const DbConnectionPtr &connection, const QString &code)
    {
        field->setConnection(connection);
        field->setIDFirm(1);
        field->setSearchType(OrvSearchCustomers);
        preset(0, 0, true, {code, QString(), QString()});
        pickers->then(PickChoice::cancel());
        lookup::sbCodiceSearch(context());
        EXPECT_FALSE(work().bRicercaInCorso);
        return shown();
    }
    ServiceOverride<ScriptedPickerFactory> pickers;
    ServiceOverride<CapturedMessageBoxes> boxes;
};

// The server process goes away before each statement of a lookup in turn: the lookup ends as it
// does when that step fails, and the next one connects again and resolves.
TEST_F(ServerLoss, ALookupEndsAsForAFailedStepAndTheNextOneConnectsAgain)
{
    auto faulting = std::make_shared<FaultingConnection>(db);
    const QString resolved = lookUp(faulting, QStringLiteral("C002"));
    const int statements = faulting->statements();
    ASSERT_GT(statements, 2);
    for (int k = 1; k <= statements; ++k) {
        SCOPED_TRACE(k);
        faulting->arm(FaultingConnection::Fault::Statement, k);
        const QString failedStep = lookUp(faulting, QStringLiteral("C001"));
        auto losing = std::make_shared<LosingServer>(db, k);
        EXPECT_EQ(lookUp(losing, QStringLiteral("C001")), failedStep);
        EXPECT_EQ(lookUp(losing, QStringLiteral("C002")), resolved);
    }
}

} // namespace
} // namespace orv::test
