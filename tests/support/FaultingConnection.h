#pragma once

#include "data/DbConnection.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

namespace orv::test {

// Wraps a real connection and fails one step of whatever runs on it with a RuntimeError
// (3000): the k-th statement (1-based) or the k-th row read, a read being a cursor move
// (MoveNext, MoveFirst) or a column value of a result set it handed out. Counting starts
// again at each arm().
class FaultingConnection final : public DbConnection {
public:
    enum class Fault { None, Statement, RowRead };

    explicit FaultingConnection(DbConnectionPtr inner);

    std::unique_ptr<DbResultSet> OpenResultSet(const QString &sql, int options = kForwardOnly) override;
    const SqlDialect &dialect() const override { return m_inner->dialect(); }

    void arm(Fault fault, int k);
    void disarm() { arm(Fault::None, 0); }
    // While held, statements and reads pass through uncounted and never fail: a test sets up
    // or checks around the action it counts.
    void hold(bool held);
    int statements() const;
    int rowReads() const;
    bool fired() const; // whether the armed fault has happened

    struct Counters;

private:
    DbConnectionPtr m_inner;
    std::shared_ptr<Counters> m_counters;
};

// Runs `action` once clean to count its statements and row reads, then again for every k from
// 1 to n + 1 of each kind of fault, n being that count. `reset` puts the fixture back before
// every run, the clean one included; `check` gets each faulted run's outcome with the clean
// run's, which is returned, and whether the fault fired. "name: statements+row reads" goes to
// `log`.
QString
runAtEveryFault(FaultingConnection &connection, QStringList &log, const QString &name,
                const std::function<void()> &reset, const std::function<QString()> &action,
                const std::function<void(const QString &outcome, const QString &clean, bool fired)> &check);
void printFaultPoints(const QStringList &log);

} // namespace orv::test
