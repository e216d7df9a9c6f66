#pragma once

#include "data/Currency.h"
#include "data/DbConnection.h"

#include <QString>

#include <cstdint>

namespace orv::accounting {

// Which running totals are read: 0 a fiscal year (lEsercizio), 1 a calendar month (iMonths of
// iYear), any other value an accounting period (lPeriodo).
enum ProgressiveKind : std::int16_t { kByFiscalYear = 0, kByMonth = 1, kByPeriod = 2 };

// The debit and credit totals of one account. With no row for the period, cDare and cAvere
// keep what the caller passed. A Null amount raises invalid use of Null; the debit is written
// before the credit is read.
void sbCalcolaProgressiviConto(DbConnection *connection, std::int32_t &lIDConto, std::int16_t &iType,
                               Currency &cDare, Currency &cAvere, std::int32_t &lEsercizio,
                               std::int16_t &iMonths, std::int16_t &iYear, std::int32_t &lPeriodo);

// The totals of a live or archived branch, summed over every account below it: a terminal
// branch sums its linked accounts, any other its child branches. One statement per branch and
// one per account. The amounts are written only at the end, so a failure (a missing or
// deleted branch, a database error, an overflow) leaves the caller's amounts as they were.
void sbCalcolaProgressiviGruppo(DbConnection *connection, std::int32_t &lIDConto, std::int16_t &iType,
                                Currency &cDare, Currency &cAvere, std::int32_t &lEsercizio,
                                std::int16_t &iMonths, std::int16_t &iYear, std::int32_t &lPeriodo);

// The totals over every live account link of chart lIDPDC, of one category or of all
// (iCategoria -1). iType must be 0, 1 or 2; any other value fails in the database and leaves
// the amounts unchanged. No matching row gives zero.
void sbCalcolaTotaleProgressiviConti(DbConnection *connection, std::int32_t lIDPDC, std::int16_t &iType,
                                     std::int16_t &iCategoria, Currency &cDare, Currency &cAvere,
                                     std::int32_t &lEsercizio, std::int16_t &iMonths, std::int16_t &iYear,
                                     std::int32_t &lPeriodo);

// The statements, as they are sent.
QString progressiviContoSql(std::int32_t lIDConto, std::int16_t iType, std::int32_t lEsercizio,
                            std::int16_t iMonths, std::int16_t iYear, std::int32_t lPeriodo);
QString totaleProgressiviContiSql(std::int32_t lIDPDC, std::int16_t iType, std::int16_t iCategoria,
                                  std::int32_t lEsercizio, std::int16_t iMonths, std::int16_t iYear,
                                  std::int32_t lPeriodo);

} // namespace orv::accounting
