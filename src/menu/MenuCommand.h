#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>

namespace orv {
struct FieldWork;
}

namespace orv::menu {

// The commands a menu tool runs on its field, for the box given.
struct MenuCommands {
    std::function<void(std::int16_t &box)> searchObject;
    std::function<void(std::int16_t &box)> runApplication;
};

// A tool chosen in the menu or by its shortcut. With the focus in the field or the menu open,
// it runs for the box in use and marks the key as handled (bSaltaKeyUp), so that the key-up
// handling does not run it again. Otherwise the shortcut was meant for whatever has the focus:
// its key goes on there, typed again as "prefix(key)" from the tool's shortcut texts.
void handleMenuCommand(FieldWork &work, const QString &tool, const QStringList &shortcuts,
                       const MenuCommands &commands);

} // namespace orv::menu
