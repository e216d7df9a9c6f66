#include "data/querymodel/LazyQueryModel.h"

#include "data/DbUtility.h"
#include "support/Engines.h"
#include "support/RecordingConnection.h"

#include <QAbstractItemModelTester>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>

using namespace orv;

namespace {

using Columns = QList<LazyQueryModel::Column>;

const Columns kCodeColumns = {{QStringLiteral("Codice"), QStringLiteral("Codice")},
                              {QStringLiteral("Nome"), QStringLiteral("Nome")}};

// The visible cells of a row joined with '|', so that a row reads as one line.
QString rowText(const LazyQueryModel &model, int row)
{
    QStringList cells;
    for (int column = 0; column < model.columnCount(); ++column)
        cells << model.data(model.index(row, column)).toString();
    return cells.join(QLatin1Char('|'));
}

// The row of person `number` as rowText() shows it with kCodeColumns.
QString person(int number)
{
    return QStringLiteral("K%1|Nome %2").arg(number, 5, 10, QLatin1Char('0')).arg(number);
}

// Persona holds `count` rows whose codes K00000.. are stored in a shuffled rowid order, so
// that the list's order comes from the ordering and not from the table.
DbConnectionPtr numberedPeople(test::Engine engine, int count)
{
    auto db = test::schemaDatabaseOn(engine);
    test::execute(
        *db,
        QStringLiteral(
            "CREATE TEMP TABLE Persona (IDPersona INTEGER PRIMARY KEY, Codice TEXT COLLATE NOCASE,"
            " Nome TEXT COLLATE NOCASE, Citta TEXT);"
            "CREATE INDEX IX_Persona_Codice ON Persona (Codice);"
            "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i + 1 < %1)"
            " INSERT INTO Persona SELECT i + 1, 'K' || substr(CAST(100000 + (i * 7919) % %1 AS TEXT), 2),"
            " 'Nome ' || ((i * 7919) % %1), 'Citta ' || (i % 7) FROM n;")
            .arg(count));
    return db;
}

const QString kPeople = QStringLiteral("SELECT IDPersona, Codice, Nome, Citta FROM Persona");

// SQLite's NOCASE order: UTF-8 bytes with only ASCII letters folded.
QByteArray folded(const QString &text)
{
    QByteArray bytes = text.toUtf8();
    for (char &c : bytes) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return bytes;
}

class LazyQueryModelTest : public ::testing::TestWithParam<test::Engine> {
protected:
    LazyQueryModel model;
};

TEST_P(LazyQueryModelTest, PassesTheItemModelTesterOpeningAtATextCountingBothWaysAndResetting)
{
    auto db = numberedPeople(GetParam(), 700);
    model.setPageSize(64);
    model.setCacheLimit(3);
    model.setCountStep(0);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);

    // A page each way around the first row >= the text.
    ASSERT_TRUE(model.setQuery(db, kPeople, kCodeColumns, QStringLiteral("k0030")));
    EXPECT_EQ(model.rowCount(), 128);
    EXPECT_EQ(model.rowForPrefix(QStringLiteral("K00300")), 64);
    EXPECT_EQ(rowText(model, 64), person(300));
    EXPECT_EQ(rowText(model, 0), person(236));
    EXPECT_TRUE(model.canFetchBefore());
    model.fetchBefore();
    EXPECT_EQ(model.rowCount(), 192);
    EXPECT_EQ(rowText(model, 0), person(172));
    EXPECT_EQ(rowText(model, 128), person(300));
    model.fetchMore({});
    EXPECT_EQ(model.rowCount(), 256);
    EXPECT_EQ(rowText(model, 255), person(427));
    // The end of the list, counted backwards from there.
    EXPECT_EQ(model.lastRow(), 63);
    EXPECT_EQ(rowText(model, 63), person(699));
    EXPECT_EQ(rowText(model, 0), person(636));
    EXPECT_EQ(model.rowForPrefix(QStringLiteral("K0069")), 54);

    model.countAll();
    EXPECT_FALSE(model.canFetchBefore());
    EXPECT_FALSE(model.canFetchMore({}));
    ASSERT_EQ(model.rowCount(), 700);
    for (int row = 699; row >= 0; row -= 7)
        ASSERT_EQ(rowText(model, row), person(row));
    EXPECT_EQ(model.cachedPageCount(), 3);
    EXPECT_EQ(model.rowForPrefix(QString()), 0);

    model.clear();
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_EQ(model.columnCount(), 0);
}

