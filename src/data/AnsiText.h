#pragma once

#include "DbConnection.h"

#include <QByteArray>
#include <QString>

#include <memory>

namespace orv {

// The system's ANSI code page is Windows-1252. A character outside it becomes '?'.
QByteArray toAnsi(const QString &text);
QString fromAnsi(const QByteArray &ansi);
QString ansiRoundTrip(const QString &text);

// Prepares an SQL text for the engine; the text is returned unchanged.
QString fnAnsi2jet(const QString &sql);

// The one way every SQL text reaches a connection: the text crosses to ANSI and back
// (the caller's variable is replaced by that conversion, so a picker later gets the same
// text), passes through fnAnsi2jet and runs. No connection raises kErrNoConnection.
std::unique_ptr<DbResultSet> runSql(DbConnection *connection, QString &sql, int options = kForwardOnly);

} // namespace orv
