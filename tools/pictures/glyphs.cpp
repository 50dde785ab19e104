// The two small button glyphs. At 16 x 16 a drawing is best made pixel by pixel, so each
// glyph is a pixel map with its own colour key. The disabled half is derived from the
// normal one the way classic toolkits grey a glyph: the dark "ink" becomes grey with a
// white copy one pixel down and right, as if pressed into the button face, and the light
// fill disappears.

#include "pictures.h"

#include <QHash>
#include <QPainter>
#include <array>

namespace {

constexpr int kCell = 16;
using PixelMap = std::array<const char*, kCell>;

QImage paintMap(const PixelMap& rows, const QHash<char, QColor>& colours)
{
    QImage cell(kCell, kCell, QImage::Format_ARGB32);
    cell.fill(Qt::transparent);
    QPainter p(&cell);
    for (int y = 0; y < kCell; ++y) {
        if (qstrlen(rows[static_cast<std::size_t>(y)]) != kCell)
            qFatal("glyph row %d is not %d pixels wide", y, kCell);
        for (int x = 0; x < kCell; ++x) {
            const char key = rows[static_cast<std::size_t>(y)][x];
            if (key == '.')
                continue;
            if (!colours.contains(key))
                qFatal("glyph colour key '%c' has no colour", key);
            p.fillRect(x, y, 1, 1, colours.value(key));
        }
    }
    return cell;
}

bool isInk(QRgb pixel)
{
    return qAlpha(pixel) == 255 && qGray(pixel) < 150;
}

QImage disabledCell(const QImage& normal)
{
    QImage cell(kCell, kCell, QImage::Format_ARGB32);
    cell.fill(Qt::transparent);
    QPainter p(&cell);
    for (const auto& [offset, colour] :
         {std::pair{1, QColor(255, 255, 255)}, std::pair{0, QColor(128, 128, 128)}}) {
        for (int y = 0; y < kCell; ++y) {
            for (int x = 0; x < kCell; ++x) {
                if (isInk(normal.pixel(x, y)))
                    p.fillRect(x + offset, y + offset, 1, 1, colour);
            }
        }
    }
    return cell;
}

QImage twoStates(const QImage& normal)
{
    QImage glyph(2 * kCell, kCell, QImage::Format_ARGB32);
    glyph.fill(Qt::transparent);
    QPainter p(&glyph);
    p.drawImage(0, 0, normal);
    p.drawImage(kCell, 0, disabledCell(normal));
    return glyph;
}

} // namespace

QImage drawConsultGlyph()
{
    // A speech bubble with a question mark.
    static const PixelMap rows = {
        "................", //
        "...oooooooooo...", //
        "..owwwwwwwwwwo..", //
        ".owwwwbbbbwwwwo.", //
        ".owwwbbwwbbwwwo.", //
        ".owwwwwwwbbwwwo.", //
        ".owwwwwwbbwwwwo.", //
        ".owwwwwbbwwwwwo.", //
        ".owwwwwbbwwwwyo.", //
        ".owwwwwwwwwwwyo.", //
        ".owwwwwbbwwwyyo.", //
        "..owwwwwwwyyyo..", //
        "...oowwoooooo...", //
        "...owo..........", //
        "..oo............", //
        "................", //
    };
    const QHash<char, QColor> colours = {{'o', QColor(24, 48, 140)},
                                         {'w', QColor(255, 255, 255)},
                                         {'y', QColor(196, 212, 240)},
                                         {'b', QColor(0, 72, 208)}};
    return twoStates(paintMap(rows, colours));
}

QImage drawDeveloperGlyph()
{
    // A sealed envelope: a letter to the developer.
    static const PixelMap rows = {
        "................", //
        "................", //
        "................", //
        ".oooooooooooooo.", //
        ".ooppppppppppoo.", //
        ".owoppppppppowo.", //
        ".owwoppppppowwo.", //
        ".owwwoppppowwwo.", //
        ".owwwwoppowwwwo.", //
        ".owwwwwrrwwwwwo.", //
        ".owwwwwrrwwwwwo.", //
        ".oyyyyyyyyyyyyo.", //
        ".oooooooooooooo.", //
        "................", //
        "................", //
        "................", //
    };
    const QHash<char, QColor> colours = {{'o', QColor(96, 76, 40)},
                                         {'p', QColor(240, 222, 164)},
                                         {'w', QColor(255, 250, 226)},
                                         {'y', QColor(218, 200, 150)},
                                         {'r', QColor(208, 0, 0)}};
    return twoStates(paintMap(rows, colours));
}
