#pragma once
// The about box: program icon, name, version, maker and a line on what the program is for.
//
// Data flow: none beyond showing. The questionnaire window's about command shows it
// modally, centred on the screen each time; "OK" (the default button) closes it with the
// result OK.

#include "designed_dialog.h"

#include <QScopedPointer>

namespace Ui {
class TAboutBox;
}

class TAboutBox : public DesignedDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent);
    ~TAboutBox() override;

protected:
    void measure() override;

private:
    void applyDesign();

    QScopedPointer<Ui::TAboutBox> m_ui;
};
