#pragma once
// The results window: the survey's outcome on three tabs.
//
// Data flow: the questionnaire window writes the per-question percentages into
// StringGrid1's column 1 and the type 1 and type 2 texts into Edit1 and Edit2, then
// shows this window modally. The one thing computed here is the mutual probability:
// "ВЫЧИСЛИТЬ" hands Edit4's text to the SurveyModel's mutualPercent() and writes the
// answer into Edit3 (a text that is no integer is reported by the error guard and
// changes nothing). "Подробности" opens the indicator window modally; the banners and
// the link buttons hand their addresses to LinkOpener. Nothing is reset between
// showings: the tab last used and what the edit boxes hold stay.

#include <QDialog>
#include <QScopedPointer>

namespace Ui {
class TResults;
}
struct WindowSet;
class QLineEdit;
class QTableWidget;

class TResults : public QDialog {
    Q_OBJECT
public:
    explicit TResults(WindowSet& windows, QWidget* parent = nullptr);
    ~TResults() override;

    // Written by the questionnaire window's results computation.
    QTableWidget* StringGrid1() const;
    QLineEdit* Edit1() const;
    QLineEdit* Edit2() const;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void applyDesign();
    void FormCreate();
    void BitBtn1Click();
    void Button1Click();
    void BitBtn3Click();

    QScopedPointer<Ui::TResults> m_ui;
    WindowSet& m_windows;
};
