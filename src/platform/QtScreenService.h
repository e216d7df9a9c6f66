#pragma once

#include "Services.h"

namespace orv {

// The default screen: pixel sizes from the primary screen's logical resolution, and the
// hourglass as an application override cursor.
class QtScreenService final : public ScreenService {
public:
    QtScreenService();
    ~QtScreenService() override;

    // 1440 divided by the primary screen's logical dots per inch; 15 without a screen.
    double twipsPerPixelX() override;
    double twipsPerPixelY() override;

    // Each setBusy(true) pushes a wait cursor and each setBusy(false) takes one of this
    // service's own away; a setBusy(false) with none pending is ignored. Whatever is still
    // pending when the service goes away is taken away then.
    void setBusy(bool busy) override;
    int busyDepth() const;

private:
    class Private;
    std::unique_ptr<Private> const d;
};

} // namespace orv
