#include "Database.h"

#include <QFile>

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

std::shared_ptr<PgConnection> pgDemoDatabase()
{
    const QByteArray server = qgetenv("ORV_PG_DEMO");
    return server.isEmpty() ? nullptr : PgConnection::open(QString::fromUtf8(server));
}

std::vector<ListedStatement> readListedStatements()
{
    QFile file(schemaPath(QStringLiteral("statements.sql")));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    std::vector<ListedStatement> entries;
    ListedStatement current;
    for (const QString &line : QString::fromUtf8(file.readAll()).split(u'\n')) {
        if (line.startsWith(QLatin1String("-- @name ")))
            current.name = line.mid(9).trimmed();
        else if (line.startsWith(QLatin1String("-- @rows ")))
            current.rows = line.mid(9).trimmed().toInt();
        else if (line.startsWith(QLatin1String("-- @first ")))
            for (const QString &value : line.mid(10).split(u'|'))
                current.first << value.trimmed();
        else if (!line.startsWith(QLatin1String("--")) && line.trimmed().endsWith(u';')) {
            current.sql = line.trimmed().chopped(1);
            entries.push_back(current);
            current = ListedStatement{};
        }
    }
    return entries;
}

} // namespace orv::test
