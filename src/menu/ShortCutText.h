#pragma once

#include <QStringList>

#include <cstdint>

namespace orv::menu {

// What a menu tool's shortcut texts ("Ctrl+R", "Ctrl+Shift+F5", first text counts) say in
// key-sequence notation. The modifier names compare with case.

// 2 for Ctrl, plus 1 for Shift, plus 4 for Alt; 0 for a tool without shortcuts.
std::int16_t fnShortCutMask(const QStringList &shortcuts);
// "+" for Shift alone, "^" for Ctrl alone, "%" for Alt alone; empty for no modifier or several.
QString fnShortCutPrefix(const QStringList &shortcuts);
// The key after the last "+"; empty for the delete key ("CANC", "CANCELLA", "DELETE"); "0" for a
// tool without shortcuts.
QString fnShortCutKey(const QStringList &shortcuts);

} // namespace orv::menu
