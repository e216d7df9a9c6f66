#include "SearchPicker.h"

namespace orv {
SearchPicker::~SearchPicker() = default;
} // namespace orv
