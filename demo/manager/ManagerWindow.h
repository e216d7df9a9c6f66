#pragma once

#include "data/DbConnection.h"
#include "platform/Services.h"

#include <QElapsedTimer>
#include <QWidget>

class QTableWidget;

namespace orv {
class PublishedWindow;
}

namespace orv::demo {

struct ManagerCall {
    QString manager; // the program's file name: its settings section
    QString settingsApp;
    DbConnectionPtr database;
    std::shared_ptr<SettingsStore> settings;
};

// The manager's main window: the entities of its table, "Scegli" leaves the one selected to the
// caller, "Chiudi" leaves nothing.
class ManagerWindow : public QWidget {
    Q_OBJECT
public:
    explicit ManagerWindow(ManagerCall call, QWidget *parent = nullptr);

    // Writes the window's handle where the caller looks for it; call once the window shows.
    void announce();

private:
    QString read(const QString &section, const QString &key) const;
    void fillList();
    void choose();
    void followScript();
    bool selectEntity(const QString &codeOrId);

    ManagerCall m_call;
    QString m_table;
    QString m_client;
    QString m_handleSection, m_handleKey;
    QTableWidget *m_list;
    PublishedWindow *m_published;
    bool m_restoreRequested = false;
    QElapsedTimer m_scriptClock;
};

} // namespace orv::demo
