#pragma once
// The pictures of assets/, each drawn at its designed size. main.cpp writes them out.

#include <QImage>

QImage drawSiteBanner();    // 174 x 79, seen through a 145 x 57 button
QImage drawShopBanner();    // 219 x 97, seen through a 201 x 89 button
QImage drawPartnerBanner(); // 218 x 98, seen through a 201 x 89 button

// Two 16 x 16 button glyphs side by side: the normal state, then the disabled one.
QImage drawConsultGlyph();
QImage drawDeveloperGlyph();

QImage drawProgramIcon();         // 32 x 32 in the sixteen VGA colours
QImage drawDesktopIcon(int size); // the same motif in full colour at any size

QImage drawSplash(); // 729 x 480, RGB
