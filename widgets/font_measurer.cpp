#include "font_measurer.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <limits>

FontMeasurer::FontMeasurer(const QFont& font) : m_font(font), m_metrics(font) {}

int FontMeasurer::textWidth(const QString& text, qsizetype length) const
{
    const auto clamped = std::min<qsizetype>(length, std::numeric_limits<int>::max());
    return m_metrics.horizontalAdvance(text, static_cast<int>(clamped));
}

int FontMeasurer::textHeight(const QString&) const
{
    return m_metrics.height();
}

bool FontMeasurer::isScalable() const
{
    const QFontInfo info(m_font);
    return QFontDatabase::isSmoothlyScalable(info.family(), info.styleName());
}
