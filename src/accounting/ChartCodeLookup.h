#pragma once

#include "data/DbConnection.h"

#include <QString>

#include <cstdint>

namespace orv {
class FieldContext;
}

namespace orv::accounting {

// What a full chart code names.
enum ChartCodeKind : std::int16_t { kCodeIsAccount = 0, kCodeIsBranch = 1, kCodeNoMatch = 2 };

// Resolves a full code of chart lIDPDC, segment by segment from a top-level branch down:
// every segment but the last must name a branch under the previous one; the last names a
// branch or an account linked to the previous branch. A segment ends at a character equal to
// the separator, or at the end of the code (a separator in the last position stays in the last
// segment); an empty or longer separator never splits. Writes the id and description of what
// it found; database errors reach the caller.
std::int16_t fnSearchCodificaPDC(DbConnection *connection, const QString &separator, std::int32_t &lIDPDC,
                                 QString &sCodifica, std::int32_t &lID, QString &sDescrizione);

// The account of registry entry lIDAnagrafica in the field's chart: a customer account when the
// field is restricted to customer accounts, otherwise a supplier account. 0 when there is none.
std::int32_t fnGetIDContoAnagrafica(FieldContext &ctx, std::int32_t lIDAnagrafica);

// Tells the user that the code names no account, then resets the field's ids.
void sbMsgCodificaErrata(FieldContext &ctx, const QString &sCodifica);

// The chart path of the lookup by code: resolves the typed code and fills the field with the
// account or branch. Each step runs with its errors ignored. False when the code is refused;
// the user has been told why, and the caller ends the lookup as failed.
bool resolveChartCode(FieldContext &ctx, const QString &code);

} // namespace orv::accounting
