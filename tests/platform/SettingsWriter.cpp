// A second process for the settings store's tests: writes its own keys and the shared keys
// of the folder given, 1,000 times each, with the shared keys spelled in its own case.
//     orv_settings_writer FOLDER PREFIX UPPER|lower
#include "platform/FileSettingsStore.h"

#include <QCoreApplication>
#include <QStringList>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4)
        return 2;
    orv::FileSettingsStore store(args[1]);
    const QString &prefix = args[2];
    const bool upper = args[3] == QLatin1String("UPPER");
    for (int i = 0; i < 1000; ++i) {
        const QString shared = QStringLiteral("Condivisa%1").arg(i % 10);
        store.write(QStringLiteral("OrvSuite"), QStringLiteral("Proprie"), prefix + QString::number(i),
                    QString::number(i));
        store.write(QStringLiteral("OrvSuite"), QStringLiteral("Condivise"),
                    upper ? shared.toUpper() : shared.toLower(), prefix + QString::number(i));
    }
    return 0;
}
