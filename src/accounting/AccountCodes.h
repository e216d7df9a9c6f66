#pragma once

#include "data/DbConnection.h"
#include "data/RuntimeError.h"
#include "data/Variant.h"
#include "field/ControlState.h"

#include <QString>

#include <cstdint>

namespace orv::accounting {

// A chain of parent branches deeper than any real chart can only loop back on itself: it
// raises the runtime's "out of stack space" (kErrOutOfStackSpace).
constexpr int kMaxBranchDepth = 256;

// The code separator of chart lIDPDC, trimmed; empty when the chart has no row.
QString fnGetSeparatoreCodifica(DbConnection *connection, std::int32_t lIDPDC);

// The full code of a branch of the field's chart: the own codes of the branch and of its
// parents up to the top, joined by the field's separator. Empty for a Null or empty id and for
// a branch the chart does not hold (not remembered). Every code found is remembered in the
// field's branch-code cache for the life of the field, and answered from there afterwards,
// whatever changes in the database or in the field's chart. The deleted state of branches is
// not looked at. Database errors reach the caller. The separator and the cache are the field's
// work; a field's whole state serves as both.
QString fnGetCodificaRamo(const ControlState &s, FieldWork &work, const Variant &vIDElementoPDC);
inline QString fnGetCodificaRamo(ControlState &s, const Variant &vIDElementoPDC)
{
    return fnGetCodificaRamo(s, s, vIDElementoPDC);
}

// The full code of an account of the field's chart: its branch's full code, the separator and
// the account's own code. Empty when the chart has no live or archived link of the account.
// A Null own code raises invalid use of Null.
QString fnGetCodificaConto(const ControlState &s, FieldWork &work, std::int32_t lIDConto);
inline QString fnGetCodificaConto(ControlState &s, std::int32_t lIDConto)
{
    return fnGetCodificaConto(s, s, lIDConto);
}

// True when one character of the text equals the separator (so an empty separator, or one of
// several characters, is never found).
bool fnContieneSeparatore(const QString &separator, const QString &text);

// The fiscal year of a chart, or the Integer -1 when the chart has no row.
Variant fnGetEsercizioPDC(DbConnection *connection, std::int32_t lIDPianoDeiConti);

// The cache key of a branch id: the number in sign-blank form.
QString branchCacheKey(const Variant &vIDElementoPDC);

} // namespace orv::accounting
