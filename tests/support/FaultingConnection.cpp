#include "FaultingConnection.h"

#include "data/RuntimeError.h"

#include <gtest/gtest.h>

#include <iostream>
#include <utility>

namespace orv::test {

namespace {
const char *faultName(FaultingConnection::Fault fault)
{
    return fault == FaultingConnection::Fault::Statement ? "statement"
           : fault == FaultingConnection::Fault::RowRead ? "row read"
                                                         : "nothing";
}
} // namespace

struct FaultingConnection::Counters {
    Fault fault = Fault::None;
    int k = 0;
    int statements = 0;
    int rowReads = 0;
    bool fired = false;
    bool held = false;

    void count(Fault kind, int &counter)
    {
        if (held)
            return;
        ++counter;
        if (fault == kind && counter == k) {
            fired = true;
            raiseError(
                kErrDatabase,
                QStringLiteral("injected failure of %1 %2").arg(QLatin1String(faultName(kind))).arg(k));
        }
    }
    void read() { count(Fault::RowRead, rowReads); }
};

namespace {

class FaultingResultSet final : public DbResultSet {
public:
    FaultingResultSet(std::unique_ptr<DbResultSet> inner,
                      std::shared_ptr<FaultingConnection::Counters> counters)
        : m_inner(std::move(inner)), m_counters(std::move(counters))
    {}

    void Close() override { m_inner->Close(); }
    bool Bof() const override { return m_inner->Bof(); }
    bool Eof() const override { return m_inner->Eof(); }
    void MoveNext() override { m_counters->read(), m_inner->MoveNext(); }
    void MoveFirst() override { m_counters->read(), m_inner->MoveFirst(); }
    int columnCount() const override { return m_inner->columnCount(); }
    QString columnName(int column) const override { return m_inner->columnName(column); }
    Variant value(int column) const override { return m_counters->read(), m_inner->value(column); }

private:
    std::unique_ptr<DbResultSet> m_inner;
    std::shared_ptr<FaultingConnection::Counters> m_counters;
};

} // namespace

FaultingConnection::FaultingConnection(DbConnectionPtr inner)
    : m_inner(std::move(inner)), m_counters(std::make_shared<Counters>())
{}

std::unique_ptr<DbResultSet> FaultingConnection::OpenResultSet(const QString &sql, int options)
{
    m_counters->count(Fault::Statement, m_counters->statements);
    return std::make_unique<FaultingResultSet>(m_inner->OpenResultSet(sql, options), m_counters);
}

void FaultingConnection::arm(Fault fault, int k)
{
    *m_counters = Counters{fault, k, 0, 0, false};
}

void FaultingConnection::hold(bool held)
{
    m_counters->held = held;
}
int FaultingConnection::statements() const
{
    return m_counters->statements;
}
int FaultingConnection::rowReads() const
{
    return m_counters->rowReads;
}

bool FaultingConnection::fired() const
{
    return m_counters->fired;
}

QString runAtEveryFault(FaultingConnection &connection, QStringList &log, const QString &name,
                        const std::function<void()> &reset, const std::function<QString()> &action,
                        const std::function<void(const QString &, const QString &, bool)> &check)
{
    using Fault = FaultingConnection::Fault;
    SCOPED_TRACE(name.toStdString());
    reset();
    connection.disarm();
    const QString clean = action();
    const int statements = connection.statements(), rowReads = connection.rowReads();
    for (const auto &[fault, n] : {std::pair{Fault::Statement, statements}, {Fault::RowRead, rowReads}}) {
        for (int k = 1; k <= n + 1; ++k) {
            SCOPED_TRACE(std::string(faultName(fault)) + ' ' + std::to_string(k) + " of " +
                         std::to_string(n));
            reset();
            connection.arm(fault, k);
            const QString outcome = action();
            const bool fired = connection.fired();
            connection.disarm();
            EXPECT_EQ(fired, k <= n) << "the action ran differently under the fault";
            check(outcome, clean, fired);
        }
    }
    log << QStringLiteral("%1: %2+%3").arg(name).arg(statements).arg(rowReads);
    return clean;
}

void printFaultPoints(const QStringList &log)
{
    std::cout << "fault points (statements+row reads): " << log.join(QStringLiteral(", ")).toStdString()
              << '\n';
}

} // namespace orv::test
