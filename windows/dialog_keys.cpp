#include "dialog_keys.h"

#include <QKeyEvent>

namespace DialogKeys {

bool reachesMissingButton(const QKeyEvent* event, DesignedButtons designed)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const bool escape = event->matches(QKeySequence::Cancel);
    return (enter && !designed.defaultButton) || (escape && !designed.cancelButton);
}

} // namespace DialogKeys
