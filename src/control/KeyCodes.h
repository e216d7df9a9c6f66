#pragma once

#include <QString>
#include <Qt>

#include <cstdint>
#include <optional>

class QKeyEvent;

namespace orv {

// Key codes and shift states as the field's key events report them, in the suite's
// virtual-key numbering: letters 65-90, digits 48-57 (also with Shift: Shift+1 is 49),
// keypad digits 96-105 and its operators 106-111, F1 112, Enter 13, Tab 9, Escape 27,
// arrows 37-40, punctuation 186-192 and 219-222 (the main keyboard's '+' is 187, '-' 189).
// Shift state 1 Shift, 2 Ctrl, 4 Alt. Mouse buttons 1 left, 2 right, 4 middle.
std::int16_t keyCodeOf(const QKeyEvent &event);
std::int16_t shiftStateFromQt(Qt::KeyboardModifiers modifiers);
std::int16_t mouseButtonsFromQt(Qt::MouseButtons buttons);

// A key as a box goes on to process it.
struct BoxKey {
    int key = 0;
    Qt::KeyboardModifiers modifiers;
    QString text;
};
BoxKey boxKeyOf(const QKeyEvent &event);

// The character code KeyPress reports for a key: the ANSI code of the character it types, or
// the control character of Ctrl+letter (Ctrl+R is 18). None for a key that types nothing.
std::optional<std::int16_t> keyAsciiOf(const BoxKey &key);
// The key that a key code names, pressed with the given modifiers; none when no key has it.
std::optional<BoxKey> boxKeyForKeyCode(std::int16_t keyCode, Qt::KeyboardModifiers modifiers);
// The key that types a character code: a printable character as its text, a control character
// as the key that gives it (8 Backspace, 9 Tab, 13 Enter, 27 Escape, 1-26 Ctrl+letter). None
// for the other control characters.
std::optional<BoxKey> boxKeyForKeyAscii(std::int16_t keyAscii);

} // namespace orv
