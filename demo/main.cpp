#include "DemoForm.h"
#include "Tour.h"

#include "data/PgConnection.h"
#include "data/RuntimeError.h"
#include "data/SqliteConnection.h"
#include "platform/Services.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

#include <cstdio>

using namespace orv;

namespace {

std::shared_ptr<SqliteConnection> createDemoDatabase(const QString &path)
{
    QFile::remove(path);
    auto db = SqliteConnection::open(path);
    db->executeScriptFile(QStringLiteral(ORV_SCHEMA_DIR "/schema.sql"));
    db->executeScriptFile(QStringLiteral(ORV_SCHEMA_DIR "/seed.sql"));
    return db;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("orv_demo"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("The search field on the demo company"));
    parser.addHelpOption();
    const QCommandLineOption createOption(
        QStringLiteral("create-db"), QStringLiteral("Create the demo database."), QStringLiteral("path"));
    const QCommandLineOption dbOption(QStringLiteral("db"), QStringLiteral("The company database to open."),
                                      QStringLiteral("path"));
    const QCommandLineOption tourOption(QStringLiteral("tour"),
                                        QStringLiteral("Run the tour and print the events."));
    const QCommandLineOption shotOption(QStringLiteral("screenshot"),
                                        QStringLiteral("Save a picture of the form."), QStringLiteral("png"));
    const QCommandLineOption pgOption(QStringLiteral("pg"),
                                      QStringLiteral("The company database on a PostgreSQL server instead."),
                                      QStringLiteral("connection info"));
    parser.addOptions({createOption, dbOption, pgOption, tourOption, shotOption});
    parser.process(app);

    try {
        if (parser.isSet(createOption)) {
            createDemoDatabase(parser.value(createOption));
            std::printf("Demo database written to %s\n", qPrintable(parser.value(createOption)));
            if (!parser.isSet(dbOption))
                return 0;
        }
        const QString path =
            parser.isSet(dbOption) ? parser.value(dbOption) : QStringLiteral("out/demo.sqlite");
        if (!parser.isSet(pgOption) && !QFile::exists(path)) {
            std::fprintf(stderr, "No database at %s: create it with --create-db %s\n", qPrintable(path),
                         qPrintable(path));
            return 1;
        }
        // The management programs of the demo are the stand-in of this build; they find the
        // company database through the environment.
        qputenv("ORV_COMPANY_DB", QFileInfo(path).absoluteFilePath().toLocal8Bit());
        demo::DemoForm form(parser.isSet(pgOption)
                                ? DbConnectionPtr(PgConnection::open(parser.value(pgOption)))
                                : DbConnectionPtr(SqliteConnection::open(path, /*readOnly=*/true)));
        services::settings().write(OrvSearchACS2::settingsAppName(), QStringLiteral("MenuSettings"),
                                   QStringLiteral("PATH"), QStringLiteral(ORV_MANAGERS_DIR));
        if (!parser.isSet(tourOption)) {
            form.resize(760, 620);
            form.show();
            return app.exec();
        }
        QTextStream out(stdout);
        form.echo = [&out](const QString &line) { out << line << Qt::endl; };
        form.resize(760, 620);
        form.show();
        QApplication::processEvents();
        demo::runTour(form);
        if (parser.isSet(shotOption)) {
            const QString png = parser.value(shotOption);
            if (!form.grab().save(png)) {
                std::fprintf(stderr, "Cannot write %s\n", qPrintable(png));
                return 1;
            }
            out << "Screenshot: " << png << Qt::endl;
        }
        return 0;
    } catch (const RuntimeError &error) {
        std::fprintf(stderr, "Error %d: %s\n", error.number(), qPrintable(error.description()));
        return 1;
    }
}
