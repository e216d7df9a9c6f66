#include "BenchDatabase.h"

#include "control/OrvSearchACS2.h"
#include "data/MemoryResultSet.h"
#include "platform/Services.h"
#include "support/RecordingConnection.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

#include <benchmark/benchmark.h>

#include <chrono>
#include <ctime>
#include <memory>
#include <optional>
#include <vector>

// A customer field on the generated company, left by the clerk after typing a code or the
// beginning of a name: the time from the focus leaving the box to ChangedElement, next to the
// time of the very statements that lookup sent, run straight on SQLite.

namespace orv::bench {

namespace {

using Clock = std::chrono::steady_clock;

// CPU time of the calling thread: next to the wall time, it shows the cost of a lookup apart
// from what other processes take of the machine.
double threadCpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Every text of the samples resolves to one customer; should one not, the picking list that
// opens is closed at once instead of waiting for a clerk, and the run reports the text.
class NobodyPicks final : public PickerFactory {
    class Picker final : public SearchPicker {
    public:
        void SearchText(const QString &) override {}
        void Caption(const QString &) override {}
        void KeyField(const QString &) override {}
        void QueryText(const QString &) override {}
        void Connection(DbConnectionPtr) override {}
        void AddColumn(const QString &, const QString &, int) override {}
        std::unique_ptr<DbResultSet> Pick() override { return MemoryResultSet::empty(); }
    };

public:
    std::unique_ptr<SearchPicker> create(QWidget *) override { return std::make_unique<Picker>(); }
};

// A form with one customer field, active, so that focus moves are real.
class CustomerForm {
public:
    explicit CustomerForm(DbConnectionPtr connection)
    {
        services::setPickers(std::make_shared<NobodyPicks>());
        window = std::make_unique<QWidget>();
        auto *layout = new QVBoxLayout(window.get());
        field = new OrvSearchACS2(window.get());
        layout->addWidget(field);
        field->setConnection(std::move(connection));
        field->setIDFirm(1);
        field->setIDPDC(1);
        field->setSearchType(OrvSearchCustomers);
        for (int i = 0; i < 3; ++i)
            box[i] = field->findChild<QLineEdit *>(QStringLiteral("txtField%1").arg(i));
        QObject::connect(field, &OrvSearchACS2::ChangedElement, field, [this] {
            if (field->IDAnagrafica() != 0)
                changedAt = Clock::now();
            changedAtCpu = threadCpuSeconds();
        });
        window->show();
        active = QTest::qWaitForWindowActive(window.get());
    }

    // The clerk has typed the text into the box (this forgets the entity shown) and is about
    // to leave it; the focus is in the box.
    void typed(int i, const QString &text)
    {
        box[i]->setFocus(Qt::TabFocusReason);
        box[i]->setText(text);
        changedAt.reset();
    }
    // Leaves the box for the next one; the lookup runs before this returns.
    void leave(int i) { box[i + 1]->setFocus(Qt::TabFocusReason); }

