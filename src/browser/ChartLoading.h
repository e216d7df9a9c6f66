#pragma once

#include "ChartContext.h"

#include <QString>

namespace orv::browser {

class ChartTreeModel;

// The chart tree's nodes, keys, images and tags, and how it is loaded: one level ahead of what
// is shown, so every node shown already knows whether it can be expanded.
//
// Keys: the root "Piano dei conti"; a branch its id and "B" (37B); an account its id and "L".
// Tags of branches: "12" a terminal branch (its children are accounts), "10" a branch whose
// children's children are loaded, none a branch not yet expanded; "02" marks a terminal branch
// of a tree restricted to a required type. The root's tag is the Integer 1 once loaded.
inline const QString kRootKey = QStringLiteral("Piano dei conti");
inline const QString kTreeOpenIcon = QStringLiteral("TREEOPEN_ICON");
inline const QString kTreeCloseIcon = QStringLiteral("TREECLOSE_ICON");
inline const QString kLeafIcon = QStringLiteral("LEAF_ICON");

// Adds iLev levels of branches below the node with key sKey (0 levels: nothing); the accounts
// of the terminal branches on the levels below the first are loaded too.
void sbExpandNodeSearch(const ChartContext &chart, ChartTreeModel &tree, const QString &sKey, int iLev);
// Marks the branch sKey terminal and adds its accounts (a key already in the tree is skipped).
void sbExpandNodoTerminaleSearch(const ChartContext &chart, ChartTreeModel &tree, const QString &sKey);
// Builds the tree of the rows of the required account and branch types below the root: the
// branches on the paths to them and, unless accounts are hidden, the accounts. A database error
// ends it, keeping the nodes added so far.
void sbSelectOnlyContiSearched(const ChartContext &chart, ChartTreeModel &tree, const QString &rootKey);
// What expanding a node loads: the level below each of its children (once: the tag then says
// so), or in a restricted tree the accounts of its branches.
void expandNode(const ChartContext &chart, ChartTreeModel &tree, int node);

bool isAccountNode(const ChartTreeModel &tree, int node);

} // namespace orv::browser
