#pragma once
// The one place that shows the program's message boxes. Every box is captioned
// with the application title and centred on the screen; informational ones carry
// no icon, the error boxes carry the error icon. All have a single "OK".
//
// A box's text is data, never markup, and text() is exactly the text given, with nothing in
// it that a click could follow. What a user typed is drawn by a text view in the label's
// place (plain_text_view.h), wrapped anywhere and laid out only as far as it is in sight,
// with direction controls kept inside its isolate and floods of marks cut into bounded
// clusters. A text that fits the screen reads like the label of an ordinary box; a longer one
// scrolls in a read-only area, while the words after it stay in view beside the OK button.

#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace MessageBoxes {

// A plain message: text, one OK, no icon.
void inform(const QString& text);

// The default error report: the message with a full stop added by withFullStop().
void showError(const QString& message);

// The default error report for a message that quotes a text the user gave, in UTF-8:
// quote + quoted + quote + words, with the full stop added after the words. The quoted
// text is set in a bidirectional isolate (U+2068 ... U+2069), so that direction controls
// inside it cannot reorder the program's own words around it.
void showQuotingError(QStringView quote, QByteArrayView quotedUtf8, QStringView words);

// Adds "." when the message is not empty and its last character's code is greater
// than that of "." itself (so letters and digits get one, "!" or " " do not).
QString withFullStop(const QString& message);

} // namespace MessageBoxes
