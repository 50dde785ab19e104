#include "window_look.h"

#include "window_centring.h"

#include <QApplication>
#include <QEvent>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionFrame>
#include <QStyleOptionTab>
#include <QTabBar>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <vector>

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

// Steps the lightness one way until the colour reads; the last step (black or white,
// or the last of at most `steps`) when it never does.
template <typename Reads>
QColor shiftedUntil(const QColor& colour, bool darker, Reads reads, int steps = 256)
{
    const QColor hsl = colour.toHsl();
    QColor candidate = colour;
    for (int lightness = hsl.lightness(); !reads(candidate) && steps-- > 0;) {
        lightness += darker ? -1 : 1;
        if (lightness < 0 || lightness > 255) {
            break;
        }
        // In the 8 bits a channel has on the screen, where it is measured.
        candidate = QColor::fromRgb(
            QColor::fromHsl(hsl.hslHue(), hsl.hslSaturation(), lightness).toRgb().rgb());
    }
    return candidate;
}

// The same, the other way when that way never gets there.
template <typename Reads>
QColor movedUntil(const QColor& colour, bool darker, Reads reads, int steps = 256)
{
    const QColor away = shiftedUntil(colour, darker, reads, steps);
    return reads(away) ? away : shiftedUntil(colour, !darker, reads, steps);
}

QColor shiftedUntilReadable(const QColor& colour, std::initializer_list<QColor> backgrounds,
                            double minimum, bool darker)
{
    return shiftedUntil(colour, darker, [&](const QColor& candidate) {
        return std::all_of(backgrounds.begin(), backgrounds.end(),
                           [&](const QColor& b) { return contrastRatio(candidate, b) >= minimum; });
    });
}

using Shades = std::pair<QColor, QColor>; // the darkest and the lightest

// Widens a range of shades by those the style paints in the middle column of a sample of
// `size` on `face`, within the margins where it draws its frames.
template <typename Paint>
void widenBySample(Shades& shades, QSize size, const QColor& face, int margin, Paint paint)
{
    QImage sample(size, QImage::Format_ARGB32_Premultiplied);
    sample.fill(face);
    QPainter painter(&sample);
    paint(painter);
    painter.end();
    for (int y = margin; y < sample.height() - margin; ++y) {
        const QColor shade = QColor::fromRgb(sample.pixel(sample.width() / 2, y));
        if (luminance(shade) < luminance(shades.first)) {
            shades.first = shade;
        }
        if (luminance(shade) > luminance(shades.second)) {
            shades.second = shade;
        }
    }
}

// The darkest and the lightest shade a button's face is painted in with this palette
// colour, at rest and under the pointer (a press lasts only while the button is held).
// Styles lift and shade a face (Fusion paints a dark face up to half as light again, in a
// gradient; Breeze tints a focused button with the highlight), so the style paints samples
// of the button's face, and their middle column is read. A button of a dialog becomes its
// default when it takes the focus, so it is sampled both plain and as the default. The
// style is not shown the button itself: it would animate a change of state from the
// button's present one, and the sample would show where the animation starts.
Shades paintedFace(const QPushButton* button, const QColor& face)
{
    QStyleOptionButton option;
    option.initFrom(button);
    option.palette.setColor(QPalette::Button, face);
    option.rect = QRect(0, 0, 24, 24);
    const QStyle::State atRest =
        option.state & ~(QStyle::State_HasFocus | QStyle::State_MouseOver | QStyle::State_Sunken);
    std::vector features{button->isDefault() ? QStyleOptionButton::DefaultButton
                                             : QStyleOptionButton::None};
    if (button->autoDefault() && !button->isDefault()) {
        features.push_back(QStyleOptionButton::DefaultButton);
    }
    std::vector states{atRest, atRest | QStyle::State_MouseOver};
    if (button->focusPolicy() & Qt::TabFocus) {
        states.push_back(atRest | QStyle::State_HasFocus);
    }
    Shades shades{face, face};
    for (const auto feature : features) {
        for (const QStyle::State state : states) {
            option.features = feature;
            option.state = state;
            widenBySample(shades, option.rect.size(), face, 4, [&](QPainter& painter) {
                button->style()->drawControl(QStyle::CE_PushButtonBevel, &option, &painter);
            });
        }
    }
    return shades;
}

