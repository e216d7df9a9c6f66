#include "QtPickerFactory.h"

#include "data/picker/PickerDialog.h"

namespace orv {

std::unique_ptr<SearchPicker> QtPickerFactory::create(QWidget *parent)
{
    return std::make_unique<PickerDialog>(parent);
}

} // namespace orv
