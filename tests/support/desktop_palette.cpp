#include "desktop_palette.h"

QPalette darkDesktopPalette()
{
    QPalette palette(QColor(49, 54, 59));
    const QColor text(239, 240, 241);
    for (const QPalette::ColorRole role :
         {QPalette::WindowText, QPalette::Text, QPalette::ButtonText, QPalette::HighlightedText,
          QPalette::ToolTipText, QPalette::BrightText}) {
        palette.setColor(role, text);
    }
    palette.setColor(QPalette::Base, QColor(35, 38, 41));
    palette.setColor(QPalette::AlternateBase, QColor(49, 54, 59));
    palette.setColor(QPalette::ToolTipBase, QColor(49, 54, 59));
    palette.setColor(QPalette::Highlight, QColor(61, 174, 233));
    palette.setColor(QPalette::Link, QColor(41, 128, 185));
    palette.setColor(QPalette::LinkVisited, QColor(127, 140, 141));
    palette.setColor(QPalette::PlaceholderText, QColor(161, 169, 177));
    palette.setColor(QPalette::Disabled, QPalette::WindowText, QColor(101, 107, 112));
    palette.setColor(QPalette::Disabled, QPalette::Text, QColor(101, 107, 112));
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(101, 107, 112));
    return palette;
}
