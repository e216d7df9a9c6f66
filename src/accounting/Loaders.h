#pragma once

#include <QString>

#include <cstdint>

namespace orv {
class FieldContext;
}

namespace orv::accounting {

// Loaders: the host (or a search) names an entity and the field shows it. Some fields are
// written directly, without events; others through their properties, with the events and
// notifications those raise; each loader says which. Database errors reach the caller.

// An account or branch of the field's chart by id and node type: 0 an account, 1 the account
// with its branch's code and name, 2 a branch, 3 the branch of an account (the field then names
// the branch). An id that the account query does not find is tried as a branch. lID may be the
// field's own IDNode (as the IDNode property passes it).
void SetPDC(FieldContext &ctx, std::int32_t &lID, std::int32_t iType);

// A branch (lIDAnagrafica 0) or an account of the field's chart, written directly.
void sbLoadCF(FieldContext &ctx, std::int32_t &lIDAnagrafica, std::int32_t &lIDConto,
              std::int32_t &lIDElementoPDC);

// An agent or clerk by registry id, for fields of agents, clerks or agents of a customer;
// raises ChangedElement when found, and clears the field when not.
void sbLoadAG(FieldContext &ctx, std::int32_t &lIDAnagrafica);

// Entity kinds of the loaders by code and by registry id.
enum EntityKind : std::int16_t {
    kKindCustomer = 0,
    kKindSupplier = 1,
    kKindCollaborator = 2,
    kKindAgent = 3
};

// A customer, supplier, collaborator or agent of the company by its code (outer blanks
// ignored). Found: ChangedElement. Not found: an agent field is cleared, the others keep
// everything. A kind outside 0 to 3 does nothing.
void sbLoadCFByCodifica(FieldContext &ctx, std::int16_t iType, const QString &sCodifica);

// The same by registry id, or any registry entry when the field searches all of them. No event
// of its own. A kind outside 0 to 3 on another field fails in the database.
void sbLoadCFByIDAnagrafica(FieldContext &ctx, std::int16_t iType, std::int32_t lIDAnagrafica);

// Shows an account (node type 0) or a branch (greater than 0) chosen in a search: IDNode by
// property, then the row, which must exist. Sets bRicercaInCorso; the caller clears it and the
// edit flags.
void sbLoadNode(FieldContext &ctx, std::int16_t &iType, std::int32_t &lID);

} // namespace orv::accounting
