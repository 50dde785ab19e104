#pragma once
// Classic dialogs answer Enter only through a button marked default (or the button that
// has the focus) and Escape only through a button marked cancel. QDialog goes further:
// it makes some button the default on its own, draws it so, and always rejects on
// Escape. The dialogs switch the first off and ask here before QDialog sees a key that
// would reach a button they do not have.

class QDialog;
class QKeyEvent;

namespace DialogKeys {

struct DesignedButtons {
    bool defaultButton = false;
    bool cancelButton = false;
};

// Only the buttons a form marks as default stay default: no push button of the dialog
// becomes default on taking the focus or when the dialog opens without one. Enter on a
// push button with the focus still clicks it, as it did when it made itself default.
void keepDesignedDefaults(QDialog* dialog);

bool reachesMissingButton(const QKeyEvent* event, DesignedButtons designed);

} // namespace DialogKeys
