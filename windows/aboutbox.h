#pragma once
// The about box: program icon, name, version, maker and a line on what the program is for.
//
// Data flow: none beyond showing. The questionnaire window's about command shows it
// modally, centred on the screen each time; "OK" (the default button) closes it with the
// result OK.

#include <QDialog>
#include <QScopedPointer>

namespace Ui {
class TAboutBox;
}
struct WindowSet;

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(WindowSet& windows, QWidget* parent = nullptr);
    ~TAboutBox() override;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void applyDesign();

    QScopedPointer<Ui::TAboutBox> m_ui;
};
