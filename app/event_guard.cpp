#include "event_guard.h"

#include "integer_text.h"
#include "message_boxes.h"

#include <QString>
#include <exception>
#include <string_view>

namespace {

// The error's own strings, with their lengths: a NUL in the typed text is a character like
// any other, where what() would end the message there. The typed text itself goes to the box
// as UTF-8, which decodes it into the message in place.
QString fromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

void runGuarded(const std::function<void()>& handler) noexcept
{
    try {
        handler();
    } catch (const ConversionError& error) {
        MessageBoxes::showQuotingError(fromUtf8(ConversionError::quote),
                                       QByteArrayView(error.text()),
                                       fromUtf8(ConversionError::notAnInteger));
    } catch (const std::exception& error) {
        MessageBoxes::showError(QString::fromUtf8(error.what()));
    } catch (...) {
        MessageBoxes::showError(QStringLiteral("Unknown error"));
    }
}
