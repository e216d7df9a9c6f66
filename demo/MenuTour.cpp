// The context menu of a field: a right click on a caption opens it with the commands the field
// allows, each with its shortcut.
#include "Tour.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QTest>

namespace orv::demo {

namespace {

void showMenu(DemoForm &form, OrvSearchACS2 *field)
{
    QTest::mouseClick(field->findChild<QLabel *>(QStringLiteral("lblField1")), Qt::RightButton);
    QApplication::processEvents();
    auto *menu = field->findChild<QMenu *>(QStringLiteral("PopUp"));
    say(form, QStringLiteral("  the menu \"%1\" is open: %2")
                  .arg(menu->objectName(), menu->isVisible() ? QStringLiteral("yes") : QStringLiteral("no")));
    for (const QAction *item : menu->actions()) {
        say(form,
            QStringLiteral("  %1 \"%2\" %3, %4")
                .arg(item->objectName(), item->text(), item->shortcut().toString(QKeySequence::NativeText),
                     item->isEnabled() ? QStringLiteral("enabled") : QStringLiteral("disabled")));
    }
    QDir().mkpath(QStringLiteral("out"));
    if (menu->grab().save(QStringLiteral("out/menu.png")))
        say(form, QStringLiteral("  picture of the menu: out/menu.png"));
    menu->close();
    QApplication::processEvents();
}

void menuTour(DemoForm &form)
{
    OrvSearchACS2 *supplier = form.field(OrvSearchSuppliers);
    say(form, QStringLiteral("Supplier field: a right click on the caption of the description"));
    showMenu(form, supplier);
    say(form, QStringLiteral("The same with the management launch not allowed (EnabledExecute False)"));
    supplier->setEnabledExecute(false);
    showMenu(form, supplier);
    supplier->setEnabledExecute(true);
}

const TourSection section(50, "Context menu of a field", menuTour);

} // namespace
} // namespace orv::demo
