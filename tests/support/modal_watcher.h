#pragma once
// Test helper for modal windows and message boxes. Arm it before the blocking call:
// a timer picks up the active modal widget, records what a user would read on it and
// closes it. The record says whether the callback ran at all, because a failed check
// inside a timer callback cannot fail the test by itself.

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <functional>

struct ModalRecord {
    bool seen = false;
    QString objectName;
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int buttonCount = 0;
    QRect frame;
};

class ModalWatcher {
public:
    // Records the first modal widget that appears, runs `inspect` on it (if given)
    // and then closes it.
    explicit ModalWatcher(std::function<void(QWidget*)> inspect = {})
        : m_inspect(std::move(inspect))
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] { poll(); });
        m_timer.start(10);
    }

    const ModalRecord& record() const { return m_record; }

private:
    void poll()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible()) {
            return;
        }
        m_timer.stop();
        m_record.seen = true;
        m_record.objectName = modal->objectName();
        m_record.title = modal->windowTitle();
        m_record.frame = modal->frameGeometry();
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            m_record.text = box->text();
            m_record.icon = box->icon();
            m_record.buttonCount = static_cast<int>(box->buttons().size());
        }
        if (m_inspect) {
            m_inspect(modal);
        }
        if (QPointer<QWidget> still = modal; still && still->isVisible()) {
            still->close();
        }
    }

    std::function<void(QWidget*)> m_inspect;
    QTimer m_timer;
    ModalRecord m_record;
};

// Closes whatever modal widgets a failed test left open.
inline void closeLeftoverModals()
{
    for (int i = 0; i < 10; ++i) {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) {
            return;
        }
        modal->close();
        QApplication::processEvents();
    }
}