TEST_P(LazyQueryModelTest, OpensAtATextWithoutCountingUpToItCountsInTheBackgroundAndReadsPagesNearAKey)
{
    auto recording = std::make_shared<test::RecordingConnection>(numberedPeople(GetParam(), 5000));
    model.setPageSize(100);
    model.setCountStep(0);
    model.setKeyColumn(QStringLiteral("Persona.IDPersona"));
    QSignalSpy resets(&model, &LazyQueryModel::modelAboutToBeReset);
    QSignalSpy completed(&model, &LazyQueryModel::countComplete);
    ASSERT_TRUE(model.setQuery(recording, kPeople, kCodeColumns, QStringLiteral("K02500")));
    const QString source = QLatin1Char('(') + kPeople + QStringLiteral("\n)");
    if (GetParam() == test::Engine::Sqlite) { // the texts of the other dialect are SqlDialectTest's
        EXPECT_EQ(recording->sqlTexts(),
                  QStringList({"SELECT * FROM " + source + " LIMIT 0",
                               "SELECT \"Codice\" FROM " + source +
                                   " WHERE \"Codice\" COLLATE NOCASE >= 'K02500'"
                                   " ORDER BY \"Codice\" COLLATE NOCASE, \"IDPersona\"",
                               "SELECT \"Codice\" FROM " + source +
                                   " WHERE \"Codice\" COLLATE NOCASE < 'K02500'"
                                   " ORDER BY \"Codice\" COLLATE NOCASE DESC, \"IDPersona\" DESC"}));
    }
    EXPECT_EQ(model.rowCount(), 200);
    EXPECT_EQ(rowText(model, 100), person(2500));
    EXPECT_EQ(rowText(model, 99), person(2499));

    // A text among the counted rows is counted between anchors; one beyond them opens again.
    resets.clear();
    EXPECT_EQ(model.rowForPrefix(QStringLiteral("K0255")), 150);
    EXPECT_EQ(model.rowForPrefix(QStringLiteral("K0241")), 10);
    EXPECT_EQ(resets.count(), 0);
    EXPECT_EQ(model.rowForPrefix(QStringLiteral("K04")), 100);
    EXPECT_EQ(resets.count(), 1);
    EXPECT_EQ(rowText(model, 100), person(4000));
    EXPECT_EQ(model.rowForPrefix(QStringLiteral("K0399")), 90);
    EXPECT_EQ(model.rowForPrefix(QStringLiteral("K00")), 0);
    EXPECT_EQ(resets.count(), 2);
    EXPECT_EQ(rowText(model, 0), person(0));
    EXPECT_FALSE(model.canFetchBefore());
    EXPECT_EQ(completed.count(), 0);

    // Counted in the background, step by step, to both ends.
    model.setBackgroundCounting(true);
    ASSERT_TRUE(model.setQuery(recording, kPeople, kCodeColumns, QStringLiteral("K02500")));
    EXPECT_EQ(completed.count(), 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return completed.count() == 1; }, 10000));
    EXPECT_EQ(completed.at(0).at(0).toInt(), 5000);
    for (int row : {2900, 120, 4999, 2499, 0, 3333}) {
        recording->clear();
        EXPECT_EQ(rowText(model, row), person(row));
        ASSERT_EQ(recording->statements().size(), 1u);
        const QString sql = recording->statements().front().sql;
        EXPECT_TRUE(sql.contains(QStringLiteral(" WHERE "))) << sql.toStdString(); // from an anchor
        EXPECT_LT(sql.section(QStringLiteral("OFFSET "), 1).toInt(), model.pageSize()) << sql.toStdString();
    }
}

// Many names with ties and case variants, compared with a sort done here: with anchors every
// few rows (many of them fall inside runs of one name written in different cases), and with
// anchors thinned out several times; on lists opened at several texts.
using LazyQueryModelAnchors = ::testing::TestWithParam<test::Engine>;

