#pragma once
// The results window: the survey's outcome on three tabs.
//
// Data flow: the questionnaire window hands the computed results to showResults(), which
// writes the per-question percentages into StringGrid1's column 1, the type 1 value
// onto the indicator's bar and into Edit1, the type 2 value into Edit2, and shows this
// window modally. The one thing computed here is the mutual probability:
// "ВЫЧИСЛИТЬ" hands Edit4's text to the SurveyModel's mutualPercent() and writes the
// answer into Edit3 (a text that is no integer is reported by the error guard and
// changes nothing). "Подробности" opens the indicator window modally; the banners and
// the link buttons hand their addresses to LinkOpener. Nothing is reset between
// showings: the tab last used and what the edit boxes hold stay.

#include "designed_dialog.h"

#include <QScopedPointer>

namespace Ui {
class TResults;
}
class SurveyModel;
struct SurveyResults;
class TSpecHelp;

class TResults : public DesignedDialog {
    Q_OBJECT
public:
    TResults(SurveyModel& model, QWidget* parent);
    ~TResults() override;

    // The indicator window, made after this one: its bar takes the type 1 value and
    // "Подробности" opens it.
    void setIndicator(TSpecHelp* indicator);

    // Shows the results and the window, modally; returns when it is closed.
    void showResults(const SurveyResults& results);

protected:
    void measure() override;

private:
    void applyDesign();
    void FormCreate();
    void BitBtn1Click();
    void Button1Click();
    void BitBtn3Click();

    QScopedPointer<Ui::TResults> m_ui;
    SurveyModel& m_model;
    TSpecHelp* m_indicator = nullptr;
};
