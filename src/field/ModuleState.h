#pragma once

#include <QString>

namespace orv {

// State shared by every control on one thread.
struct ModuleState {
    QString sApplicationName;
    QString sSettingsAppName;
};

ModuleState &moduleState();

} // namespace orv
