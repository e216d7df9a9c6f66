#pragma once

#include <QString>

#include <cstdint>

namespace orv {
class FieldContext;
}

namespace orv::lookup {

// The registry search the host or the search command starts: the picking list over every
// entry of the field's search type, with sCodiceCF as the text to search for. A chosen entry
// fills the field (customers, suppliers and accounts bring their account into IDNode; registry
// entries of any role keep the code box as it is) and may raise ChangedElement; a cancelled
// pick changes nothing. Afterwards the focus goes to the code box when iType is 0, otherwise to
// the description box (a field that cannot take it is left alone). Database errors reach the
// caller and leave bRicercaInCorso set; a search that ends normally clears it.
void sbCallFromMenuSearch(FieldContext &field, std::int16_t iType, const QString &sCodiceCF);

} // namespace orv::lookup
