#include "QtPickerFactory.h"

#include "data/picker/PickerDialog.h"

namespace orv {

std::unique_ptr<SearchPicker> QtPickerFactory::create(QWidget *parent)
{
    auto dialog = std::make_unique<PickerDialog>(parent);
    // The hourglass of the thread that lists, while it lists.
    QObject::connect(dialog.get(), &PickerDialog::busyChanged,
                     [](bool busy) { services::screen().setBusy(busy); });
    return dialog;
}

} // namespace orv
