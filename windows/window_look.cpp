#include "window_look.h"

#include "window_centring.h"

#include <QApplication>
#include <QEvent>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace WindowLook {

QSize clientSizeForOuter(QSize outer)
{
    return outer - QSize(frameWidth, frameHeight);
}

namespace {

class CentredOnShow : public QObject {
public:
    explicit CentredOnShow(QWidget* window) : QObject(window) { window->installEventFilter(this); }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // A spontaneous show is the window system's (a window restored from the taskbar),
        // not the program's showing.
        if (event->type() == QEvent::Show && !event->spontaneous()) {
            WindowCentring::centreOnScreen(static_cast<QWidget*>(watched));
        }
        return false;
    }
};

} // namespace

void centreAtEveryShowing(QWidget* window)
{
    new CentredOnShow(window);
}

QColor btnFace()
{
    return QApplication::palette().color(QPalette::Button);
}

QColor highlightText()
{
    return QApplication::palette().color(QPalette::HighlightedText);
}

namespace {

double luminance(const QColor& colour)
{
    const auto linear = [](double channel) {
        return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
           0.0722 * linear(colour.blueF());
}

// Steps the lightness one way until the colour reads on every background; the last
// step (black or white) when it never does.
QColor shiftedUntilReadable(const QColor& colour, std::initializer_list<QColor> backgrounds,
                            double minimum, bool darker)
{
    const auto reads = [&](const QColor& candidate) {
        return std::all_of(backgrounds.begin(), backgrounds.end(),
                           [&](const QColor& b) { return contrastRatio(candidate, b) >= minimum; });
    };
    const QColor hsl = colour.toHsl();
    QColor candidate = colour;
    for (int lightness = hsl.lightness(); !reads(candidate);) {
        lightness += darker ? -1 : 1;
        if (lightness < 0 || lightness > 255) {
            break;
        }
        candidate = QColor::fromHsl(hsl.hslHue(), hsl.hslSaturation(), lightness).toRgb();
    }
    return candidate;
}

} // namespace

double contrastRatio(const QColor& a, const QColor& b)
{
    const double first = luminance(a);
    const double second = luminance(b);
    return (std::max(first, second) + 0.05) / (std::min(first, second) + 0.05);
}

QColor readableOn(const QColor& colour, const QColor& against, double minimum)
{
    const bool darker = luminance(colour) <= luminance(against);
    const QColor away = shiftedUntilReadable(colour, {against}, minimum, darker);
    if (contrastRatio(away, against) >= minimum) {
        return away;
    }
    return shiftedUntilReadable(colour, {against}, minimum, !darker);
}

QColor activeCaption()
{
    const QColor highlight = QApplication::palette().color(QPalette::Active, QPalette::Highlight);
    const QColor face = btnFace();
    const bool lightDesktop = luminance(face) > luminance(QColor(118, 118, 118));
    return shiftedUntilReadable(highlight, {teal, face}, 3.0, lightDesktop);
}

QColor menuText()
{
    return QApplication::palette().color(QPalette::WindowText);
}

QColor desktopBackground()
{
    // No desktop colour in the palette either. The classic desktops were a deep blue or
    // teal that reads well on silver; the link colour is the palette's deep blue.
    return QApplication::palette().color(QPalette::Link);
}

QColor windowText()
{
    return QApplication::palette().color(QPalette::WindowText);
}

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

QFont pixelFont(const QString& family, int pixels, bool bold, bool underline)
{
    QFont font(family);
    font.setPixelSize(pixels);
    font.setBold(bold);
    font.setUnderline(underline);
    // A stand-in family may have nothing bolder than a demi-bold face (URW Bookman's Demi
    // standing in for Bookman Old Style's bold). Asked for Bold, Qt 6.8 thickens that face
    // with FreeType's synthetic emboldening, which Qt 6.4 did not: the strokes swell and
    // the dots of Ё run into the letter. Asking for the weight the face has draws it as it
    // is on both.
    if (bold) {
        const QFontInfo chosen(font);
        const int faceWeight = QFontDatabase::weight(chosen.family(), chosen.styleName());
        if (faceWeight > QFont::Normal && faceWeight < font.weight()) {
            font.setWeight(QFont::Weight(faceWeight));
        }
    }
    return font;
}

void setBackground(QWidget* widget, const QColor& colour)
{
    // Buttons and check boxes fill with the Button role, labels and forms with Window.
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    palette.setColor(widget->backgroundRole(), colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void setTextColour(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::Text, colour);
    palette.setColor(QPalette::ButtonText, colour);
    if (qobject_cast<QPushButton*>(widget)) {
        palette.setColor(QPalette::Button, readableOn(palette.color(QPalette::Button), colour));
    }
    widget->setPalette(palette);
}

void setPanelColour(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
}

void condenseToFit(QLabel* label)
{
    const int available = label->contentsRect().width();
    QFont font = label->font();
    const int needed = QFontMetrics(font).horizontalAdvance(label->text());
    if (needed <= available || available <= 0) {
        return;
    }
    // Width does not scale exactly with the stretch factor (hinting, rounding), so step
    // down from the estimate until the text fits; half width is as far as it goes.
    for (int stretch = available * 100 / needed; stretch >= 50; --stretch) {
        font.setStretch(stretch);
        if (QFontMetrics(font).horizontalAdvance(label->text()) <= available) {
            break;
        }
    }
    label->setFont(font);
}

void condenseToFit(QLineEdit* edit, const QStringList& texts)
{
    // The text area as the line edit lays it out: the style's contents rectangle less
    // the text margins and the edit's own two pixels a side, and one pixel for the cursor.
    QStyleOptionFrame option;
    option.initFrom(edit);
    option.lineWidth = edit->hasFrame()
                           ? edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit)
                           : 0;
    const QRect contents = edit->style()
                               ->subElementRect(QStyle::SE_LineEditContents, &option, edit)
                               .marginsRemoved(edit->textMargins());
    const int available = contents.width() - 2 * 2 - 1;
    QFont font = edit->font();
    const auto widest = [&texts](const QFont& f) {
        const QFontMetricsF metrics(f);
        qreal width = 0;
        for (const QString& text : texts) {
            width = std::max(width, metrics.horizontalAdvance(text));
        }
        return width;
    };
    if (widest(font) <= available || available <= 0) {
        return;
    }
    for (int stretch = int(available * 100 / widest(font)); stretch >= 50; --stretch) {
        font.setStretch(stretch);
        if (widest(font) <= available) {
            break;
        }
    }
    edit->setFont(font);
}

qreal classicTabStop(const QFont& font)
{
    return QFontMetrics(font).averageCharWidth() * 8;
}

QIcon twoStateGlyph(const QPixmap& strip)
{
    const int half = strip.width() / 2;
    QIcon icon;
    icon.addPixmap(strip.copy(0, 0, half, strip.height()), QIcon::Normal);
    icon.addPixmap(strip.copy(half, 0, half, strip.height()), QIcon::Disabled);
    return icon;
}

} // namespace WindowLook
