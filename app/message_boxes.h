#pragma once
// The one place that shows the program's message boxes. Every box is captioned
// with the application title and centred on the screen; informational ones carry
// no icon, the error box carries the error icon. Both have a single "OK".

#include <QString>

namespace MessageBoxes {

// A plain message: text, one OK, no icon.
void inform(const QString& text);

// The default error report: the message with a full stop added by withFullStop().
void showError(const QString& message);

// Adds "." when the message is not empty and its last character's code is greater
// than that of "." itself (so letters and digits get one, "!" or " " do not).
QString withFullStop(const QString& message);

} // namespace MessageBoxes
