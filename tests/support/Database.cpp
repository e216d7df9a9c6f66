#include "Database.h"

namespace orv::test {

QString schemaPath(const QString &fileName)
{
    return QStringLiteral(ORV_SCHEMA_DIR "/") + fileName;
}

std::shared_ptr<SqliteConnection> schemaDatabase()
{
    auto db = SqliteConnection::open(QStringLiteral(":memory:"));
    db->executeScriptFile(schemaPath(QStringLiteral("schema.sql")));
    return db;
}

std::shared_ptr<SqliteConnection> demoDatabase()
{
    auto db = schemaDatabase();
    db->executeScriptFile(schemaPath(QStringLiteral("seed.sql")));
    return db;
}

} // namespace orv::test
