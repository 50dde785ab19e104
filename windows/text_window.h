#pragma once
// What the two windows that show a long help text share (the attraction essay, the
// indicator's disclaimer): the text, read from its resource when the window is made and set
// out with the classic tab stops, and the one button that closes the window, which shows
// the style's glyph for what it does.

#include "assets.h"
#include "window_look.h"

#include <QDialog>

class QPushButton;

namespace TextWindow {

// `view` is the window's QPlainTextEdit or QTextEdit.
template <typename View> void showText(View* view, const char* resource)
{
    view->setTabStopDistance(WindowLook::classicTabStop(view->font()));
    view->setPlainText(Assets::readText(QLatin1String(resource)));
}

// A click on `button` closes `window` with `result`; the glyph is OK's where it accepts
// and Cancel's where it rejects.
void setClosingButton(QDialog* window, QPushButton* button, QDialog::DialogCode result);

} // namespace TextWindow
