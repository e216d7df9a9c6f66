#pragma once

#include <Qt>

#include <cstdint>

namespace orv {

// Key codes and shift states as the field's key events report them: letters 65-90,
// digits 48-57, F1 112, Enter 13, Tab 9, Escape 27, arrows 37-40; shift state 1 Shift,
// 2 Ctrl, 4 Alt. Mouse buttons 1 left, 2 right, 4 middle.
std::int16_t keyCodeFromQt(int qtKey);
int qtKeyFromKeyCode(std::int16_t keyCode); // 0 when there is no such key
std::int16_t shiftStateFromQt(Qt::KeyboardModifiers modifiers);
std::int16_t mouseButtonsFromQt(Qt::MouseButtons buttons);

} // namespace orv
