#include "text_window.h"

#include "event_guard.h"
#include "standard_icon.h"

#include <QPushButton>

void TextWindow::setClosingButton(QDialog* window, QPushButton* button, QDialog::DialogCode result)
{
    button->setIcon(WindowLook::deferredStandardIcon(window, result == QDialog::Accepted
                                                                 ? QStyle::SP_DialogOkButton
                                                                 : QStyle::SP_DialogCancelButton));
    button->setIconSize(QSize(16, 16));
    QObject::connect(button, &QAbstractButton::clicked, window,
                     guarded([window, result] { window->done(result); }));
}
