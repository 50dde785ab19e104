#pragma once
// The relationship-kind indicator: a bar from 0 to 100 % with five markers that name
// the kind of relationship at their point of the scale, and the disclaimer text.
//
// Data flow: the questionnaire window's results computation writes the type 1
// percentage into ProgressBar1; the results window shows this window modally. The
// markers only show their messages. The disclaimer is filled from its resource when
// the window is made; every later change to it (the user's) is answered with a
// warning but kept.

#include <QDialog>
#include <QScopedPointer>

namespace Ui {
class TSpecHelp;
}
struct WindowSet;
class QProgressBar;

class TSpecHelp : public QDialog {
    Q_OBJECT
public:
    explicit TSpecHelp(WindowSet& windows, QWidget* parent = nullptr);
    ~TSpecHelp() override;

    QProgressBar* ProgressBar1() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void applyDesign();
    void RichEdit1Change();

    QScopedPointer<Ui::TSpecHelp> m_ui;
};
