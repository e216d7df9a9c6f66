#pragma once

namespace orv {
class FieldContext;
}

namespace orv::lookup {

// The lookup by code, run when the code box loses the focus: resolves the typed code for the
// field's search type. A unique code fills the field at once; several matches, or none, open
// the picking list over every entry of the type; a code that stays unresolved empties the
// descriptions, resets the ids, raises ErrorInLostFocus and puts the focus back on the code
// box. Runs nothing when the code was not edited since the last resolution, when it is blank,
// for registry entries of any role (type 10), or when a lookup is already running (that call
// only clears bRicercaInCorso). Errors never leave it: a failing step is skipped.
void sbCodiceSearch(FieldContext &field);

} // namespace orv::lookup
