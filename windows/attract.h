#pragma once
// The attraction window: a short essay on what attraction is.
//
// Data flow: none beyond showing. The questionnaire window's "АТТРАКЦИЯ" command shows
// it modally; the essay comes from its resource when the window is made, and
// "ЗАКРЫТЬ" (or Escape) closes it with the result Cancel.

#include <QDialog>
#include <QScopedPointer>

namespace Ui {
class TAttract;
}
struct WindowSet;

class TAttract : public QDialog {
    Q_OBJECT
public:
    explicit TAttract(WindowSet& windows, QWidget* parent = nullptr);
    ~TAttract() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void applyDesign();

    QScopedPointer<Ui::TAttract> m_ui;
};
