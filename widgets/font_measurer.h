// The text geometry's view of a real font: widths and heights from QFontMetrics, and whether the
// font is an outline font (rotatable) or a bitmap font, from the font database.
#pragma once

#include "text_block.h"

#include <QFont>
#include <QFontMetrics>

class FontMeasurer final : public fx2::TextMeasurer {
public:
    explicit FontMeasurer(const QFont& font);

    int textWidth(const QString& text, qsizetype length) const override;
    // Qt's height of a line is the same for every text (ascent plus descent), which is what the
    // height of "Wg" stands for.
    int textHeight(const QString& text) const override;
    // Asks about the family the font actually resolved to, after substitutions, since that is
    // what gets drawn.
    bool isScalable() const override;

    int ascent() const { return m_metrics.ascent(); }

private:
    QFont m_font;
    QFontMetrics m_metrics;
};
