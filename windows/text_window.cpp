#include "text_window.h"

#include "guarded_clicks.h"
#include "standard_icon.h"

#include <QPushButton>

void TextWindow::setClosingButton(QDialog* window, QPushButton* button, QDialog::DialogCode result)
{
    button->setIcon(WindowLook::deferredStandardIcon(window, result == QDialog::Accepted
                                                                 ? QStyle::SP_DialogOkButton
                                                                 : QStyle::SP_DialogCancelButton));
    button->setIconSize(QSize(16, 16));
    onClick(button, window, [window, result] { window->done(result); });
}
