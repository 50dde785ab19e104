// The splash picture: a rock in the sea at dusk, seen as a photograph.
//
// The scene is computed pixel by pixel into a floating-point canvas, back to front: the
// sky with its glow and clouds, the setting sun, the sea (which mirrors the sky through
// moving waves), the rock with its reflection and the foam at its foot. Grain and a soft
// vignette give it the look of a print; the lettering goes on top with QPainter.
//
// The window shows the picture scaled to 641 x 425 and cuts about 18 picture pixels on the
// left, 5 on the right and 12 at the bottom, so the lettering keeps away from those edges.
// The program writes its version line over the calm glow above the horizon on the right.

#include "paint_kit.h"
#include "pictures.h"
#include "tandemo_version.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace {

constexpr int kWidth = 729;
constexpr int kHeight = 480;
constexpr double kHorizon = 300.0;
constexpr double kWaterline = 318.0;
constexpr double kSunX = 446.0;
constexpr double kSunY = kHorizon + 5.0;
constexpr double kSunRadius = 19.0;
// The middle of the part of the picture the window shows.
constexpr double kSeenCentreX = 371.0;

struct Rgb {
    double r = 0, g = 0, b = 0;
    Rgb operator+(const Rgb& o) const { return {r + o.r, g + o.g, b + o.b}; }
    Rgb operator*(double k) const { return {r * k, g * k, b * k}; }
};

Rgb lerp(const Rgb& a, const Rgb& b, double t)
{
    t = std::clamp(t, 0.0, 1.0);
    return a * (1.0 - t) + b * t;
}

class Canvas {
public:
    Canvas() : m_pixels(static_cast<std::size_t>(kWidth * kHeight)) {}
    Rgb& at(int x, int y) { return m_pixels[static_cast<std::size_t>(y * kWidth + x)]; }
    Rgb sample(double x, double y) const
    {
        const int ix = std::clamp(static_cast<int>(std::lround(x)), 0, kWidth - 1);
        const int iy = std::clamp(static_cast<int>(std::lround(y)), 0, kHeight - 1);
        return m_pixels[static_cast<std::size_t>(iy * kWidth + ix)];
    }
    QImage toImage() const
    {
        QImage image(kWidth, kHeight, QImage::Format_RGB32);
        for (int y = 0; y < kHeight; ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < kWidth; ++x) {
                const Rgb& c = m_pixels[static_cast<std::size_t>(y * kWidth + x)];
                line[x] = qRgb(std::clamp(static_cast<int>(std::lround(c.r)), 0, 255),
                               std::clamp(static_cast<int>(std::lround(c.g)), 0, 255),
                               std::clamp(static_cast<int>(std::lround(c.b)), 0, 255));
            }
        }
        return image;
    }

private:
    std::vector<Rgb> m_pixels;
};

// Coverage of a shape, 0 to 1 per pixel, 0 outside the picture.
class Mask {
public:
    explicit Mask(const QPainterPath& shape) : m_image(kWidth, kHeight, QImage::Format_Alpha8)
    {
        m_image.fill(0);
        QPainter p(&m_image);
        p.setRenderHint(QPainter::Antialiasing);
        p.fillPath(shape, Qt::black);
    }
    double at(double x, double y) const
    {
        const int ix = static_cast<int>(std::lround(x));
        const int iy = static_cast<int>(std::lround(y));
        if (ix < 0 || iy < 0 || ix >= kWidth || iy >= kHeight)
            return 0.0;
        return m_image.constScanLine(iy)[ix] / 255.0;
    }

private:
    QImage m_image;
};

Rgb skyGradient(double y)
{
    static const std::array<std::pair<double, Rgb>, 6> stops = {{
        {0.00, {22, 26, 70}},
        {0.30, {56, 48, 114}},
        {0.55, {128, 72, 130}},
        {0.75, {214, 116, 110}},
        {0.88, {246, 160, 92}},
        {1.00, {250, 174, 104}},
    }};
    const double t = std::clamp(y / kHorizon, 0.0, 1.0);
    for (std::size_t i = 1; i < stops.size(); ++i) {
        if (t <= stops[i].first) {
            const double span = stops[i].first - stops[i - 1].first;
            return lerp(stops[i - 1].second, stops[i].second, (t - stops[i - 1].first) / span);
        }
    }
    return stops.back().second;
}

