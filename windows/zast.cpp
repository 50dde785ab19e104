#include "zast.h"
#include "ui_zast.h"

#include "assets.h"
#include "event_guard.h"
#include "tandemo_version.h"
#include "window_look.h"

#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <QShowEvent>
#include <QTimer>

namespace {

// The picture stretched into a frame once, at the pixel density it will be shown at, with the
// same smooth filter a stretching label would apply. Image1 then holds only this copy: a paint
// draws it pixel for pixel. At one device pixel per pixel the build has already stretched it;
// at other densities that copy is stretched further here.
QPixmap stretchedPicture(QSize frame, qreal ratio)
{
    QImage ready = Assets::stretchedSplash(frame);
    if (ratio == 1 || ready.isNull())
        return QPixmap::fromImage(std::move(ready));
    QPixmap stretched = QPixmap::fromImage(
        ready.scaled(frame * ratio, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    stretched.setDevicePixelRatio(ratio);
    return stretched;
}

} // namespace

TZast::TZast(QWidget* parent) : QWidget(parent), m_ui(new Ui::TZast), m_timer1(new QTimer(this))
{
    // The timer counts from creation; its first tick can only be handled once the event
    // loop runs. A precise timer, so that the tick never comes before the full 5000 ms.
    m_timer1->setObjectName(QStringLiteral("Timer1"));
    m_timer1->setTimerType(Qt::PreciseTimer);
    m_timer1->setInterval(5000);
    connect(m_timer1, &QTimer::timeout, this, guarded([this] { Timer1Timer(); }));
    m_timer1->start();

    {
        // The version line sizes itself once, after the whole form is in place.
        BaseLabel::FormLoading loading;
        m_ui->setupUi(this);
        // Not the splash type: KWin hides a splash at the first click on it. A frameless
        // utility window kept above the others stays for its whole time on every manager;
        // it takes no focus and has no taskbar entry.
        setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                       Qt::WindowDoesNotAcceptFocus);
        WindowLook::setBackground(this, WindowLook::btnFace());
        setCursor(Qt::WaitCursor);

        m_ui->Image1->setPixmap(stretchedPicture(m_ui->Image1->size(), devicePixelRatioF()));
        m_ui->Image1->setAccessibleName(QStringLiteral("Заставка Tandemo"));

        m_ui->fx2Label1->setFont(WindowLook::pixelFont(QStringLiteral("MS Sans Serif"), 11, true));
        m_ui->fx2Label1->setTextColor(WindowLook::maroon);
        m_ui->fx2Label1->setCaption(QStringLiteral("VERSION ") +
                                    QLatin1String(TandemoVersion::release) +
                                    QStringLiteral(" *FREEWARE*\r\n"));
    }
    WindowLook::centreAtEveryShowing(this);
    // Everything above was set up in the hidden window; the window, being a splash,
    // takes no focus and has nothing to operate.
    setFocusPolicy(Qt::NoFocus);
}

TZast::~TZast() = default;

void TZast::showEvent(QShowEvent* event)
{
    if (!event->spontaneous()) {
        qApp->installEventFilter(this);
    }
    QWidget::showEvent(event);
}

void TZast::hideEvent(QHideEvent* event)
{
    qApp->removeEventFilter(this);
    QWidget::hideEvent(event);
}

// Where no manager keeps windows above (none runs, or one without the desktop hints, such as
// twm), a window mapped later would cover the splash: it goes back on top each time another
// window of the program has been mapped.
bool TZast::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ShowToParent && watched != this && watched->isWidgetType()) {
        const auto* window = static_cast<QWidget*>(watched);
        // Menus and tool tips open over the splash as they would over any window.
        if (window->isWindow() && window->windowType() != Qt::Popup &&
            window->windowType() != Qt::ToolTip) {
            raise();
        }
    }
    return false;
}

void TZast::Timer1Timer()
{
    close();
    m_timer1->stop();
}
