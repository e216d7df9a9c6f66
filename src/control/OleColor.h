#pragma once

#include <QColor>
#include <QPalette>

#include <cstdint>

namespace orv {

// 32-bit colour values: with the high bit set, the low byte names a system colour
// (5 window background, 8 window text, 15 button face, ...); otherwise 0x00BBGGRR.
constexpr std::uint32_t kSystemWindow = 0x80000005u;
constexpr std::uint32_t kSystemWindowText = 0x80000008u;
constexpr std::uint32_t kSystemButtonFace = 0x8000000Fu;

constexpr bool isSystemColor(std::uint32_t ole)
{
    return (ole & 0x80000000u) != 0;
}

// The colour a value stands for in one colour group of the system palette.
QColor colorFromOle(std::uint32_t ole, const QPalette &system, QPalette::ColorGroup group = QPalette::Active);

// Gives a role of a palette the colour a value stands for, in every colour group. A system
// colour follows the system palette in each group; a fixed colour is the same in all, except
// that text keeps the system's look for a disabled widget.
void applyOleColor(QPalette &palette, QPalette::ColorRole role, std::uint32_t ole, const QPalette &system);

} // namespace orv
