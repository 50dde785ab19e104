#include "dialog_keys.h"

#include <QDialog>
#include <QKeyEvent>
#include <QPushButton>

namespace DialogKeys {

namespace {

class EnterClicks : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress) {
            return false;
        }
        const auto* key = static_cast<const QKeyEvent*>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        auto* button = static_cast<QPushButton*>(watched);
        if (!enter || (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier ||
            !button->isEnabled()) {
            return false;
        }
        button->click();
        return true;
    }
};

} // namespace

void keepDesignedDefaults(QDialog* dialog)
{
    auto* enterClicks = new EnterClicks(dialog);
    for (QPushButton* button : dialog->findChildren<QPushButton*>()) {
        button->setAutoDefault(false);
        button->installEventFilter(enterClicks);
    }
}

bool reachesMissingButton(const QKeyEvent* event, DesignedButtons designed)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const bool escape = event->matches(QKeySequence::Cancel);
    return (enter && !designed.defaultButton) || (escape && !designed.cancelButton);
}

} // namespace DialogKeys
