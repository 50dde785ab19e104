#include "event_guard.h"

#include "message_boxes.h"

#include <QString>
#include <exception>

void runGuarded(const std::function<void()>& handler) noexcept
{
    try {
        handler();
    } catch (const std::exception& error) {
        MessageBoxes::showError(QString::fromUtf8(error.what()));
    } catch (...) {
        MessageBoxes::showError(QStringLiteral("Unknown error"));
    }
}
