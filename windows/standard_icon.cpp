#include "standard_icon.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPointer>
#include <QWidget>
#include <memory>

namespace {

class DeferredStandardIconEngine final : public QIconEngine {
public:
    DeferredStandardIconEngine(const QWidget* widget, QStyle::StandardPixmap which)
        : m_style(widget != nullptr ? widget->style() : nullptr), m_which(which),
          m_icon(std::make_shared<QIcon>())
    {}

    QIconEngine* clone() const override { return new DeferredStandardIconEngine(*this); }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().pixmap(size, 1.0, mode, state);
    }

    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override
    {
        // Before Qt 6.8 the size arrives in device pixels, from then on in logical ones.
#if QT_VERSION < QT_VERSION_CHECK(6, 8, 0)
        const QSize logical = scale > 0 ? (QSizeF(size) / scale).toSize() : size;
#else
        const QSize logical = size;
#endif
        return icon().pixmap(logical, scale, mode, state);
    }

    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().actualSize(size, mode, state);
    }

    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return icon().availableSizes(mode, state);
    }

    QString iconName() override
    {
        return icon().name();
    }

    // The common style draws every standard button picture itself when the theme has none,
    // so there is always one; answering here keeps a button's size hint from resolving it.
    bool isNull() override
    {
        return false;
    }

    QString key() const override
    {
        return QStringLiteral("DeferredStandardIcon");
    }

private:
    const QIcon& icon()
    {
        if (m_icon->isNull()) {
            QStyle* style = m_style ? m_style.data() : QApplication::style();
            *m_icon = style->standardIcon(m_which);
        }
        return *m_icon;
    }

    QPointer<QStyle> m_style;
    QStyle::StandardPixmap m_which;
    // Shared by the copies a QIcon makes of its engine when it detaches, so that the style is
    // asked once.
    std::shared_ptr<QIcon> m_icon;
};

} // namespace

namespace WindowLook {

QIcon deferredStandardIcon(const QWidget* widget, QStyle::StandardPixmap which)
{
    return QIcon(new DeferredStandardIconEngine(widget, which));
}

} // namespace WindowLook
