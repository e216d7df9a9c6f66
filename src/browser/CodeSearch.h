#pragma once

#include "ChartContext.h"

#include "data/Variant.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

namespace orv::browser {

class ChartTreeModel;

// The parts of a typed full code, from the top level down: the text is cut at every character
// equal to the separator (a separator of other than one character never matches), and the last
// part runs to the end of the text, so a closing separator stays in it.
QStringList splitCode(const QString &code, const QString &separator);

// The identifier of a tree node: the leading number of its key (37 for "37B"; 0 for the root).
std::int32_t nodeId(const QString &key);

// Runs a statement on the chart's connection: the first row's value of the column (Null as it
// is), nothing when there is no row.
std::optional<Variant> firstValue(const ChartContext &chart, QString sql, const QString &column);

enum CodeMatch : std::int16_t { kAccountFound = 0, kBranchFound = 1, kNothingFound = 2 };

// Resolves a typed full code level by level: the first part is a branch at any level of the chart,
// each later one a child of the branch before, or an account of it (the rest of the text is then
// not examined). lID receives the account or the last branch.
std::int16_t fnSearchContoForCodifica(const ChartContext &chart, const QString &sCodifica, std::int32_t &lID);

// The full code of a branch of the chart (empty for a Null or empty id and for a branch the chart
// does not hold), read afresh on every call.
QString fnCalcolaCodifica(const ChartContext &chart, const Variant &branchId);

// The codes of a node's ancestor branches below the root, each followed by the separator.
QString fnCodificaSearch(const ChartContext &chart, const ChartTreeModel &tree, int node);

// The description of an account (iType 0) or a branch (iType 1); Empty when there is none.
Variant fnGetDescrizioneNodo(const ChartContext &chart, std::int16_t iType, std::int32_t lID);

} // namespace orv::browser
