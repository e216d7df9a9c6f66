#pragma once

#include "data/SqliteConnection.h"

#include <QString>

#include <memory>

namespace orv::test {

// A private in-memory database with the project's schema, and the demo seed when asked.
std::shared_ptr<SqliteConnection> schemaDatabase();
std::shared_ptr<SqliteConnection> demoDatabase();

QString schemaPath(const QString &fileName); // a file of schema/

} // namespace orv::test
