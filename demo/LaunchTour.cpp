// The management launch: Ctrl+G in the customer field starts the registry's management program
// (the stand-in in demo/manager), which the tour scripts through its environment.
#include "Tour.h"

#include "platform/Services.h"

#include <QLineEdit>
#include <QTest>

namespace orv::demo {

namespace {

void pressCtrlG(OrvSearchACS2 *field)
{
    auto *code = field->findChild<QLineEdit *>(QStringLiteral("txtField0"));
    code->setFocus(Qt::TabFocusReason);
    QTest::keyClick(code, Qt::Key_G, Qt::ControlModifier);
}

void launchChoosing(DemoForm &form, OrvSearchACS2 *field, const QByteArray &choice)
{
    qputenv("ORV_MANAGER_CHOOSE", choice);
    say(form, QStringLiteral("  Ctrl+G; in the management program the user chooses entity %1 and closes it")
                  .arg(QString::fromLatin1(choice)));
    pressCtrlG(field);
    qunsetenv("ORV_MANAGER_CHOOSE");
    say(form, QStringLiteral("  the field shows \"%1\" \"%2\", IDAnagrafica %3")
                  .arg(field->Code(), field->Description())
                  .arg(field->IDAnagrafica()));
}

void launchTour(DemoForm &form)
{
    TourMessages messages(form);
    OrvSearchACS2 *customer = form.field(OrvSearchCustomers);
    customer->setAttivaFiltroBlocco(false);
    customer->sbLoadCFByCodifica(0, QStringLiteral("C001"));
    say(form, QStringLiteral("Customer field showing C001"));
    launchChoosing(form, customer, "3");

    say(form, QStringLiteral("Documents may be issued only: the program leaves C007, which is blocked"));
    customer->setAttivaFiltroBlocco(true);
    customer->setBloccoEmissioneDoc(false);
    launchChoosing(form, customer, "7");
    customer->setAttivaFiltroBlocco(false);

    say(form, QStringLiteral("Account field: the chart's program leaves an account"));
    launchChoosing(form, form.field(OrvSearchAccounts), "4");
}

const TourSection section(90, "Management launch: Ctrl+G and the program's choice", launchTour);

} // namespace

} // namespace orv::demo