// Light of the sun just at the horizon: a tight bright core and a wide warm wash.
double sunGlow(double x, double y)
{
    const double dx = x - kSunX;
    const double dy = y - kHorizon;
    return 0.42 * std::exp(-(dx * dx / (90.0 * 90.0) + dy * dy / (44.0 * 44.0))) +
           0.26 * std::exp(-(dx * dx / (380.0 * 380.0) + dy * dy / (150.0 * 150.0)));
}

void paintSky(Canvas& canvas)
{
    const Rgb glowColour{230, 120, 40};
    for (int y = 0; y < static_cast<int>(kHorizon); ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const double glow = sunGlow(x, y);
            Rgb sky = skyGradient(y) + glowColour * glow;

            // Long dusk clouds: noise stretched sideways, kept between the lettering at the
            // top and the calm glow on the right above the horizon.
            const double warp = 60.0 * (kit::fractalNoise(x / 260.0, y / 70.0, 5, 3) - 0.5);
            auto cloudNoise = [&](double cy) {
                return kit::fractalNoise((x + warp) / 190.0, cy / 26.0, 11, 5);
            };
            const double n = cloudNoise(y);
            const double lowest = 272.0 - 52.0 * kit::smoothstep(400.0, 520.0, x);
            const double band =
                kit::smoothstep(112.0, 150.0, y) * (1.0 - kit::smoothstep(lowest - 50, lowest, y));
            const double density = kit::smoothstep(0.50, 0.70, n) * band;
            if (density > 0.0) {
                // Undersides face the sun below the horizon and catch its light.
                const double underside =
                    std::clamp(0.3 + (n - cloudNoise(y + 5.0)) * 9.0, 0.0, 1.0);
                const double h = y / kHorizon;
                const Rgb dark = lerp({62, 42, 88}, {118, 66, 102}, h);
                const Rgb lit =
                    lerp({206, 112, 150}, {255, 178, 124}, h) + glowColour * (glow * 0.6);
                sky = lerp(sky, lerp(dark, lit, underside), density * 0.88);
            }
            canvas.at(x, y) = sky;
        }
    }

    for (int x = 0; x < kWidth; ++x) {
        for (int y = static_cast<int>(kHorizon) - 3; y < static_cast<int>(kHorizon); ++y) {
            const double haze = 0.12 * (1.0 - (kHorizon - y) / 4.0);
            canvas.at(x, y) = lerp(canvas.at(x, y), {255, 226, 180}, haze);
        }
    }
}

// The sun, half under the horizon: a pale disc in a small bright halo. It is painted after
// the sea, which shows the sun as the glitter path rather than as a mirrored disc.
void paintSun(Canvas& canvas)
{
    const int reach = static_cast<int>(kSunRadius * 3);
    for (int y = static_cast<int>(kSunY) - reach; y < static_cast<int>(kHorizon); ++y) {
        for (int x = static_cast<int>(kSunX) - reach; x <= kSunX + reach; ++x) {
            const double d = std::hypot(x - kSunX, y - kSunY);
            const double halo = std::exp(-std::pow((d - kSunRadius) / 9.0, 2.0));
            Rgb c = canvas.at(x, y) + Rgb{255, 190, 110} * (d > kSunRadius ? 0.3 * halo : 0.0);
            const double cover = std::clamp(kSunRadius + 0.5 - d, 0.0, 1.0);
            canvas.at(x, y) =
                lerp(c, Rgb{255, 236, 178} + Rgb{0, 14, 40} * (1.0 - d / kSunRadius), cover);
        }
    }
}

// Screen position below the horizon to a place on the water, as a pinhole camera sees it.
struct WaterPoint {
    double across;
    double away;
};

WaterPoint onWater(double x, double y)
{
    const double below = y - kHorizon + 1.0;
    return {(x - kSeenCentreX) / below * 6.0, 600.0 / below};
}

// Height of the swell at a place on the water: long crests running across the view.
double swell(const WaterPoint& w)
{
    return kit::fractalNoise(w.across * 0.35, w.away * 2.6, 31, 5);
}

