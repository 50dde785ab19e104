#include "event_guard.h"

#include "integer_text.h"
#include "message_boxes.h"

#include <QString>
#include <exception>
#include <malloc.h>
#include <string_view>

namespace {

// The error's own strings, with their lengths: a NUL in the typed text is a character like
// any other, where what() would end the message there. The typed text itself goes to the box
// as UTF-8, which decodes it into the message in place.
QString fromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A pasted text of many megabytes is freed into the allocator's heap, which keeps it once it
// has raised its threshold for mapping big blocks. The box's copy and the error's are both
// gone only here, after the error's handler, so here it goes back to the system.
void giveBackMemory()
{
#ifdef __GLIBC__
    malloc_trim(0);
#endif
}

} // namespace

void runGuarded(const std::function<void()>& handler) noexcept
{
    bool quoted = false;
    try {
        handler();
    } catch (const ConversionError& error) {
        quoted = true;
        MessageBoxes::showQuotingError(fromUtf8(ConversionError::quote),
                                       QByteArrayView(error.text()),
                                       fromUtf8(ConversionError::notAnInteger));
    } catch (const std::exception& error) {
        MessageBoxes::showError(QString::fromUtf8(error.what()));
    } catch (...) {
        MessageBoxes::showError(QStringLiteral("Unknown error"));
    }
    if (quoted) {
        giveBackMemory();
    }
}
