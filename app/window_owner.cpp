#include "window_owner.h"

#include "aboutbox.h"
#include "attract.h"
#include "info.h"
#include "results.h"
#include "spechelp.h"
#include "tandemo.h"
#include "zast.h"

#include <QApplication>
#include <QTimer>
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
    // Paint it now, before the other windows are built: wait (at most 500 ms) for the window
    // system to expose it, then paint synchronously. The wait sleeps in the event loop until
    // something arrives instead of polling, so the X server and the window manager, which
    // have to place the window first, get the processor; the timer only bounds the sleep.
    QTimer deadline;
    deadline.setSingleShot(true);
    deadline.start(500);
    while (splash->windowHandle() && !splash->windowHandle()->isExposed() && deadline.isActive()) {
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents |
                                    QEventLoop::WaitForMoreEvents);
    }
    splash->repaint();
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
