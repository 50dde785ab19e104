#include "base_label.h"

#include <QEvent>

namespace {
// Innermost live FormLoading scope; forms are set up on the GUI thread only.
BaseLabel::FormLoading* g_formLoading = nullptr;
} // namespace

BaseLabel::FormLoading::FormLoading() : m_outer(g_formLoading)
{
    g_formLoading = this;
}

BaseLabel::FormLoading::~FormLoading()
{
    g_formLoading = m_outer;
    for (const QPointer<BaseLabel>& label : std::as_const(m_labels)) {
        if (label)
            label->loaded();
    }
}

BaseLabel::BaseLabel(QWidget* parent) : QWidget(parent)
{
    resize(65, 17);
    setAttribute(Qt::WA_OpaquePaintEvent);
    if (g_formLoading != nullptr) {
        m_loading = true;
        g_formLoading->m_labels.append(this);
    }
}

BaseLabel::~BaseLabel() = default;

void BaseLabel::adjustBounds() {}

void BaseLabel::loaded()
{
    m_loading = false;
    adjustBounds();
}

void BaseLabel::setCaption(const QString& caption)
{
    if (caption == m_caption)
        return;
    m_caption = caption;
    // The caption is painted, so screen readers and tests read it from here; line
    // breaks read as spaces, and the one that ends the splash line not at all.
    QString name = caption;
    name.replace(QLatin1String("\r\n"), QLatin1String(" "));
    name.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    setAccessibleName(name.trimmed());
    update();
    adjustBounds();
}

void BaseLabel::setFontColor(TColor colour)
{
    if (colour == m_fontColor)
        return;
    m_fontColor = colour;
    update();
    adjustBounds();
}

void BaseLabel::setColor(TColor colour)
{
    if (colour == m_color && !m_parentColor)
        return;
    m_color = colour;
    m_parentColor = false;
    update();
}

void BaseLabel::setParentColor(bool follow)
{
    if (follow == m_parentColor)
        return;
    m_parentColor = follow;
    update();
}

void BaseLabel::setAlignment(fx2::TAlignment alignment)
{
    if (alignment == m_alignment)
        return;
    m_alignment = alignment;
    update();
}

void BaseLabel::setLayout(fx2::TTextLayout layout)
{
    if (layout == m_layout)
        return;
    m_layout = layout;
    update();
}

void BaseLabel::setWordWrap(bool wrap)
{
    if (wrap == m_wordWrap)
        return;
    m_wordWrap = wrap;
    adjustBounds();
    update();
}

void BaseLabel::setAutoSize(bool on)
{
    if (on == m_autoSize)
        return;
    m_autoSize = on;
    adjustBounds();
}

void BaseLabel::setTransparent(bool on)
{
    if (on == m_transparent)
        return;
    m_transparent = on;
    // Opaque labels cover every pixel of their rectangle, so Qt need not paint the parent
    // beneath them; transparent ones rely on exactly that.
    setAttribute(Qt::WA_OpaquePaintEvent, !on);
    update();
}

QColor BaseLabel::backgroundColor() const
{
    if (!m_parentColor)
        return m_color.resolve(palette());
    if (const QWidget* parent = parentWidget())
        return parent->palette().color(parent->backgroundRole());
    return palette().color(QPalette::Window);
}

void BaseLabel::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        update();
        adjustBounds();
    }
}
