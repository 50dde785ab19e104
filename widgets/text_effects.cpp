#include "text_effects.h"

#include "font_measurer.h"

#include <QPainterPath>
#include <QVarLengthArray>
#include <QtMath>
#include <cmath>

namespace {

int normaliseAngle(int angle)
{
    angle %= 360;
    return angle < 0 ? angle + 360 : angle;
}

// Scale from the caller's logical pixels to the pixels that end up on the device: the device's
// own ratio, or more when the caller draws scaled (rendering into a high-density image).
qreal outputScale(const QPainter& canvas)
{
    const QTransform& t = canvas.deviceTransform();
    const qreal transformScale = std::hypot(t.m11(), t.m12());
    return std::max({qreal(1), canvas.device()->devicePixelRatio(), transformScale});
}

// Paints text passes of one laid-out block into the off-screen image.
class BlockPainter {
public:
    BlockPainter(QPainter& painter, QSize area, const fx2::TextBlock& block, const QFont& font,
                 int ascent, const QVarLengthArray<QPoint, 4>& positions)
        : m_painter(painter), m_area(area), m_block(block), m_font(font), m_ascent(ascent),
          m_positions(positions)
    {}

    void fillText(QPoint origin, const QColor& colour)
    {
        m_painter.setPen(colour);
        for (qsizetype i = 0; i < m_block.lines.size(); ++i) {
            // A deep shadow puts its pass origin near the ends of the int range; the cell is
            // summed wider than int and a line that cannot reach the picture is left out.
            const qint64 x = qint64(origin.x()) + m_positions[i].x();
            const qint64 y = qint64(origin.y()) + m_positions[i].y();
            if (!mayReach(x, y, m_block.lineWidths[i]))
                continue;
            const QPointF cell{static_cast<qreal>(x), static_cast<qreal>(y)};
            if (m_block.angle == 0) {
                m_painter.drawText(QPointF(cell.x(), cell.y() + m_ascent), m_block.lines[i]);
                continue;
            }
            m_painter.setTransform(cellTransform(cell));
            m_painter.drawText(QPointF(0, m_ascent), m_block.lines[i]);
            m_painter.resetTransform();
        }
    }

    // The letters' outlines at a pass origin. Every pass records the same outlines, so they
    // are built once and moved.
    QPainterPath textPath(QPointF origin)
    {
        if (!m_pathBuilt) {
            for (qsizetype i = 0; i < m_block.lines.size(); ++i) {
                const QPoint cell = m_positions[i];
                if (m_block.angle == 0) {
                    m_path.addText(QPointF(cell.x(), cell.y() + m_ascent), m_font,
                                   m_block.lines[i]);
                    continue;
                }
                QPainterPath line;
                line.addText(QPointF(0, m_ascent), m_font, m_block.lines[i]);
                m_path.addPath(cellTransform(cell).map(line));
            }
            m_pathBuilt = true;
        }
        return m_path.translated(origin);
    }

    void strokeText(QPoint origin, const QPen& pen, QPainter::CompositionMode mode)
    {
        const QPainterPath path = textPath(origin);
        const qreal margin = std::max(pen.widthF(), qreal(1));
        if (!path.boundingRect().intersects(
                QRectF(QPointF(0, 0), QSizeF(m_area)).adjusted(-margin, -margin, margin, margin)))
            return;
        m_painter.setCompositionMode(mode);
        m_painter.strokePath(path, pen);
        m_painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    }

    // Tiles the glyph from the image's top-left corner, seen only through the letters.
    void fillWithGlyph(const QImage& glyph)
    {
        if (glyph.width() <= 0 || glyph.height() <= 0)
            return;
        // A texture brush anchored at (0, 0) lays the tiles exactly where a loop of drawImage
        // calls stepping by the glyph size would, in one fill.
        m_painter.fillPath(textPath(QPointF(0, 0)), QBrush(glyph));
    }

private:
    // Whether a line whose cell is at (x, y) can put a pixel on the picture, whichever way it
    // turns: no point of it lies farther from the cell than its width plus its height.
    bool mayReach(qint64 x, qint64 y, int lineWidth) const
    {
        const qint64 reach = qint64(std::max(lineWidth, 0)) + std::max(m_block.lineHeight, 0) + 1;
        return x > -reach && x < m_area.width() + reach && y > -reach &&
               y < m_area.height() + reach;
    }

