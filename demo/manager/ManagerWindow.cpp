#include "ManagerWindow.h"

#include "data/DbUtility.h"
#include "platform/FileWindowRegistry.h"
#include "platform/PublishedWindow.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <csignal>

namespace orv::demo {

namespace {

constexpr int kScriptPollMs = 50;
constexpr int kScriptPatienceMs = 10000;
constexpr std::int32_t kManagerOfTableCall = 28;

// The list of each table the suite's managers maintain: id, code, name.
QString listStatement(const QString &table, std::int32_t firm)
{
    const QString firmText = QString::number(firm);
    if (table.compare(QLatin1String("Anagrafica"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("SELECT IDAnagrafica, '', Anagrafica FROM Anagrafica WHERE VirtualDelete = 0 "
                              "ORDER BY Anagrafica");
    if (table.compare(QLatin1String("PianoDeiConti"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("SELECT IDContoPDC, Codifica, ContoPDC FROM ContoPDC WHERE VirtualDelete = 0 "
                              "ORDER BY ContoPDC");
    for (const char *role : {"Cliente", "Fornitore", "Agente", "Collaboratore"}) {
        const QString roleTable = QString::fromLatin1(role);
        if (table.compare(roleTable, Qt::CaseInsensitive) == 0)
            return QStringLiteral(
                       "SELECT Anagrafica.IDAnagrafica, %1.Codice, Anagrafica.Anagrafica FROM %1 "
                       "INNER JOIN Anagrafica ON Anagrafica.IDAnagrafica = %1.IDAnagrafica "
                       "WHERE %1.IDAzienda = %2 AND Anagrafica.VirtualDelete = 0 ORDER BY %1.Codice")
                .arg(roleTable, firmText);
    }
    return {};
}

} // namespace

ManagerWindow::ManagerWindow(ManagerCall call, QWidget *parent)
    : QWidget(parent), m_call(std::move(call)), m_list(new QTableWidget(this)),
      m_published(new PublishedWindow(this))
{
    m_table = read(m_call.manager, QStringLiteral("TableName"));
    m_client = read(m_call.manager, QStringLiteral("Client"));
    setWindowTitle(read(m_call.manager, QStringLiteral("Caption")) + QStringLiteral(" - ") + m_call.manager);
    setObjectName(QStringLiteral("managerWindow"));

    // The registry's manager announces its window under its entity, the others under their own name.
    m_handleSection = m_call.manager;
    m_handleKey = QStringLiteral("hExe");
    const std::unique_ptr<DbResultSet> manager =
        m_call.database->OpenResultSet(QStringLiteral("SELECT IDGestore FROM Gestore WHERE Gestore = ") +
                                       dbUtility().SqlText(m_call.manager));
    if (!manager->Eof() && manager->Fields().Item(0).Value().toLong() == kManagerOfTableCall) {
        m_handleSection = m_table;
        m_handleKey = QStringLiteral("hTableCall");
    }
    manager->Close();

    m_list->setObjectName(QStringLiteral("entities"));
    m_list->setColumnCount(3);
    m_list->setHorizontalHeaderLabels({QStringLiteral("Id"), QStringLiteral("Codice"), m_table});
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->horizontalHeader()->setStretchLastSection(true);
    m_list->verticalHeader()->hide();
    fillList();
    connect(m_list, &QTableWidget::cellDoubleClicked, this, &ManagerWindow::choose);

    auto *chooseButton = new QPushButton(QStringLiteral("Scegli"), this);
    auto *closeButton = new QPushButton(QStringLiteral("Chiudi"), this);
    connect(chooseButton, &QPushButton::clicked, this, &ManagerWindow::choose);
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(chooseButton);
    buttons->addWidget(closeButton);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Utente: %1 - chiamato da %2")
                                     .arg(read(m_call.manager, QStringLiteral("UserName")), m_client)));
    layout->addWidget(m_list);
    layout->addLayout(buttons);

    connect(m_published, &PublishedWindow::restoreRequested, this, [this] { m_restoreRequested = true; });
}

QString ManagerWindow::read(const QString &section, const QString &key) const
{
    return m_call.settings->read(m_call.settingsApp, section, key);
}

void ManagerWindow::fillList()
{
    const QString sql = listStatement(m_table, read(m_call.manager, QStringLiteral("lIDFirm")).toInt());
    if (sql.isEmpty())
        return;
    const std::unique_ptr<DbResultSet> rs = m_call.database->OpenResultSet(sql);
    for (; !rs->Eof(); rs->MoveNext()) {
        const int row = m_list->rowCount();
        m_list->insertRow(row);
        for (int column = 0; column < 3; ++column)
            m_list->setItem(
                row, column,
                new QTableWidgetItem(dbUtility().NullToValue(rs->Fields().Item(column)).toText()));
    }
    rs->Close();
    // The entity the caller showed is the one selected at first.
    selectEntity(read(m_client, QStringLiteral("IDField")));
}

bool ManagerWindow::selectEntity(const QString &codeOrId)
{
    for (int row = 0; row < m_list->rowCount(); ++row) {
        if (m_list->item(row, 0)->text() == codeOrId ||
            (!codeOrId.isEmpty() &&
             m_list->item(row, 1)->text().compare(codeOrId, Qt::CaseInsensitive) == 0)) {
            m_list->selectRow(row);
            return true;
        }
    }
    return false;
}

void ManagerWindow::announce()
{
    m_call.settings->write(m_call.settingsApp, m_handleSection, m_handleKey,
                           QString::number(m_published->handle()));
    if (qEnvironmentVariableIsSet("ORV_MANAGER_CHOOSE") || qEnvironmentVariableIsSet("ORV_MANAGER_CRASH"))
        followScript();
}

void ManagerWindow::choose()
{
    const int row = m_list->currentRow();
    if (row >= 0)
        m_call.settings->write(m_call.settingsApp, m_client, QStringLiteral("IDField"),
                               m_list->item(row, 0)->text());
    close();
}

// Acts once the caller holds the window (its "ORV" property), as a user would only once the
// window is there; gives up after a while and closes without a choice.
void ManagerWindow::followScript()
{
    auto *timer = new QTimer(this);
    m_scriptClock.start();
    connect(timer, &QTimer::timeout, this, [this, timer] {
        const bool held = FileWindowRegistry().property(m_published->handle(), QStringLiteral("ORV")) == 1;
        const bool restored =
            m_restoreRequested || qEnvironmentVariableIntValue("ORV_MANAGER_WAIT_RESTORE") != 1;
        if (m_scriptClock.elapsed() >= kScriptPatienceMs) {
            timer->stop();
            close();
            return;
        }
        if (!held || !restored)
            return;
        timer->stop();
        if (qEnvironmentVariableIntValue("ORV_MANAGER_CRASH") == 1)
            std::raise(SIGKILL);
        if (selectEntity(qEnvironmentVariable("ORV_MANAGER_CHOOSE")))
            choose();
        else
            close();
    });
    timer->start(kScriptPollMs);
}

} // namespace orv::demo
