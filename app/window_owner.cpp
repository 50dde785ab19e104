#include "window_owner.h"

#include "aboutbox.h"
#include "attract.h"
#include "info.h"
#include "results.h"
#include "spechelp.h"
#include "tandemo.h"
#include "window_centring.h"
#include "zast.h"

#include <QApplication>
#include <QGuiApplication>
#include <QWindow>

#include <functional>

WindowOwner::WindowOwner(const QuestionCatalogue::WeightTable& answerWeights)
    : m_model(answerWeights)
{
    m_windows.model = &m_model;
}

WindowOwner::~WindowOwner() = default;

template <typename Window> void WindowOwner::note(Window* window, Window*& view)
{
    view = window;
    m_creationOrder << window->objectName();
}

void WindowOwner::createSplash()
{
    m_zast = std::make_unique<TZast>();
    note(m_zast.get(), m_windows.zast);
    TZast* splash = m_zast.get();
    splash->show();
    // What the window system has already answered is handled now, without waiting for
    // more: where the splash is exposed by then, it is painted before the rest is built.
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

namespace {

// Runs work, queued so that the window's own handling (its paint) comes first, once the
// widget's native window has been exposed, or once the widget is hidden before that. The
// event loop goes on meanwhile: nothing waits on the GUI thread.
class WhenExposed : public QObject {
public:
    WhenExposed(QWidget* widget, std::function<void()> work)
        : QObject(widget), m_widget(widget), m_work(std::move(work))
    {
        widget->installEventFilter(this);
        widget->windowHandle()->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const bool exposed = event->type() == QEvent::Expose && watched->isWindowType() &&
                             static_cast<QWindow*>(watched)->isExposed();
        if (exposed || (event->type() == QEvent::Hide && watched == m_widget)) {
            m_widget->removeEventFilter(this);
            m_widget->windowHandle()->removeEventFilter(this);
            QMetaObject::invokeMethod(m_widget, std::move(m_work), Qt::QueuedConnection);
            deleteLater();
        }
        return false;
    }

private:
    QWidget* m_widget;
    std::function<void()> m_work;
};

// Shows the main window and keeps the splash above it. A Wayland compositor keeps no window
// above the others at a program's word (xdg-shell has no such state), but it keeps a window
// above the one it belongs to, which Qt names to it when it shows the window. So there the
// splash is shown once more, as the main window's own, as soon as the main window is.
void showUnderSplash(QWidget* mainWindow, QWidget* splash)
{
    mainWindow->show();
    if (!QGuiApplication::platformName().startsWith(QLatin1String("wayland")) || !splash ||
        !splash->isVisible() || !splash->windowHandle() || !mainWindow->windowHandle()) {
        return;
    }
    splash->hide();
    splash->windowHandle()->setTransientParent(mainWindow->windowHandle());
    splash->show();
}

} // namespace

void WindowOwner::showMainWindow()
{
    QWidget* splash = m_windows.zast;
    QWidget* mainWindow = m_windows.tandemo;
    if (!splash || !splash->isVisible() || !splash->windowHandle() ||
        splash->windowHandle()->isExposed()) {
        showUnderSplash(mainWindow, splash);
        return;
    }
    // The splash is then on screen first, whatever the pace of the display server and the
    // window manager.
    new WhenExposed(splash, [mainWindow, splash] { showUnderSplash(mainWindow, splash); });
}

void WindowOwner::createWindows()
{
    m_tandemo = std::make_unique<TTandemo>(m_model);
    note(m_tandemo.get(), m_windows.tandemo);
    QWidget* mainWindow = m_tandemo.get();
    note(new TInfo(mainWindow), m_windows.info);
    note(new TResults(m_model, mainWindow), m_windows.results);
    note(new TAboutBox(mainWindow), m_windows.aboutBox);
    note(new TSpecHelp(mainWindow), m_windows.specHelp);
    note(new TAttract(mainWindow), m_windows.attract);
    // The windows that open others, once those exist.
    m_windows.results->setIndicator(m_windows.specHelp);
    m_tandemo->setDialogs({.info = m_windows.info,
                           .results = m_windows.results,
                           .aboutBox = m_windows.aboutBox,
                           .attract = m_windows.attract});
    // The main window's native window, placed where its showing will centre it: the window
    // manager's estimate of its frame, asked for there, may come before it is shown.
    m_tandemo->winId();
    WindowCentring::placeForShowing(mainWindow);
}

namespace {

// Prepares the dialogs in turn, each in a turn of the event loop of its own.
void prepareFrom(QList<DesignedDialog*> dialogs)
{
    if (dialogs.isEmpty()) {
        return;
    }
    DesignedDialog* next = dialogs.takeFirst();
    QMetaObject::invokeMethod(
        next,
        [next, rest = std::move(dialogs)] {
            next->prepare();
            prepareFrom(rest);
        },
        Qt::QueuedConnection);
}

} // namespace

void WindowOwner::prepareDialogsWhenIdle()
{
    QList<DesignedDialog*> dialogs{m_windows.results, m_windows.info, m_windows.specHelp,
                                   m_windows.attract, m_windows.aboutBox};
    // Once the main window is exposed, which paints it: by then the splash and the main
    // window are on screen, and the rest of the splash's five seconds are idle.
    m_tandemo->winId(); // the native window, whose exposure is awaited
    if (m_tandemo->windowHandle()->isExposed()) {
        prepareFrom(std::move(dialogs));
    } else {
        new WhenExposed(m_tandemo.get(), [dialogs] { prepareFrom(dialogs); });
    }
}
