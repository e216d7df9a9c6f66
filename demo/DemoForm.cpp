#include "DemoForm.h"

#include "AccountPanel.h"

#include "platform/PublishedWindow.h"

#include <QFormLayout>
#include <QLabel>
#include <QMetaEnum>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace orv::demo {

namespace {
struct FieldSpec {
    OrvTypeSearchACS type;
    const char *label;
};
constexpr FieldSpec kFields[] = {
    {OrvSearchCustomers, "Cliente"},
    {OrvSearchSuppliers, "Fornitore"},
    {OrvSearchAccounts, "Conto"},
    {OrvSearchAgents, "Agente"},
    {OrvSearchCustomersForAgent, "Cliente dell'agente"},
    {OrvSearchCollaborators, "Collaboratore"},
    {OrvSearchAgentsForCustomer, "Agente del cliente"},
    {OrvSearchClerks, "Impiegato"},
    {OrvSearchAgentsAndClerks, "Agente o impiegato"},
    {OrvSearchAllAnagraphics, "Anagrafica"},
};
} // namespace

DemoForm::DemoForm(DbConnectionPtr db, QWidget *parent) : QWidget(parent), m_db(std::move(db))
{
    setWindowTitle(QStringLiteral("OrvSearch demo"));
    m_log = new QPlainTextEdit(this);
    m_log->setObjectName(QStringLiteral("eventLog"));
    m_log->setReadOnly(true);
    m_log->setMinimumHeight(160);
    // The management programs see the form through its published handle.
    const std::int32_t handle = (new PublishedWindow(this))->handle();
    auto *form = new QFormLayout;
    for (const FieldSpec &spec : kFields) {
        auto *field = new OrvSearchACS2(this);
        const QString name = QString::fromLatin1(spec.label);
        field->setObjectName(QStringLiteral("field%1").arg(static_cast<int>(spec.type)));
        watch(field, name);
        field->setApplicationName(QStringLiteral("OrvSearch demo"));
        field->setConnection(m_db);
        field->setIDFirm(1);
        field->setIDUser(1);
        field->setIDPDC(1);
        field->setHwndContainer(handle);
        field->setClient(QStringLiteral("orv_demo")); // its section of the user settings
        field->setUserName(QStringLiteral("admin"));
        field->setSearchType(spec.type);
        field->setCaptionSearch(QStringLiteral("Ricerca ") + name);
        if (spec.type == OrvSearchAccounts)
            field->setCaptionDescription(QStringLiteral("Conto:"));
        else
            field->setCaptionDescription(name + u':');
        form->addRow(new QLabel(name), field);
        m_fields[spec.type] = field;
    }
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(new AccountPanel(m_fields.at(OrvSearchAccounts), 2026, this));
    layout->addWidget(new QLabel(QStringLiteral("Eventi:")));
    layout->addWidget(m_log);
}

void DemoForm::log(const QString &line)
{
    m_log->appendPlainText(line);
    if (echo)
        echo(line);
}

void DemoForm::watch(OrvSearchACS2 *field, const QString &name)
{
    const auto say = [this, name](const QString &what) { log(name + QStringLiteral(": ") + what); };
    connect(field, &OrvSearchACS2::ChangedElement, this, [say, field] {
        say(QStringLiteral(
                "ChangedElement  IDAnagrafica=%1 IDNode=%2 NodeType=%3 Code=\"%4\" Description=\"%5\"")
                .arg(field->IDAnagrafica())
                .arg(field->IDNode())
                .arg(static_cast<int>(field->NodeType()))
                .arg(field->Code(), field->Description()));
    });
    connect(field, &OrvSearchACS2::ErrorInLostFocus, this,
            [say] { say(QStringLiteral("ErrorInLostFocus")); });
    connect(field, &OrvSearchACS2::propertyChanged, this, [say, field](const QString &property) {
        say(QStringLiteral("property changed %1 = %2")
                .arg(property, field->property(property.toLatin1().constData()).toString()));
    });
}

} // namespace orv::demo
