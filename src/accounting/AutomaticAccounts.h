#pragma once

#include "data/DbConnection.h"
#include "data/Variant.h"

#include <QString>

#include <cstdint>

namespace orv::accounting {

// The account that company lIDAzienda (and, when lIDFiliale is positive, that office) has set
// for the automatic posting role named by the ContoAutomatico column sField, as a Double; 0 for
// a role that is not set, Empty when there is no such row. sField goes into the statement as
// it is, so it must be a column name.
Variant fnGetIDContoFromContoAutomatico(DbConnection *connection, std::int32_t &lIDAzienda,
                                        std::int32_t &lIDFiliale, QString &sField);

// The statement that lists every live account link of chart lIDPDC (an account linked to
// several branches once per link): id, name, type and own code. Not run here.
QString SelectAllAccounts(std::int32_t lIDPDC);

} // namespace orv::accounting