TEST_P(LazyQueryModelAnchors, PositionsAndRowsAgreeWithASortDoneHere)
{
    const QStringList stems = {"rossi",  "Rossi",  "ROSSINI", "bianchi", "D'Amico", "Dàmico",
                               "verdi",  "Ölmann", "zeta",    "Łukasz",  "a",       "abate",
                               "Abbate", "m",      "Martini", "ma'"};
    QRandomGenerator random(42);
    auto db = test::schemaDatabaseOn(GetParam());
    test::execute(
        *db, QStringLiteral("CREATE TEMP TABLE Nome (ID INTEGER PRIMARY KEY, Anagrafica TEXT COLLATE NOCASE);"
                            "CREATE INDEX IX_Nome ON Nome (Anagrafica);"));
    // Each row as "<folded name>#<id>", Nulls as "#<id>": sorted here as the list sorts them.
    std::vector<QByteArray> expected;
    QStringList values;
    for (int id = 1; id <= 1500; ++id) {
        const QByteArray number = QByteArray::number(id).rightJustified(4, '0');
        const int pick = random.bounded(stems.size() + 1);
        if (pick == stems.size()) {
            values << QStringLiteral("(%1, NULL)").arg(id);
            expected.push_back('#' + number);
            continue;
        }
        // Few suffixes, so that many rows share a key; each row writes it in its own case.
        QString name =
            stems.at(pick) + (random.bounded(3) == 0 ? QString() : QString::number(random.bounded(9)));
        for (QChar &c : name) {
            if (random.bounded(2) == 0)
                c = c.toUpper();
        }
        values << QStringLiteral("(%1, %2)").arg(id).arg(dbUtility().SqlText(name));
        expected.push_back('.' + folded(name) + '#' + number); // '.' keeps names after the Nulls
    }
    test::execute(*db, QStringLiteral("INSERT INTO Nome (ID, Anagrafica) VALUES ") +
                           values.join(QLatin1Char(',')));
    std::sort(expected.begin(), expected.end());
    const auto entry = [](const LazyQueryModel &model, int row) {
        const Variant key = model.value(row, QStringLiteral("Anagrafica"));
        const QByteArray id = QByteArray::number(model.value(row, QStringLiteral("ID")).toLong());
        return (key.isNull() ? QByteArray() : '.' + folded(key.toText())) + '#' + id.rightJustified(4, '0');
    };
    const QStringList probes = {"ROSSI", "rossi3", "b",         "d'", "D'AMICO9", "da",   "Ö",
                                "zz",    "a",      "ABB",       "M",  "ma'",      "ma''", "martini8",
                                "v",     "rossin", "Rossini99", " ",  "{"};

    const struct {
        int pageSize;
        int anchorLimit;
        const char *start; // "end": opened at the end of the list
    } spacings[] = {{3, 100000, ""}, {32, 6, ""},   {3, 100000, "m"},
                    {7, 6, "ROSSI"}, {32, 6, "zz"}, {5, 6, "end"}};
    for (const auto &spacing : spacings) {
        SCOPED_TRACE(spacing.start);
        SCOPED_TRACE(spacing.pageSize);
        const QString start = QString::fromUtf8(spacing.start);
        LazyQueryModel model;
        model.setPageSize(spacing.pageSize);
        model.setAnchorLimit(spacing.anchorLimit);
        model.setCacheLimit(2);
        model.setKeyColumn(QStringLiteral("ID"));
        const QList<LazyQueryModel::Column> columns = {
            {QStringLiteral("Nome"), QStringLiteral("Anagrafica")}};
        const QString sql = QStringLiteral("SELECT Anagrafica, ID FROM Nome");
        const auto open = [&] {
            ASSERT_TRUE(model.setQuery(db, sql, columns, start == QLatin1String("end") ? QString() : start));
            if (start == QLatin1String("end")) {
                EXPECT_EQ(entry(model, model.lastRow()), expected.back());
            }
        };
        // Before counting: each probe lands on its row, counted nearby or opened again there.
        open();
        for (const QString &probe : probes) {
            const auto at = std::lower_bound(expected.begin(), expected.end(), '.' + folded(probe));
            const int row = model.rowForPrefix(probe);
            if (at != expected.end())
                EXPECT_EQ(entry(model, row), *at) << probe.toStdString();
            else
                EXPECT_EQ(row, model.rowCount()) << probe.toStdString();
        }
        // Counted: rows and positions are the sorted ones.
        open();
        model.countAll();
        EXPECT_LE(model.anchorCount(), spacing.anchorLimit);
        ASSERT_EQ(model.rowCount(), 1500);
        for (const QString &probe : probes) {
            const auto at = std::lower_bound(expected.begin(), expected.end(), '.' + folded(probe));
            EXPECT_EQ(model.rowForPrefix(probe), at - expected.begin()) << probe.toStdString();
        }
        for (int row = 0; row < model.rowCount(); ++row)
            ASSERT_EQ(entry(model, row), expected[static_cast<std::size_t>(row)]) << "row " << row;
    }
}

ORV_ON_EVERY_ENGINE(LazyQueryModelTest);
ORV_ON_EVERY_ENGINE(LazyQueryModelAnchors);

} // namespace