double waveHeight(double x, double y)
{
    return swell(onWater(x, y));
}

void paintSea(Canvas& canvas)
{
    const Rgb deep{14, 16, 44};
    const Rgb glint{255, 226, 160};
    const Rgb sheen{255, 160, 80};
    const double depthSpan = kHeight - kHorizon;
    for (int y = static_cast<int>(kHorizon); y < kHeight; ++y) {
        const double below = y - kHorizon + 1.0;
        const double depth = below / depthSpan;
        // Near the horizon the waves are too small to see; there the sea is a mirror with
        // faint streaks.
        const double texture = kit::smoothstep(4.0, 44.0, below);
        for (int x = 0; x < kWidth; ++x) {
            const WaterPoint w = onWater(x, y);
            const double height = swell(w);
            const double slope = (swell({w.across, w.away + 0.06}) - height) / 0.06;
            const double ripple = kit::fractalNoise(w.across * 1.3, w.away * 9.0, 43, 3);
            const double streak = kit::valueNoise(x / 45.0, y * 0.8, 47);

            // A facet tilted towards us mirrors the sky higher up, one tilted away mirrors
            // the bright sky just above the horizon.
            double mirrorY =
                kHorizon - below * 0.8 - 1.0 +
                texture * std::clamp(slope, -4.0, 4.0) * 9.0 * std::min(1.0, below / 60.0);
            mirrorY = std::clamp(mirrorY, 0.0, kHorizon - 1.0);
            const double drift = (streak - 0.5) * 6.0;
            const Rgb reflected = canvas.sample(x + drift, mirrorY);
            Rgb sea = reflected * (0.74 - 0.34 * depth) + deep * (0.16 + 0.42 * depth);
            sea = sea * (1.0 + texture * (0.22 * (height - 0.5) + 0.3 * (ripple - 0.5)) +
                         (1.0 - texture) * 0.12 * (streak - 0.5));

            const double dx = x - kSunX;
            const double path = std::exp(-dx * dx / std::pow(26.0 + below * 1.2, 2.0));
            sea = sea + sheen * (0.2 * path * (1.0 - depth));
            const double column = std::exp(-dx * dx / std::pow(6.0 + below * 0.4, 2.0));
            const double sparkle = kit::smoothstep(0.58, 0.78, ripple * 0.6 + height * 0.4);
            sea = sea + glint * (sparkle * column * (1.0 - 0.45 * depth));
            canvas.at(x, y) = sea;
        }
    }
}

// An irregular outline through the given corners: each edge is split and its points are
// pushed in or out a little by noise, as weathered stone would be.
QPainterPath roughOutline(const std::vector<QPointF>& corners, double roughness, std::uint32_t seed)
{
    QPainterPath path;
    path.moveTo(corners.front());
    int step = 0;
    for (std::size_t i = 1; i < corners.size(); ++i) {
        const QPointF a = corners[i - 1];
        const QPointF b = corners[i];
        const QPointF along = b - a;
        const double length = std::hypot(along.x(), along.y());
        const QPointF normal(-along.y() / length, along.x() / length);
        constexpr int parts = 4;
        for (int k = 1; k <= parts; ++k) {
            const double t = static_cast<double>(k) / parts;
            const double push =
                k == parts ? 0.0 : (kit::hashUnit(step++, 0, seed) - 0.5) * 2.0 * roughness;
            path.lineTo(a + along * t + normal * push);
        }
    }
    path.closeSubpath();
    return path;
}

QPainterPath rockShape()
{
    // A sea stack: a steep landward face, a bumpy crown, and on the side of the sun two
    // ledges stepping down to the water; a smaller stone stands off to the right.
    const std::vector<QPointF> main = {
        {40, 320},  {48, 306},  {60, 298},  {70, 290},  {76, 276},  {84, 266},  {88, 250},
        {92, 232},  {98, 220},  {102, 204}, {104, 188}, {110, 176}, {118, 168}, {124, 158},
        {134, 152}, {146, 150}, {152, 142}, {160, 138}, {170, 140}, {180, 136}, {188, 140},
        {196, 150}, {200, 162}, {204, 176}, {206, 190}, {212, 200}, {222, 206}, {232, 212},
        {238, 222}, {242, 236}, {250, 244}, {262, 250}, {274, 256}, {282, 266}, {292, 276},
        {304, 288}, {318, 300}, {332, 312}, {342, 320}};
    const std::vector<QPointF> small = {{352, 320}, {356, 310}, {362, 303}, {370, 300},
                                        {378, 304}, {386, 313}, {392, 320}};
    QPainterPath shape = roughOutline(main, 2.2, 61);
    shape.addPath(roughOutline(small, 1.2, 67));
    return shape;
}

