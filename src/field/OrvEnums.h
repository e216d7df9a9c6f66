#pragma once

#include <QObject>

namespace orv {
Q_NAMESPACE

// What kind of entity a field names. Only OrvSearchAccounts works on the chart of accounts
// and on IDNode; every other type works on IDAnagrafica.
enum OrvTypeSearchACS : int {
    OrvSearchCustomers = 1,
    OrvSearchSuppliers = 2,
    OrvSearchAccounts = 3,
    OrvSearchAgents = 4,
    OrvSearchCustomersForAgent = 5,
    OrvSearchCollaborators = 6,
    OrvSearchAgentsForCustomer = 7,
    OrvSearchClerks = 8,
    OrvSearchAgentsAndClerks = 9,
    OrvSearchAllAnagraphics = 10,
};
Q_ENUM_NS(OrvTypeSearchACS)

// Restriction of account searches.
enum OrvSearchAccountType : int {
    OrvAllAccounts = 0,
    OrvCustomersAccounts = 6,
    OrvSuppliersAccounts = 7,
};
Q_ENUM_NS(OrvSearchAccountType)

// Restriction of branch searches.
enum OrvSearchBranchType : int {
    OrvAllBranchs = 0,
    OrvAssetsBranchs = 1,
    OrvLiabilitiesBranch = 2,
};
Q_ENUM_NS(OrvSearchBranchType)

// What IDNode names, and the two ways SetPDC is told where an element id comes from.
enum OrvNodeType : int {
    OrvLeaf = 0,
    OrvBranch = 1,
    OrvPDCElementFromPDC = 2,
    OrvPDCElementFromAccount = 3,
};
Q_ENUM_NS(OrvNodeType)

} // namespace orv
