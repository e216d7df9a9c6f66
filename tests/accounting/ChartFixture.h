#pragma once

#include "control/ControlState.h"
#include "data/RuntimeError.h"
#include "support/Database.h"
#include "support/QtPrinters.h"
#include "support/RecordingConnection.h"

#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace orv::test {

// A field's state on a recording connection over a database: the demo company, or the bare
// schema with a few rows of a test's own.
struct ChartFixture {
    explicit ChartFixture(std::shared_ptr<SqliteConnection> database, std::int32_t chart = 1,
                          const QString &separator = QStringLiteral("."))
        : db(std::move(database)), recorder(std::make_shared<RecordingConnection>(db))
    {
        s.Connection = recorder;
        s.IDPDC = chart;
        s.sSeparatoreCodifica = separator;
    }

    static std::shared_ptr<SqliteConnection> withRows(const QString &rows)
    {
        auto database = schemaDatabase();
        database->executeScript(rows);
        return database;
    }

    void execute(const QString &sql) { db->executeScript(sql); }
    QStringList take()
    {
        const QStringList texts = recorder->sqlTexts();
        recorder->clear();
        return texts;
    }

    std::shared_ptr<SqliteConnection> db;
    std::shared_ptr<RecordingConnection> recorder;
    ControlState s;
};

// The error number a call raises, or 0 when it returns.
inline int errorOf(const std::function<void()> &call)
{
    try {
        call();
    } catch (const RuntimeError &error) {
        return error.number();
    }
    return 0;
}

} // namespace orv::test
