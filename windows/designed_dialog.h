#pragma once
// What every dialog of the program has in common: its frame, centring at every showing
// where its design asks for it, the classic dialog keys (dialog_keys.h), and the work its
// first showing needs. A dialog is one class derived from this and its form.
//
// Data flow: a dialog passes its Design here, sets up its form and look in its constructor
// and puts into measure() what needs the fonts it shows (labels sized to their texts,
// headings condensed to their boxes). That work, the style's polish, a first paint off
// screen and the native window (for a centred dialog, placed where it will be shown) are
// done once, by prepare(): while the program is idle
// after start-up (WindowOwner), or at the latest right before the dialog is first shown,
// so that the first showing costs what every later one does.

#include "dialog_keys.h"

#include <QDialog>

class DesignedDialog : public QDialog {
    Q_OBJECT
public:
    struct Design {
        Qt::WindowFlags frame;
        bool centredOnShow = false;
        DialogKeys::DesignedButtons buttons{};
    };

    // Does the first showing's work now; a second call does nothing.
    void prepare();
    bool isPrepared() const { return m_prepared; }

    void setVisible(bool visible) override;

protected:
    DesignedDialog(const Design& design, QWidget* parent);

    // Sizing that loads the fonts the dialog shows; run once, before it is first drawn.
    virtual void measure() {}

    void keyPressEvent(QKeyEvent* event) override;

private:
    DialogKeys::DesignedButtons m_buttons;
    bool m_centred;
    bool m_prepared = false;
};
