#pragma once
// The questionnaire, the program's main window.
//
// Data flow: the question buttons and answer boxes report to the SurveyModel the window
// is given (selectQuestion / answerToggled); the buttons' caption fonts mirror the
// model's current marks. "РЕЗУЛЬТАТЫ !" runs the model's results computation and writes
// it into the results window and the indicator before showing the results modally.
// Menu commands open the dialogs handed over by setDialogs() and addresses through
// LinkOpener. Closing this window emits closed(), which ends the program. From the
// keyboard: Tab walks the controls in their designed reading order, Enter presses the
// focused button, F10 or a bare Alt reach the menu.

#include <QMainWindow>
#include <QScopedPointer>

namespace Ui {
class TTandemo;
}
class SurveyModel;
class TAboutBox;
class TAttract;
class TInfo;
class TResults;
class QAbstractButton;
class QCheckBox;

class TTandemo : public QMainWindow {
    Q_OBJECT
public:
    explicit TTandemo(SurveyModel& model, QWidget* parent = nullptr);
    ~TTandemo() override;

    // The dialogs its commands open. They are this window's own (its Qt children), so they
    // are made after it and handed over once they exist.
    struct Dialogs {
        TInfo* info = nullptr;
        TResults* results = nullptr;
        TAboutBox* aboutBox = nullptr;
        TAttract* attract = nullptr;
    };
    void setDialogs(const Dialogs& dialogs);

signals:
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void FormCreate();
    void setUpKeyboard();
    void N2Click();
    void N4Click();
    void N6Click();
    void N7Click();
    void N9Click();
    void N10Click();
    void N11Click();
    void Tandemo1Click();
    void BitBtn8Click();
    void BitBtn10Click();
    void questionClick(int n);
    void answerClick(int pos);

    QAbstractButton* questionButton(int n) const;
    QCheckBox* answerBox(int pos) const;
    void loadQuestion(int n, int answers);
    // The current question's button is captioned large in red, those left behind small in blue.
    enum class QuestionCaption { Current, Left };
    void paintCaption(int n, QuestionCaption caption);
    void untickAnswers();

    QScopedPointer<Ui::TTandemo> m_ui;
    SurveyModel& m_model;
    Dialogs m_dialogs;
};
