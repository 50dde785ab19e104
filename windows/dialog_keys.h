#pragma once
// Classic dialogs answer Enter only through a button marked default (or the button that
// has the focus) and Escape only through a button marked cancel. QDialog goes further:
// it makes some button the default on its own and always rejects on Escape. Windows
// designed without such a button ask here first and ignore the key when it would reach
// a button they do not have.

class QKeyEvent;

namespace DialogKeys {

struct DesignedButtons {
    bool defaultButton = false;
    bool cancelButton = false;
};

bool reachesMissingButton(const QKeyEvent* event, DesignedButtons designed);

} // namespace DialogKeys
