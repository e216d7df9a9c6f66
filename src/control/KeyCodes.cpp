#include "KeyCodes.h"

#include <array>
#include <utility>

namespace orv {

namespace {
constexpr std::array<std::pair<int, std::int16_t>, 28> kSpecialKeys = {{
    {Qt::Key_Backspace, 8}, {Qt::Key_Tab, 9},       {Qt::Key_Backtab, 9},  {Qt::Key_Return, 13},
    {Qt::Key_Enter, 13},    {Qt::Key_Shift, 16},    {Qt::Key_Control, 17}, {Qt::Key_Alt, 18},
    {Qt::Key_Pause, 19},    {Qt::Key_CapsLock, 20}, {Qt::Key_Escape, 27},  {Qt::Key_Space, 32},
    {Qt::Key_PageUp, 33},   {Qt::Key_PageDown, 34}, {Qt::Key_End, 35},     {Qt::Key_Home, 36},
    {Qt::Key_Left, 37},     {Qt::Key_Up, 38},       {Qt::Key_Right, 39},   {Qt::Key_Down, 40},
    {Qt::Key_Insert, 45},   {Qt::Key_Delete, 46},   {Qt::Key_Help, 47},    {Qt::Key_Plus, 107},
    {Qt::Key_Minus, 109},   {Qt::Key_Period, 190},  {Qt::Key_Comma, 188},  {Qt::Key_NumLock, 144},
}};
} // namespace

std::int16_t keyCodeFromQt(int qtKey)
{
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)
        return static_cast<std::int16_t>(65 + (qtKey - Qt::Key_A));
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return static_cast<std::int16_t>(48 + (qtKey - Qt::Key_0));
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F16)
        return static_cast<std::int16_t>(112 + (qtKey - Qt::Key_F1));
    for (const auto &[qt, code] : kSpecialKeys) {
        if (qt == qtKey)
            return code;
    }
    return 0;
}

int qtKeyFromKeyCode(std::int16_t keyCode)
{
    if (keyCode >= 65 && keyCode <= 90)
        return Qt::Key_A + (keyCode - 65);
    if (keyCode >= 48 && keyCode <= 57)
        return Qt::Key_0 + (keyCode - 48);
    if (keyCode >= 112 && keyCode <= 127)
        return Qt::Key_F1 + (keyCode - 112);
    for (const auto &[qt, code] : kSpecialKeys) {
        if (code == keyCode)
            return qt;
    }
    return 0;
}

std::int16_t shiftStateFromQt(Qt::KeyboardModifiers modifiers)
{
    std::int16_t state = 0;
    if (modifiers & Qt::ShiftModifier)
        state |= 1;
    if (modifiers & Qt::ControlModifier)
        state |= 2;
    if (modifiers & Qt::AltModifier)
        state |= 4;
    return state;
}

std::int16_t mouseButtonsFromQt(Qt::MouseButtons buttons)
{
    std::int16_t state = 0;
    if (buttons & Qt::LeftButton)
        state |= 1;
    if (buttons & Qt::RightButton)
        state |= 2;
    if (buttons & Qt::MiddleButton)
        state |= 4;
    return state;
}

} // namespace orv