void paintRock(Canvas& canvas)
{
    const QPainterPath shape = rockShape();
    const Mask rock(shape);
    const QRect box = shape.boundingRect().toAlignedRect().adjusted(-2, -2, 2, 2);

    // The reflection first: the rock upside down in the water, broken by the waves.
    for (int y = static_cast<int>(kWaterline); y < kHeight; ++y) {
        const double below = y - kWaterline;
        const double fade = 0.8 * (1.0 - kit::smoothstep(0.0, 170.0, below));
        for (int x = box.left() - 20; x <= box.right() + 20; ++x) {
            const double wave = waveHeight(x, y) - 0.5;
            const double cover =
                rock.at(x + wave * (4.0 + below * 0.25), kWaterline - below * 1.02 - 1.0) * fade;
            if (cover > 0.0)
                canvas.at(x, y) =
                    lerp(canvas.at(x, y), canvas.at(x, y) * 0.3 + Rgb{8, 6, 14}, cover);
        }
    }

    // The stone: nearly black, its bumpy surface lit from the right by the last of the sun,
    // with dark fissures, a warm rim where the outline faces the sun and a faint cool light
    // from the sky along its top.
    auto bump = [](double x, double y) {
        return kit::fractalNoise(x / 9.0, y / 6.0, 71, 4);
    };
    for (int y = std::max(0, box.top()); y <= std::min(kHeight - 1, box.bottom()); ++y) {
        for (int x = std::max(0, box.left()); x <= std::min(kWidth - 1, box.right()); ++x) {
            const double cover = rock.at(x, y);
            if (cover <= 0.0)
                continue;
            const double facingSun = (bump(x + 1, y) - bump(x - 1, y)) * 9.0;
            const double crack = std::abs(2.0 * kit::fractalNoise(x / 16.0, y / 70.0, 79, 3) - 1.0);
            const double towardsSun = kit::smoothstep(90.0, 340.0, x);
            Rgb colour = Rgb{30, 22, 34} * (0.85 + 0.3 * bump(x, y));
            colour =
                colour + Rgb{120, 60, 40} * (std::max(0.0, facingSun) * (0.04 + 0.22 * towardsSun));
            colour = colour * (1.0 - 0.55 * (1.0 - kit::smoothstep(0.0, 0.07, crack)));
            const double rim = std::min(1.0, (1.0 - rock.at(x + 2, y)) * 0.8 +
                                                 (1.0 - rock.at(x + 6, y + 1)) * 0.35);
            colour = colour + Rgb{255, 140, 70} * (rim * (0.25 + 0.4 * towardsSun));
            colour = colour + Rgb{130, 96, 150} * ((1.0 - rock.at(x, y - 3)) * 0.3);
            canvas.at(x, y) = lerp(canvas.at(x, y), colour, cover);
        }
    }

    // A thin line of foam where the swell meets the stone.
    for (int y = static_cast<int>(kWaterline) - 3; y <= static_cast<int>(kWaterline) + 3; ++y) {
        for (int x = box.left() - 8; x <= box.right() + 8; ++x) {
            double near = 0.0;
            for (int k = -4; k <= 4; k += 2)
                near = std::max(near, rock.at(x + k, kWaterline - 3.0));
            const double dy = (y - kWaterline + 0.5) / 1.6;
            const double froth = kit::smoothstep(0.3, 0.7, kit::valueNoise(x / 5.0, y / 2.0, 91));
            const double foam = near * std::exp(-dy * dy) * froth * 0.55;
            canvas.at(x, y) = lerp(canvas.at(x, y), {226, 190, 176}, foam);
        }
    }
}

