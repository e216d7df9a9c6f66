#pragma once

#include <QString>

#include <cstdint>

namespace orv {
class FieldContext;
struct ControlState;
} // namespace orv

namespace orv::lookup {

// Kinds of registry entry the re-validation checks.
enum EntityKind : std::int16_t {
    kKindCustomer = 2,
    kKindSupplier = 3,
    kKindAgent = 4, // agent or clerk, as the field's search type says
    kKindCollaborator = 5,
    kKindRegistryEntry = 10,
};

// The statement that finds the entry when it still qualifies for the field: same company,
// not deleted, with the role, on the admitted side of the block filter, within the caller's
// filter. Empty for a kind it does not know.
QString checkAnagraficaSql(const ControlState &s, std::int32_t lIDAnagrafica, std::int16_t iKind);

// Shows a registry entry that comes back from outside the field (the management program)
// when it still qualifies: its code goes into the code box, or for a registry entry of any
// role its name into the description box, as if typed, and the lookup of that box runs. An
// entry that does not qualify changes nothing. Database errors of the check reach the caller.
void sbCheckAnagrafica(FieldContext &field, std::int32_t lIDAnagrafica, std::int16_t &iKind);

} // namespace orv::lookup
