#pragma once
// A window's buttons and menu commands run their handlers through guarded() (event_guard.h),
// so that an error in one is reported and the event loop goes on. onClick makes that
// connection for either kind of control, and a constructor lists only which control runs what:
//
//   onClick(m_ui->BitBtn1, this, [this] { BitBtn1Click(); });
//
// The window is the connection's context: the handler goes when the window does.

#include "event_guard.h"

#include <QAbstractButton>
#include <QAction>

template <typename Handler> void onClick(QAbstractButton* button, QObject* window, Handler handler)
{
    QObject::connect(button, &QAbstractButton::clicked, window, guarded(std::move(handler)));
}

template <typename Handler> void onClick(QAction* action, QObject* window, Handler handler)
{
    QObject::connect(action, &QAction::triggered, window, guarded(std::move(handler)));
}
