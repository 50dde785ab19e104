#include "effect_colour.h"

#include <array>

QPalette::ColorRole systemColourRole(int index)
{
    // Index order is that of the Windows system colour table. Each entry takes the Qt role that
    // plays the same part on screen: button faces are the ordinary window background (forms are
    // painted in clBtnFace, and a label that follows its form must match it), the 3-D edge colours
    // map onto Qt's bevel roles (Light, Dark, Shadow, Midlight), and the captions, menus and
    // selections onto the selection roles.
    using R = QPalette::ColorRole;
    static constexpr std::array<R, 31> roles = {
        R::Mid,             //  0 scroll bar
        R::Dark,            //  1 desktop background
        R::Highlight,       //  2 active caption
        R::Mid,             //  3 inactive caption
        R::Window,          //  4 menu
        R::Base,            //  5 window (edit field) background
        R::Shadow,          //  6 window frame
        R::WindowText,      //  7 menu text
        R::Text,            //  8 window text
        R::HighlightedText, //  9 caption text
        R::Window,          // 10 active border
        R::Window,          // 11 inactive border
        R::Mid,             // 12 application workspace
        R::Highlight,       // 13 highlight
        R::HighlightedText, // 14 highlight text
        R::Window,          // 15 button face
        R::Dark,            // 16 button shadow
        R::PlaceholderText, // 17 grey (disabled) text
        R::ButtonText,      // 18 button text
        R::WindowText,      // 19 inactive caption text
        R::Light,           // 20 button highlight
        R::Shadow,          // 21 3-D dark shadow
        R::Midlight,        // 22 3-D light
        R::ToolTipText,     // 23 info text
        R::ToolTipBase,     // 24 info background
        R::Link,            // 25 hot light
        R::Highlight,       // 26 gradient active caption
        R::Mid,             // 27 gradient inactive caption
        R::Highlight,       // 28 menu highlight
        R::Window,          // 29 menu bar
        R::Window,          // 30 form background
    };
    if (index < 0 || index >= static_cast<int>(roles.size()))
        return R::Window;
    return roles[static_cast<std::size_t>(index)];
}

QColor TColor::resolve(const QPalette& palette) const
{
    if (isSystem())
        return palette.color(systemColourRole(systemIndex()));
    return QColor(static_cast<int>(m_value & 0xff), static_cast<int>((m_value >> 8) & 0xff),
                  static_cast<int>((m_value >> 16) & 0xff));
}
