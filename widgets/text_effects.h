// Settings of an effect label and the drawing that uses them. A label owns one
// Tfx2TextEffects3D; every setter that really changes a value emits changed(), which the label
// answers by re-sizing and repainting. At paint time the label hands its caption, font, colours
// and box to DrawEffectText (as an EffectCaption), which lays the text out (text_block.h), paints
// shadow, relief and face into an off-screen image and copies that image to the label.
#pragma once

#include "effect_colour.h"
#include "text_block.h"

#include <QFont>
#include <QImage>
#include <QObject>
#include <QPainter>
#include <QPen>
#include <stdexcept>

// The pen that strokes outlined letters.
struct EffectPen {
    TColor color = clBlack;
    int width = 1;
    Qt::PenStyle style = Qt::SolidLine;
    QPainter::CompositionMode mode = QPainter::CompositionMode_SourceOver;

    QPen toQPen(const QPalette& palette) const;
    friend bool operator==(const EffectPen&, const EffectPen&) = default;
};

// A caption and how its label shows it: everything DrawEffectText needs from the label.
struct EffectCaption {
    QString text;
    QFont font;
    TColor fontColor = clWindowText; // the letters' colour, resolved through `palette`
    QColor background;               // already resolved; the key colour of a transparent label
    QPalette palette;                // resolves the system colours of the settings and fontColor
    bool enabled = true;             // a disabled caption is drawn lowered and greyed
    bool transparent = false;        // the background is left out, letters are not antialiased
    // Where the block sits across and down the box; a right-to-left label passes its
    // alignment already mirrored.
    fx2::TAlignment alignment = fx2::taLeftJustify;
    fx2::TTextLayout layout = fx2::tlTop;
    bool wordWrap = false; // lines wider than the box break at spaces and tabs
};

// Raised when a settings object is asked to copy from something that is not one.
class AssignError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class Tfx2TextEffects3D : public QObject {
    Q_OBJECT
    Q_PROPERTY(int angle READ angle WRITE setAngle)
    Q_PROPERTY(QImage glyph READ glyph WRITE setGlyph)
    Q_PROPERTY(bool outline READ outline WRITE setOutline)
    Q_PROPERTY(int shadowAngle READ shadowAngle WRITE setShadowAngle)
    Q_PROPERTY(int shadowDepth READ shadowDepth WRITE setShadowDepth)
    Q_PROPERTY(fx2::TTextStyle3D style READ style WRITE setStyle)

public:
    explicit Tfx2TextEffects3D(QObject* parent = nullptr);

    int angle() const { return m_angle; }
    // Angles are kept in 0...359: -90 is stored as 270, 725 as 5.
    void setAngle(int angle);
    const EffectPen& pen() const { return m_pen; }
    void setPen(const EffectPen& pen);
    int shadowAngle() const { return m_shadowAngle; }
    void setShadowAngle(int angle);
    int shadowDepth() const { return m_shadowDepth; }
    void setShadowDepth(int depth);
    TColor shadowColor() const { return m_shadowColor; }
    void setShadowColor(TColor colour);
    fx2::TTextStyle3D style() const { return m_style; }
    void setStyle(fx2::TTextStyle3D style);
    const QImage& glyph() const { return m_glyph; }
    // Glyph pixels count as logical pixels whatever ratio the image carries. Setting a glyph
    // always notifies, as replacing a picture does.
    void setGlyph(const QImage& glyph);
    bool outline() const { return m_outline; }
    void setOutline(bool outline);

    // Takes Angle, Pen, ShadowAngle, ShadowDepth, ShadowColor and Style from another settings
    // object (not Glyph nor Outline) and notifies once at the end; a differing pen notifies on
    // its own first. Anything else throws AssignError and leaves the settings as they were.
    void assign(const QObject* source);

    // With calcOnly, only measures: `rect` becomes the box the caption needs (its far edges
    // x()+width() and y()+height() are what a caller reads) and `canvas` may be null.
    // Otherwise paints into `rect` on `canvas` and leaves `rect` as it was.
    void DrawEffectText(QPainter* canvas, QRect& rect, const EffectCaption& caption,
                        bool calcOnly) const;

signals:
    void changed(Tfx2TextEffects3D* sender);

private:
    void NotifyChange();

    int m_angle = 0;
    EffectPen m_pen;
    int m_shadowAngle = 315;
    int m_shadowDepth = 0;
    TColor m_shadowColor = clBtnShadow;
    fx2::TTextStyle3D m_style = fx2::tsNormal;
    QImage m_glyph;
    bool m_outline = false;
};
