#pragma once
// Shared pieces of the windows' designed look: the classic frame arithmetic, centring,
// the named colours and pixel-sized fonts that the form format cannot express.

#include "window_centring.h"

#include <QColor>
#include <QFont>
#include <QIcon>
#include <QPalette>
#include <QPixmap>
#include <QSize>
#include <QString>

class QLabel;
class QLineEdit;
class QTabBar;
class QWidget;

namespace WindowLook {

// The designs give outer sizes of framed windows, in the classic frame; Qt sizes the
// client area.
inline constexpr int frameWidth =
    WindowCentring::classicFrame.left() + WindowCentring::classicFrame.right();
inline constexpr int frameHeight =
    WindowCentring::classicFrame.top() + WindowCentring::classicFrame.bottom();
QSize clientSizeForOuter(QSize outer);

// The two frames the designs use for secondary windows: a sizeable frame with system
// menu, minimise and maximise boxes, and the fixed dialog border with a close box only.
inline constexpr Qt::WindowFlags sizeableFrame =
    Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
    Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint;
inline constexpr Qt::WindowFlags dialogBorder = Qt::Dialog | Qt::CustomizeWindowHint |
                                                Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                                Qt::WindowCloseButtonHint;

// Centres a top-level window on its screen, by the frame the window manager draws
// (WindowCentring), each time the program shows it, before the window's own show handling.
void centreAtEveryShowing(QWidget* window);

// Named colours with their fixed RGB values.
inline const QColor black{0, 0, 0};
inline const QColor maroon{128, 0, 0};
inline const QColor green{0, 128, 0};
inline const QColor olive{128, 128, 0};
inline const QColor purple{128, 0, 128};
inline const QColor teal{0, 128, 128};
inline const QColor silver{192, 192, 192};
inline const QColor red{255, 0, 0};
inline const QColor lime{0, 255, 0};
inline const QColor yellow{255, 255, 0};
inline const QColor blue{0, 0, 255};

// System colours, from the palette at the time of asking.
QColor btnFace();
QColor highlightText();
// Qt has no caption role; styles paint active captions with the highlight, so that is
// the desktop's caption colour. The designs set it on teal and as a button's text on the
// button face, so where the highlight reads worse than 3 : 1 on either, its lightness
// moves away from the button face (darker on a light desktop, lighter on a dark one),
// hue and saturation kept, until it reads on both: on a light desktop that ends in the
// deep blues classic captions had.
QColor activeCaption();
QColor menuText();
QColor desktopBackground();
QColor windowText();

// The contrast ratio of two colours as the accessibility guidelines define it, from
// 1 (the same luminance) to 21 (black and white).
double contrastRatio(const QColor& a, const QColor& b);
// A system colour made to read against a designed one: unchanged when it already has
// the contrast, otherwise moved in lightness away from the designed colour (hue and
// saturation kept) just far enough; the other way when that way cannot get there.
QColor readableOn(const QColor& colour, const QColor& against, double minimum = 3.0);
// The contrast a text in this font needs to read: 4.5 : 1, and 3 : 1 for large text,
// 19 px and more (14 pt, bold or not, comes to 19 px).
double neededContrast(const QFont& font);

// A font with a character height in pixels, as the designs store them.
QFont pixelFont(const QString& family, int pixels, bool bold = false, bool underline = false);

// Sets a widget's window background (and, optionally, its text colour) through its
// palette, the way the designs colour forms and labels.
void setBackground(QWidget* widget, const QColor& colour);
// A button's designed text colour and its button face read together in the button's
// font: the face is a system colour, which a dark desktop makes as dark as the designed
// text and a light one as light as a bright text, on every shade the style paints the face
// in. Of the two, the one that needs the smaller change of lightness gives way (a pure red
// a shade darker on a light face, a dark face darker still under it).
void setTextColour(QWidget* widget, const QColor& colour);
// Moves a tab strip's face away from its text's lightness until the text reads on every
// shade the style paints the tabs in, chosen, not chosen and under the pointer.
void setTabFaceReadable(QTabBar* bar);
// Gives a container the colour its style paints its own panels with, without filling
// the container's whole rectangle (a tab widget's pages, not the strip beside its tabs).
void setPanelColour(QWidget* widget, const QColor& colour);

// Some labels have a designed box that their text filled in the designed face. A
// stand-in face that runs wider is condensed just enough to keep the text inside the box
// rather than cut it off; a text that fits is left alone.
void condenseToFit(QLabel* label);
// The same for a fixed line edit and every text it can be given: the widest of them fits
// its text area whole, so the edit never scrolls them.
void condenseToFit(QLineEdit* edit, const QStringList& texts);

// The tab stops of the classic multi-line edits: 32 dialog units, eight average
// character widths of the edit's font (Qt's own 80 pixels are twice as far at 11 px).
qreal classicTabStop(const QFont& font);

// A button glyph stored as two equal states side by side: the left half is the normal
// look, the right half the look of the disabled button.
QIcon twoStateGlyph(const QPixmap& strip);

} // namespace WindowLook
