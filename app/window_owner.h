#pragma once
// Owns one instance of every window for the whole run. The splash comes first and
// on its own, so that it is on screen before anything else is built; the others
// follow in their fixed order with the questionnaire window first, which makes it
// the main window. Nothing else in the program creates windows. Each window is given
// what it uses: the survey model, and the dialogs it opens once those exist.
//
// Ownership: the splash and the main window are the two top-level windows and are held
// here; every other window is the main window's own (its Qt child, so that it stacks
// over it) and goes with it. The main window, dialogs and all, is destroyed before the
// splash, and both before the survey model they use.

#include "survey_model.h"
#include "window_set.h"

#include <QStringList>
#include <memory>

class WindowOwner {
public:
    // The survey records the catalogue's weights unless a table is given (tests of the
    // arithmetic's edge cases through the windows).
    explicit WindowOwner(
        const QuestionCatalogue::WeightTable& answerWeights = QuestionCatalogue::weights());
    ~WindowOwner();
    WindowOwner(const WindowOwner&) = delete;
    WindowOwner& operator=(const WindowOwner&) = delete;

    // Creates the splash, shows it and paints it at once.
    void createSplash();
    // Creates the remaining windows in their order.
    void createWindows();
    // Shows the main window, once the splash is on screen.
    void showMainWindow();
    // Once the main window is on screen, gets every dialog ready for its first
    // showing (DesignedDialog::prepare), one dialog per turn of the event loop, so that
    // what the user does in between is not held up.
    void prepareDialogsWhenIdle();

    const WindowSet& windows() const { return m_windows; }
    // The object names of the windows in the order they were created.
    const QStringList& creationOrder() const { return m_creationOrder; }

private:
    template <typename Window> void note(Window* window, Window*& view);

    SurveyModel m_model;
    WindowSet m_windows;
    QStringList m_creationOrder;
    std::unique_ptr<TZast> m_zast;
    std::unique_ptr<TTandemo> m_tandemo;
};
