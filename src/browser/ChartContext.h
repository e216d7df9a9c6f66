#pragma once

#include "data/DbConnection.h"

#include <QString>

#include <cstdint>

namespace orv::browser {

// What the browser's operations read of the dialog: the connection every statement runs on, the
// chart with its code separator, and the restrictions of the search.
struct ChartContext {
    DbConnectionPtr connection;
    std::int32_t lIDPDC = 0;
    QString sSepCod;
    std::int32_t lIDSearchTypeConto = 0;
    std::int32_t lIDSearchTypeRamo = 0;
    bool bHideLeaf = false;

    // A required account or branch type: the tree then holds only the rows of that type.
    bool restricted() const { return lIDSearchTypeConto > 0 || lIDSearchTypeRamo > 0; }
};

} // namespace orv::browser