    // Lines turn about their cell's top-left corner; Qt turns clockwise for positive angles
    // while the settings count counter-clockwise on screen.
    QTransform cellTransform(QPointF cell) const
    {
        QTransform t;
        t.translate(cell.x(), cell.y());
        t.rotate(-m_block.angle);
        return t;
    }

    QPainter& m_painter;
    QSize m_area;
    const fx2::TextBlock& m_block;
    const QFont& m_font;
    int m_ascent;
    const QVarLengthArray<QPoint, 4>& m_positions;
    QPainterPath m_path;
    bool m_pathBuilt = false;
};

// Pixels of the key colour become fully transparent so that the parent shows through them.
void leaveOutKeyColour(QImage& image, QRgb key)
{
    // One pass over the whole buffer: the image is freshly made, so its rows are contiguous.
    auto* pixel = reinterpret_cast<QRgb*>(image.bits());
    const qsizetype count = image.sizeInBytes() / qsizetype(sizeof(QRgb));
    for (qsizetype i = 0; i < count; ++i) {
        if (pixel[i] == key)
            pixel[i] = 0;
    }
}

} // namespace

QPen EffectPen::toQPen(const QPalette& palette) const
{
    QPen pen(color.resolve(palette), width, style);
    return pen;
}

Tfx2TextEffects3D::Tfx2TextEffects3D(QObject* parent) : QObject(parent) {}

void Tfx2TextEffects3D::NotifyChange()
{
    emit changed(this);
}

void Tfx2TextEffects3D::setAngle(int angle)
{
    angle = normaliseAngle(angle);
    if (angle == m_angle)
        return;
    m_angle = angle;
    NotifyChange();
}

void Tfx2TextEffects3D::setPen(const EffectPen& pen)
{
    if (pen == m_pen)
        return;
    m_pen = pen;
    NotifyChange();
}

void Tfx2TextEffects3D::setShadowAngle(int angle)
{
    angle = normaliseAngle(angle);
    if (angle == m_shadowAngle)
        return;
    m_shadowAngle = angle;
    NotifyChange();
}

void Tfx2TextEffects3D::setShadowDepth(int depth)
{
    if (depth == m_shadowDepth)
        return;
    m_shadowDepth = depth;
    NotifyChange();
}

void Tfx2TextEffects3D::setShadowColor(TColor colour)
{
    if (colour == m_shadowColor)
        return;
    m_shadowColor = colour;
    NotifyChange();
}

void Tfx2TextEffects3D::setStyle(fx2::TTextStyle3D style)
{
    if (style == m_style)
        return;
    m_style = style;
    NotifyChange();
}

void Tfx2TextEffects3D::setGlyph(const QImage& glyph)
{
    m_glyph = glyph.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    m_glyph.setDevicePixelRatio(1);
    NotifyChange();
}

void Tfx2TextEffects3D::setOutline(bool outline)
{
    if (outline == m_outline)
        return;
    m_outline = outline;
    NotifyChange();
}

void Tfx2TextEffects3D::assign(const QObject* source)
{
    const auto* other = qobject_cast<const Tfx2TextEffects3D*>(source);
    if (other == nullptr) {
        const char* from = source != nullptr ? source->metaObject()->className() : "nil";
        throw AssignError(std::string("Cannot assign a ") + from + " to a " +
                          metaObject()->className());
    }
    m_angle = other->m_angle;
    setPen(other->m_pen);
    m_shadowAngle = other->m_shadowAngle;
    m_shadowDepth = other->m_shadowDepth;
    m_shadowColor = other->m_shadowColor;
    m_style = other->m_style;
    NotifyChange();
}

