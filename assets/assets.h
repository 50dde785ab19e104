#pragma once
// The pictures and help texts built into the program. The files sit beside this header;
// the build embeds them as Qt resources under ":/assets/", and windows ask for them by the
// names below. Pictures are drawn by tools/pictures (make_pictures) and committed; the
// texts are UTF-8 with lines separated by "\n" and no line break after the last line, so
// a text box shows exactly the designed lines.

#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>

namespace Assets {

// Pictures, at their designed sizes.
inline constexpr char SiteBanner[] = ":/assets/banner_site.png";       // 174 x 79
inline constexpr char ShopBanner[] = ":/assets/banner_shop.png";       // 219 x 97
inline constexpr char PartnerBanner[] = ":/assets/banner_partner.png"; // 218 x 98
// Two 16 x 16 states side by side: normal, then disabled.
inline constexpr char ConsultGlyph[] = ":/assets/glyph_consult.png";     // 32 x 16
inline constexpr char DeveloperGlyph[] = ":/assets/glyph_developer.png"; // 32 x 16
inline constexpr char ProgramIcon[] = ":/assets/program_icon.png";       // 32 x 32, 16 colours
// The program icon in full colour for the desktop, at the usual hicolor sizes.
inline constexpr char DesktopIcon32[] = ":/assets/icons/tandemo-32.png";
inline constexpr char DesktopIcon48[] = ":/assets/icons/tandemo-48.png";
inline constexpr char DesktopIcon128[] = ":/assets/icons/tandemo-128.png";
inline constexpr char DesktopIcon256[] = ":/assets/icons/tandemo-256.png";

// Made by the build from splash.png (729 x 480, RGB): the splash picture stretched to the
// splash's 641 x 425 frame at one device pixel per pixel, as raw pixels (tools/stretch). The
// picture itself is not in the program; the frame is all the splash shows.
inline constexpr char SplashFrame[] = ":/assets/splash_frame.rgb32";
// Not in the program: the designed splash picture, for the tests that hold the frame against
// it (they link tandemo_designed_pictures).
inline constexpr char DesignedSplash[] = ":/designed/splash.png"; // 729 x 480, RGB

// Help texts.
inline constexpr char Recommendations[] = ":/assets/recommendations.txt"; // 25 lines
inline constexpr char Disclaimer[] = ":/assets/disclaimer.txt";           // 20 lines
inline constexpr char Attraction[] = ":/assets/attraction.txt";           // 24 lines

QStringList pictures();
QStringList derived();
QStringList texts();

// The splash picture as the build stretched it, if it was stretched to this size; a null
// image otherwise. The pixels are copied once out of the resource; nothing is decoded.
QImage stretchedSplash(QSize size);

// The text of a help text resource, decoded from UTF-8; empty if there is no such resource.
QString readText(const QString& path);

} // namespace Assets
