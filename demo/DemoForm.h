#pragma once

#include "control/OrvSearchACS2.h"
#include "data/DbConnection.h"

#include <QWidget>

#include <functional>
#include <map>

class QPlainTextEdit;

namespace orv::demo {

// The demo host: one search field for every search type on the demo company, and a log of
// everything the fields tell their host.
class DemoForm : public QWidget {
    Q_OBJECT
public:
    explicit DemoForm(DbConnectionPtr db, QWidget *parent = nullptr);

    OrvSearchACS2 *field(OrvTypeSearchACS type) const { return m_fields.at(type); }
    const std::map<OrvTypeSearchACS, OrvSearchACS2 *> &fields() const { return m_fields; }
    DbConnectionPtr database() const { return m_db; }

    // Every line the log receives also goes here (the headless tour prints them).
    std::function<void(const QString &)> echo;
    // Whether the tour saves pictures of what it shows (a soak saves them in its first round only).
    bool pictures = true;
    void log(const QString &line);

private:
    void watch(OrvSearchACS2 *field, const QString &name);

    DbConnectionPtr m_db;
    std::map<OrvTypeSearchACS, OrvSearchACS2 *> m_fields;
    QPlainTextEdit *m_log = nullptr;
};

} // namespace orv::demo
