#pragma once

#include "data/Blanks.h"
#include "field/ControlState.h"

#include <QString>

#include <cstdint>

namespace orv::lookup {

// Statement modes of the registry builders.
enum SqlMode : std::int16_t {
    kModeAllRows = 0, // every row of the type, no search condition (any value but 1 and 2)
    kModeRows = 1,    // the matching rows
    kModeCount = 2,   // one row, one column: how many rows match
};

// The statement of the lookup by code for the field's SearchType, company, Filter and block
// flags. The code is trimmed of outer blanks; with useLike the code followed by "%" is
// trimmed as a whole and compared with LIKE, so blanks at its end stay before the "%".
// Registry entries of all roles (type 10) have no code: no search condition in any mode.
// Accounts (type 3) and any value outside 1 to 10 get the supplier statement.
QString fnSQLCodiceSearch(const ControlState &s, std::int16_t mode, const QString &code, bool useLike);

// The statement of the lookup by description: the trimmed text is the beginning of the
// registry name (Anagrafica).
QString fnSQLDescrizioneSearch(const ControlState &s, std::int16_t mode, const QString &text);

// The customer block restriction: empty unless AttivaFiltroBlocco is set.
QString blockCondition(const ControlState &s);
// " AND " + Filter when Filter holds a non-blank character, else empty.
QString filterCondition(const ControlState &s);

} // namespace orv::lookup
