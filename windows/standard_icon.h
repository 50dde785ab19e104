#pragma once
// The style's standard button pictures (OK, Close, Help, Cancel) for the dialogs, which are
// all made at start-up but shown much later. Asking the style for the first of them searches
// the desktop's icon theme and decodes every size of the fallback pictures, several
// milliseconds in front of the main window; the icon made here asks the style only when a
// button first draws or measures it, and keeps the answer.

#include <QIcon>
#include <QStyle>

class QWidget;

namespace WindowLook {

// The icon `widget`'s style gives for `which`, resolved on first use.
QIcon deferredStandardIcon(const QWidget* widget, QStyle::StandardPixmap which);

} // namespace WindowLook
