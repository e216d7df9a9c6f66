#include "ManagementLaunch.h"

#include "ProcessPriority.h"
#include "accounting/AccountCodes.h"
#include "accounting/Loaders.h"
#include "data/AnsiText.h"
#include "data/Blanks.h"
#include "data/DbUtility.h"
#include "field/FieldContext.h"
#include "field/ModuleState.h"
#include "field/OrvEnums.h"
#include "lookup/BlockedCheck.h"
#include "platform/Services.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QStringBuilder>
#include <QThread>
#include <QTimer>

namespace orv::menu {

namespace {

constexpr std::int32_t kRightRunMaintenance = 33;
constexpr std::int32_t kManagerOfTableCall = 28;
constexpr int kPollMs = 20;
const QString kMenuSettings = QStringLiteral("MenuSettings");

thread_local std::chrono::milliseconds t_windowWaitLimit = kWindowWaitLimit;

// Settings hold numbers as text; a text that is no number reads as 0.
std::int32_t settingAsLong(const QString &section, const QString &key, const QString &defaultValue)
{
    return leadingLong(
        Variant(services::settings().read(moduleState().sSettingsAppName, section, key, defaultValue)));
}

// One pause of a wait: the host's pending events are served when pumping, otherwise the thread sleeps.
void pause(bool pump)
{
    if (!pump) {
        QThread::msleep(kPollMs);
        return;
    }
    QEventLoop loop;
    QTimer::singleShot(kPollMs, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace

WindowWaitLimitOverride::WindowWaitLimitOverride(std::chrono::milliseconds limit)
    : m_previous(t_windowWaitLimit)
{
    t_windowWaitLimit = limit;
}

WindowWaitLimitOverride::~WindowWaitLimitOverride()
{
    t_windowWaitLimit = m_previous;
}

QString componentExecutableName()
{
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
}

std::int32_t fnCallExe(FieldContext &field, std::int32_t lIDFunction, std::int32_t hClient,
                       std::int32_t lIDFirm, std::int32_t lIDField, const std::optional<QString> &vClientName)
{
    const ControlState &s = field.state();
    SettingsStore &settings = services::settings();
    WindowService &windows = services::windows();
    ScreenService &screen = services::screen();
    const QString app = moduleState().sSettingsAppName;
    const QString sClient = vClientName ? *vClientName : componentExecutableName();

    const QString sPath = settings.read(app, kMenuSettings, QStringLiteral("PATH"));
    if (sPath.isEmpty()) {
        services::messageBox().show(field.dialogParent(), services::resources().text(kTextProgramPathMissing),
                                    kMbCritical | kMbOkOnly, sClient);
        return 0;
    }
    screen.setBusy(true);

    QString sql =
        QStringLiteral("SELECT Gestore.IDGestore, Gestore, Entita, Funzione, Funzione.IDTipoOggetto "
                       "FROM Gestore, TipoOggetto, Funzione") %
        QLatin1String(" WHERE Funzione.IDFunzione = ") % QString::number(lIDFunction) %
        QLatin1String(" AND Funzione.IDTipoOggetto = TipoOggetto.IDTipoOggetto") %
        QLatin1String(" AND TipoOggetto.IDGestore = Gestore.IDGestore");
    std::unique_ptr<DbResultSet> rs = runSql(s.Connection.get(), sql);
    if (rs->Eof()) {
        screen.setBusy(false);
        rs->Close();
        return 0;
    }
    const DbFields row = rs->Fields();
    const std::int32_t idGestore = row.Item(0).Value().toLong();
    const QString sGestore = row.Item(1).Value().toText();
    const QString sEntita = row.Item(2).Value().toText();
    const QString sFunzione = row.Item(3).Value().toText();
    const std::int32_t idTipoOggetto = row.Item(4).Value().toLong();

    const std::int32_t lBranch = settingAsLong(sClient, QStringLiteral("lIDBranch"), QString());
    bool hasRight = false;
    dbUtility().UserHasRight(s.Connection.get(), s.IDUser, lBranch, idTipoOggetto, kRightRunMaintenance,
                             hasRight);
    if (!hasRight) {
        services::messageBox().show(
            field.dialogParent(),
            QStringLiteral("Attenzione, non si possiedono i diritti per utilizzare la manutenzione ") +
                sEntita + QStringLiteral("."),
            kMbOkOnly, sClient);
        screen.setBusy(false);
        rs->Close();
        return 0;
    }

    // The hand-over, in the order the programs read it.
    const auto handOver = [&](const char *key, const QString &value) {
        settings.write(app, sGestore, QString::fromLatin1(key), value);
    };
    handOver("TableName", sEntita);
    handOver("Caption", sFunzione);
    handOver("IDUser", QString::number(s.IDUser));
    QString userName = s.UserName;
    if (!hasNonBlank(userName)) {
        userName = settings.read(app, sClient, QStringLiteral("UserName"));
        if (!hasNonBlank(userName))
            userName = settings.read(app, kMenuSettings, QStringLiteral("LastUser"));
    }
    handOver("UserName", userName);
    handOver("lIDFirm", QString::number(lIDFirm));
    handOver("FirmName", settings.read(app, sClient, QStringLiteral("FirmName")));
    handOver("Password", !s.Password.isEmpty() ? s.Password
                                               : dbUtility().TransformPassword(trimBlanks(settings.read(
                                                     app, kMenuSettings, QStringLiteral("LastUserPWD")))));
    handOver("Client", sClient);
    handOver("IDFunction", QString::number(lIDFunction));
    handOver("lIDBranch", QString::number(lBranch));
    handOver("Branch", settings.read(app, sClient, QStringLiteral("Branch")));
    settings.write(app, sClient, QStringLiteral("IDField"), QString::number(lIDField));
    settings.write(app, sClient, QStringLiteral("IDEsercizioCaller"),
                   accounting::fnGetEsercizioPDC(s.Connection.get(), s.IDPDC).toText());

    fnSetProcessPriority(0, hClient, kPriorityBelowNormal);

    // Where the program announces its window. The registry's program announces it under its
    // entity; an earlier run's handle there is cleared first, so it is never taken for a running program.
    QString section = sGestore;
    QString key = QStringLiteral("hExe");
    if (idGestore == kManagerOfTableCall) {
        settings.write(app, sEntita, QStringLiteral("HTableCall"), QStringLiteral("1"));
        settings.deleteKey(app, sEntita, QStringLiteral("HTableCall"));
        section = sEntita;
        key = QStringLiteral("hTableCall");
    }
    rs->Close();

    std::int32_t h = settingAsLong(section, key, QStringLiteral("-1"));
    if (windows.property(h, QStringLiteral("ORV")) == 1) {
        windows.restoreAndActivate(h);
        screen.setBusy(false);
        fnSetProcessPriority(0, hClient, kPriorityNormal);
        return 0;
    }

    const std::int64_t pid = services::processes().start(sPath + QLatin1Char('/') + sGestore);
    QElapsedTimer sinceStart; // monotonic
    sinceStart.start();
    h = settingAsLong(section, key, QStringLiteral("-1"));
    while (!windows.isVisible(h)) {
        if (sinceStart.elapsed() >= t_windowWaitLimit.count()) {
            services::messageBox().show(
                field.dialogParent(), services::resources().text(kTextProgramNoWindow),
                kMbCritical | kMbOkOnly, services::resources().text(kTextProgramNoWindowTitle));
            settings.write(app, section, QStringLiteral("x"), QStringLiteral("1"));
            settings.deleteSection(app, section);
            screen.setBusy(false);
            fnSetProcessPriority(0, hClient, kPriorityNormal);
            return 0;
        }
        pause(!s.DisableDoEvents);
        h = settingAsLong(section, key, QStringLiteral("-1"));
    }

    h = settingAsLong(section, key, QStringLiteral("-1"));
    windows.setProperty(hClient, QStringLiteral("Activate"), h);
    windows.setProperty(h, QStringLiteral("Deactivate"), hClient);
    screen.setBusy(false);
    windows.setProperty(h, QStringLiteral("ORV"), 1);

    // A program that ends, however it ends, ends the wait: a window of a process that has ended
    // has no properties.
    if (pid != 0 && s.DisableDoEvents) {
        services::processes().waitForExit(pid);
    } else {
        while (windows.property(h, QStringLiteral("ORV")) == 1)
            pause(!s.DisableDoEvents);
    }

    fnSetProcessPriority(0, hClient, kPriorityNormal);
    windows.removeProperty(hClient, QStringLiteral("Activate"));
    const std::int32_t result = settingAsLong(sClient, QStringLiteral("IDField"), QStringLiteral("0"));
    settings.deleteKey(app, sClient, QStringLiteral("IDField"));
    return result;
}

std::int16_t entityKindOf(std::int32_t searchType)
{
    switch (searchType) {
    case OrvSearchCustomers:
    case OrvSearchCustomersForAgent:
        return lookup::kKindCustomer;
    case OrvSearchAgents:
    case OrvSearchAgentsForCustomer:
    case OrvSearchClerks:
    case OrvSearchAgentsAndClerks:
        return lookup::kKindAgent;
    case OrvSearchCollaborators:
        return lookup::kKindCollaborator;
    case OrvSearchAllAnagraphics:
        return lookup::kKindRegistryEntry;
    default:
        return lookup::kKindSupplier;
    }
}

void sbRunApplication(FieldContext &field, int box)
{
    Q_UNUSED(box);
    const ControlState &s = field.state();
    if (s.SearchType == OrvSearchAccounts) {
        std::int32_t id = fnCallExe(field, 5, s.HwndContainer, s.IDFirm, s.IDNode, s.Client);
        accounting::SetPDC(field, id, OrvLeaf);
        return;
    }
    const std::int32_t id = fnCallExe(field, 29, s.HwndContainer, s.IDFirm, s.IDAnagrafica, s.Client);
    std::int16_t kind = entityKindOf(s.SearchType);
    lookup::sbCheckAnagrafica(field, id, kind);
}

} // namespace orv::menu
