// The account field of the demo form as a bookkeeper uses it: full codes typed and left, a code
// that names nothing, a branch where only accounts are allowed; then the host's own questions:
// full codes, totals of an account, a branch and the chart, an automatic posting account.
#include "AccountPanel.h"
#include "Tour.h"

#include "platform/Services.h"

#include <QLineEdit>

namespace orv::demo {

namespace {

QString money(Currency value)
{
    return value.toText();
}

void accountsTour(DemoForm &form)
{
    OrvSearchACS2 *field = form.field(OrvSearchAccounts);
    auto *panel = form.findChild<AccountPanel *>();
    const TourMessages messages(form);
    const auto show = [&] {
        say(form, QStringLiteral("  the field shows \"%1\" \"%2\", IDNode %3, NodeType %4, IDAnagrafica %5")
                      .arg(field->Code(), field->Description())
                      .arg(field->IDNode())
                      .arg(static_cast<int>(field->NodeType()))
                      .arg(field->IDAnagrafica()));
        if (panel)
            say(form, QStringLiteral("  the host's panel: %1").arg(panel->summary()));
    };
    const auto typeCode = [&](const QString &code) {
        say(form, QStringLiteral("Account field: the bookkeeper types %1 and presses Tab").arg(code));
        field->findChild<QLineEdit *>(QStringLiteral("txtField0"))->clear();
        typeInto(field, 0, code);
        pressTab(field, 0);
        show();
    };

    typeCode(QStringLiteral("01.05.001"));    // a customer's account, three segments
    typeCode(QStringLiteral("02.15.01.002")); // under a branch with a Null terminal flag
    typeCode(QStringLiteral("01.10"));        // a branch
    typeCode(QStringLiteral("01.05.001.9"));  // an account segment followed by another
    field->setOnlyAccounts(true);
    typeCode(QStringLiteral("04.01"));
    field->setOnlyAccounts(false);

    say(form, QStringLiteral("The host asks the field"));
    for (std::int32_t account : {1, 56, 13, 14}) {
        std::int32_t id = account;
        say(form, QStringLiteral("  fnGetCodificaConto(%1) = \"%2\"")
                      .arg(account)
                      .arg(field->fnGetCodificaConto(id)));
    }
    std::int32_t id = 9;
    std::int16_t type = 1; // a month
    Currency dare = Currency::fromLong(-1);
    Currency avere = Currency::fromLong(-1);
    std::int32_t esercizio = 2026;
    std::int16_t mese = 3;
    std::int16_t anno = 2026;
    std::int32_t periodo = 5;
    field->sbCalcolaProgressiviConto(id, type, dare, avere, esercizio, mese, anno, periodo);
    say(form, QStringLiteral("  account 9 in March 2026: Dare %1, Avere %2").arg(money(dare), money(avere)));
    type = 2; // the first quarter
    field->sbCalcolaProgressiviConto(id, type, dare, avere, esercizio, mese, anno, periodo);
    say(form, QStringLiteral("  account 9 in period 5: Dare %1, Avere %2").arg(money(dare), money(avere)));
    id = 20; // no totals at all: the host's own amounts come back
    field->sbCalcolaProgressiviConto(id, type, dare, avere, esercizio, mese, anno, periodo);
    say(form, QStringLiteral("  account 20 (no totals) keeps the host's amounts: Dare %1, Avere %2")
                  .arg(money(dare), money(avere)));
    id = 1002;
    type = 0;
    field->sbCalcolaProgressiviGruppo(id, type, dare, avere, esercizio, mese, anno, periodo);
    say(form,
        QStringLiteral("  branch 02 PASSIVITA' in 2026: Dare %1, Avere %2").arg(money(dare), money(avere)));
    for (std::int16_t categoria : {std::int16_t(-1), std::int16_t(3), std::int16_t(4)}) {
        field->sbCalcolaTotaleProgressiviConti(type, categoria, dare, avere, esercizio, mese, anno, periodo);
        say(form, QStringLiteral("  chart totals 2026, category %1: Dare %2, Avere %3")
                      .arg(categoria)
                      .arg(money(dare), money(avere)));
    }
    std::int32_t company = 1;
    std::int32_t office = 2;
    QString role = QStringLiteral("IDContoCassa");
    const Variant cash = field->fnGetIDContoFromContoAutomatico(company, office, role);
    std::int32_t cashId = cash.toLong();
    say(form, QStringLiteral("  cash account of the Modena office: %1, \"%2\"")
                  .arg(cash.toText(), field->fnGetCodificaConto(cashId)));

    say(form, QStringLiteral("The host loads the branch of account 101 with SetPDC (node type 3)"));
    id = 101;
    OrvNodeType node = OrvPDCElementFromAccount;
    field->SetPDC(id, node);
    if (panel)
        panel->refresh();
    show();
}

const TourSection section(40, "Account field: full codes, totals and the host's questions", accountsTour);

} // namespace

} // namespace orv::demo
