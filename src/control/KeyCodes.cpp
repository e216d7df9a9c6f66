#include "KeyCodes.h"

#include "data/AnsiText.h"

#include <QGuiApplication>
#include <QKeyEvent>

#include <array>
#include <utility>

namespace orv {

namespace {

using KeyPair = std::pair<int, std::int16_t>;

// Keys that are the same on every keyboard.
constexpr std::array<KeyPair, 27> kSpecialKeys = {{
    {Qt::Key_Backspace, 8}, {Qt::Key_Tab, 9},       {Qt::Key_Backtab, 9},      {Qt::Key_Return, 13},
    {Qt::Key_Enter, 13},    {Qt::Key_Shift, 16},    {Qt::Key_Control, 17},     {Qt::Key_Alt, 18},
    {Qt::Key_Pause, 19},    {Qt::Key_CapsLock, 20}, {Qt::Key_Escape, 27},      {Qt::Key_Space, 32},
    {Qt::Key_PageUp, 33},   {Qt::Key_PageDown, 34}, {Qt::Key_End, 35},         {Qt::Key_Home, 36},
    {Qt::Key_Left, 37},     {Qt::Key_Up, 38},       {Qt::Key_Right, 39},       {Qt::Key_Down, 40},
    {Qt::Key_Print, 44},    {Qt::Key_Insert, 45},   {Qt::Key_Delete, 46},      {Qt::Key_Help, 47},
    {Qt::Key_Menu, 93},     {Qt::Key_NumLock, 144}, {Qt::Key_ScrollLock, 145},
}};

// The keypad's own keys, told apart by the keypad modifier.
constexpr std::array<KeyPair, 7> kKeypadOperators = {{
    {Qt::Key_Asterisk, 106},
    {Qt::Key_Plus, 107},
    {Qt::Key_Minus, 109},
    {Qt::Key_Period, 110},
    {Qt::Key_Comma, 110}, // the decimal key of keyboards that write a decimal comma
    {Qt::Key_Slash, 111},
    {Qt::Key_Enter, 13},
}};

// The punctuation keys and the digit row of the main keyboard as the US layout has them: the
// key code, the character typed without Shift and the one typed with it.
struct CharacterKey {
    std::int16_t code;
    int plain;
    int shifted;
};
constexpr std::array<CharacterKey, 21> kCharacterKeys = {{
    {186, Qt::Key_Semicolon, Qt::Key_Colon},
    {187, Qt::Key_Equal, Qt::Key_Plus},
    {188, Qt::Key_Comma, Qt::Key_Less},
    {189, Qt::Key_Minus, Qt::Key_Underscore},
    {190, Qt::Key_Period, Qt::Key_Greater},
    {191, Qt::Key_Slash, Qt::Key_Question},
    {192, Qt::Key_QuoteLeft, Qt::Key_AsciiTilde},
    {219, Qt::Key_BracketLeft, Qt::Key_BraceLeft},
    {220, Qt::Key_Backslash, Qt::Key_Bar},
    {221, Qt::Key_BracketRight, Qt::Key_BraceRight},
    {222, Qt::Key_Apostrophe, Qt::Key_QuoteDbl},
    {49, Qt::Key_1, Qt::Key_Exclam},
    {50, Qt::Key_2, Qt::Key_At},
    {51, Qt::Key_3, Qt::Key_NumberSign},
    {52, Qt::Key_4, Qt::Key_Dollar},
    {53, Qt::Key_5, Qt::Key_Percent},
    {54, Qt::Key_6, Qt::Key_AsciiCircum},
    {55, Qt::Key_7, Qt::Key_Ampersand},
    {56, Qt::Key_8, Qt::Key_Asterisk},
    {57, Qt::Key_9, Qt::Key_ParenLeft},
    {48, Qt::Key_0, Qt::Key_ParenRight},
}};

// The letters of the Italian keyboard that the US one lacks, by their keys there.
constexpr std::array<KeyPair, 9> kItalianKeys = {{
    {Qt::Key_Egrave, 186},
    {Qt::Key_Eacute, 186},
    {Qt::Key_Ograve, 192},
    {Qt::Key_Ccedilla, 192},
    {Qt::Key_Agrave, 222},
    {Qt::Key_degree, 222},
    {Qt::Key_Ugrave, 191},
    {Qt::Key_section, 191},
    {Qt::Key_Igrave, 221},
}};

template <std::size_t N> std::optional<std::int16_t> codeIn(const std::array<KeyPair, N> &table, int key)
{
    for (const auto &[qt, code] : table) {
        if (qt == key)
            return code;
    }
    return std::nullopt;
}

template <std::size_t N> int keyIn(const std::array<KeyPair, N> &table, std::int16_t code)
{
    for (const auto &[qt, c] : table) {
        if (c == code)
            return qt;
    }
    return 0;
}

// On X11 and Wayland the scan code is the key's place on the keyboard: the digit row gives its
// digit whatever Shift and the layout make it type.
std::optional<std::int16_t> digitRowCode(const QKeyEvent &event)
{
    const QString platform = QGuiApplication::platformName();
    if (platform != QLatin1String("xcb") && platform != QLatin1String("wayland"))
        return std::nullopt;
    const quint32 scanCode = event.nativeScanCode();
    if (scanCode >= 10 && scanCode <= 18)
        return static_cast<std::int16_t>(49 + (scanCode - 10));
    if (scanCode == 19)
        return std::int16_t{48};
    return std::nullopt;
}

bool isLetter(int key)
{
    return key >= Qt::Key_A && key <= Qt::Key_Z;
}

} // namespace

std::int16_t keyCodeOf(const QKeyEvent &event)
{
    const int key = event.key();
    if (event.modifiers().testFlag(Qt::KeypadModifier)) {
        if (key >= Qt::Key_0 && key <= Qt::Key_9)
            return static_cast<std::int16_t>(96 + (key - Qt::Key_0));
        if (const auto code = codeIn(kKeypadOperators, key))
            return *code;
    }
    if (isLetter(key))
        return static_cast<std::int16_t>(65 + (key - Qt::Key_A));
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return static_cast<std::int16_t>(48 + (key - Qt::Key_0));
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return static_cast<std::int16_t>(112 + (key - Qt::Key_F1));
    if (const auto code = codeIn(kSpecialKeys, key))
        return *code;
    if (const auto code = digitRowCode(event))
        return *code;
    for (const CharacterKey &k : kCharacterKeys) {
        if (k.plain == key || k.shifted == key)
            return k.code;
    }
    if (const auto code = codeIn(kItalianKeys, key))
        return *code;
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

BoxKey boxKeyOf(const QKeyEvent &event)
{
    return BoxKey{event.key(), event.modifiers(), event.text()};
}

std::optional<std::int16_t> keyAsciiOf(const BoxKey &key)
{
    if (key.modifiers.testFlag(Qt::ControlModifier)) {
        if (!key.modifiers.testFlag(Qt::AltModifier) && isLetter(key.key))
            return static_cast<std::int16_t>(1 + (key.key - Qt::Key_A));
        return std::nullopt;
    }
    if (key.text.size() != 1)
        return std::nullopt;
    return static_cast<std::int16_t>(static_cast<unsigned char>(toAnsi(key.text).at(0)));
}

std::optional<BoxKey> boxKeyForKeyCode(std::int16_t keyCode, Qt::KeyboardModifiers modifiers)
{
    const bool shift = modifiers.testFlag(Qt::ShiftModifier);
    const bool typing = !modifiers.testFlag(Qt::ControlModifier) && !modifiers.testFlag(Qt::AltModifier);
    if (keyCode >= 65 && keyCode <= 90) {
        const QChar letter(shift ? keyCode : keyCode + 32);
        return BoxKey{Qt::Key_A + (keyCode - 65), modifiers, typing ? QString(letter) : QString()};
    }
    if (keyCode >= 96 && keyCode <= 105)
        return BoxKey{Qt::Key_0 + (keyCode - 96), modifiers | Qt::KeypadModifier,
                      typing ? QString(QChar(keyCode - 48)) : QString()};
    if (keyCode >= 112 && keyCode <= 135)
        return BoxKey{Qt::Key_F1 + (keyCode - 112), modifiers, QString()};
    if (const int key = keyIn(kSpecialKeys, keyCode)) {
        QString text;
        if (typing && (key == Qt::Key_Backspace || key == Qt::Key_Tab || key == Qt::Key_Return ||
                       key == Qt::Key_Escape || key == Qt::Key_Space))
            text = QString(QChar(keyCode));
        return BoxKey{key, modifiers, text};
    }
    if (const int key = keyIn(kKeypadOperators, keyCode))
        return BoxKey{key, modifiers | Qt::KeypadModifier,
                      typing ? QString(QChar(static_cast<char16_t>(key))) : QString()};
    for (const CharacterKey &k : kCharacterKeys) {
        if (k.code == keyCode) {
            const int key = shift ? k.shifted : k.plain;
            return BoxKey{key, modifiers, typing ? QString(QChar(static_cast<char16_t>(key))) : QString()};
        }
    }
    return std::nullopt;
}

std::optional<BoxKey> boxKeyForKeyAscii(std::int16_t keyAscii)
{
    switch (keyAscii) {
    case 8:
        return BoxKey{Qt::Key_Backspace, Qt::NoModifier, QStringLiteral("\b")};
    case 9:
        return BoxKey{Qt::Key_Tab, Qt::NoModifier, QStringLiteral("\t")};
    case 13:
        return BoxKey{Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r")};
    case 27:
        return BoxKey{Qt::Key_Escape, Qt::NoModifier, QStringLiteral("\x1b")};
    default:
        break;
    }
    if (keyAscii >= 1 && keyAscii <= 26)
        return BoxKey{Qt::Key_A + (keyAscii - 1), Qt::ControlModifier, QString(QChar(keyAscii))};
    if (keyAscii >= 32 && keyAscii <= 255)
        return BoxKey{Qt::Key_unknown, Qt::NoModifier,
                      fromAnsi(QByteArray(1, static_cast<char>(static_cast<unsigned char>(keyAscii))))};
    return std::nullopt;
}

} // namespace orv
