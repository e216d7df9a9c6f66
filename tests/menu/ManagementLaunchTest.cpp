// The management launch with the real stand-in program of demo/manager, scripted through its
// environment, on the demo company in a database file, with the user settings and the window
// registry in a folder of the test that the program is pointed at.
#include "menu/ManagementLaunch.h"
#include "control/OrvSearchACS2.h"
#include "control/OrvSearchACS2_p.h"
#include "data/DbUtility.h"
#include "field/FieldContext.h"
#include "menu/ProcessPriority.h"
#include "platform/FileSettingsStore.h"
#include "platform/FileWindowRegistry.h"
#include "platform/PublishedWindow.h"
#include "platform/SuiteResources.h"
#include "support/ChartFixture.h"
#include "support/Engines.h"
#include "support/FakeServices.h"
#include "support/FaultingConnection.h"
#include "support/QtPrinters.h"
#include "support/RecordingConnection.h"

#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <unistd.h>

namespace orv {
namespace {

using namespace std::chrono_literals;
using test::ServiceOverride;

const QString kClient = QStringLiteral("Fattura");
const QString kManagerSection = QStringLiteral("MenuSettings");

class ManagementLaunchTest : public ::testing::TestWithParam<test::Engine> {
protected:
    void SetUp() override
    {
        qputenv("ORV_SETTINGS_DIR", dir.path().toLocal8Bit());
        qputenv("ORV_COMPANY_DB", (dir.path() + QStringLiteral("/company.sqlite")).toLocal8Bit());
        auto company = SqliteConnection::open(qEnvironmentVariable("ORV_COMPANY_DB"));
        company->executeScriptFile(test::schemaPath(QStringLiteral("schema.sql")));
        company->executeScriptFile(test::schemaPath(QStringLiteral("seed.sql")));
        // The program reads the company from the file; the field from the engine of the run.
        db = std::make_shared<test::RecordingConnection>(
            GetParam() == test::Engine::Sqlite ? DbConnectionPtr(company) : test::demoDatabaseOn(GetParam()));
        field = std::make_unique<OrvSearchACS2>();
        field->setConnection(db);
        field->setIDFirm(1);
        field->setIDUser(1);
        field->setIDPDC(1);
        field->setClient(kClient);
        put(kManagerSection, "PATH", QStringLiteral(ORV_MANAGERS_DIR));
    }
    void TearDown() override
    {
        for (const char *name : {"ORV_MANAGER_CHOOSE", "ORV_MANAGER_WAIT_RESTORE", "ORV_MANAGER_NO_WINDOW",
                                 "ORV_MANAGER_CRASH", "ORV_SETTINGS_DIR", "ORV_COMPANY_DB"})
            qunsetenv(name);
    }

    QString app() const { return OrvSearchACS2::settingsAppName(); }
    void put(const QString &section, const char *key, const QString &value)
    {
        settings->write(app(), section, QString::fromLatin1(key), value);
    }
    QString get(const QString &section, const char *key)
    {
        return settings->read(app(), section, QString::fromLatin1(key));
    }
    std::int32_t launch(std::int32_t function, std::int32_t entity = 0)
    {
        return field->fnCallExe(function, 0, 1, entity, kClient);
    }
    std::int32_t priority() { return menu::fnSetProcessPriority(getpid(), 0, 0); }

