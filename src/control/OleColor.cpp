#include "OleColor.h"

namespace orv {

namespace {

QPalette::ColorRole systemRole(std::uint32_t index)
{
    switch (index) {
    case 0:  // scroll bar
    case 1:  // desktop
    case 4:  // menu
    case 10: // active border
    case 11: // inactive border
    case 15: // button face
        return QPalette::Button;
    case 2:  // active caption
    case 3:  // inactive caption
    case 13: // highlight
        return QPalette::Highlight;
    case 9:  // caption text
    case 14: // highlight text
    case 19: // inactive caption text
        return QPalette::HighlightedText;
    case 6:  // window frame
    case 21: // 3D dark shadow
        return QPalette::Shadow;
    case 12: // application workspace
        return QPalette::Dark;
    case 16: // button shadow
        return QPalette::Mid;
    case 17: // grey text
        return QPalette::PlaceholderText;
    case 18: // button text
        return QPalette::ButtonText;
    case 20: // button highlight
        return QPalette::Light;
    case 22: // 3D light
        return QPalette::Midlight;
    case 7: // menu text
    case 8: // window text
        return QPalette::Text;
    case 23: // tooltip text
        return QPalette::ToolTipText;
    case 24: // tooltip background
        return QPalette::ToolTipBase;
    default: // 5 window background and anything unknown
        return QPalette::Base;
    }
}

bool isTextRole(QPalette::ColorRole role)
{
    return role == QPalette::Text || role == QPalette::WindowText || role == QPalette::ButtonText;
}

} // namespace

QColor colorFromOle(std::uint32_t ole, const QPalette &system, QPalette::ColorGroup group)
{
    if (!isSystemColor(ole)) {
        return QColor(static_cast<int>(ole & 0xFF), static_cast<int>((ole >> 8) & 0xFF),
                      static_cast<int>((ole >> 16) & 0xFF));
    }
    return system.color(group, systemRole(ole & 0xFF));
}

void applyOleColor(QPalette &palette, QPalette::ColorRole role, std::uint32_t ole, const QPalette &system)
{
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        const bool systemLook = group == QPalette::Disabled && isTextRole(role) && !isSystemColor(ole);
        palette.setColor(group, role,
                         systemLook ? system.color(group, role) : colorFromOle(ole, system, group));
    }
}

} // namespace orv
