#pragma once
// The current-probability window.
//
// Data flow: the questionnaire window's "ТЕКУЩАЯ ВЕРОЯНОСТЬ" command hands the current
// percentage to showPercentage(), which writes it into Edit1 and shows the window
// modally; nothing here reads it back. "ПРОДОЛЖИТЬ ОПРОС" closes the window with the
// result OK.

#include "designed_dialog.h"

#include <QScopedPointer>

namespace Ui {
class TInfo;
}

class TInfo : public DesignedDialog {
    Q_OBJECT
public:
    explicit TInfo(QWidget* parent);
    ~TInfo() override;

    // Shows the percentage and the window, modally; returns when it is closed.
    void showPercentage(int percent);

protected:
    void measure() override;

private:
    void applyDesign();

    QScopedPointer<Ui::TInfo> m_ui;
};