    std::unique_ptr<QWidget> window;
    OrvSearchACS2 *field = nullptr;
    QLineEdit *box[3] = {};
    std::optional<Clock::time_point> changedAt;
    double changedAtCpu = 0;
    bool active = false; // focus moves reach the boxes only in the active window
};

std::vector<QString> column(const QString &sql)
{
    std::vector<QString> values;
    QString text = sql;
    for (auto rs = database()->OpenResultSet(text); !rs->Eof(); rs->MoveNext())
        values.push_back(rs->Fields().Item(0).Value().toText());
    return values;
}

// Live customers' codes spread over the whole registry.
const std::vector<QString> &codes()
{
    static const std::vector<QString> all = column(
        QStringLiteral("SELECT Cliente.Codice FROM Cliente INNER JOIN Anagrafica ON Anagrafica.IDAnagrafica "
                       "= Cliente.IDAnagrafica WHERE Cliente.IDAzienda = 1 AND Anagrafica.VirtualDelete = 0 "
                       "AND Cliente.IDCliente % 997 = 11 LIMIT 500"));
    return all;
}

// Beginnings of names that one live customer alone has: the full name of a customer whose
// name no other customer's starts with.
const std::vector<QString> &namePrefixes()
{
    static const std::vector<QString> all = [] {
        std::vector<QString> prefixes;
        const std::vector<QString> names = column(QStringLiteral(
            "SELECT a.Anagrafica FROM Anagrafica a INNER JOIN Cliente c ON a.IDAnagrafica = c.IDAnagrafica "
            "AND "
            "c.IDAzienda = 1 WHERE a.VirtualDelete = 0 AND c.IDCliente % 1009 = 5 LIMIT 2000"));
        for (const QString &name : names) {
            if (name.contains(u'\'') || name.isEmpty())
                continue;
            const std::vector<QString> count = column(
                QStringLiteral(
                    "SELECT count(*) FROM Anagrafica INNER JOIN Cliente ON Anagrafica.IDAnagrafica = "
                    "Cliente.IDAnagrafica AND Cliente.IDAzienda = 1 WHERE Anagrafica.VirtualDelete = 0 "
                    "AND Anagrafica LIKE '%1%'")
                    .arg(name));
            if (count.front() == QLatin1String("1"))
                prefixes.push_back(name);
            if (prefixes.size() == 200)
                break;
        }
        return prefixes;
    }();
    return all;
}

// The statements one lookup of each text sent, recorded from a real field.
std::vector<QStringList> recordedStatements(int box, const std::vector<QString> &texts)
{
    auto recording = std::make_shared<test::RecordingConnection>(database());
    CustomerForm form(recording);
    std::vector<QStringList> statements;
    for (const QString &text : texts) {
        form.typed(box, text);
        recording->clear();
        form.leave(box);
        statements.push_back(recording->sqlTexts());
    }
    return statements;
}

void leaveTheBox(benchmark::State &state, int box, const std::vector<QString> &texts)
{
    if (texts.empty()) {
        state.SkipWithError("no sample texts in the database");
        return;
    }
    CustomerForm form(database());
    if (!form.active) {
        state.SkipWithError("the form did not become the active window");
        return;
    }
    std::size_t next = 0;
    double cpu = 0;
    for (auto _ : state) {
        const QString &text = texts[next++ % texts.size()];
        form.typed(box, text);
        const double startCpu = threadCpuSeconds();
        const Clock::time_point start = Clock::now();
        form.leave(box);
        if (!form.changedAt) {
            state.SkipWithError(
                qPrintable(QStringLiteral("\"%1\" did not resolve to one customer").arg(text)));
            break;
        }
        state.SetIterationTime(std::chrono::duration<double>(*form.changedAt - start).count());
        cpu += form.changedAtCpu - startCpu;
    }
    // The thread's CPU time from focus loss to ChangedElement, per lookup.
    state.counters["lookup_cpu"] = benchmark::Counter(cpu, benchmark::Counter::kAvgIterations);
}

void rawStatements(benchmark::State &state, const std::vector<QStringList> &lookups)
{
    if (lookups.empty()) {
        state.SkipWithError("no sample texts in the database");
        return;
    }
    std::size_t next = 0;
    double statements = 0;
    double cpu = 0;
    for (auto _ : state) {
        const QStringList &lookup = lookups[next++ % lookups.size()];
        const double startCpu = threadCpuSeconds();
        for (const QString &sql : lookup)
            runRaw(sql);
        cpu += threadCpuSeconds() - startCpu;
        statements += static_cast<double>(lookup.size());
    }
    state.counters["statements"] = benchmark::Counter(statements, benchmark::Counter::kAvgIterations);
    state.counters["lookup_cpu"] = benchmark::Counter(cpu, benchmark::Counter::kAvgIterations);
}

void BM_CodeLookup_Field(benchmark::State &state)
{
    leaveTheBox(state, 0, codes());
}
BENCHMARK(BM_CodeLookup_Field)->UseManualTime()->Unit(benchmark::kMicrosecond);

void BM_CodeLookup_RawStatements(benchmark::State &state)
{
    static const std::vector<QStringList> lookups = recordedStatements(0, codes());
    rawStatements(state, lookups);
}
BENCHMARK(BM_CodeLookup_RawStatements)->Unit(benchmark::kMicrosecond);

void BM_NamePrefixLookup_Field(benchmark::State &state)
{
    leaveTheBox(state, 1, namePrefixes());
}
BENCHMARK(BM_NamePrefixLookup_Field)->UseManualTime()->Unit(benchmark::kMicrosecond);

void BM_NamePrefixLookup_RawStatements(benchmark::State &state)
{
    static const std::vector<QStringList> lookups = recordedStatements(1, namePrefixes());
    rawStatements(state, lookups);
}
BENCHMARK(BM_NamePrefixLookup_RawStatements)->Unit(benchmark::kMicrosecond);

} // namespace

} // namespace orv::bench