void Tfx2TextEffects3D::DrawEffectText(QPainter* canvas, QRect& rect, const EffectCaption& caption,
                                       bool calcOnly) const
{
    const FontMeasurer measurer(caption.font);
    const fx2::TextBlock block = fx2::layoutTextBlock(caption.text, rect.width(), rect.height(),
                                                      m_angle, caption.wordWrap, measurer);
    const fx2::Offset shadow = fx2::shadowOffset(m_shadowAngle, m_shadowDepth);
    if (calcOnly) {
        rect = fx2::measureBox(block, shadow);
        return;
    }
    if (canvas == nullptr || rect.width() <= 0 || rect.height() <= 0)
        return;

    const qreal scale = outputScale(*canvas);
    QImage image(qCeil(rect.width() * scale), qCeil(rect.height() * scale),
                 QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        throw std::bad_alloc();
    image.setDevicePixelRatio(scale);
    const QRgb key = qPremultiply(caption.background.rgba());
    image.fill(key);

    // The key-colour copy keeps every pixel that differs from the background, so a blended
    // edge pixel would land on the parent as a fringe of the background colour: with a
    // transparent label the letters are drawn without antialiasing. In whole pixels a
    // font's hinting decides how thick a stem is, and the hinting of one stand-in family
    // differs between its releases (Liberation 1.07's bold stems come out 2 px at 11 px,
    // 2.1's 1 px), so the letters are taken from the outlines alone: the same pixels
    // whichever release is installed.
    QFont drawFont = caption.font;
    if (caption.transparent) {
        drawFont.setStyleStrategy(
            QFont::StyleStrategy(caption.font.styleStrategy() | QFont::NoAntialias));
        drawFont.setHintingPreference(QFont::PreferNoHinting);
    }

    QVarLengthArray<QPoint, 4> positions;
    positions.reserve(block.lines.size());
    for (qsizetype i = 0; i < block.lines.size(); ++i) {
        positions.append(fx2::linePosition(block, static_cast<int>(i), block.lineWidths[i],
                                           caption.alignment, caption.layout));
    }

    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing, !caption.transparent);
        painter.setRenderHint(QPainter::TextAntialiasing, !caption.transparent);
        painter.setFont(drawFont);
        BlockPainter passes(painter, rect.size(), block, drawFont, measurer.ascent(), positions);
        const QPen pen = m_pen.toQPen(caption.palette);

        auto textPass = [&](QPoint origin, const QColor& colour, bool shadowPass) {
            if (!m_outline) {
                passes.fillText(origin, colour);
                return;
            }
            QPen outlinePen = pen;
            if (shadowPass)
                outlinePen.setColor(m_shadowColor.resolve(caption.palette));
            passes.strokeText(origin, outlinePen, m_pen.mode);
        };

        if (shadow.dx != 0 || shadow.dy != 0)
            textPass(QPoint(shadow.dx, shadow.dy), m_shadowColor.resolve(caption.palette), true);

        const fx2::TTextStyle3D relief = caption.enabled ? m_style : fx2::tsLowered;
        if (relief == fx2::tsRaised)
            textPass(QPoint(-1, -1), clBtnHighlight.resolve(caption.palette), false);
        else if (relief == fx2::tsLowered)
            textPass(QPoint(1, 1), clBtnHighlight.resolve(caption.palette), false);

        if (m_glyph.isNull())
            textPass(QPoint(0, 0),
                     (caption.enabled ? caption.fontColor : clBtnShadow).resolve(caption.palette),
                     false);
        else
            passes.fillWithGlyph(m_glyph);
    }

    if (caption.transparent)
        leaveOutKeyColour(image, key);
    canvas->drawImage(rect.topLeft(), image);
}
