#pragma once

namespace orv {
class FieldContext;
}

namespace orv::lookup {

// The lookup by description, run when the description box loses the focus: the text is the
// beginning of a registry name. One match fills the field; several open the picking list over
// every entry of the type with the text to search for; none open it over the type's empty
// match (customers, suppliers and the agent/customer pairs) or over every entry (agents,
// clerks, collaborators, registry entries). Nothing picked empties the code box (not for
// registry entries of any role) and the second description, resets the ids, raises
// ErrorInLostFocus and puts the focus back on the description box.
// A description of blanks only resolves nothing and raises ChangedElement. Runs nothing when
// the description was not edited since the last resolution or a lookup is already running
// (that call only clears bRicercaInCorso). Errors never leave it: a failing step is skipped.
//
// Accounts (type 3) restricted to an account or branch type take this registry path with the
// statements the builders give them. Unrestricted accounts resolve through the chart and the
// chart-of-accounts search, which this lookup does not run yet: for them it does nothing.
void sbDescrizioneSearch(FieldContext &field);

} // namespace orv::lookup
