#pragma once

#include "data/RuntimeError.h"
#include "field/ControlState.h"
#include "support/Database.h"
#include "support/Engines.h"
#include "support/PrintVariant.h"
#include "support/QtPrinters.h"
#include "support/RecordingConnection.h"

#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <map>
#include <memory>

namespace orv::test {

// A field's state on a recording connection over a database: the demo company, or the bare
// schema with a few rows of a test's own.
struct ChartFixture {
    explicit ChartFixture(DbConnectionPtr database, std::int32_t chart = 1,
                          const QString &separator = QStringLiteral("."))
        : db(std::move(database)), recorder(std::make_shared<RecordingConnection>(db))
    {
        s.Connection = recorder;
        s.IDPDC = chart;
        s.sSeparatoreCodifica = separator;
    }

    static DbConnectionPtr withRows(Engine engine, const QString &rows)
    {
        auto database = schemaDatabaseOn(engine);
        test::execute(*database, rows);
        return database;
    }

    void execute(const QString &sql) { test::execute(*db, sql); }
    QStringList take()
    {
        const QStringList texts = recorder->sqlTexts();
        recorder->clear();
        return texts;
    }

    // The remembered branch codes, "key=code" in key order, joined with '|'.
    QString cache() const
    {
        QStringList entries;
        if (s.colCodificheRami) {
            for (auto it = s.colCodificheRami->cbegin(); it != s.colCodificheRami->cend(); ++it)
                entries << it.key() + u'=' + it.value();
        }
        entries.sort();
        return entries.join(u'|');
    }

    DbConnectionPtr db;
    std::shared_ptr<RecordingConnection> recorder;
    ControlState s;
};

// The statements of schema/statements.sql by name: the texts the schema tests run on the demo data.
inline const std::map<QString, QString> &listedStatements()
{
    static const std::map<QString, QString> byName = [] {
        std::map<QString, QString> statements;
        for (const ListedStatement &entry : readListedStatements())
            statements[entry.name] = entry.sql;
        return statements;
    }();
    return byName;
}

inline QString listedStatement(const QString &name)
{
    const auto it = listedStatements().find(name);
    return it == listedStatements().end() ? QStringLiteral("<not listed: %1>").arg(name) : it->second;
}

} // namespace orv::test
