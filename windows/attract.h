#pragma once
// The attraction window: a short essay on what attraction is.
//
// Data flow: none beyond showing. The questionnaire window's "АТТРАКЦИЯ" command shows
// it modally; the essay comes from its resource when the window is made, and
// "ЗАКРЫТЬ" (or Escape) closes it with the result Cancel.

#include "designed_dialog.h"

#include <QScopedPointer>

namespace Ui {
class TAttract;
}

class TAttract : public DesignedDialog {
    Q_OBJECT
public:
    explicit TAttract(QWidget* parent);
    ~TAttract() override;

protected:
    void measure() override;

private:
    void applyDesign();

    QScopedPointer<Ui::TAttract> m_ui;
};
