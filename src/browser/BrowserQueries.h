#pragma once

#include "data/Variant.h"

#include <QString>

#include <cstdint>

namespace orv::browser {

// The statements of the chart-of-accounts browser, exactly as it sends them (blanks included).
// P is always the chart (IDPianoDeiConti); a "part" is one level of a typed full code, written
// as a text literal.

// --- The tree

// The branches of one level: the top level (lIDElePDC 0), ordered by category and code, or the
// children of a branch, in the order the database returns them.
QString fnSelectBranchSearch(std::int32_t lIDPDC, std::int32_t lIDElePDC);
// The accounts of one branch.
QString fnSelectContiForBranchSearch(std::int32_t lIDBranch);
// The accounts of the required account type (left out when accounts are hidden) and the branches
// of the required branch type, each with its own code and its parent branch.
QString requiredTypeRowsSql(std::int32_t lIDPDC, std::int32_t lIDSearchTypeConto,
                            std::int32_t lIDSearchTypeRamo, bool bHideLeaf);
// One part of such a row's code as a branch below `parent` (0: at the top level).
QString requiredTypeBranchSql(std::int32_t lIDPDC, const QString &part, std::int32_t parent);
// One part of such a row's code as an account of branch `parent`.
QString requiredTypeAccountSql(std::int32_t lIDPDC, std::int32_t parent, const QString &part);
// The description and own code of a clicked node: an account, or a branch (0 for the root).
QString nodeRowSql(bool account, std::int32_t id);

// --- Searching by code

// One part of a typed code as a branch: at any level when parent is 0, else a child of parent.
QString codePartBranchSql(std::int32_t lIDPDC, const QString &part, std::int32_t parent);
// The first part of a code walked in the tree: a top-level branch.
QString codePartTopBranchSql(std::int32_t lIDPDC, const QString &part);
// One part of a typed code as an account of branch `parent`.
QString codePartAccountSql(std::int32_t lIDPDC, std::int32_t parent, const QString &part);
// The own code of an ancestor branch of a node.
QString ancestorCodeSql(const Variant &branchId, std::int32_t lIDPDC);
// The description of an account (iType 0) or a branch (iType 1).
QString fnGetDescrizioneNodoSql(std::int16_t iType, std::int32_t lID);

// --- The result list

enum ListKind : std::int16_t { kListAccounts = 0, kListBranches = 1, kListBoth = 2 };

// The accounts and/or branches of the chart whose description begins with sLike, restricted to
// one id when lID > 0 and to the required account and branch types when they are > 0.
QString fnSelectForSearch(std::int32_t lIDPDC, std::int32_t lID, const QString &sLike, std::int16_t iType,
                          std::int32_t lIDSearchTypeConto, std::int32_t lIDSearchTypeRamo);

// --- Confirming

// Whether a chosen branch is terminal.
QString terminalTestSql(std::int32_t IDNode);
// Whether a chosen branch has the required branch type: a row when it has.
QString fnErrorSearchSql(std::int32_t IDNode, std::int32_t lIDSearchTypeRamo);
// The name of an account or branch type, quoted in the type mismatch message.
QString typeNameSql(std::int32_t IDTipoConto);

} // namespace orv::browser
