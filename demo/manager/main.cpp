// A management program of the suite, as the search field starts it: one executable that answers
// to every manager's file name (the build links each name to it). It reads the call from its own
// section of the user settings and from the caller's, lists the entities of its table from the
// company database, publishes its window where the caller looks for it, and leaves the entity the
// user chose under the caller's "IDField".
//
// The company database is $ORV_COMPANY_DB: the call itself does not name it.
// For runs without a user, the environment scripts it:
//   ORV_MANAGER_CHOOSE=<code or id>  choose that entity as soon as the caller holds the window
//   ORV_MANAGER_WAIT_RESTORE=1       ... but only after the window was asked to come to the front
//   ORV_MANAGER_NO_WINDOW=1          never show a window (stays 2 s, then ends)
//   ORV_MANAGER_CRASH=1              die without a word as soon as the caller holds the window
#include "ManagerWindow.h"

#include "data/RuntimeError.h"
#include "data/SqliteConnection.h"
#include "platform/FileSettingsStore.h"
#include "platform/SuiteResources.h"

#include <QApplication>
#include <QFileInfo>
#include <QThread>

#include <cstdio>

using namespace orv;

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    // Each manager is this program under its own name.
    const QString name = QFileInfo(QString::fromLocal8Bit(argv[0])).fileName();
    if (qEnvironmentVariableIntValue("ORV_MANAGER_NO_WINDOW") == 1) {
        QThread::sleep(2);
        return 0;
    }
    try {
        const QString database = qEnvironmentVariable("ORV_COMPANY_DB");
        if (database.isEmpty()) {
            std::fprintf(stderr, "%s: ORV_COMPANY_DB names no company database\n", qPrintable(name));
            return 2;
        }
        demo::ManagerCall call;
        call.manager = name;
        call.settingsApp = SuiteResources().text(kTextSettingsAppName).trimmed();
        call.database = SqliteConnection::open(database, /*readOnly=*/true);
        call.settings = std::make_shared<FileSettingsStore>();
        auto *window = new demo::ManagerWindow(call);
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->resize(520, 420);
        window->show();
        window->announce();
        return app.exec();
    } catch (const RuntimeError &error) {
        std::fprintf(stderr, "%s: error %d: %s\n", qPrintable(name), error.number(),
                     qPrintable(error.description()));
        return 1;
    }
}
