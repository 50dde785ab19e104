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
    m_zast = std::make_unique<TZast>(m_windows);
    note(m_zast.get(), m_windows.zast);
    TZast* splash = m_zast.get();
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
    m_tandemo = std::make_unique<TTandemo>(m_windows);
    note(m_tandemo.get(), m_windows.tandemo);
    QWidget* mainWindow = m_tandemo.get();
    note(new TInfo(m_windows, mainWindow), m_windows.info);
    note(new TResults(m_windows, mainWindow), m_windows.results);
    note(new TAboutBox(m_windows, mainWindow), m_windows.aboutBox);
    note(new TSpecHelp(m_windows, mainWindow), m_windows.specHelp);
    note(new TAttract(m_windows, mainWindow), m_windows.attract);
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

// Starts the preparation once the main window is exposed, which paints it: by then the
// splash and the main window are on screen, and the rest of the splash's five seconds are
// idle.
class AfterFirstExpose : public QObject {
public:
    AfterFirstExpose(QWindow* window, QList<DesignedDialog*> dialogs)
        : QObject(window), m_dialogs(std::move(dialogs))
    {
        window->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Expose && static_cast<QWindow*>(watched)->isExposed()) {
            watched->removeEventFilter(this);
            // Queued, so that the paint of the exposed window is finished first.
            prepareFrom(std::move(m_dialogs));
            deleteLater();
        }
        return false;
    }

private:
    QList<DesignedDialog*> m_dialogs;
};

} // namespace

void WindowOwner::prepareDialogsWhenIdle()
{
    QList<DesignedDialog*> dialogs{m_windows.results, m_windows.info, m_windows.specHelp,
                                   m_windows.attract, m_windows.aboutBox};
    m_tandemo->winId(); // the native window, whose exposure is awaited
    if (m_tandemo->windowHandle()->isExposed()) {
        prepareFrom(std::move(dialogs));
    } else {
        new AfterFirstExpose(m_tandemo->windowHandle(), std::move(dialogs));
    }
}
