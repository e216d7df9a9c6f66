#include "Tour.h"

namespace orv::demo {

namespace {
const TourSection section(10, "Properties of a customer field", [](DemoForm &form) {
    OrvSearchACS2 *customer = form.field(OrvSearchCustomers);
    say(form, QStringLiteral("Settings application name (per thread): \"%1\"")
                  .arg(OrvSearchACS2::settingsAppName()));
    customer->setBackColor(0x00E0FFFF); // light yellow, 0x00BBGGRR
    customer->setWidthCode(1200);
    customer->setIDAnagrafica(3);
    customer->setIDAnagrafica(3);                // the same id again: no ChangedElement
    customer->setCode(QStringLiteral("C0"));     // like typing: forgets the entity
    customer->setSearchType(OrvSearchCustomers); // clears the boxes and ids without events of its own
    customer->setVisibleProperty(false);
    customer->setVisibleProperty(true);
    OrvSearchACS2 *supplier = form.field(OrvSearchSuppliers);
    say(form,
        QStringLiteral("ApplicationName read from another field: \"%1\"").arg(supplier->ApplicationName()));
});
} // namespace

} // namespace orv::demo
