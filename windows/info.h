#pragma once
// The current-probability window.
//
// Data flow: the questionnaire window's "ТЕКУЩАЯ ВЕРОЯНОСТЬ" command writes the current
// percentage into Edit1 and shows this window modally; nothing here reads it back.
// "ПРОДОЛЖИТЬ ОПРОС" closes the window with the result OK.

#include <QDialog>
#include <QScopedPointer>

namespace Ui {
class TInfo;
}
struct WindowSet;
class QLineEdit;

class TInfo : public QDialog {
    Q_OBJECT
public:
    explicit TInfo(WindowSet& windows, QWidget* parent = nullptr);
    ~TInfo() override;

    QLineEdit* Edit1() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void applyDesign();

    QScopedPointer<Ui::TInfo> m_ui;
};
