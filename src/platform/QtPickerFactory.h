#pragma once

#include "Services.h"

namespace orv {

// The default picker factory: the suite's modal picking list, orv::PickerDialog, with the
// hourglass of the screen service while it lists.
class QtPickerFactory final : public PickerFactory {
public:
    std::unique_ptr<SearchPicker> create(QWidget *parent) override;
};

} // namespace orv
