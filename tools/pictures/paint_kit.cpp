#include "paint_kit.h"

#include <QPainter>
#include <QtMath>
#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <vector>

namespace kit {

std::uint32_t hash(int x, int y, std::uint32_t seed)
{
    std::uint32_t h = seed * 0x9E3779B1u;
    h ^= static_cast<std::uint32_t>(x) * 0x85EBCA77u;
    h = (h << 13) | (h >> 19);
    h ^= static_cast<std::uint32_t>(y) * 0xC2B2AE3Du;
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
    return h;
}

double hashUnit(int x, int y, std::uint32_t seed)
{
    return hash(x, y, seed) / 4294967295.0;
}

double valueNoise(double x, double y, std::uint32_t seed)
{
    const double fx = std::floor(x);
    const double fy = std::floor(y);
    const int ix = static_cast<int>(fx);
    const int iy = static_cast<int>(fy);
    const double tx = x - fx;
    const double ty = y - fy;
    const double sx = tx * tx * (3.0 - 2.0 * tx);
    const double sy = ty * ty * (3.0 - 2.0 * ty);
    const double top = hashUnit(ix, iy, seed) * (1.0 - sx) + hashUnit(ix + 1, iy, seed) * sx;
    const double bottom =
        hashUnit(ix, iy + 1, seed) * (1.0 - sx) + hashUnit(ix + 1, iy + 1, seed) * sx;
    return top * (1.0 - sy) + bottom * sy;
}

double fractalNoise(double x, double y, std::uint32_t seed, int octaves)
{
    double sum = 0.0;
    double weight = 1.0;
    double total = 0.0;
    for (int i = 0; i < octaves; ++i) {
        sum += valueNoise(x, y, seed + static_cast<std::uint32_t>(i) * 101u) * weight;
        total += weight;
        x *= 2.0;
        y *= 2.0;
        weight *= 0.5;
    }
    return sum / total;
}

double grain(int x, int y, std::uint32_t seed)
{
    // The sum of four uniform values is close enough to a normal distribution for grain;
    // their deviation is sqrt(4/12), hence the scale.
    double sum = 0.0;
    for (std::uint32_t i = 0; i < 4; ++i)
        sum += hashUnit(x, y, seed + i * 7919u);
    return (sum - 2.0) * 1.7320508;
}

double smoothstep(double edge0, double edge1, double x)
{
    const double t = std::clamp((x - edge0) / (edge1 - edge0), 0.0, 1.0);
    return t * t * (3.0 - 2.0 * t);
}

QColor mix(const QColor& a, const QColor& b, double t)
{
    t = std::clamp(t, 0.0, 1.0);
    return QColor::fromRgbF(static_cast<float>(a.redF() + (b.redF() - a.redF()) * t),
                            static_cast<float>(a.greenF() + (b.greenF() - a.greenF()) * t),
                            static_cast<float>(a.blueF() + (b.blueF() - a.blueF()) * t),
                            static_cast<float>(a.alphaF() + (b.alphaF() - a.alphaF()) * t));
}

namespace {

// One running-sum box pass along rows (horizontal) or columns, clamped at the edges.
void boxPass(QImage& image, int radius, bool horizontal)
{
    const int w = image.width();
    const int h = image.height();
    const int lines = horizontal ? h : w;
    const int length = horizontal ? w : h;
    std::vector<std::array<int, 4>> line(static_cast<std::size_t>(length));
    const int span = 2 * radius + 1;
    for (int l = 0; l < lines; ++l) {
        auto pixel = [&](int i) -> QRgb& {
            const int x = horizontal ? i : l;
            const int y = horizontal ? l : i;
            return reinterpret_cast<QRgb*>(image.scanLine(y))[x];
        };
        for (int i = 0; i < length; ++i) {
            const QRgb p = pixel(i);
            line[static_cast<std::size_t>(i)] = {qAlpha(p), qRed(p), qGreen(p), qBlue(p)};
        }
        std::array<int, 4> sum{};
        for (int k = -radius; k <= radius; ++k) {
            const auto& p = line[static_cast<std::size_t>(std::clamp(k, 0, length - 1))];
            for (int c = 0; c < 4; ++c)
                sum[static_cast<std::size_t>(c)] += p[static_cast<std::size_t>(c)];
        }
        for (int i = 0; i < length; ++i) {
            pixel(i) = qRgba(sum[1] / span, sum[2] / span, sum[3] / span, sum[0] / span);
            const auto& out = line[static_cast<std::size_t>(std::clamp(i - radius, 0, length - 1))];
            const auto& in =
                line[static_cast<std::size_t>(std::clamp(i + radius + 1, 0, length - 1))];
            for (std::size_t c = 0; c < 4; ++c)
                sum[c] += in[c] - out[c];
        }
    }
}

} // namespace

void blur(QImage& image, int radius)
{
    if (radius <= 0)
        return;
    image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    for (int pass = 0; pass < 3; ++pass) {
        boxPass(image, radius, true);
        boxPass(image, radius, false);
    }
}

QPainterPath heartPath(const QRectF& bounds)
{
    // The classic heart curve: x = 16 sin^3 t, y = 13 cos t - 5 cos 2t - 2 cos 3t - cos 4t,
    // which spans x in [-16, 16] and y in [-17, 12] (y upwards).
    constexpr int steps = 240;
    constexpr double top = 12.0;
    constexpr double bottom = -17.0;
    QPainterPath path;
    for (int i = 0; i <= steps; ++i) {
        const double t = 2.0 * M_PI * i / steps;
        const double s = std::sin(t);
        const double x = 16.0 * s * s * s;
        const double y =
            13.0 * std::cos(t) - 5.0 * std::cos(2 * t) - 2.0 * std::cos(3 * t) - std::cos(4 * t);
        const QPointF p(bounds.left() + (x + 16.0) / 32.0 * bounds.width(),
                        bounds.top() + (top - y) / (top - bottom) * bounds.height());
        if (i == 0)
            path.moveTo(p);
        else
            path.lineTo(p);
    }
    path.closeSubpath();
    return path;
}

QFont pixelFont(const QString& family, int pixelSize, bool bold)
{
    QFont font(family);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

const QList<QRgb>& vgaPalette()
{
    static const QList<QRgb> palette = {
        qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
        qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
        qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
        qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255)};
    return palette;
}

QRgb nearestVga(QRgb colour)
{
    QRgb best = vgaPalette().front();
    int bestDistance = INT_MAX;
    for (QRgb candidate : vgaPalette()) {
        const int dr = qRed(colour) - qRed(candidate);
        const int dg = qGreen(colour) - qGreen(candidate);
        const int db = qBlue(colour) - qBlue(candidate);
        const int distance = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = candidate;
        }
    }
    return best;
}

void drawShadowedText(QImage& target, const QPointF& baseline, const QString& text,
                      const QFont& font, const QColor& colour, const QColor& shadow,
                      const QPointF& shadowOffset, int shadowBlur)
{
    QImage shade(target.size(), QImage::Format_ARGB32_Premultiplied);
    shade.fill(Qt::transparent);
    {
        QPainter p(&shade);
        p.setRenderHint(QPainter::Antialiasing);
        p.setFont(font);
        p.setPen(shadow);
        p.drawText(baseline + shadowOffset, text);
    }
    blur(shade, shadowBlur);
    QPainter p(&target);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.drawImage(0, 0, shade);
    p.setFont(font);
    p.setPen(colour);
    p.drawText(baseline, text);
}

} // namespace kit
