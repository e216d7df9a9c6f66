#include "AccountPanel.h"

#include "data/RuntimeError.h"

#include <QFormLayout>
#include <QLabel>
#include <QLocale>

namespace orv::demo {

namespace {
QString amount(Currency value)
{
    // Two decimals with the Italian separators: 1.234,50.
    return QLocale(QLocale::Italian, QLocale::Italy).toString(value.toDouble(), 'f', 2);
}
} // namespace

AccountPanel::AccountPanel(OrvSearchACS2 *field, std::int32_t fiscalYear, QWidget *parent)
    : QGroupBox(QStringLiteral("Conto scelto: esercizio %1").arg(fiscalYear), parent), m_field(field),
      m_year(fiscalYear)
{
    setObjectName(QStringLiteral("accountPanel"));
    auto *layout = new QFormLayout(this);
    m_code = new QLabel(this);
    m_dare = new QLabel(this);
    m_avere = new QLabel(this);
    m_saldo = new QLabel(this);
    layout->addRow(QStringLiteral("Codice completo:"), m_code);
    layout->addRow(QStringLiteral("Dare:"), m_dare);
    layout->addRow(QStringLiteral("Avere:"), m_avere);
    layout->addRow(QStringLiteral("Saldo:"), m_saldo);
    connect(field, &OrvSearchACS2::ChangedElement, this, [this] { refresh(); });
}

QString AccountPanel::refresh()
{
    std::int32_t node = m_field->IDNode();
    if (node <= 0) {
        for (QLabel *label : {m_code, m_dare, m_avere, m_saldo})
            label->clear();
        m_summary = QStringLiteral("nothing chosen");
        return m_summary;
    }
    // The host asks the field; errors of the database come back as the call's exception.
    try {
        const bool account = m_field->NodeType() == OrvLeaf;
        std::int16_t type = 0; // by fiscal year
        Currency dare;
        Currency avere;
        std::int32_t esercizio = m_year;
        std::int16_t mese = 0;
        std::int16_t anno = 0;
        std::int32_t periodo = 0;
        QString code;
        if (account) {
            code = m_field->fnGetCodificaConto(node);
            m_field->sbCalcolaProgressiviConto(node, type, dare, avere, esercizio, mese, anno, periodo);
        } else {
            code = m_field->Code(); // the field shows a branch's full code itself
            m_field->sbCalcolaProgressiviGruppo(node, type, dare, avere, esercizio, mese, anno, periodo);
        }
        m_code->setText(code);
        m_dare->setText(amount(dare));
        m_avere->setText(amount(avere));
        m_saldo->setText(amount(dare - avere));
        m_summary = QStringLiteral("%1 %2: Dare %3, Avere %4, Saldo %5")
                        .arg(account ? QStringLiteral("account") : QStringLiteral("branch"), code,
                             m_dare->text(), m_avere->text(), m_saldo->text());
    } catch (const RuntimeError &error) {
        m_summary = QStringLiteral("error %1: %2").arg(error.number()).arg(error.description());
        m_code->setText(m_summary);
    }
    return m_summary;
}

} // namespace orv::demo
