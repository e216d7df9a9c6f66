#pragma once

#include "Services.h"

namespace orv {

// The default picker factory: the suite's modal picking list, orv::PickerDialog.
class QtPickerFactory final : public PickerFactory {
public:
    std::unique_ptr<SearchPicker> create(QWidget *parent) override;
};

} // namespace orv
