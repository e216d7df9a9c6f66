#pragma once

#include <cstdint>

namespace orv {
class FieldContext;
}

namespace orv::lookup {

// The search command (Ctrl+R, a caption click, the popup menu) for the box `index`: the
// picking list over the field's registry type, searching by code from the code box and by
// description from the others; a field of registry entries of any role always searches by
// the description. Afterwards the edit flags are clear; when nothing was picked and the field
// names nothing, the boxes are emptied (the code box keeps its text for registry entries of
// any role) and the ids reset. Accounts are searched in the chart-of-accounts browser, preset
// with the code and the description boxes. Errors of the search reach the caller.
void sbSearchObject(FieldContext &field, std::int16_t &index);

} // namespace orv::lookup
