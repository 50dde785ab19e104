// The program icon: two hearts, one overlapping the other. The same shapes give the
// 16-colour 32 x 32 icon of the about box and the full-colour desktop icons.
//
// The shapes live in a 256 x 256 design square. The 16-colour icon is drawn in that
// square without antialiasing, in palette colours only, and each 8 x 8 block becomes the
// colour most of its pixels have; outlines are then added pixel by pixel. This keeps the
// small icon crisp and strictly within the palette.

#include "paint_kit.h"
#include "pictures.h"

#include <QHash>
#include <QPainter>
#include <QRadialGradient>
#include <QTransform>
#include <map>

namespace {

constexpr double kDesign = 256.0;

QPainterPath turned(const QPainterPath& path, double degrees)
{
    const QPointF centre = path.boundingRect().center();
    QTransform t;
    t.translate(centre.x(), centre.y());
    t.rotate(degrees);
    t.translate(-centre.x(), -centre.y());
    return t.map(path);
}

// The hearts lean towards each other; `lean` scales the tilt (the 16-colour icon keeps them
// upright, since tilted curves break into ragged steps at 32 pixels).
QPainterPath backHeart(double lean)
{
    return turned(kit::heartPath(QRectF(10, 30, 150, 136)), -14 * lean);
}

QPainterPath frontHeart(double lean)
{
    return turned(kit::heartPath(QRectF(96, 88, 148, 134)), 12 * lean);
}

// The lower right part of a heart that lies in its own shade.
QPainterPath shadeOf(const QPainterPath& heart, double depth)
{
    return heart.subtracted(heart.translated(-depth, -depth));
}

QRectF glossOf(const QPainterPath& heart)
{
    const QRectF box = heart.boundingRect();
    return QRectF(box.left() + box.width() * 0.17, box.top() + box.height() * 0.14,
                  box.width() * 0.2, box.height() * 0.16);
}

} // namespace

QImage drawProgramIcon()
{
    constexpr int size = 32;
    constexpr int scale = 8;
    const QRgb black = qRgb(0, 0, 0);
    const QRgb maroon = qRgb(128, 0, 0);
    const QRgb purple = qRgb(128, 0, 128);
    const QRgb red = qRgb(255, 0, 0);
    const QRgb fuchsia = qRgb(255, 0, 255);
    const QRgb white = qRgb(255, 255, 255);

    QImage design(size * scale, size * scale, QImage::Format_ARGB32);
    design.fill(Qt::transparent);
    {
        QPainter p(&design);
        p.setPen(Qt::NoPen);
        const QPainterPath back = backHeart(0.0);
        const QPainterPath front = frontHeart(0.0);
        p.setBrush(QColor(fuchsia));
        p.drawPath(back);
        p.setBrush(QColor(purple));
        p.drawPath(shadeOf(back, 14));
        p.setBrush(QColor(white));
        p.drawEllipse(glossOf(back));
        p.setBrush(QColor(red));
        p.drawPath(front);
        p.setBrush(QColor(maroon));
        p.drawPath(shadeOf(front, 14));
        p.setBrush(QColor(white));
        p.drawEllipse(glossOf(front));
    }

    // Each pixel takes the colour most of its block has (transparent counts as a colour).
    QImage icon(size, size, QImage::Format_ARGB32);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            std::map<QRgb, int> votes;
            for (int dy = 0; dy < scale; ++dy)
                for (int dx = 0; dx < scale; ++dx)
                    ++votes[design.pixel(x * scale + dx, y * scale + dy)];
            QRgb winner = 0;
            int most = -1;
            for (const auto& [colour, count] : votes) {
                if (count > most) {
                    most = count;
                    winner = colour;
                }
            }
            icon.setPixel(x, y, qAlpha(winner) < 128 ? qRgba(0, 0, 0, 0) : winner);
        }
    }

    // Outlines: black around the pair, and black where the front heart lies on the back one.
    auto at = [&icon](int x, int y) -> QRgb {
        if (x < 0 || y < 0 || x >= size || y >= size)
            return qRgba(0, 0, 0, 0);
        return icon.pixel(x, y);
    };
    auto isBack = [](QRgb c) {
        return c == qRgb(255, 0, 255) || c == qRgb(128, 0, 128);
    };
    auto isFront = [](QRgb c) {
        return c == qRgb(255, 0, 0) || c == qRgb(128, 0, 0);
    };
    QImage outlined = icon;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const QRgb here = at(x, y);
            if (qAlpha(here) == 0)
                continue;
            bool edge = false;
            bool seam = false;
            for (const auto& [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
                const QRgb next = at(x + dx, y + dy);
                edge = edge || qAlpha(next) == 0;
                seam = seam || (isBack(here) && isFront(next));
            }
            if (edge || seam)
                outlined.setPixel(x, y, black);
        }
    }

    // Store it as an indexed picture holding only the colours it uses.
    QList<QRgb> table;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            if (!table.contains(outlined.pixel(x, y)))
                table.append(outlined.pixel(x, y));
    return outlined.convertToFormat(QImage::Format_Indexed8, table, Qt::ThresholdDither);
}

QImage drawDesktopIcon(int size)
{
    QImage icon(size, size, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    const double unit = size / kDesign;
    const double line = std::max(1.0, 4.0 * unit);

    const QPainterPath back = backHeart(1.0);
    const QPainterPath front = frontHeart(1.0);

    // The front heart casts a soft shadow on the back one.
    QImage shadow(size, size, QImage::Format_ARGB32_Premultiplied);
    shadow.fill(Qt::transparent);
    {
        QPainter p(&shadow);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(unit, unit);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(40, 0, 30, 110));
        p.drawPath(front.translated(-6, 8));
    }
    kit::blur(shadow, std::max(1, static_cast<int>(5 * unit)));

    QPainter p(&icon);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(unit, unit);

    auto paintHeart = [&](const QPainterPath& heart, const QColor& light, const QColor& mid,
                          const QColor& dark) {
        const QRectF box = heart.boundingRect();
        QRadialGradient body(box.left() + box.width() * 0.36, box.top() + box.height() * 0.3,
                             box.width() * 0.78);
        body.setColorAt(0.0, light);
        body.setColorAt(0.45, mid);
        body.setColorAt(1.0, dark);
        p.setPen(QPen(dark.darker(150), line / unit));
        p.setBrush(body);
        p.drawPath(heart);
        QRadialGradient gloss(glossOf(heart).center(), glossOf(heart).width() * 0.9);
        gloss.setColorAt(0.0, QColor(255, 255, 255, 230));
        gloss.setColorAt(1.0, QColor(255, 255, 255, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(gloss);
        p.drawEllipse(glossOf(heart).adjusted(-6, -6, 6, 6));
    };

    paintHeart(back, QColor(255, 150, 235), QColor(220, 40, 190), QColor(120, 0, 110));
    p.save();
    p.setClipPath(back);
    p.resetTransform();
    p.drawImage(0, 0, shadow);
    p.restore();
    paintHeart(front, QColor(255, 140, 120), QColor(235, 20, 30), QColor(140, 0, 10));
    return icon;
}
