#pragma once
// The relationship-kind indicator: a bar from 0 to 100 % with five markers that name
// the kind of relationship at their point of the scale, and the disclaimer text.
//
// Data flow: the results computation hands the type 1 percentage to setPosition(), which
// puts it on ProgressBar1; the results window shows this window modally. The
// markers only show their messages. The disclaimer is filled from its resource when
// the window is made; every later change to it (the user's) is answered with a
// warning but kept.

#include "designed_dialog.h"

#include <QScopedPointer>

namespace Ui {
class TSpecHelp;
}

class TSpecHelp : public DesignedDialog {
    Q_OBJECT
public:
    explicit TSpecHelp(QWidget* parent);
    ~TSpecHelp() override;

    // The bar's position: a percentage, 0 to 100.
    void setPosition(int percent);

protected:
    void measure() override;

private:
    void applyDesign();
    void RichEdit1Change();

    QScopedPointer<Ui::TSpecHelp> m_ui;
};
