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

QColor colorFromOle(std::uint32_t ole, const QPalette &system);

} // namespace orv