    QTemporaryDir dir;
    ServiceOverride<FileSettingsStore> settings{std::make_shared<FileSettingsStore>(dir.path())};
    ServiceOverride<FileWindowRegistry> windows{
        std::make_shared<FileWindowRegistry>(dir.path() + "/windows")};
    ServiceOverride<test::CapturedMessageBoxes> boxes;
    ServiceOverride<test::FixedScreen> screen;
    std::shared_ptr<test::RecordingConnection> db;
    std::unique_ptr<OrvSearchACS2> field;
};

// Nothing started: what the user is told, and that the hand-over was never written.
TEST_P(ManagementLaunchTest, LaunchesThatStartNothingReturnZeroAndHandNothingOver)
{
    struct Case {
        const char *name;
        std::function<void()> setUp;
        std::int32_t function;
        QString message;
        int style;
        QString title;
        int hourglasses;
    };
    const QString noRight =
        QStringLiteral("Attenzione, non si possiedono i diritti per utilizzare la manutenzione Anagrafica.");
    const Case cases[] = {
        {"no folder of the programs", [this] { put(kManagerSection, "PATH", QString()); }, 29,
         SuiteResources().text(kTextProgramPathMissing), kMbCritical, kClient, 0},
        {"no program for the function", [] {}, 40, {}, 0, {}, 1},
        {"no right", [this] { field->setIDUser(3); }, 29, noRight, kMbOkOnly, kClient, 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        c.setUp();
        const int before = screen->busyCalls();
        EXPECT_EQ(launch(c.function, 77), 0);
        EXPECT_EQ(boxes->texts(), c.message.isEmpty() ? QStringList() : QStringList{c.message});
        if (!c.message.isEmpty()) {
            EXPECT_EQ(boxes->messages().back().style, c.style);
            EXPECT_EQ(boxes->messages().back().title, c.title);
        }
        EXPECT_EQ(screen->busyCalls() - before, c.hourglasses);
        EXPECT_EQ(screen->busyDepth(), 0);
        EXPECT_EQ(get(QStringLiteral("orvgest-anagrafiche"), "TableName"), QString());
        EXPECT_EQ(get(kClient, "IDField"), QString());
        boxes->clear();
        put(kManagerSection, "PATH", QStringLiteral(ORV_MANAGERS_DIR));
        field->setIDUser(1);
    }
    EXPECT_TRUE(db->sqlTexts().contains(test::listedStatement(QStringLiteral("launch.manager.missing"))));
}

TEST_P(ManagementLaunchTest, AProgramThatShowsNoWindowIsReportedAndItsHandOverDeleted)
{
    const menu::WindowWaitLimitOverride shortLimit(300ms);
    qputenv("ORV_MANAGER_NO_WINDOW", "1");
    EXPECT_EQ(launch(29, 77), 0);
    EXPECT_EQ(boxes->texts(), QStringList{SuiteResources().text(kTextProgramNoWindow)});
    EXPECT_EQ(boxes->messages().back().style, kMbCritical);
    EXPECT_EQ(boxes->messages().back().title, SuiteResources().text(kTextProgramNoWindowTitle));
    EXPECT_EQ(get(QStringLiteral("Anagrafica"), "x"), QString());
    EXPECT_EQ(screen->busyDepth(), 0);
    EXPECT_EQ(priority(), kPriorityNormal);
}

// The hand-over the program reads, with the fall-backs of the user name and the password, and the
// entity it leaves; the field waits blocked on the process.
TEST_P(ManagementLaunchTest, HandsTheCallOverAndAnswersTheEntityTheProgramLeft)
{
    struct Case {
        QString userName, clientUser, password;
        QString handedUser, handedPassword;
    };
    put(kManagerSection, "LastUser", QStringLiteral("ultimo"));
    put(kManagerSection, "LastUserPWD",
        QStringLiteral("  ") + dbUtility().TransformPassword("Segreto1") + " ");
    put(kClient, "FirmName", QStringLiteral("Ditta Demo"));
    put(kClient, "lIDBranch", QStringLiteral("2"));
    const Case cases[] = {
        {"mrossi", "cliente", "pw", "mrossi", "pw"},
        {" ", "cliente", "", "cliente", "Segreto1"},
        {"", "  ", "", "ultimo", "Segreto1"},
    };
    qputenv("ORV_MANAGER_CHOOSE", "C005");
    for (const Case &c : cases) {
        SCOPED_TRACE(c.handedUser.toStdString());
        field->setUserName(c.userName);
        field->setPassword(c.password);
        put(kClient, "UserName", c.clientUser);
        EXPECT_EQ(launch(30, 3), 5);
        const QString section = QStringLiteral("orvgest-clienti");
        EXPECT_EQ(QStringList({get(section, "TableName"), get(section, "Caption"), get(section, "IDUser"),
                               get(section, "UserName"), get(section, "lIDFirm"), get(section, "FirmName"),
                               get(section, "Password"), get(section, "Client"), get(section, "IDFunction"),
                               get(section, "lIDBranch")}),
                  QStringList({"Cliente", "Clienti", "1", c.handedUser, "1", "Ditta Demo", c.handedPassword,
                               kClient, "30", "2"}));
        EXPECT_EQ(get(kClient, "IDEsercizioCaller"), QStringLiteral("2026"));
        EXPECT_EQ(get(kClient, "IDField"), QString());
    }
    EXPECT_EQ(screen->busyDepth(), 0);
    EXPECT_EQ(priority(), kPriorityNormal);
}

// A program that ends without leaving an entity, or dies while the field waits for it, in either
// wait: the field gets back the entity it handed over, and is itself again.
TEST_P(ManagementLaunchTest, AProgramThatLeavesNothingOrDiesEndsTheWait)
{
    for (const bool blocking : {false, true}) {
        for (const auto &[script, value] :
             {std::pair{"ORV_MANAGER_CHOOSE", "nessuno"}, {"ORV_MANAGER_CRASH", "1"}}) {
            SCOPED_TRACE(std::string(script) + (blocking ? " blocking" : " pumping"));
            qputenv(script, value);
            field->setDisableDoEvents(blocking);
            EXPECT_EQ(launch(5, 321), 321);
            qunsetenv(script);
            EXPECT_EQ(screen->busyDepth(), 0);
            EXPECT_EQ(priority(), kPriorityNormal);
        }
    }
    field->setSearchType(OrvSearchCustomers);
    field->sbLoadCFByCodifica(0, QStringLiteral("C004"));
    EXPECT_EQ(field->IDAnagrafica(), 4);
}

// A second launch while the first waits finds the program's window held, asks for it to come to
// the front and returns 0 at once; the program chooses only once asked.
TEST_P(ManagementLaunchTest, ASecondLaunchBringsTheRunningProgramToTheFront)
{
    qputenv("ORV_MANAGER_CHOOSE", "C006");
    qputenv("ORV_MANAGER_WAIT_RESTORE", "1");
    field->setDisableDoEvents(false);
    std::optional<std::int32_t> second;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        const std::int32_t h = get(QStringLiteral("orvgest-clienti"), "hExe").toInt();
        if (!second && windows->property(h, QStringLiteral("ORV")) == 1)
            second = launch(30);
    });
    poll.start(20);
    EXPECT_EQ(launch(30), 6);
    EXPECT_EQ(second, 0);
}

// Ctrl+G: an account field shows the account the chart's program left; a customer field the
// registry entry, looked up again. The registry's program announces its window under its entity,
// after the handle an earlier run left there was cleared: a running window of this process left
// under that key is not taken for the program.
TEST_P(ManagementLaunchTest, CtrlGShowsTheEntityTheProgramLeft)
{
    QWidget earlier;
    PublishedWindow published(&earlier);
    windows->setProperty(published.handle(), QStringLiteral("ORV"), 1);
    put(QStringLiteral("Anagrafica"), "hTableCall", QString::number(published.handle()));
    field->setEnabledExecute(true);
    struct Case {
        OrvTypeSearchACS type;
        const char *choice;
        QString code;
    };
    for (const Case &c :
         {Case{OrvSearchCustomers, "3", "C003"}, Case{OrvSearchAccounts, "4", "01.01.01.004"}}) {
        field->setSearchType(c.type);
        qputenv("ORV_MANAGER_CHOOSE", c.choice);
        QTest::keyClick(field->findChild<QLineEdit *>(QStringLiteral("txtField0")), Qt::Key_G,
                        Qt::ControlModifier);
        EXPECT_EQ(field->Code(), c.code);
    }
}

// Ctrl+G with the k-th statement or row read failing, for every k: the launch's own steps, before
// the program starts, and what shows the entity it left (the re-validation's check, SetPDC); the
// lookup the check then runs has a fault table of its own and runs here unfaulted. The failure is
// the launch's error, shown to the user (an exception into the event loop would end the test);
// the field keeps what it showed, but for what a failing SetPDC wrote, which stays marked edited;
// the search flag is clear (the pointer and the priority stay as the failure left them, and are
// put back before the next run); each kind's last run, with no fault left, launches as the clean
// run did.
TEST_P(ManagementLaunchTest, EveryStatementOrRowReadThatFailsEndsTheLaunchCleanly)
{
    auto faulting = std::make_shared<test::FaultingConnection>(db);
    field->setConnection(faulting);
    field->setEnabledExecute(true);
    QLineEdit *codeBox = field->findChild<QLineEdit *>(QStringLiteral("txtField0"));
    const FieldWork &w = fieldContextOf(*field).work();
    bool lookupUnfaulted = false;
    QObject::connect(codeBox, &QLineEdit::textChanged, [&] { faulting->hold(lookupUnfaulted); });
    const auto outcome = [&] {
        const bool busy = w.bRicercaInCorso;
        const QString shown =
            QStringLiteral("%1|%2 #%3/%4%5%6 %7")
                .arg(field->Code(), field->Description())
                .arg(field->IDAnagrafica())
                .arg(field->IDNode())
                .arg(busy ? " busy" : "", w.bCodiceModificato || w.bDescrizioneModificata ? " edited" : "",
                     boxes->texts().join(u',').section(u':', 0, 0));
        boxes->clear();
        return shown;
    };
    QStringList points;
    for (const auto &[type, id, choice] :
         {std::tuple{OrvSearchCustomers, 2, "3"}, {OrvSearchAccounts, 1, "4"}}) {
        QString before;
        test::runAtEveryFault(
            *faulting, points, QStringLiteral("Ctrl+G %1").arg(type),
            [&] {
                lookupUnfaulted = false;
                while (screen->busyDepth() > 0)
                    screen->setBusy(false);
                menu::fnSetProcessPriority(0, 0, kPriorityNormal);
                field->setSearchType(type);
                type == OrvSearchAccounts ? field->setIDNode(id) : field->sbLoadCFByIDAnagrafica(0, id);
                before = outcome() + QStringLiteral("Errore 3000");
                lookupUnfaulted = type != OrvSearchAccounts;
                qputenv("ORV_MANAGER_CHOOSE", choice);
            },
            [&] {
                QTest::keyClick(codeBox, Qt::Key_G, Qt::ControlModifier);
                return outcome();
            },
            [&](const QString &named, const QString &clean, bool fired) {
                const bool setPDCFailed =
                    fired && type == OrvSearchAccounts && named.endsWith(" edited Errore 3000");
                EXPECT_EQ(named, setPDCFailed ? named : fired ? before : clean);
            });
    }
    test::printFaultPoints(points);
}

ORV_ON_EVERY_ENGINE(ManagementLaunchTest);

} // namespace
} // namespace orv
