#include "window_look.h"

#include <QApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace WindowLook {

QSize clientSizeForOuter(QSize outer)
{
    return outer - QSize(frameWidth, frameHeight);
}

void centreOnScreen(QWidget* window)
{
    const QScreen* screen = window->screen();
    if (!screen) {
        screen = QGuiApplication::primaryScreen();
    }
    if (!screen) {
        return;
    }
    // Before the first show the frame is not known yet; assume the classic one.
    QSize outer = window->frameGeometry().size();
    const bool frameUnknown =
        !window->testAttribute(Qt::WA_WState_Created) || outer == window->size();
    if (frameUnknown) {
        const bool framed = !(window->windowFlags() & Qt::FramelessWindowHint);
        outer = window->size() + (framed ? QSize(frameWidth, frameHeight) : QSize());
    }
    const QRect area = screen->geometry();
    const QPoint frameTopLeft(area.x() + (area.width() - outer.width()) / 2,
                              area.y() + (area.height() - outer.height()) / 2);
    window->move(frameTopLeft);
    if (frameUnknown && window->windowHandle()) {
        // Until the window manager has framed the window, move() places the client area
        // at the point; ask the window system to put the frame's corner there instead.
        window->windowHandle()->setFramePosition(frameTopLeft);
    }
}

QColor btnFace()
{
    return QApplication::palette().color(QPalette::Button);
}

QColor highlightText()
{
    return QApplication::palette().color(QPalette::HighlightedText);
}

QColor activeCaption()
{
    // Qt has no caption role; the highlight is what styles paint active captions with.
    return QApplication::palette().color(QPalette::Active, QPalette::Highlight);
}

QColor menuText()
{
    return QApplication::palette().color(QPalette::WindowText);
}

QColor desktopBackground()
{
    // No desktop colour in the palette either. The classic desktops were a deep blue or
    // teal that reads well on silver; the link colour is the palette's deep blue.
    return QApplication::palette().color(QPalette::Link);
}

QColor windowText()
{
    return QApplication::palette().color(QPalette::WindowText);
}

QFont pixelFont(const QString& family, int pixels, bool bold, bool underline)
{
    QFont font(family);
    font.setPixelSize(pixels);
    font.setBold(bold);
    font.setUnderline(underline);
    return font;
}

void setBackground(QWidget* widget, const QColor& colour)
{
    // Buttons and check boxes fill with the Button role, labels and forms with Window.
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    palette.setColor(widget->backgroundRole(), colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void setTextColour(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::Text, colour);
    palette.setColor(QPalette::ButtonText, colour);
    widget->setPalette(palette);
}

void setPanelColour(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
}

void condenseToFit(QLabel* label)
{
    const int available = label->contentsRect().width();
    QFont font = label->font();
    const int needed = QFontMetrics(font).horizontalAdvance(label->text());
    if (needed <= available || available <= 0) {
        return;
    }
    // Width does not scale exactly with the stretch factor (hinting, rounding), so step
    // down from the estimate until the text fits; half width is as far as it goes.
    for (int stretch = available * 100 / needed; stretch >= 50; --stretch) {
        font.setStretch(stretch);
        if (QFontMetrics(font).horizontalAdvance(label->text()) <= available) {
            break;
        }
    }
    label->setFont(font);
}

namespace {

class FirstShow : public QObject {
public:
    FirstShow(QWidget* window, std::function<void()> work)
        : QObject(window), m_work(std::move(work))
    {
        window->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show) {
            watched->removeEventFilter(this);
            const std::function<void()> work = std::move(m_work);
            deleteLater();
            work();
        }
        return false;
    }

private:
    std::function<void()> m_work;
};

} // namespace

void beforeFirstShow(QWidget* window, std::function<void()> work)
{
    new FirstShow(window, std::move(work));
}

QIcon twoStateGlyph(const QPixmap& strip)
{
    const int half = strip.width() / 2;
    QIcon icon;
    icon.addPixmap(strip.copy(0, 0, half, strip.height()), QIcon::Normal);
    icon.addPixmap(strip.copy(half, 0, half, strip.height()), QIcon::Disabled);
    return icon;
}

} // namespace WindowLook
