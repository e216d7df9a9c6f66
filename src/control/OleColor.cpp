#include "OleColor.h"

namespace orv {

QColor colorFromOle(std::uint32_t ole, const QPalette &system)
{
    if ((ole & 0x80000000u) == 0) {
        return QColor(static_cast<int>(ole & 0xFF), static_cast<int>((ole >> 8) & 0xFF),
                      static_cast<int>((ole >> 16) & 0xFF));
    }
    switch (ole & 0xFF) {
    case 1:  // desktop
    case 15: // button face
    case 4:  // menu
        return system.color(QPalette::Button);
    case 2:  // active caption
    case 13: // highlight
        return system.color(QPalette::Highlight);
    case 14: // highlight text
    case 9:  // caption text
        return system.color(QPalette::HighlightedText);
    case 16: // button shadow
        return system.color(QPalette::Mid);
    case 17: // grey text
        return system.color(QPalette::PlaceholderText);
    case 18: // button text
        return system.color(QPalette::ButtonText);
    case 20: // button highlight
        return system.color(QPalette::Light);
    case 7: // menu text
    case 8: // window text
        return system.color(QPalette::Text);
    case 24: // tooltip background
        return system.color(QPalette::ToolTipBase);
    case 23: // tooltip text
        return system.color(QPalette::ToolTipText);
    default: // 5 window background and anything unknown
        return system.color(QPalette::Base);
    }
}

} // namespace orv
