#include "fx2label.h"

#include <algorithm>

Tfx2CustomLabel::Tfx2CustomLabel(QWidget* parent)
    : BaseLabel(parent), m_effects(new Tfx2TextEffects3D(this))
{
    connect(m_effects, &Tfx2TextEffects3D::changed, this, &Tfx2CustomLabel::EffectsChanged);
}

Tfx2CustomLabel::~Tfx2CustomLabel() = default;

void Tfx2CustomLabel::setEffects(const Tfx2TextEffects3D* effects)
{
    m_effects->assign(effects);
}

fx2::TAlignment Tfx2CustomLabel::effectiveAlignment() const
{
    // Right-to-left labels mirror left and right; centre stays centre.
    const fx2::TAlignment own = alignment();
    if (layoutDirection() != Qt::RightToLeft || own == fx2::taCenter)
        return own;
    return own == fx2::taLeftJustify ? fx2::taRightJustify : fx2::taLeftJustify;
}

void Tfx2CustomLabel::DrawCaption(QPainter* canvas, QRect& rect, bool calcOnly) const
{
    m_effects->DrawEffectText(canvas, rect,
                              {.text = caption(),
                               .font = font(),
                               .fontColor = fontColor(),
                               .background = backgroundColor(),
                               .palette = palette(),
                               .enabled = isEnabled(),
                               .transparent = transparent(),
                               .alignment = effectiveAlignment(),
                               .layout = layout(),
                               .wordWrap = wordWrap()},
                              calcOnly);
}

void Tfx2CustomLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QRect area = rect();
    DrawCaption(&painter, area, false);
}

void Tfx2CustomLabel::FitBoundsToText()
{
    if (isLoading() || !autoSize())
        return;
    QRect needed = rect();
    DrawCaption(nullptr, needed, true);
    const int right = needed.x() + needed.width();
    const int bottom = needed.y() + needed.height();

    int left = x();
    int top = y();
    if (effectiveAlignment() == fx2::taRightJustify)
        left += width() - right;
    if (layout() == fx2::tlCenter)
        top += (height() - bottom) / 2;
    else if (layout() == fx2::tlBottom)
        top += height() - bottom;
    // A shadow thrown far to the upper left can ask for less than nothing.
    setGeometry(left, top, std::max(0, right), std::max(0, bottom));
}

void Tfx2CustomLabel::EffectsChanged(Tfx2TextEffects3D*)
{
    if (isLoading())
        return;
    FitBoundsToText();
    update();
}
