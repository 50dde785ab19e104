#pragma once
// Shared by the window tests: finding controls by their designed names, answering modal
// windows and message boxes from inside their own event loops, and driving the
// questionnaire as a user would.
//
// exec() blocks, so a modal window is handled by a polling timer that runs inside the
// modal loop. A QCOMPARE inside such a handler cannot fail the test; handlers record
// what they see and the test asserts afterwards, together with the fact that the
// handler ran at all.

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFontMetrics>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>
#include <utility>

// A control by its designed name; a wrong name ends the test run with that name.
template <typename T> T* child(const QObject* parent, const QString& name)
{
    T* found = parent->findChild<T*>(name);
    if (!found) {
        qFatal("%s has no %s named %s", qPrintable(parent->objectName()),
               T::staticMetaObject.className(), qPrintable(name));
    }
    return found;
}

// A top-level window by its designed name; a wrong name ends the test run.
inline QWidget* topLevel(const QString& name)
{
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top->objectName() == name) {
            return top;
        }
    }
    qFatal("no window named %s", qPrintable(name));
}

inline void click(QWidget* parent, const QString& buttonName)
{
    QTest::mouseClick(child<QAbstractButton>(parent, buttonName), Qt::LeftButton);
}

// Runs a handler once, on the first modal window other than a message box that opens
// above the one modal when the watcher was made.
class NextModal {
public:
    explicit NextModal(std::function<void(QWidget*)> handler)
        : m_handler(std::move(handler)), m_below(QApplication::activeModalWidget())
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] { poll(); });
        m_timer.start(10);
    }
    bool ran() const { return m_ran; }

private:
    void poll()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal == m_below || qobject_cast<QMessageBox*>(modal) ||
            !modal->isVisible()) {
            return;
        }
        m_timer.stop();
        m_ran = true;
        m_handler(modal);
    }

    std::function<void(QWidget*)> m_handler;
    QWidget* m_below;
    QTimer m_timer;
    bool m_ran = false;
};

// Presses OK on every message box that opens while it exists, recording each.
class MessageBoxCloser {
public:
    struct Seen {
        QString title;
        QString text;
        QMessageBox::Icon icon;
    };

    MessageBoxCloser()
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] { poll(); });
        m_timer.start(10);
    }
    const QList<Seen>& seen() const { return m_seen; }
    QStringList texts() const
    {
        QStringList texts;
        for (const Seen& box : m_seen) {
            texts << box.text;
        }
        return texts;
    }
    void clear() { m_seen.clear(); }
    // Runs before OK is pressed on each box (records only: see above).
    void inspectEach(std::function<void(QMessageBox*)> inspect) { m_inspect = std::move(inspect); }

private:
    void poll()
    {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible()) {
            return;
        }
        m_seen.append({box->windowTitle(), box->text(), box->icon()});
        if (m_inspect) {
            m_inspect(box);
        }
        QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
    }

    std::function<void(QMessageBox*)> m_inspect;
    QTimer m_timer;
    QList<Seen> m_seen;
};

// Starts the questionnaire from the menu and answers question q with the answer at
// position positions[q - 1], pressing the question buttons in order.
inline void answerQuestionnaire(QWidget* tandemo, const QString& positions)
{
    child<QAction>(tandemo, QStringLiteral("N2"))->trigger();
    for (int q = 1; q <= positions.size(); ++q) {
        click(tandemo, QStringLiteral("BitBtn%1").arg(q));
        auto* box = child<QCheckBox>(tandemo, QStringLiteral("CheckBox") + positions[q - 1]);
        // On the tick box itself: the label's far end may be beyond the answer's text.
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
    }
}

// A label's text is drawn whole within the label, in whatever face stands in for the
// designed one.
inline bool textFits(const QLabel* label)
{
    return label->wordWrap() || QFontMetrics(label->font()).horizontalAdvance(label->text()) <=
                                    label->contentsRect().width();
}

// A window's frame is centred on its screen, within a pixel of rounding.
inline bool isCentred(const QWidget* window)
{
    const QPoint offset = window->frameGeometry().center() - window->screen()->geometry().center();
    return qAbs(offset.x()) <= 1 && qAbs(offset.y()) <= 1;
}
