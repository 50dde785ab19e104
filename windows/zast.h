#pragma once
// The splash window: the picture and the version line, shown before every other window
// and kept above them until its timer closes it. Nothing on it can be operated.
//
// Data flow: none in; Timer1 runs from creation and its first tick hides the window for
// the rest of the run.

#include <QScopedPointer>
#include <QWidget>

namespace Ui {
class TZast;
}
class QTimer;

class TZast : public QWidget {
    Q_OBJECT
public:
    explicit TZast(QWidget* parent = nullptr);
    ~TZast() override;

    // The picture as designed, before it is stretched into Image1.
    static constexpr QSize pictureSize{729, 480};

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Timer1Timer();

    QScopedPointer<Ui::TZast> m_ui;
    // Named and owned by the window like every control, so that it is found by its name.
    QTimer* m_timer1;
};
