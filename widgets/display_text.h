#pragma once
// What is drawn for a piece of text someone typed or pasted, kept apart from the text itself:
// the text a widget holds and reports stays exact, while what it lays out is bounded. Two
// things in such a text cost or mislead out of proportion to what they show:
// - a character may carry any number of combining marks or joiners, and the shaper treats
//   the whole run as one cluster, in time that grows faster than its length;
// - direction controls may close an isolate they did not open and so reach the words around it.
// appendDisplayed() copies a piece with its clusters cut into bounded ones and its isolates
// balanced; it also turns line and paragraph breaks into line separators, so that a piece of
// several lines can be laid out as one paragraph.

#include <QString>
#include <QStringView>

namespace DisplayText {

// More characters than this in one cluster start a new one.
constexpr int clusterLength = 16;

// Appends `text` to `out` as it is to be drawn. With `isolate`, it is set between U+2068 and
// U+2069 and nothing in it can close that isolate: a U+2069 without its own opener inside is
// left out, and the isolates it leaves open are closed before the end.
void appendDisplayed(QString& out, QStringView text, bool isolate);

// The same as a new string.
QString displayed(QStringView text, bool isolate);

// Whether some cluster of `text` is longer than clusterLength, so that laying the text out
// as it is would cost out of proportion to what it shows.
bool hasLongCluster(QStringView text);

} // namespace DisplayText