// The same for a tab strip's tabs, chosen and not: styles fill them from the button face
// (Qt 6.4's Fusion) or from the window colour (6.8's, and Breeze), each a shade lighter
// or darker. Here the style is shown the strip: Breeze paints a chosen tab by it.
Shades paintedTabs(const QTabBar* bar, const QColor& face)
{
    QStyleOptionTab option;
    option.initFrom(bar);
    option.palette.setColor(QPalette::Button, face);
    option.palette.setColor(QPalette::Window, face);
    option.rect = QRect(0, 0, 40, 24);
    option.shape = bar->shape();
    option.position = QStyleOptionTab::Middle;
    if (!bar->documentMode()) {
        option.features |= QStyleOptionTab::HasFrame;
    }
    const QStyle::State atRest = option.state & ~(QStyle::State_HasFocus | QStyle::State_MouseOver);
    Shades shades{face, face};
    for (const QStyle::State state :
         {atRest, atRest | QStyle::State_MouseOver, atRest | QStyle::State_Selected}) {
        option.state = state;
        widenBySample(shades, option.rect.size(), face, 6, [&](QPainter& painter) {
            bar->style()->drawControl(QStyle::CE_TabBarTabShape, &option, &painter, bar);
        });
    }
    return shades;
}

} // namespace

double contrastRatio(const QColor& a, const QColor& b)
{
    const double first = luminance(a);
    const double second = luminance(b);
    return (std::max(first, second) + 0.05) / (std::min(first, second) + 0.05);
}

namespace {

bool readsOnAll(const QColor& text, const Shades& shades, double needed)
{
    return contrastRatio(text, shades.first) >= needed &&
           contrastRatio(text, shades.second) >= needed;
}

} // namespace

QColor readableOn(const QColor& colour, const QColor& against, double minimum)
{
    return movedUntil(colour, luminance(colour) <= luminance(against),
                      [&](const QColor& c) { return contrastRatio(c, against) >= minimum; });
}

double neededContrast(const QFont& font)
{
    const double pixels = font.pixelSize() > 0 ? font.pixelSize() : font.pointSizeF() * 96 / 72;
    return std::lround(pixels) >= 19 ? 3.0 : 4.5;
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
        // On every shade the style paints the face in.
        const double needed = neededContrast(widget->font());
        auto* button = static_cast<QPushButton*>(widget);
        const QColor face = palette.color(QPalette::Button);
        const Shades shades = paintedFace(button, face);
        const auto textReads = [&](const QColor& text) {
            return readsOnAll(text, shades, needed);
        };
        if (!textReads(colour)) {
            const auto faceReads = [&](const QColor& f) {
                return readsOnAll(colour, paintedFace(button, f), needed);
            };
            const auto shift = [](const QColor& from, const QColor& to) {
                return std::abs(from.toHsl().lightness() - to.toHsl().lightness());
            };
            const bool textDarker = luminance(colour) <= luminance(face);
            const QColor newText = movedUntil(colour, textDarker, textReads);
            // The face is only worth trying within the text's own change: each step of it
            // has the style paint a sample.
            const int textShift = textReads(newText) ? shift(colour, newText) : 256;
            const QColor newFace = movedUntil(face, !textDarker, faceReads, textShift - 1);
            if (textReads(newText) &&
                (!faceReads(newFace) || shift(colour, newText) < shift(face, newFace))) {
                palette.setColor(QPalette::WindowText, newText);
                palette.setColor(QPalette::Text, newText);
                palette.setColor(QPalette::ButtonText, newText);
            } else {
                palette.setColor(QPalette::Button, newFace);
            }
        }
    }
    widget->setPalette(palette);
}

void setTabFaceReadable(QTabBar* bar)
{
    QPalette palette = bar->palette();
    const QColor text = palette.color(QPalette::WindowText);
    const double needed = neededContrast(bar->font());
    const auto faceReads = [&](const QColor& face) {
        return readsOnAll(text, paintedTabs(bar, face), needed);
    };
    const QColor face = palette.color(QPalette::Button);
    const QColor readable = movedUntil(face, luminance(face) < luminance(text), faceReads);
    palette.setColor(QPalette::Button, readable);
    palette.setColor(QPalette::Window, readable);
    bar->setPalette(palette);
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
