#pragma once

#include "Services.h"

namespace orv {

// The default resource service: the suite's own Italian texts and pictures, built in.
//
// Texts: 188, 627, 628, 1261 and 1368 (see ResourceText). Pictures, drawn on request:
// 1 a 32x32 magnifying glass whose lens is centred on the picture, so that a QCursor made
// from it with the default hot spot (the centre) points with the lens; 114 a closed folder,
// 117 an open folder and 560 a ledger sheet, each 16x16. Any other number gives an empty
// text or a null pixmap. Pictures need the GUI thread, as every QPixmap does.
class SuiteResources final : public ResourceService {
public:
    QString text(int id) override;
    QPixmap picture(int id) override;
};

} // namespace orv
