#include "image_button.h"

#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

ImageButton::ImageButton(QWidget* parent) : QAbstractButton(parent)
{
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
}

void ImageButton::setPicture(const QPixmap& picture)
{
    m_picture = picture;
    update();
}

QSize ImageButton::sizeHint() const
{
    return m_picture.isNull() ? QSize(75, 25) : m_picture.deviceIndependentSize().toSize();
}

void ImageButton::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    option.initFrom(this);
    option.features = QStyleOptionButton::None;
    if (isDown()) {
        option.state |= QStyle::State_Sunken;
    } else {
        option.state |= QStyle::State_Raised;
    }
    painter.drawControl(QStyle::CE_PushButtonBevel, option);

    if (!m_picture.isNull()) {
        const QSize size = m_picture.deviceIndependentSize().toSize();
        QPoint topLeft((width() - size.width()) / 2, (height() - size.height()) / 2);
        if (isDown()) {
            topLeft += QPoint(1, 1); // the face moves with the press, as a caption would
        }
        painter.save();
        painter.setClipRect(rect().adjusted(2, 2, -2, -2));
        painter.drawPixmap(topLeft, m_picture);
        painter.restore();
    }
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = rect().adjusted(3, 3, -3, -3);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

void ImageButton::keyPressEvent(QKeyEvent* event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        click();
        return;
    }
    QAbstractButton::keyPressEvent(event);
}
