#pragma once

#include "data/PgConnection.h"
#include "data/SqliteConnection.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

namespace orv::test {

// A private in-memory database with the project's schema, and the demo seed when asked.
std::shared_ptr<SqliteConnection> schemaDatabase();
std::shared_ptr<SqliteConnection> demoDatabase();

QString schemaPath(const QString &fileName); // a file of schema/

// The demo company on the PostgreSQL server of the test run (ORV_PG_DEMO, which ./run test
// sets), one connection per call; nullptr when the run has no server.
std::shared_ptr<PgConnection> pgDemoDatabase();

// One entry of schema/statements.sql: a statement the field sends, and what it must return
// on the demo company (rows -1: not checked; first: the first row's values as
// texts, trimmed).
struct ListedStatement {
    QString name;
    QString sql; // without the closing semicolon
    int rows = -1;
    QStringList first;
};
std::vector<ListedStatement> readListedStatements(); // in the file's order

} // namespace orv::test
