// The effect label. Tfx2CustomLabel joins the plain label state (base_label.h) to one owned
// Tfx2TextEffects3D: a settings change arrives in EffectsChanged, which re-sizes and repaints;
// painting and auto-size both go through DrawCaption, which hands the label's state to
// Effects->DrawEffectText (drawing into the widget, or measuring only). Tfx2Label is the class
// forms place; it publishes the properties a form sets.
#pragma once

#include "base_label.h"
#include "text_effects.h"

class Tfx2CustomLabel : public BaseLabel {
    Q_OBJECT

public:
    explicit Tfx2CustomLabel(QWidget* parent = nullptr);
    ~Tfx2CustomLabel() override;

    Tfx2TextEffects3D* effects() const { return m_effects; }
    // Copies the given settings; the caller keeps what it passed.
    void setEffects(const Tfx2TextEffects3D* effects);

    // Draws the caption into `rect` through `canvas`, or with calcOnly measures it (canvas may
    // then be null) and leaves the needed box in `rect`.
    void DrawCaption(QPainter* canvas, QRect& rect, bool calcOnly) const;

protected:
    void adjustBounds() override { FitBoundsToText(); }
    void paintEvent(QPaintEvent* event) override;

private:
    fx2::TAlignment effectiveAlignment() const;
    void FitBoundsToText();
    void EffectsChanged(Tfx2TextEffects3D* sender);

    Tfx2TextEffects3D* m_effects;
};

class Tfx2Label : public Tfx2CustomLabel {
    Q_OBJECT
    Q_PROPERTY(QString caption READ caption WRITE setCaption)
    Q_PROPERTY(QColor textColor READ textColor WRITE setTextColor)
    Q_PROPERTY(fx2::TAlignment alignment READ alignment WRITE setAlignment)
    Q_PROPERTY(fx2::TTextLayout layout READ layout WRITE setLayout)
    Q_PROPERTY(bool wordWrap READ wordWrap WRITE setWordWrap)
    Q_PROPERTY(bool autoSize READ autoSize WRITE setAutoSize)
    Q_PROPERTY(bool transparent READ transparent WRITE setTransparent)
    Q_PROPERTY(bool parentColor READ parentColor WRITE setParentColor)
    Q_PROPERTY(bool showAccelChar READ showAccelChar WRITE setShowAccelChar)

public:
    using Tfx2CustomLabel::Tfx2CustomLabel;
};
