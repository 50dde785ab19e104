#include "window_owner.h"

#include "aboutbox.h"
#include "attract.h"
#include "info.h"
#include "results.h"
#include "spechelp.h"
#include "tandemo.h"
#include "zast.h"

#include <QApplication>
#include <QWindow>

WindowOwner::WindowOwner()
{
    m_windows.model = &m_model;
}

WindowOwner::~WindowOwner()
{
    // Reverse order of creation; the later windows have the main window as parent and
    // must go before it.
    m_attract.reset();
    m_specHelp.reset();
    m_aboutBox.reset();
    m_results.reset();
    m_info.reset();
    m_tandemo.reset();
    m_zast.reset();
}

template <typename Window> Window* WindowOwner::create(std::unique_ptr<Window>& slot, Window*& view)
{
    slot = std::make_unique<Window>(m_windows);
    view = slot.get();
    m_creationOrder << slot->objectName();
    return view;
}

void WindowOwner::createSplash()
{
    TZast* splash = create(m_zast, m_windows.zast);
    splash->show();
    // What the window system has already answered is handled now, without waiting for
    // more: where the splash is exposed by then, it is painted before the rest is built.
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

namespace {

// Shows the main window once the splash has been exposed, or has gone: the splash is then
// on screen first whatever the pace of the display server and the window manager, and the
// event loop goes on meanwhile.
class AfterSplash : public QObject {
public:
    AfterSplash(QWidget* splash, QWidget* mainWindow)
        : QObject(splash), m_splash(splash), m_mainWindow(mainWindow)
    {
        splash->installEventFilter(this);
        splash->windowHandle()->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const bool exposed = event->type() == QEvent::Expose && watched->isWindowType() &&
                             static_cast<QWindow*>(watched)->isExposed();
        if (exposed || event->type() == QEvent::Hide) {
            m_splash->removeEventFilter(this);
            m_splash->windowHandle()->removeEventFilter(this);
            // After the splash has handled its exposure, that is, painted itself.
            QMetaObject::invokeMethod(m_mainWindow, &QWidget::show, Qt::QueuedConnection);
            deleteLater();
        }
        return false;
    }

private:
    QWidget* m_splash;
    QWidget* m_mainWindow;
};

} // namespace

void WindowOwner::showMainWindow()
{
    QWidget* splash = m_windows.zast;
    if (!splash || !splash->isVisible() || !splash->windowHandle() ||
        splash->windowHandle()->isExposed()) {
        m_windows.tandemo->show();
        return;
    }
    new AfterSplash(splash, m_windows.tandemo);
}

void WindowOwner::createWindows()
{
    create(m_tandemo, m_windows.tandemo);
    create(m_info, m_windows.info);
    create(m_results, m_windows.results);
    create(m_aboutBox, m_windows.aboutBox);
    create(m_specHelp, m_windows.specHelp);
    create(m_attract, m_windows.attract);
}
