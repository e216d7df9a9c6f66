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

// The resident memory of this process, in kB.
long residentKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

// The tour on a new form each round, printed the first time only; the resident memory at the
// start, after round 10 and at the end, which may be at most 5% above round 10's.
int soak(const std::shared_ptr<SqliteConnection> &db, int rounds)
{
    QTextStream out(stdout);
    const long start = residentKb();
    long afterTen = start;
    for (int round = 1; round <= rounds; ++round) {
        {
            demo::DemoForm form(db);
            if (round == 1)
                form.echo = [&out](const QString &line) { out << line << Qt::endl; };
            // Each saved picture leaves the process a little larger (in Qt's image writing).
            form.pictures = round == 1;
            form.resize(760, 620);
            form.show();
            QApplication::processEvents();
            demo::runTour(form);
        }
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QApplication::processEvents();
        if (round == 10)
            afterTen = residentKb();
    }
    const long end = residentKb();
    out << "RSS: start " << start << " kB, after round 10 " << afterTen << " kB, after round " << rounds
        << ' ' << end << " kB (" << QString::number(100.0 * (end - afterTen) / afterTen, 'f', 1)
        << "% over round 10)" << Qt::endl;
    return rounds > 10 && end > afterTen * 105 / 100 ? 1 : 0;
}

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
    const QCommandLineOption roundsOption(
        QStringLiteral("rounds"),
        QStringLiteral("Run the tour this many times on new forms and print the memory used (a soak)."),
        QStringLiteral("n"));
    parser.addOptions({createOption, dbOption, pgOption, tourOption, shotOption, roundsOption});
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
        if (parser.isSet(tourOption) && parser.isSet(roundsOption))
            return soak(SqliteConnection::open(path, /*readOnly=*/true), parser.value(roundsOption).toInt());
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
