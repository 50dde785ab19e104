#pragma once
// Shared tools of the picture generator. Every picture is drawn from code, so the noise
// here is our own hash-based noise: the standard library's random distributions differ
// between compilers, and a remade picture must come out the same everywhere.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QList>
#include <QPainterPath>
#include <QRectF>
#include <QString>
#include <cstdint>

namespace kit {

// A well-mixed 32-bit hash of a lattice point and a seed, and the same as a value in [0, 1].
std::uint32_t hash(int x, int y, std::uint32_t seed);
double hashUnit(int x, int y, std::uint32_t seed);

// Smoothly interpolated lattice noise in [0, 1], and its sum over octaves (each octave at
// twice the frequency and half the weight of the one before), normalised to [0, 1].
double valueNoise(double x, double y, std::uint32_t seed);
double fractalNoise(double x, double y, std::uint32_t seed, int octaves);

// Roughly normal film grain with mean 0 and deviation 1 at a pixel.
double grain(int x, int y, std::uint32_t seed);

double smoothstep(double edge0, double edge1, double x);
QColor mix(const QColor& a, const QColor& b, double t);

// Approximate gaussian blur of an ARGB32 premultiplied image (three box passes).
void blur(QImage& image, int radius);

// A heart shape filling `bounds`, point at the bottom centre.
QPainterPath heartPath(const QRectF& bounds);

QFont pixelFont(const QString& family, int pixelSize, bool bold);

// The sixteen colours of the classic VGA palette, and the one nearest to a colour.
const QList<QRgb>& vgaPalette();
QRgb nearestVga(QRgb colour);

// Draws a text with a soft shadow below it: shadow first, then the text itself.
void drawShadowedText(QImage& target, const QPointF& baseline, const QString& text,
                      const QFont& font, const QColor& colour, const QColor& shadow,
                      const QPointF& shadowOffset, int shadowBlur);

} // namespace kit