void finishAsPrint(Canvas& canvas)
{
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const double dx = (x - kSeenCentreX) / kWidth;
            const double dy = (y - kHeight * 0.45) / kHeight;
            const double vignette = 1.0 - 0.55 * (dx * dx + dy * dy);
            const double light = kit::grain(x, y, 101) * 4.2;
            Rgb& c = canvas.at(x, y);
            c = c * vignette + Rgb{light + kit::grain(x, y, 103) * 1.4,
                                   light + kit::grain(x, y, 107) * 1.4,
                                   light + kit::grain(x, y, 109) * 1.4};
        }
    }
}

void drawGulls(QPainter& p)
{
    const std::array<std::array<double, 3>, 4> gulls = {
        {{566, 126, 7.5}, {590, 138, 5.5}, {551, 146, 4.5}, {612, 120, 4.0}}};
    p.setPen(QPen(QColor(34, 24, 44), 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    for (const auto& [x, y, span] : gulls) {
        QPainterPath wings;
        wings.moveTo(x - span, y + span * 0.1);
        wings.quadTo(x - span * 0.45, y - span * 0.55, x, y + span * 0.2);
        wings.quadTo(x + span * 0.45, y - span * 0.55, x + span, y + span * 0.1);
        p.drawPath(wings);
    }
}

// Lettering with a soft dark shadow behind it, filled with a vertical gradient.
void drawLettering(QImage& image, const QPainterPath& text, const QColor& top, const QColor& bottom,
                   const QColor& edge)
{
    QImage shade(image.size(), QImage::Format_ARGB32_Premultiplied);
    shade.fill(Qt::transparent);
    {
        QPainter p(&shade);
        p.setRenderHint(QPainter::Antialiasing);
        p.fillPath(text.translated(2.5, 3.0), QColor(0, 0, 0, 200));
    }
    kit::blur(shade, 3);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.drawImage(0, 0, shade);
    const QRectF box = text.boundingRect();
    QLinearGradient fill(box.topLeft(), box.bottomLeft());
    fill.setColorAt(0.0, top);
    fill.setColorAt(1.0, bottom);
    p.setPen(QPen(edge, 1.0));
    p.setBrush(fill);
    p.drawPath(text);
}

} // namespace

QImage drawSplash()
{
    Canvas canvas;
    paintSky(canvas);
    paintSea(canvas);
    paintSun(canvas);
    paintRock(canvas);
    finishAsPrint(canvas);
    QImage image = canvas.toImage();

    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        drawGulls(p);
    }

    // Title and version at the top, centred on the part the window shows.
    const QFont titleFont = kit::pixelFont(QStringLiteral("URW Bookman"), 68, true);
    const QFont versionFont = kit::pixelFont(QStringLiteral("URW Bookman"), 34, true);
    const QString title = QStringLiteral("Tandemo");
    const QString version = QLatin1String(TandemoVersion::release);
    QPainterPath measureTitle;
    measureTitle.addText(0, 0, titleFont, title);
    QPainterPath measureVersion;
    measureVersion.addText(0, 0, versionFont, version);
    const double gap = 12.0;
    const double total =
        measureTitle.boundingRect().width() + gap + measureVersion.boundingRect().width();
    const double left = kSeenCentreX - total / 2.0;
    const double baseline = 92.0;
    QPainterPath lettering;
    lettering.addText(left - measureTitle.boundingRect().left(), baseline, titleFont, title);
    lettering.addText(left + measureTitle.boundingRect().width() + gap -
                          measureVersion.boundingRect().left(),
                      baseline, versionFont, version);
    drawLettering(image, lettering, QColor(255, 52, 36), QColor(214, 0, 0), QColor(110, 0, 0));

    // The request to wait, at the bottom above the part the window cuts off.
    const QFont waitFont = kit::pixelFont(QStringLiteral("Liberation Sans"), 24, true);
    const QString wait = QStringLiteral("Подождите, идёт загрузка...");
    QPainterPath measureWait;
    measureWait.addText(0, 0, waitFont, wait);
    QPainterPath waitText;
    waitText.addText(kSeenCentreX - measureWait.boundingRect().center().x(), 446.0, waitFont, wait);
    drawLettering(image, waitText, QColor(255, 60, 255), QColor(230, 0, 230), QColor(90, 0, 90));

    return image.convertToFormat(QImage::Format_RGB888);
}
